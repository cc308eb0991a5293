#pragma once

#include <QLoggingCategory>

namespace Corvala {

// Where the failures that no box tells go: standard error, through Qt's logging, each in its
// category (QT_LOGGING_RULES turns one on or off).
// corvala.catalogo: the emulator's catalogue could not be read, built or put in place.
Q_DECLARE_LOGGING_CATEGORY(lcCatalogo)
// corvala.jugador: the player's file (favourites, filters, plays) could not be written.
Q_DECLARE_LOGGING_CATEGORY(lcJugador)
// corvala.archivos: an archive of the roms folder could not be read. Off by default: a folder
// of thousands of damaged archives would flood the output
// (QT_LOGGING_RULES="corvala.archivos.warning=true").
Q_DECLARE_LOGGING_CATEGORY(lcArchivos)
// corvala.extras: a category file or the history the player keeps could not be read or indexed.
Q_DECLARE_LOGGING_CATEGORY(lcExtras)

} // namespace Corvala
