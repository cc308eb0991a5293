#pragma once

#include "comun/logic/Mensajes.h"

#include <QDesktopServices>
#include <QUrl>

namespace Corvala {

// Opens a file or an address with the program the player's desktop has for it, not waited
// for; where there is none, a box says where it is instead.
inline void AbrirConElSistema(const QUrl &direccion)
{
    if (!QDesktopServices::openUrl(direccion))
        Mensajes::Mostrar(Mensajes::NoSeAbre(direccion));
}

} // namespace Corvala
