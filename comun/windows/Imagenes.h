#pragma once

#include <QCursor>
#include <QPixmap>

// The pictures every window of Corvala shares, drawn for it and kept as resources.
namespace Corvala::Imagenes {

// The hand pointer of the label buttons and of everything else that can be clicked.
QCursor Mano();

// The main window's title picture, and the preview of a game without a snapshot.
QPixmap Titulo();
QPixmap SinImagen();

} // namespace Corvala::Imagenes
