#pragma once

#include <QString>

namespace Corvala {

class TablaTeclas;

// A key of the player's keyboard by its place on it, as the emulator names keys (its
// KEYCODE_ names say where a key is, not what it prints): whatever the keyboard's layout, the
// key left of S is KEYCODE_A.
namespace TeclaFisica {

// The emulator's name of the key a key event's native scan code stands for (the X and Wayland
// key code: the kernel's key number plus 8); empty for a key the emulator does not name.
QString Codigo(quint32 codigoNativo);

// The label of the keyboard picture that key is, in the folder's key table; -1 when it is none
// or the picture does not let it be chosen.
int Etiqueta(quint32 codigoNativo, const TablaTeclas &tabla);

} // namespace TeclaFisica
} // namespace Corvala
