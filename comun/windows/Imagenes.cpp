#include "comun/windows/Imagenes.h"

// The pictures live in a static library: they are registered before the first one is used.
static QPixmap Imagen(const char *nombre)
{
    static const bool registradas = [] {
        Q_INIT_RESOURCE(imagenes);
        return true;
    }();
    Q_UNUSED(registradas);
    return QPixmap(QStringLiteral(":/imagenes/") + QLatin1String(nombre));
}

namespace Corvala::Imagenes {

QCursor Mano()
{
    // The tip of the finger is the hot spot.
    return QCursor(Imagen("mano.png"), 10, 1);
}

QPixmap Titulo()
{
    return Imagen("titulo.png");
}

QPixmap SinImagen()
{
    return Imagen("sinimagen.png");
}

} // namespace Corvala::Imagenes
