#pragma once

#include "frontend/windows/frmImagen.h"

#include <QObject>

namespace Corvala {

class VistaDeJuegos;
class VistaPrevia;
struct Sesion;

// The pictures of the game chosen in the main window's list: its snapshot in the preview (the
// snaps folder first, then the pictures the player keeps), and every kind of picture it has in
// the enlarged view.
class ImagenesDelJuego : public QObject
{
    Q_OBJECT

public:
    ImagenesDelJuego(Sesion &sesion, VistaDeJuegos &juegos, VistaPrevia &vista);

    // The chosen row's picture in the preview, or its pictures enlarged.
    void Mostrar(bool ampliar);

    // The chosen row's pictures for the enlarged view, in the order of the kinds; none when it
    // has none.
    QList<frmImagen::Imagen> Todas() const;

private:
    Sesion &m_sesion;
    VistaDeJuegos &m_juegos;
    VistaPrevia &m_vista;
};

} // namespace Corvala
