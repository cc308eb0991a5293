#pragma once

#include "comun/logic/Mensajes.h"

#include <memory>

#include <QStringList>
#include <QVector>

#include <functional>
#include <optional>

namespace Corvala {

class CarpetaMame;
class CatalogoSoftware;
class ListaMame;

// The data behind the main window's game list.
struct ListaCargada
{
    // The archives of the roms folder, in listing order (position k is archive k); the items
    // of its software lists' folders after them ("nes/smb.zip").
    QStringList ROMs;
    // The software lists' descriptions and the items of those the folder has software of; null
    // when corvala.db has none (the items are then unknown archives until it has).
    std::shared_ptr<const CatalogoSoftware> software;
    // The visible texts, sorted: titles ascending, then the unrecognised archives.
    QStringList juegos;
    // For each visible entry, the position of its archive in ROMs.
    QVector<int> ROMTemporal;
    // lista.txt was missing and the emulator could not make it: the list is read without it.
    bool listaFallida = false;
    // How many games lista.txt lists.
    int juegosListados = 0;
    // Why the roms folder could not be read; empty when it could (or there is none).
    QString motivoRoms;

    // The status line's text when the emulator could not make the list.
    static QString TextoListaFallida();
    // The status line's text when the roms folder cannot be read.
    static QString TextoRomsIlegibles(const QString &motivo);

    // The archive behind visible entry p.
    QString Archivo(int p) const { return ROMs.value(ROMTemporal.value(p, -1)); }
    // The archive behind visible entry p now carries another name.
    void Renombrar(int p, const QString &nuevo)
    {
        if (p >= 0 && p < ROMTemporal.size())
            ROMs[ROMTemporal[p]] = nuevo;
    }
};

// The steps of a list load that prepare the MAME folder.
namespace ListaDeJuegos {

// Creates what a load needs when it is missing: the snaps folder (not on a CD-ROM), the key
// table Corvala.tlc and all.bat. A step that fails is passed over.
void PrepararCarpeta(const CarpetaMame &carpeta, bool cd);

// The whole load behind the main window's list, for the start-up and the buttons alike. On a
// CD-ROM without Corvala's files nothing is loaded: the program must end with
// ArchivosDeCarpeta::MensajeFaltanArchivosDeCD. Otherwise the folder is prepared, the emulator
// writes lista.txt when it is missing (creandoLista is called before that run), and the list is
// read. When the emulator fails, the list there was (if any) stays and listaFallida is set.
// In a read-only folder (soloLectura) the emulator's list is kept in memory instead.
std::optional<ListaCargada> CargarDatos(const CarpetaMame &carpeta, bool cd,
                                        const std::function<void()> &creandoLista = {},
                                        bool soloLectura = false);

// The list's renewal sets lista.txt aside (as lista.anterior) before the emulator makes a new
// one, so that a run that fails can give the old one back. False when it cannot be moved.
bool ApartarLista(const CarpetaMame &carpeta);
// The box when it cannot.
Mensaje MensajeNoSeApartaLista();

// Reads the roms folder and lista.txt once (or takes the list given) and builds the sorted
// list. When lista.txt cannot be read no title can be looked up and the list has no entries.
ListaCargada Cargar(const CarpetaMame &carpeta, const ListaMame *enMemoria = nullptr);

} // namespace ListaDeJuegos
} // namespace Corvala
