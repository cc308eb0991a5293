#pragma once

#include "comun/logic/CarpetaMame.h"
#include "extras/logic/RutasDeExtras.h"

#include <QString>

namespace Corvala {

// The extension of a game's snapshot in a folder: the first of ".gif", ".jpg", ".tif", ".png"
// and ".bmp" for which rom + extension exists there, or an empty text.
QString BuscarExtensionImagen(const QString &rom, const QString &carpeta);

// The snapshot of an archive in the snaps folder of the MAME folder: snaps/GAME.EXT as above,
// else the newest picture in snaps/GAME/ (where the emulator keeps its own), by the same order
// of extensions; or an empty text.
QString RutaInstantanea(const CarpetaMame &carpeta, const QString &archivo);

// Where a game has no snapshot there, the preview shows the first of these kinds the player
// keeps (AlmacenDeImagenes), for its own name, then for its parent's.
inline constexpr TipoDeImagen kTiposDeLaVista[] = {TipoDeImagen::Instantanea, TipoDeImagen::Titulo};

} // namespace Corvala
