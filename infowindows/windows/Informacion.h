#pragma once

#include <QPixmap>
#include <QWidget>

namespace Corvala::Informacion {

// The pictures of the About and History windows.
QPixmap ImagenAcercaDe();
QPixmap ImagenHistorial();

// The look both windows share: a fixed size, the 8.25-point font and the dark blue
// background.
void PrepararVentana(QWidget *ventana, const QString &titulo, const QSize &tamano);

} // namespace Corvala::Informacion
