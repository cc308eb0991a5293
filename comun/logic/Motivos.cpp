#include "comun/logic/Motivos.h"

#include <QFileDevice>
#include <QFileInfo>
#include <QStorageInfo>

#include <sqlite3.h>

#include <cerrno>

namespace Corvala::Motivos {

namespace {

// The error numbers Corvala says in its own words.
constexpr int kComunes[] = {ENOENT,  EACCES, EPERM,   EROFS, ENOSPC, EDQUOT,      EBUSY,
                            ETXTBSY, EISDIR, ENOTDIR, ELOOP, EEXIST, ENAMETOOLONG};

} // namespace

QString DelSistema(int numeroDeError)
{
    switch (numeroDeError) {
    case ENOENT:
        return QStringLiteral("no existe");
    case EACCES:
    case EPERM:
        return QStringLiteral("no hay permiso para usarlo");
    case EROFS:
        return QStringLiteral("la carpeta es de sólo lectura");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("el disco está lleno");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("otro programa lo está usando");
    case EISDIR:
        return QStringLiteral("es una carpeta, no un archivo");
    case ENOTDIR:
        return QStringLiteral("una parte de la ruta no es una carpeta");
    case ELOOP:
        return QStringLiteral("es un enlace que apunta a sí mismo");
    case EEXIST:
        return QStringLiteral("ya existe");
    case ENAMETOOLONG:
        return QStringLiteral("el nombre es demasiado largo");
    default:
        break;
    }
    return qt_error_string(numeroDeError);
}

QString DeArchivo(const QFileDevice &archivo)
{
    // Qt gives the system's text for the error number; the number is found again by its text.
    const QString texto = archivo.errorString();
    for (const int numero : kComunes) {
        if (texto == qt_error_string(numero))
            return DelSistema(numero);
    }
    if (archivo.error() == QFileDevice::ResourceError)
        return DelSistema(ENOSPC);
    if (archivo.error() == QFileDevice::PermissionsError)
        return DelSistema(EACCES);
    return texto.isEmpty() || texto == u"Unknown error" ? QStringLiteral("error desconocido")
                                                        : texto;
}

QString AlEscribir(const QFileDevice &archivo, qint64 bytes)
{
    // A short write is not explained by the system: with less room than it needed, it is a
    // full disk.
    const QString motivo = DeArchivo(archivo);
    if (motivo == u"error desconocido"
        && QStorageInfo(QFileInfo(archivo.fileName()).absolutePath()).bytesAvailable() < bytes)
        return DelSistema(ENOSPC);
    return motivo;
}

QString NoEsArchivoNormal()
{
    return QStringLiteral("no es un archivo normal");
}

QString OcupaMasDe(qint64 bytes)
{
    constexpr qint64 kMega = 1024 * 1024;
    if (bytes >= kMega && bytes % kMega == 0)
        return QStringLiteral("ocupa más de %1 MB").arg(bytes / kMega);
    return QStringLiteral("ocupa más de %1 bytes").arg(bytes);
}

QString DeSqlite(int codigo, const char *texto)
{
    switch (codigo & 0xff) {
    case SQLITE_CANTOPEN:
        return QStringLiteral("no se puede abrir la base de datos");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("otro programa está usando la base de datos");
    case SQLITE_READONLY:
        return QStringLiteral("la base de datos es de sólo lectura");
    case SQLITE_FULL:
        return QStringLiteral("el disco está lleno");
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("no hay permiso para usar la base de datos");
    case SQLITE_CORRUPT:
        return QStringLiteral("la base de datos está dañada");
    case SQLITE_NOTADB:
        return QStringLiteral("el archivo no es una base de datos");
    case SQLITE_NOMEM:
        return QStringLiteral("no queda memoria");
    case SQLITE_IOERR:
        return QStringLiteral("no se ha podido leer o escribir en el disco");
    default:
        break;
    }
    // SQLite's own words, for what a player will hardly meet (a statement that fails).
    return QStringLiteral("error de la base de datos: %1").arg(QString::fromUtf8(texto));
}

QString DeSqlite(sqlite3 *base)
{
    if (!base)
        return DeSqlite(SQLITE_NOMEM, "");
    return DeSqlite(sqlite3_extended_errcode(base), sqlite3_errmsg(base));
}

} // namespace Corvala::Motivos
