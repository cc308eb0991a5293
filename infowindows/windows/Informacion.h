#pragma once

#include <QPixmap>

namespace Corvala::Informacion {

// The pictures of the About and History windows.
QPixmap ImagenAcercaDe();
QPixmap ImagenHistorial();

} // namespace Corvala::Informacion
