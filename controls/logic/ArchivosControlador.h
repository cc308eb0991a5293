#pragma once

#include "comun/logic/TablaTeclas.h"

#include <QString>
#include <QStringList>

namespace Corvala {

// The controller set "Corvala" that the emulator reads: ctrlr/Corvala/default.ini, the
// per-folder INI form, and ctrlr/Corvala.cfg, the XML form of the emulator's configuration
// files. Both carry the same assignments: every cell greater than 0, player by player and
// control by control.

// The two files' lines (each written with CR LF).
QStringList LineasDefaultIni(const TeclasAsignadas &teclas, const TablaTeclas &tabla);
QStringList LineasCorvalaCfg(const TeclasAsignadas &teclas, const TablaTeclas &tabla);

// The assignments of a default.ini file: every cell -1, then one key per line that names a
// port of the table. Comment lines and lines naming no port are skipped. A missing or
// unreadable file leaves every cell -1.
TeclasAsignadas CargarTeclasDeControlador(const QString &ruta, const TablaTeclas &tabla);

} // namespace Corvala
