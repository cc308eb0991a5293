#include "frontend/logic/ListaDeJuegos.h"

#include "comun/logic/ArchivosDeCarpeta.h"
#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/CarpetaMame.h"
#include "comun/logic/Emulador.h"
#include "comun/logic/ListaMame.h"
#include "comun/logic/modPrincipal.h"
#include "comun/logic/TablaTeclas.h"
#include "frontend/logic/OrdenLista.h"

#include <QDir>

namespace Corvala::ListaDeJuegos {

void PrepararCarpeta(const CarpetaMame &carpeta, bool cd)
{
    if (!cd && !ExisteArchivo(carpeta.Ruta(QStringLiteral("snaps"))))
        QDir(carpeta.Ruta()).mkdir(QStringLiteral("snaps"));
    if (!ExisteArchivo(carpeta.Ruta(QStringLiteral("Corvala.tlc"))))
        CrearTablaTeclas(carpeta);
    ArchivosDeCarpeta::CrearAllBat(carpeta);
}

std::optional<ListaCargada> CargarDatos(const CarpetaMame &carpeta, bool cd,
                                        const std::function<void()> &creandoLista)
{
    if (cd && ArchivosDeCarpeta::FaltanArchivosDeCD(carpeta))
        return std::nullopt;
    PrepararCarpeta(carpeta, cd);
    if (!ExisteArchivo(carpeta.Ruta(QStringLiteral("lista.txt")))) {
        if (creandoLista)
            creandoLista();
        Emulador(carpeta).ListarJuegos();
    }
    return Cargar(carpeta);
}

ListaCargada Cargar(const CarpetaMame &carpeta)
{
    ListaCargada lista;
    lista.ROMs = ArchivosDeCarpeta::ListarArchivos(carpeta.Ruta(QStringLiteral("roms")));
    const std::optional<ListaMame> juegos =
        ListaMame::Cargar(carpeta.Ruta(QStringLiteral("lista.txt")));
    if (!juegos)
        return lista;

    QStringList textos;
    textos.reserve(lista.ROMs.size());
    for (const QString &archivo : std::as_const(lista.ROMs))
        textos << TituloDeRom(*juegos, archivo);
    lista.ROMTemporal = OrdenarLista(textos);
    lista.juegos.reserve(textos.size());
    for (const int k : std::as_const(lista.ROMTemporal))
        lista.juegos << textos[k];
    return lista;
}

} // namespace Corvala::ListaDeJuegos
