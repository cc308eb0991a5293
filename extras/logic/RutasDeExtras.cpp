#include "extras/logic/RutasDeExtras.h"

#include "comun/logic/CarpetaMame.h"
#include "emulator/logic/OpcionMameIni.h"

namespace Corvala {

RutasDeExtras RutasDeExtras::Leer(const CarpetaMame &carpeta)
{
    const QString ui = QStringLiteral("ui.ini");
    const auto opcion = [&carpeta, &ui](const char *nombre) {
        return ValorEnIni(carpeta, ui, QLatin1String(nombre));
    };
    RutasDeExtras rutas;
    rutas.categorias = CarpetasDeOpcion(carpeta, opcion("categorypath"), QStringLiteral("folders"));
    rutas.historia
            = CarpetasDeOpcion(carpeta, opcion("historypath"), QStringLiteral("history;dats;."));
    for (int t = 0; t < kCantidadDeTipos; ++t) {
        const TipoDeImagenConNombre &tipo = kTiposDeImagen[t];
        const std::optional<QString> valor
                = t == int(TipoDeImagen::Instantanea)
                          ? ValorEnMameIni(carpeta, QLatin1String(tipo.opcion))
                          : opcion(tipo.opcion);
        QStringList carpetas = CarpetasDeOpcion(carpeta, valor, QLatin1String(tipo.porDefecto));
        // Corvala points the emulator's snapshots at its own snaps folder: the art packs' snap
        // folder is looked in all the same.
        const QString propia = carpeta.Ruta(QLatin1String(tipo.porDefecto));
        if (t == int(TipoDeImagen::Instantanea) && !carpetas.contains(propia))
            carpetas << propia;
        rutas.imagenes[size_t(t)] = carpetas;
    }
    return rutas;
}

} // namespace Corvala
