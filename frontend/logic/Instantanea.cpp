#include "frontend/logic/Instantanea.h"

#include "comun/logic/modPrincipal.h"

namespace Corvala {

QString BuscarExtensionImagen(const QString &rom, const QString &carpeta)
{
    for (const char *extension : {".gif", ".jpg", ".tif", ".png", ".bmp"}) {
        if (ExisteArchivo(carpeta + QLatin1Char('/') + rom + QLatin1String(extension)))
            return QLatin1String(extension);
    }
    return {};
}

QString RutaInstantanea(const CarpetaMame &carpeta, const QString &archivo)
{
    const QString snaps = carpeta.Ruta(QStringLiteral("snaps"));
    const QString rom = QuitarExtension(archivo);
    const QString extension = BuscarExtensionImagen(rom, snaps);
    return extension.isEmpty() ? QString() : snaps + QLatin1Char('/') + rom + extension;
}

} // namespace Corvala
