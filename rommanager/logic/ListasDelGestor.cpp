#include "rommanager/logic/ListasDelGestor.h"

#include "frontend/logic/CarpetaMame.h"
#include "frontend/logic/Emulador.h"
#include "frontend/logic/ListaDeJuegos.h"
#include "frontend/logic/ListaJuegos.h"

#include <algorithm>

namespace Corvala::ListasDelGestor {

void ReconstruirLista(const CarpetaMame &carpeta)
{
    ListaDeJuegos::CrearAllBat(carpeta);
    Emulador(carpeta).ListarJuegos();
}

QStringList Archivos(const CarpetaMame &carpeta)
{
    return ListaDeJuegos::ListarArchivos(carpeta.Ruta(QStringLiteral("roms")));
}

QStringList Titulos(const CarpetaMame &carpeta)
{
    const std::optional<ListaJuegos> lista = ListaJuegos::Cargar(carpeta.Ruta(QStringLiteral("lista.txt")));
    if (!lista)
        return {};
    QStringList titulos;
    titulos.reserve(lista->Juegos().size());
    for (const JuegoListado &juego : lista->Juegos())
        titulos << juego.titulo;
    std::stable_sort(titulos.begin(), titulos.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return titulos;
}

} // namespace Corvala::ListasDelGestor
