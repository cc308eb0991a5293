#pragma once

#include "comun/logic/FichaMaquina.h"

#include <QHash>
#include <QString>

#include <memory>
#include <optional>

namespace Corvala {

class CarpetaMame;

// The emulator's catalogue: every machine it knows, with its year, maker, parent, driver
// status and ROMs, kept in the SQLite database corvala.db of the MAME folder so that players
// and tools can query it too. Its tables:
//   maquinas(nombre, descripcion, anio, fabricante, clon_de, rom_de, estado, es_bios,
//            es_dispositivo, es_mecanica, jugadores)
//   roms(maquina, nombre, tamano, crc, sha1, fusion, estado), indexed on crc
//   catalogo(version, huella): the emulator it was built from, and its -listfull output
// Corvala builds it again at will: nothing of the player's is kept in it.
class Catalogo
{
public:
    // What a catalogue was built against: the emulator's version and a fingerprint of the
    // game list (lista.txt) it gave.
    struct Sello
    {
        QString version;
        QString huella;
        bool operator==(const Sello &otro) const
        {
            return version == otro.version && huella == otro.huella;
        }
    };

    // The database, and the file a new one is built in before it replaces it.
    static QString Ruta(const CarpetaMame &carpeta);
    static QString RutaNueva(const CarpetaMame &carpeta);

    // The fingerprint of the folder's lista.txt; empty when it cannot be read.
    static QString Huella(const CarpetaMame &carpeta);

    // Reads the machines of a database; nothing when it is missing or is not a whole
    // catalogue.
    static std::shared_ptr<const Catalogo> Abrir(const QString &ruta);

    const Sello &SelloDe() const { return m_sello; }
    // The machine of a set name, in any letter case; null when the catalogue lacks it.
    const FichaMaquina *Maquina(const QString &nombre) const;
    qsizetype Cantidad() const { return m_maquinas.size(); }

    // How a catalogue is put together while it is built.
    void Agregar(const FichaMaquina &maquina);
    void Sellar(Sello sello) { m_sello = std::move(sello); }

private:
    Sello m_sello;
    QHash<QString, FichaMaquina> m_maquinas;
};

// Writes a new database, machine by machine, into one file. The file is whole only once
// Terminar has succeeded; a writer that ends otherwise removes it.
class EscritorCatalogo
{
public:
    explicit EscritorCatalogo(QString ruta);
    ~EscritorCatalogo();
    EscritorCatalogo(const EscritorCatalogo &) = delete;
    EscritorCatalogo &operator=(const EscritorCatalogo &) = delete;

    bool Agregar(const FichaMaquina &maquina, const QVector<FichaRom> &roms);
    bool Terminar(const Catalogo::Sello &sello);

private:
    struct Conexion;
    bool Empezar();

    QString m_ruta;
    std::unique_ptr<Conexion> m_conexion;
    bool m_fallido = false;
    bool m_terminado = false;
};

} // namespace Corvala
