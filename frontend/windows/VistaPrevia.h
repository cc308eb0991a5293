#pragma once

#include "comun/windows/EtiquetaPulsable.h"

namespace Corvala {

class frmImagen;

// The snapshot preview of the main window: a fixed box the chosen game's snapshot is stretched
// over; a click on it asks for the snapshot at its own size (clic()).
class VistaPrevia : public EtiquetaPulsable
{
    Q_OBJECT

public:
    explicit VistaPrevia(QWidget *parent);

    // The snapshot of a file (empty: none, the placeholder shown); a file that cannot be
    // decoded leaves the box empty.
    void Mostrar(const QString &ruta);
    // The snapshot of a file at its own size, over the window, until the player closes it.
    void Ampliar(const QString &ruta);

private:
    frmImagen *m_imagen = nullptr;
};

} // namespace Corvala
