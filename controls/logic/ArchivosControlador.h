#pragma once

#include "input/logic/TablaTeclas.h"

#include <QString>
#include <QStringList>

namespace Corvala {

// The controller set "Corvala" that the emulator reads: ctrlr/Corvala/default.ini, the
// per-folder INI form, and ctrlr/Corvala.cfg, the XML form of the emulator's configuration
// files. Both carry the same assignments: every cell greater than 0, player by player and
// control by control, and the cells whose default key another control took, with the rest of
// their default.

// A key code of the table as the emulator of that version names it: KEYCODE_0_PAD is
// KEYCODE_0PAD from 0.116 on (an empty or unknown version keeps the table's name); and back.
QString CodigoParaEmulador(const QString &codigo, const QString &version);
QString CodigoDeLaTabla(const QString &codigo);

// The two files' lines (each written with CR LF), with the codes the emulator's version knows.
// A cell with a pad input too holds both, joined as the emulator's "either":
// KEYCODE_5 OR JOYCODE_1_BUTTON7 (a cell left on the default: its default codes, then the pad's).
QStringList LineasDefaultIni(const TeclasAsignadas &teclas, const TablaTeclas &tabla,
                             const QString &version = {}, const MandosAsignados *mandos = nullptr);
QStringList LineasCorvalaCfg(const TeclasAsignadas &teclas, const TablaTeclas &tabla,
                             const QString &version = {}, const MandosAsignados *mandos = nullptr);

// The assignments of a default.ini file: every cell -1, then one key per line that names a
// port of the table. Comment lines and lines naming no port are skipped. A missing or
// unreadable file leaves every cell -1.
// The pad inputs the lines hold go to mandos, when given.
TeclasAsignadas CargarTeclasDeControlador(const QString &ruta, const TablaTeclas &tabla,
                                          MandosAsignados *mandos = nullptr);

} // namespace Corvala
