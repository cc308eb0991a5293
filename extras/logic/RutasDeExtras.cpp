#include "extras/logic/RutasDeExtras.h"

#include "comun/logic/CarpetaMame.h"
#include "emulator/logic/OpcionMameIni.h"

namespace Corvala {

RutasDeExtras RutasDeExtras::Leer(const CarpetaMame &carpeta)
{
    // Each file read once for all its options.
    const QHash<QString, QString> ui = OpcionesDeIni(carpeta, QStringLiteral("ui.ini"));
    const QHash<QString, QString> mame = OpcionesDeIni(carpeta, QStringLiteral("mame.ini"));
    const auto opcion = [](const QHash<QString, QString> &opciones,
                           const char *nombre) -> std::optional<QString> {
        const auto valor = opciones.constFind(QLatin1String(nombre));
        return valor == opciones.cend() ? std::nullopt : std::optional<QString>(*valor);
    };
    RutasDeExtras rutas;
    rutas.categorias
            = CarpetasDeOpcion(carpeta, opcion(ui, "categorypath"), QStringLiteral("folders"));
    rutas.historia = CarpetasDeOpcion(carpeta, opcion(ui, "historypath"),
                                      QStringLiteral("history;dats;."));
    for (int t = 0; t < kCantidadDeTipos; ++t) {
        const TipoDeImagenConNombre &tipo = kTiposDeImagen[t];
        const std::optional<QString> valor
                = opcion(t == int(TipoDeImagen::Instantanea) ? mame : ui, tipo.opcion);
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
