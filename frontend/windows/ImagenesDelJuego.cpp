#include "frontend/windows/ImagenesDelJuego.h"

#include "comun/logic/Sesion.h"
#include "frontend/logic/Instantanea.h"
#include "frontend/windows/VistaDeJuegos.h"
#include "frontend/windows/VistaPrevia.h"
#include "imaging/cGdiPlus.h"

namespace Corvala {

namespace {

// The first picture of the kind that decodes, for the names in turn; a null picture when none.
QImage Buscar(const AlmacenDeImagenes &imagenes, TipoDeImagen tipo, const QStringList &nombres)
{
    QImage hallada;
    for (const QString &nombre : nombres) {
        if (imagenes.Buscar(tipo, nombre, [&hallada](const QByteArray &bytes) {
                hallada = QImage::fromData(bytes);
                return !hallada.isNull();
            }))
            break;
    }
    return hallada;
}

} // namespace

ImagenesDelJuego::ImagenesDelJuego(Sesion &sesion, VistaDeJuegos &juegos, VistaPrevia &vista)
    : QObject(&juegos)
    , m_sesion(sesion)
    , m_juegos(juegos)
    , m_vista(vista)
{
}

void ImagenesDelJuego::Mostrar(bool ampliar)
{
    const int fila = m_juegos.FilaElegida();
    if (fila < 0)
        return;
    if (ampliar) {
        const QList<frmImagen::Imagen> todas = Todas();
        // The enlarged window shows only a picture there is.
        if (todas.size() == 1 && todas.front().nombre.isEmpty())
            m_vista.Ampliar(todas.front().imagen);
        else if (!todas.isEmpty())
            m_vista.Ampliar(todas);
        return;
    }
    const QString ruta = RutaInstantanea(m_sesion.carpeta, m_juegos.Modelo().Fila(fila).archivo);
    if (!ruta.isEmpty()) {
        m_vista.Mostrar(cGdiPlus().FilenameToIPicture(ruta));
        return;
    }
    const AlmacenDeImagenes &imagenes = *m_juegos.Extras().Actuales().imagenes;
    for (const QString &nombre : m_juegos.Modelo().NombresDeImagen(fila)) {
        for (const TipoDeImagen tipo : kTiposDeLaVista) {
            if (const QImage imagen = Buscar(imagenes, tipo, {nombre}); !imagen.isNull()) {
                m_vista.Mostrar(imagen);
                return;
            }
        }
    }
    m_vista.Mostrar(std::nullopt);
}

QList<frmImagen::Imagen> ImagenesDelJuego::Todas() const
{
    QList<frmImagen::Imagen> todas;
    const int fila = m_juegos.FilaElegida();
    if (fila < 0)
        return todas;
    const QString ruta = RutaInstantanea(m_sesion.carpeta, m_juegos.Modelo().Fila(fila).archivo);
    // Corvala's own snapshot, unnamed while it is the only picture, as it always was.
    if (!ruta.isEmpty())
        todas.append({QString(), cGdiPlus().FilenameToIPicture(ruta)});
    const AlmacenDeImagenes &imagenes = *m_juegos.Extras().Actuales().imagenes;
    const QStringList nombres = m_juegos.Modelo().NombresDeImagen(fila);
    for (int t = 0; t < kCantidadDeTipos; ++t) {
        const auto tipo = TipoDeImagen(t);
        if (tipo == TipoDeImagen::Icono || (tipo == TipoDeImagen::Instantanea && !ruta.isEmpty())
            || !imagenes.Hay(tipo))
            continue;
        if (const QImage imagen = Buscar(imagenes, tipo, nombres); !imagen.isNull())
            todas.append({QString::fromUtf8(kTiposDeImagen[t].nombre), imagen});
    }
    if (todas.size() > 1 && todas.front().nombre.isEmpty())
        todas.front().nombre = QString::fromUtf8(kTiposDeImagen[0].nombre);
    return todas;
}

} // namespace Corvala
