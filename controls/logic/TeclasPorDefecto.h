#pragma once

#include "input/logic/TablaTeclas.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

namespace Corvala {

// What the emulator does with the controls Corvala writes when they are left on "Dejar la tecla
// por defecto": its own default input for each, as Debian's MAME 0.251 has it (read from the
// emulator itself, through its Lua interface: ioport:type_seq).
// A cell left on the emulator's default but for its key, which another control took: written
// with the rest of its default (SinTecla).
inline constexpr std::int16_t kDefectoSinTecla = -2;

namespace TeclasPorDefecto {

// The default of player p's control c (0 COIN, 1 START, 2..5 the joystick, 6..15 the buttons):
// its codes, in the emulator's order. A key is named as the key table names it
// (KEYCODE_8_PAD).
QStringList Codigos(int p, int c);

// The key in it; empty when it has none.
QString Tecla(int p, int c);

// What the control is written with once its key is taken from it: its other codes joined by
// OR, or NONE.
QString SinTecla(int p, int c);

// Cells left on the default whose default key is the given code, other than (p, c); the first
// such one, as player and control.
std::optional<std::pair<int, int>> QuienLaTiene(const TeclasAsignadas &teclas,
                                                const QString &codigo, int p, int c);

} // namespace TeclasPorDefecto
} // namespace Corvala
