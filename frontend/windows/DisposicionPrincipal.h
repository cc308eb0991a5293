#pragma once

#include <QRect>
#include <QSize>

namespace Corvala::DisposicionPrincipal {

// The design size of the main window, frame included, and the frame of the window as designed
// (a sizing border of 4 pixels and a title bar of 19), in twips: the client area is the rest.
constexpr int kAnchoMinimo = 7185;
constexpr int kAltoMinimo = 4680;
constexpr int kMarcoAncho = 120;
constexpr int kMarcoAlto = 405;

// The client area at the design size, which is also the smallest, in pixels.
QSize TamanoDeDiseno();

// What stretches with the window: the game list, the status line and the log button.
struct Lugares
{
    QRect lista;
    QRect estado;
    QRect log;
    // The client area the window is to have: never under the design size.
    QSize tamano;
};

// Where they go in a client area of this size (pixels): the list grows with the window, the
// status line with its width and the log button follows its right and bottom edges. A client
// area under the design size leaves them at their design sizes and says the size to take.
Lugares Estirar(QSize cliente, Lugares actuales);

} // namespace Corvala::DisposicionPrincipal
