#include "frontend/windows/VistaPrevia.h"

#include "comun/windows/Imagenes.h"
#include "frontend/windows/frmImagen.h"

namespace Corvala {

VistaPrevia::VistaPrevia(QWidget *parent)
    : EtiquetaPulsable(QString(), parent)
{
    setScaledContents(true);
    setCursor(Imagenes::Mano());
    setToolTip(QStringLiteral("Haz click para ver la imagen en su tamaño original"));
    setPixmap(Imagenes::SinImagen());
}

void VistaPrevia::Mostrar(const std::optional<QImage> &imagen)
{
    setPixmap(imagen ? QPixmap::fromImage(*imagen) : Imagenes::SinImagen());
}

void VistaPrevia::Ampliar(const QImage &imagen)
{
    if (!m_imagen)
        m_imagen = new frmImagen(window());
    m_imagen->Mostrar(imagen);
}

void VistaPrevia::Ampliar(const QList<frmImagen::Imagen> &imagenes)
{
    if (!m_imagen)
        m_imagen = new frmImagen(window());
    m_imagen->Mostrar(imagenes);
}

} // namespace Corvala
