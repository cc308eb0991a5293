#pragma once

#include "comun/logic/CarpetaMame.h"
#include "comun/logic/ControlesAsignados.h"
#include "comun/logic/modPrincipal.h"

#include <QLockFile>
#include <QString>

#include <functional>
#include <memory>

namespace Corvala {

class Catalogo;

// What one run of Corvala shares between its windows: one instance, made at start-up.
struct Sesion
{
    explicit Sesion(CarpetaMame carpetaMame)
        : carpeta(std::move(carpetaMame))
    {
    }

    CarpetaMame carpeta;

    // The main window's busy flag: set while a game runs or the ROM manager is open. Every
    // main-window command and the close request test it.
    bool ocupado = false;

    // Corvala runs from a CD-ROM: set once at start-up; the commands that write are disabled.
    bool cd = false;

    // How start-up tells a CD-ROM; tests give their own answer.
    std::function<bool(const QString &)> esUnidadCD = EsUnidadCD;

    // The folder cannot be written (not a CD-ROM): set once at start-up. The list is the
    // emulator's, kept in memory; nothing of the player's is kept, no catalogue is built, and
    // the commands that only write are disabled. How start-up tells it; tests give their own.
    bool soloLectura = false;
    std::function<bool(const QString &)> esSoloLectura = EsSoloLectura;
    // Corvala may write in the folder: neither a CD-ROM nor a read-only folder.
    bool Escribe() const { return !cd && !soloLectura; }

    // The lock file that keeps a second copy of Corvala from starting (none: not checked),
    // and the lock while this copy holds it.
    QString rutaBloqueo;
    std::unique_ptr<QLockFile> bloqueo;

    // The emulator's version text, read once at start-up.
    QString versionMame;

    // The emulator's catalogue in use, when it gives one and it has been read or built.
    std::shared_ptr<const Catalogo> catalogo;

    // The title and the emulator's output of the last game launched, for the log viewer.
    QString ultimoTitulo;
    QString ultimoLog;

    // The keys of the controls window, and the ctrlr line of mame.ini as it was before
    // Corvala last changed it.
    TeclasAsignadas teclasAsignadas = TeclasSinAsignar();
    MandosAsignados mandosAsignados;
    QString lineaCtrlrGuardada;
};

} // namespace Corvala
