#include "emulator/logic/CfgApartados.h"

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/CarpetaMame.h"
#include "comun/logic/modPrincipal.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace Corvala::CfgApartados {

namespace {

QString Ruta(const CarpetaMame &carpeta)
{
    return carpeta.Ruta(Nombre());
}

QString Cfg(const CarpetaMame &carpeta, const QString &nombre, const char *extension)
{
    return carpeta.Ruta(QStringLiteral("cfg/") + nombre + QLatin1String(extension));
}

// The names recorded, each kept exactly (percent-encoded in the file).
QStringList Leer(const CarpetaMame &carpeta)
{
    QStringList nombres;
    for (const QString &linea : ArchivoTexto::LeerLineas(Ruta(carpeta)).value_or(QStringList())) {
        const QString nombre = QUrl::fromPercentEncoding(linea.toUtf8());
        // One file of the cfg folder, nothing that leads elsewhere.
        if (!nombre.isEmpty() && !nombre.contains(QLatin1Char('/')) && nombre != u".."
            && !nombres.contains(nombre))
            nombres << nombre;
    }
    return nombres;
}

bool Escribir(const CarpetaMame &carpeta, const QStringList &nombres)
{
    if (nombres.isEmpty())
        return !QFileInfo(Ruta(carpeta)).isFile() || QFile::remove(Ruta(carpeta));
    QStringList lineas;
    for (const QString &nombre : nombres)
        lineas << QString::fromLatin1(QUrl::toPercentEncoding(nombre));
    return bool(ArchivoTexto::EscribirLineas(Ruta(carpeta), lineas));
}

} // namespace

QString Nombre()
{
    return QStringLiteral("cfg_apartados.txt");
}

bool Apartar(const CarpetaMame &carpeta, const QString &nombre)
{
    const QString cfg = Cfg(carpeta, nombre, ".cfg");
    if (!QFileInfo::exists(cfg))
        return true;
    const QStringList antes = Leer(carpeta);
    QStringList nombres = antes;
    if (!nombres.contains(nombre))
        nombres << nombre;
    // Not recorded, not set aside: a kill in between must not leave it unaccounted for.
    if (!Escribir(carpeta, nombres))
        return false;
    if (MoverArchivo(cfg, Cfg(carpeta, nombre, ".bak")))
        return true;
    Escribir(carpeta, antes);
    return false;
}

bool Devolver(const CarpetaMame &carpeta, const QString &nombre)
{
    QStringList nombres = Leer(carpeta);
    if (!nombres.contains(nombre))
        return true;
    if (!MoverArchivo(Cfg(carpeta, nombre, ".bak"), Cfg(carpeta, nombre, ".cfg")))
        return false;
    nombres.removeAll(nombre);
    Escribir(carpeta, nombres);
    return true;
}

void DevolverTodo(const CarpetaMame &carpeta)
{
    QStringList quedan;
    for (const QString &nombre : Leer(carpeta)) {
        if (!MoverArchivo(Cfg(carpeta, nombre, ".bak"), Cfg(carpeta, nombre, ".cfg")))
            quedan << nombre;
    }
    Escribir(carpeta, quedan);
}

} // namespace Corvala::CfgApartados
