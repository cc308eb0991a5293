#include "infowindows/windows/Informacion.h"

#include "comun/windows/Colores.h"
#include "comun/windows/Twips.h"

// The pictures live in a static library: they are registered before the first one is used.
static QPixmap Imagen(const char *nombre)
{
    static const bool registradas = [] {
        Q_INIT_RESOURCE(informacion);
        return true;
    }();
    Q_UNUSED(registradas);
    return QPixmap(QStringLiteral(":/informacion/") + QLatin1String(nombre));
}

namespace Corvala::Informacion {

QPixmap ImagenAcercaDe()
{
    return Imagen("acercade.png");
}

QPixmap ImagenHistorial()
{
    return Imagen("historial.png");
}

void PrepararVentana(QWidget *ventana, const QString &titulo, const QSize &tamano)
{
    ventana->setWindowTitle(titulo);
    ventana->setFixedSize(tamano);
    ventana->setFont(Twips::Fuente(8.25));
    ventana->setAutoFillBackground(true);
    Colores::Colorear(ventana, QPalette::Window, Colores::kFondoVentana);
}

} // namespace Corvala::Informacion
