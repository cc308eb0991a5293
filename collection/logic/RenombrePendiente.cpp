#include "collection/logic/RenombrePendiente.h"

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/CarpetaMame.h"
#include "comun/logic/modPrincipal.h"
#include "comun/logic/Registro.h"

#include <QFile>
#include <QFileInfo>

namespace Corvala::RenombrePendiente {

QString Nombre()
{
    return QStringLiteral("renombre_pendiente.txt");
}

bool EsNombreDeArchivo(const QString &nombre)
{
    // A set's folder is named with a / at its end.
    const QString suyo = nombre.endsWith(QLatin1Char('/')) ? nombre.chopped(1) : nombre;
    return !suyo.isEmpty() && suyo != QLatin1String(".") && suyo != QLatin1String("..")
           && !suyo.contains(QLatin1Char('/')) && !suyo.contains(QLatin1Char('\\'));
}

bool Escribir(const CarpetaMame &carpeta, const QString &archivo, const QString &candidato)
{
    return bool(ArchivoTexto::EscribirBytes(
            carpeta.Ruta(Nombre()), archivo.toUtf8().toPercentEncoding() + "\r\n"
                                            + candidato.toUtf8().toPercentEncoding() + "\r\n"));
}

void Borrar(const CarpetaMame &carpeta)
{
    QFile::remove(carpeta.Ruta(Nombre()));
}

bool Devolver(const CarpetaMame &carpeta)
{
    const QString registro = carpeta.Ruta(Nombre());
    if (!QFileInfo::exists(registro))
        return false;
    // Anything else of that name is not Corvala's record: it is left as it is.
    if (!QFileInfo(registro).isFile()) {
        qCWarning(lcArchivos) << registro << "is not a regular file: left as it is";
        return false;
    }
    QStringList nombres;
    for (const QString &linea : ArchivoTexto::LeerLineas(registro).value_or(QStringList()))
        nombres << QString::fromUtf8(QByteArray::fromPercentEncoding(linea.toUtf8()));
    const QString roms = carpeta.Ruta(QStringLiteral("roms"));
    const auto enRoms = [&](const QString &nombre) { return roms + QLatin1Char('/') + nombre; };
    bool devuelto = false;
    if (nombres.size() >= 2 && EsNombreDeArchivo(nombres[0]) && EsNombreDeArchivo(nombres[1])) {
        const QString &archivo = nombres[0];
        const QString &candidato = nombres[1];
        // Only an archive that is missing under its own name and present under the candidate's
        // was left behind; anything else is how the test left it, or the player's doing.
        if (!QFileInfo::exists(enRoms(archivo)) && QFileInfo::exists(enRoms(candidato))) {
            devuelto = RenombrarArchivo(candidato, archivo, roms);
            if (!devuelto)
                return false;
        }
    }
    Borrar(carpeta);
    return devuelto;
}

} // namespace Corvala::RenombrePendiente
