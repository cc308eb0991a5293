#pragma once

#include <QString>

namespace Corvala {

class CarpetaMame;

// The emulator's configurations Corvala sets aside for a while (cfg/NAME.cfg moved to
// cfg/NAME.bak: a game's own while the defined keys are in force, the emulator's default.cfg
// while they are chosen), with a record of each in the MAME folder. A Corvala killed meanwhile
// puts back, at its next start, only what it set aside itself: a cfg/NAME.bak of the player's
// own is never touched.
namespace CfgApartados {

// The record, in the MAME folder.
QString Nombre();

// Sets cfg/NAME.cfg aside as cfg/NAME.bak, recorded first; true when there was nothing to set
// aside. False (the record as it was) when it could not be moved.
bool Apartar(const CarpetaMame &carpeta, const QString &nombre);

// Puts cfg/NAME.bak back as cfg/NAME.cfg and forgets it; true when there was nothing to put
// back. Only what the record holds is put back.
bool Devolver(const CarpetaMame &carpeta, const QString &nombre);

// Puts back everything the record holds, and removes it.
void DevolverTodo(const CarpetaMame &carpeta);

} // namespace CfgApartados
} // namespace Corvala
