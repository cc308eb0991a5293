#include "frontend/logic/UsoDelCatalogo.h"

#include "comun/logic/Emulador.h"
#include "comun/logic/Registro.h"
#include "comun/logic/Sesion.h"

#include <QFileInfo>

namespace Corvala::UsoDelCatalogo {

std::optional<OrdenEmulador> Orden(const Sesion &sesion)
{
    if (sesion.cd)
        return std::nullopt;
    return Emulador(sesion.carpeta).OrdenCatalogo();
}

Catalogo::Sello SelloActual(const Sesion &sesion)
{
    return {sesion.versionMame, Catalogo::Huella(sesion.carpeta)};
}

bool HayQueConstruir(const Sesion &sesion, bool listaRenovada)
{
    return listaRenovada || !sesion.catalogo
           || !(sesion.catalogo->SelloDe() == SelloActual(sesion));
}

LecturaDelCatalogo::LecturaDelCatalogo(const CarpetaMame &carpeta)
{
    const QString ruta = Catalogo::Ruta(carpeta);
    if (QFileInfo::exists(ruta))
        m_lectura = std::async(std::launch::async,
                               [this, ruta] { return Catalogo::Abrir(ruta, &m_motivo); });
}

std::shared_ptr<const Catalogo> LecturaDelCatalogo::Tomar()
{
    if (!m_lectura.valid())
        return nullptr;
    std::shared_ptr<const Catalogo> catalogo = m_lectura.get();
    if (!catalogo)
        qCWarning(lcCatalogo) << "corvala.db cannot be read:" << m_motivo;
    return catalogo;
}

Menu EstadoDelMenu(const ModeloDeJuegos &filas, int fila, const DatosDelJugador &jugador,
                   bool conCatalogo)
{
    Menu menu;
    menu.informacion = filas.Valida(fila);
    menu.favorito = menu.informacion && !filas.Fila(fila).desconocida;
    menu.esFavorito = menu.favorito && filas.Fila(fila).favorito;
    menu.filtrosDelCatalogo = conCatalogo;
    for (const QString &juego : jugador.Recientes(10)) {
        const int p = filas.FilaDeJuego(juego);
        if (p >= 0)
            menu.recientes << qMakePair(filas.Fila(p).titulo, p);
    }
    return menu;
}

QString PorQueSinCatalogo(const Sesion &sesion, bool construyendose)
{
    if (sesion.catalogo)
        return {};
    if (sesion.cd)
        return QStringLiteral("No disponible desde un CD-ROM: este filtro necesita el catálogo de "
                              "juegos del emulador, que no se guarda en el disco.");
    if (construyendose)
        return QStringLiteral("Disponible en cuanto el catálogo de juegos del emulador esté listo; "
                              "la barra bajo la línea de estado muestra cuánto falta.");
    if (!Orden(sesion))
        return QStringLiteral("No disponible: este emulador no describe sus juegos (-listxml), y "
                              "este filtro necesita esa descripción.");
    return QStringLiteral(
            "No disponible: no se ha podido preparar el catálogo de juegos del "
            "emulador. Pulsa \"Actualizar lista de juegos\" para intentarlo de nuevo.");
}

} // namespace Corvala::UsoDelCatalogo
