#pragma once

#include "comun/windows/EtiquetaPulsable.h"
#include "frontend/windows/frmImagen.h"

#include <QImage>

#include <optional>

namespace Corvala {

// The snapshot preview of the main window: a fixed box the chosen game's snapshot is stretched
// over; a click on it asks for the snapshot at its own size (clic()).
class VistaPrevia : public EtiquetaPulsable
{
    Q_OBJECT

public:
    explicit VistaPrevia(QWidget *parent);

    // A game's snapshot (none: the placeholder); one that could not be decoded (a null
    // picture) leaves the box empty.
    void Mostrar(const std::optional<QImage> &imagen);
    // A snapshot at its own size, over the window, until the player closes it.
    void Ampliar(const QImage &imagen);
    // Several pictures of the game, each named, the player going from one to the next.
    void Ampliar(const QList<frmImagen::Imagen> &imagenes);

private:
    frmImagen *m_imagen = nullptr;
};

} // namespace Corvala
