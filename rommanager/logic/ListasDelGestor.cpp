#include "rommanager/logic/ListasDelGestor.h"

#include "catalogue/logic/ListaMame.h"
#include "collection/logic/Identificacion.h"
#include "comun/logic/ArchivosDeCarpeta.h"
#include "comun/logic/CarpetaMame.h"
#include "emulator/logic/Emulador.h"

#include <algorithm>

namespace Corvala::ListasDelGestor {

void ReconstruirLista(const CarpetaMame &carpeta)
{
    ArchivosDeCarpeta::CrearAllBat(carpeta);
    Emulador(carpeta).ListarJuegos();
}

QStringList Archivos(const CarpetaMame &carpeta)
{
    return ArchivosDeCarpeta::ListarArchivos(carpeta.Ruta(QStringLiteral("roms")));
}

QStringList Titulos(const CarpetaMame &carpeta)
{
    const std::optional<ListaMame> lista
            = ListaMame::Cargar(carpeta.Ruta(QStringLiteral("lista.txt")));
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

TituloDeArchivo Titulo(const CarpetaMame &carpeta, const Catalogo *catalogo, const QString &archivo)
{
    TituloDeArchivo titulo{TituloDeRom(carpeta, archivo), {}};
    if (!EsRomDesconocida(titulo.texto))
        return titulo;
    if (const std::optional<Candidato> parecido
        = Identificacion::Primero(catalogo, carpeta.Ruta(QStringLiteral("roms/")) + archivo)) {
        titulo.texto += QStringLiteral(" · Parece ser: ") + parecido->titulo;
        titulo.ayuda = Identificacion::LineaDeParecido(&*parecido);
    }
    return titulo;
}

} // namespace Corvala::ListasDelGestor
