#include "frontend/logic/UsoDelCatalogo.h"

#include "comun/logic/Emulador.h"
#include "comun/logic/ListaMame.h"
#include "comun/logic/Sesion.h"
#include "frontend/logic/ListaDeJuegos.h"

#include <QHash>

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
    return listaRenovada || !sesion.catalogo || !(sesion.catalogo->SelloDe() == SelloActual(sesion));
}

Menu EstadoDelMenu(const ListaCargada &lista, int fila, const DatosDelJugador &jugador, bool conCatalogo)
{
    Menu menu;
    const bool elegida = fila >= 0 && fila < lista.juegos.size();
    menu.informacion = elegida;
    menu.favorito = elegida && !EsRomDesconocida(lista.juegos[fila]);
    menu.esFavorito = menu.favorito && jugador.EsFavorito(DatosDelJugador::Juego(lista.Archivo(fila)));
    menu.filtrosDelCatalogo = conCatalogo;

    QHash<QString, int> filas;
    for (int p = 0; p < lista.juegos.size(); ++p) {
        if (!EsRomDesconocida(lista.juegos[p]))
            filas.insert(DatosDelJugador::Juego(lista.Archivo(p)), p);
    }
    for (const QString &juego : jugador.Recientes(10)) {
        const int p = filas.value(juego, -1);
        if (p >= 0)
            menu.recientes << qMakePair(lista.juegos[p], p);
    }
    return menu;
}

} // namespace Corvala::UsoDelCatalogo
