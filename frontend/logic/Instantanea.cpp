#include "frontend/logic/Instantanea.h"

#include "comun/logic/modPrincipal.h"

#include <QDir>
#include <QFileInfo>

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
    if (!extension.isEmpty())
        return snaps + QLatin1Char('/') + rom + extension;
    // The emulator's own way of keeping them: a folder of the game's, snaps/GAME/0000.png and
    // on. The newest picture there, in the same order of extensions.
    const QDir propia(snaps + QLatin1Char('/') + rom);
    if (rom.isEmpty() || !propia.exists())
        return {};
    for (const char *tipo : {"*.gif", "*.jpg", "*.tif", "*.png", "*.bmp"}) {
        const QFileInfoList imagenes
                = propia.entryInfoList({QLatin1String(tipo)}, QDir::Files, QDir::Time);
        if (!imagenes.isEmpty())
            return imagenes.constFirst().filePath();
    }
    return {};
}

} // namespace Corvala
