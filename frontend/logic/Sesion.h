#pragma once

#include "controls/logic/TablaTeclas.h"
#include "frontend/logic/CarpetaMame.h"

#include <QString>

namespace Corvala {

// What one run of Corvala shares between its windows: one instance, made at start-up.
struct Sesion
{
    explicit Sesion(CarpetaMame carpetaMame) : carpeta(std::move(carpetaMame)) {}

    CarpetaMame carpeta;

    // The main window's busy flag: set while a game runs or the ROM manager is open. Every
    // main-window command and the close request test it.
    bool ocupado = false;

    // Corvala runs from a CD-ROM: set once at start-up; the commands that write are disabled.
    bool cd = false;

    // The emulator's version text, read once at start-up.
    QString versionMame;

    // The title and the emulator's output of the last game launched, for the log viewer.
    QString ultimoTitulo;
    QString ultimoLog;

    // The keys of the controls window, and the ctrlr line of mame.ini as it was before
    // Corvala last changed it.
    TeclasAsignadas teclasAsignadas = TeclasSinAsignar();
    QString lineaCtrlrGuardada;
};

} // namespace Corvala
