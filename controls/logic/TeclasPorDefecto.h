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
// A cell of the key table left on the emulator's default (-1), or on its default less what
// another control took from it: its key (a key chosen there), its pad input (that input given
// to another control), or both. Written with what is left of its default (Variante).
inline constexpr std::int16_t kDefectoSinTecla = -2;
inline constexpr std::int16_t kDefectoSinMando = -3;
inline constexpr std::int16_t kDefectoSinNada = -4;

namespace TeclasPorDefecto {

// The default of player p's control c (0 COIN, 1 START, 2..5 the joystick, 6..15 the buttons):
// its codes, in the emulator's order. A key is named as the key table names it
// (KEYCODE_8_PAD).
QStringList Codigos(int p, int c);

// The key in it; empty when it has none.
QString Tecla(int p, int c);

// The pad input in it (JOYCODE_1_BUTTON1).
QString Mando(int p, int c);

// What a cell on the default (estado -1 to -4) holds of it: its codes less those taken; empty
// when nothing is left (written NONE).
QStringList Variante(int p, int c, std::int16_t estado);
// Whether such a cell still holds its key, its pad input.
bool ConTecla(std::int16_t estado);
bool ConMando(std::int16_t estado);
// The state of such a cell once its key, its pad input, is taken from it.
std::int16_t SinTecla(std::int16_t estado);
std::int16_t SinMando(std::int16_t estado);

// Cells on the default that still answer to the given key code, or pad input, other than
// (p, c); the first such one, as player and control.
std::optional<std::pair<int, int>> QuienLaTiene(const TeclasAsignadas &teclas,
                                                const QString &codigo, int p, int c);
std::optional<std::pair<int, int>> QuienResponde(const TeclasAsignadas &teclas,
                                                 const QString &mando, int p, int c);

} // namespace TeclasPorDefecto
} // namespace Corvala
