#include "frontend/windows/VistaPrevia.h"

#include "comun/windows/Imagenes.h"
#include "frontend/windows/frmImagen.h"
#include "imaging/cGdiPlus.h"

namespace Corvala {

VistaPrevia::VistaPrevia(QWidget *parent)
    : EtiquetaPulsable(QString(), parent)
{
    setScaledContents(true);
    setCursor(Imagenes::Mano());
    setToolTip(QStringLiteral("Haz click para ver la imagen en su tamaño original"));
    setPixmap(Imagenes::SinImagen());
}

void VistaPrevia::Mostrar(const QString &ruta)
{
    setPixmap(ruta.isEmpty() ? Imagenes::SinImagen()
                             : QPixmap::fromImage(cGdiPlus().FilenameToIPicture(ruta)));
}

void VistaPrevia::Ampliar(const QString &ruta)
{
    if (ruta.isEmpty())
        return;
    if (!m_imagen)
        m_imagen = new frmImagen(window());
    m_imagen->Mostrar(cGdiPlus().FilenameToIPicture(ruta));
}

} // namespace Corvala
