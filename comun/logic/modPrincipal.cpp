#include "comun/logic/modPrincipal.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <cerrno>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace Corvala {

bool ExisteArchivo(const QString &ruta)
{
    if (ruta.isEmpty())
        return false;
    const QFileInfo info(ruta);
    const QString nombre = info.fileName();
    if (!nombre.contains(QLatin1Char('*')) && !nombre.contains(QLatin1Char('?')))
        return info.exists();
    QDirIterator coincidencias(info.path(), {nombre},
                               QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot
                                       | QDir::CaseSensitive);
    return coincidencias.hasNext();
}

QString QuitarExtension(const QString &nombre)
{
    if (nombre.endsWith(QLatin1Char('/')))
        return nombre.chopped(1);
    const qsizetype punto = nombre.lastIndexOf(QLatin1Char('.'));
    return punto < 0 ? QString() : nombre.left(punto);
}

QString FormaDeArchivo(const QString &nombre)
{
    const QString sinForma = QuitarExtension(nombre);
    return sinForma.isEmpty() ? QStringLiteral(".zip") : nombre.mid(sinForma.size()).toLower();
}

QStringView QuitarBlancos(QStringView texto)
{
    qsizetype inicio = 0;
    qsizetype fin = texto.size();
    while (inicio < fin && texto[inicio] == QLatin1Char(' '))
        ++inicio;
    while (fin > inicio && texto[fin - 1] == QLatin1Char(' '))
        --fin;
    return texto.mid(inicio, fin - inicio);
}

bool RenombrarArchivo(const QString &viejo, const QString &nuevo, const QString &carpeta)
{
    // QFile::rename refuses to replace an existing file; a folder (a set kept as one, named
    // with a / at its end) is never put in place of anything either.
    QDir dir(carpeta);
    if (viejo.endsWith(QLatin1Char('/')) || nuevo.endsWith(QLatin1Char('/')))
        return viejo.endsWith(QLatin1Char('/')) && nuevo.endsWith(QLatin1Char('/'))
               && !QFileInfo::exists(dir.filePath(nuevo))
               && !QFileInfo(dir.filePath(nuevo.chopped(1))).isSymLink()
               && dir.rename(viejo.chopped(1), nuevo.chopped(1));
    return QFile::rename(dir.filePath(viejo), dir.filePath(nuevo));
}

bool MoverArchivo(const QString &origen, const QString &destino)
{
    if (!QFileInfo::exists(origen))
        return true;
#ifdef Q_OS_WIN
    if (QFileInfo::exists(destino) && !QFile::remove(destino))
        return false;
    return QFile::rename(origen, destino);
#else
    // rename() replaces the target in one step: there is never a moment without either file.
    return std::rename(QFile::encodeName(origen).constData(),
                       QFile::encodeName(destino).constData())
           == 0;
#endif
}

bool EsSoloLectura(const QString &ruta)
{
#ifdef Q_OS_UNIX
    return ::access(QFile::encodeName(ruta).constData(), W_OK) != 0 && errno != ENOENT;
#else
    const QFileInfo carpeta(ruta);
    return carpeta.exists() && !carpeta.isWritable();
#endif
}

bool EsUnidadCD(const QString &ruta)
{
    const QStorageInfo volumen(ruta);
    if (!volumen.isValid())
        return false;
    const QByteArray tipo = volumen.fileSystemType().toLower();
    return tipo == "iso9660" || tipo == "udf";
}

} // namespace Corvala
