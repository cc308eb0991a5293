#include "frontend/logic/UsoDelCatalogo.h"

#include "comun/logic/Emulador.h"
#include "comun/logic/Sesion.h"
#include "frontend/logic/ListaDeJuegos.h"

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

Menu EstadoDelMenu(const ListaCargada &lista, const FiltroDeJuegos &filas, int fila,
                   const DatosDelJugador &jugador, bool conCatalogo)
{
    Menu menu;
    menu.informacion = fila >= 0 && fila < lista.juegos.size();
    menu.favorito = menu.informacion && !filas.Desconocida(fila);
    menu.esFavorito = menu.favorito && jugador.EsFavorito(filas.Juego(fila));
    menu.filtrosDelCatalogo = conCatalogo;
    for (const QString &juego : jugador.Recientes(10)) {
        const int p = filas.FilaDeJuego(juego);
        if (p >= 0 && p < lista.juegos.size())
            menu.recientes << qMakePair(lista.juegos[p], p);
    }
    return menu;
}

} // namespace Corvala::UsoDelCatalogo
