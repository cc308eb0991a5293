#pragma once

#include "comun/logic/CarpetaMame.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>

// A MAME folder made for one test: a temporary folder holding the fake emulator as "mame", an
// empty roms folder and the fake's control folder .fakemame (its answers and its record of
// every call).
class CarpetaDePrueba
{
public:
    CarpetaDePrueba();

    const Corvala::CarpetaMame &Carpeta() const { return m_carpeta; }
    QString Ruta(const QString &relativa = {}) const;

    // Writes a file below the folder, creating the folders on its way.
    void Escribir(const QString &relativa, const QByteArray &contenido) const;
    QByteArray Leer(const QString &relativa) const;
    bool Existe(const QString &relativa) const;
    void Borrar(const QString &relativa) const;

    // Makes the path a folder with a file in it: as a file it can then be neither written,
    // replaced nor removed. It stands for a read-only file, since tests may run as root.
    void Bloquear(const QString &relativa) const;

    // An archive in roms; its content may say which set it holds ("set=pacman").
    void Archivo(const QString &nombre, const QByteArray &contenido = {}) const;

    // What the fake emulator answers to -listfull, and its other controls (key=value lines).
    void ListaCompleta(const QByteArray &salida) const;
    void Control(const QByteArray &conf) const;

    // Gives the fake emulator its catalogue (the answer to -listxml, the fixture of tests/
    // fakemame/listxml.xml), from which it also answers -listfull.
    void ConCatalogo() const;

    // Removes the emulator from the folder.
    void SinEmulador() const;

    // Every emulator call, in order, as it was made.
    struct Llamada
    {
        QStringList argumentos;
        QString carpeta;
    };
    QList<Llamada> LlamadasTalCual() const;

    // The arguments of every call that does a command's work, in order, and the working folder
    // of each: without the emulator's questions about itself (-showusage, which options it
    // knows; -version) and without the "-inipath ." that keeps each run to the folder's
    // configuration, or the "-noverbose" that keeps a verification's answer clean.
    QList<QStringList> Llamadas() const;
    QStringList CarpetasDeLlamadas() const;
    void OlvidarLlamadas() const;

    // The file and folder names in the MAME folder, the fake's own excepted.
    QStringList Contenido() const;

private:
    QList<Llamada> LlamadasDeTrabajo() const;

    QTemporaryDir m_temporal;
    Corvala::CarpetaMame m_carpeta;
};

// The -cc run of an emulator that knows -inipath: the folder's paths in place of its own.
QStringList CrearConfiguracionEnLaCarpeta();

// The classic -listfull layout of the example collection (galaga, pacman) and the wider one of
// current emulators, with names longer than ten characters.
QByteArray ListaClasica();
QByteArray ListaAncha();
