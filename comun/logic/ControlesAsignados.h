#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace Corvala {

// What the player gave the controls of the four players, as the session keeps it between the
// controls window and the games it starts.
constexpr int kJugadores = 4;
constexpr int kControles = 16;

// The key label index given to each control of each player, or -1 where Corvala assigns no
// key and the emulator keeps its own.
using TeclasAsignadas = std::array<std::array<std::int16_t, kControles>, kJugadores>;
// The pad input of each cell beside its key, in the emulator's words (JOYCODE_1_BUTTON3); empty
// where there is none.
using MandosAsignados = std::array<std::array<QString, kControles>, kJugadores>;

inline TeclasAsignadas TeclasSinAsignar()
{
    TeclasAsignadas teclas;
    for (auto &jugador : teclas)
        jugador.fill(-1);
    return teclas;
}

} // namespace Corvala
