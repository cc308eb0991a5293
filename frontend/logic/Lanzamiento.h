#pragma once

#include "frontend/logic/Arranque.h"
#include "frontend/logic/Partida.h"

#include <QString>

#include <optional>

namespace Corvala {

struct JuegoDeLista;
struct Sesion;

// What starting a row of the game list takes around the game itself.
namespace Lanzamiento {

// The archive to start the row's game with: a clone in its parent's archive is started by its
// own name (the emulator finds its files there); an archive spelt otherwise than the emulator
// opens it is offered a rename. Nothing when it is not to be started: an unrecognised archive
// (refused with its box), a game the audit says cannot run that the player chose not to start,
// a rename refused or failed. For an item of a software list, the machine it starts on.
std::optional<QString> ArchivoDeFila(const Sesion &sesion, const JuegoDeLista &fila);
// The item the machine is started with (mame SYSTEM ITEM); empty for an arcade game.
QString SoftwareDeFila(const JuegoDeLista &fila);
// Whether the archive the row is started with is a new name for the row's archive.
bool RenombraFila(const JuegoDeLista &fila, const QString &archivo);

// The status line once the game has ended; nothing for a cfg file that could not be set aside
// or put back, which its box (shown here) tells instead.
std::optional<LineaDeEstado> AlTerminar(Partida::Resultado resultado);

} // namespace Lanzamiento
} // namespace Corvala
