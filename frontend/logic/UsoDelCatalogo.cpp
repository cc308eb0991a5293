#include "frontend/logic/UsoDelCatalogo.h"

#include "comun/logic/Emulador.h"
#include "comun/logic/Sesion.h"

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

} // namespace Corvala::UsoDelCatalogo
