#include "comun/logic/ArchivosDeCarpeta.h"

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/CarpetaMame.h"
#include "comun/logic/modPrincipal.h"

#include <QDir>
#include <QDirIterator>

#include <algorithm>

namespace Corvala::ArchivosDeCarpeta {

bool FaltanArchivosDeCD(const CarpetaMame &carpeta)
{
    for (const char *archivo : {"all.bat", "lista.txt", "Corvala.tlc"}) {
        if (!ExisteArchivo(carpeta.Ruta(QLatin1String(archivo))))
            return true;
    }
    return false;
}

Mensaje MensajeFaltanArchivosDeCD()
{
    return {QStringLiteral(
                "Estás ejecutando el Corvala des de una unidad de CD, y no se han encontrado los "
                "archivos necesarios para su funcionamiento, ya que Corvala los crearía de forma "
                "automática , pero en una unidad de sólo lectura es imposible.\r\n"
                "Si quieres ejecutar Corvala desde un CD-ROM deberás al menos ejecutarlo una vez "
                "con el M.A.M.E que vas a copiar al CD, para que genere los archivos necesarios."),
            QStringLiteral("Error Crítico."), Mensaje::Icono::Critico, Mensaje::Botones::Aceptar};
}

void CrearAllBat(const CarpetaMame &carpeta)
{
    if (!ExisteArchivo(carpeta.Ruta(QStringLiteral("all.bat"))))
        ArchivoTexto::EscribirLineas(carpeta.Ruta(QStringLiteral("all.bat")),
                                     {QStringLiteral("mame -listfull > lista.txt")});
}

QStringList ListarArchivos(const QString &carpetaRoms)
{
    QStringList archivos;
    QDirIterator it(carpetaRoms, {QStringLiteral("*.zip")}, QDir::Files | QDir::NoDotAndDotDot);
    while (it.hasNext())
        archivos << it.nextFileInfo().fileName();
    std::sort(archivos.begin(), archivos.end(), [](const QString &a, const QString &b) {
        const int orden = a.compare(b, Qt::CaseInsensitive);
        return orden != 0 ? orden < 0 : a < b;
    });
    return archivos;
}

} // namespace Corvala::ArchivosDeCarpeta
