#pragma once

#include "input/logic/TablaTeclas.h"

#include <QString>
#include <QStringList>

namespace Corvala {

// The controller set "Corvala" that the emulator reads: ctrlr/Corvala/default.ini, the
// per-folder INI form, and ctrlr/Corvala.cfg, the XML form of the emulator's configuration
// files. Both carry the same assignments, player by player and control by control: every cell
// with a key, every cell with a pad input, and every cell on its default less what another
// control took from it (its key, its pad input), with what is left of its default (or NONE).
// No code is written twice in a sequence. In default.ini, Corvala's own comment line before a
// cell with a pad input or such a default says what the player chose, so that it reads back
// exactly: "#corvala P1_BUTTON1 defecto JOYCODE_1_BUTTON1".

// A key code of the table as the emulator of that version names it: KEYCODE_0_PAD is
// KEYCODE_0PAD from 0.116 on (an empty or unknown version keeps the table's name); and back.
QString CodigoParaEmulador(const QString &codigo, const QString &version);
QString CodigoDeLaTabla(const QString &codigo);

// The two files' lines (each written with CR LF), with the codes the emulator's version knows.
// A cell with a pad input too holds both, joined as the emulator's "either":
// KEYCODE_5 OR JOYCODE_1_BUTTON7 (a cell left on the default: its default codes, then the pad's
// when they do not hold it already).
QStringList LineasDefaultIni(const TeclasAsignadas &teclas, const TablaTeclas &tabla,
                             const QString &version = {}, const MandosAsignados *mandos = nullptr);
QStringList LineasCorvalaCfg(const TeclasAsignadas &teclas, const TablaTeclas &tabla,
                             const QString &version = {}, const MandosAsignados *mandos = nullptr);

// The assignments of a default.ini file: every cell -1, then one per line that names a port of
// the table, as Corvala's own line before it says or, in a file without them (Corvala 0.22),
// as its sequence says. Other comment lines and lines naming no port are skipped. A missing or
// unreadable file leaves every cell -1.
// The pad inputs the lines hold go to mandos, when given.
TeclasAsignadas CargarTeclasDeControlador(const QString &ruta, const TablaTeclas &tabla,
                                          MandosAsignados *mandos = nullptr);

} // namespace Corvala
