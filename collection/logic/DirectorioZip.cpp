#include "collection/logic/DirectorioZip.h"
#include "comun/logic/Motivos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <memory>
#include <optional>

#include <cerrno>

namespace Corvala {

namespace {

// libzip's reason in the player's words: the common ones, or the system's; libzip's own text
// for the rest.
QString MotivoDeLibzip(zip_error_t *motivo)
{
    switch (zip_error_code_zip(motivo)) {
    case ZIP_ER_NOZIP:
        return QStringLiteral("no es un archivo zip");
    case ZIP_ER_INCONS:
    case ZIP_ER_CRC:
    case ZIP_ER_EOF:
        return QStringLiteral("el archivo zip está dañado");
    case ZIP_ER_MEMORY:
        return QStringLiteral("no queda memoria");
    default:
        break;
    }
    if (zip_error_system_type(motivo) == ZIP_ET_SYS)
        return Motivos::DelSistema(zip_error_code_system(motivo));
    return QString::fromLocal8Bit(zip_error_strerror(motivo));
}

struct Cerrar
{
    void operator()(zip_t *zip) const { zip_discard(zip); }
};

// The largest central directory read: 100,000 entries with names of some length.
constexpr quint64 kMaximoDeDirectorio = 32 * 1024 * 1024;

// A little-endian number of the record's, 2, 4 or 8 bytes wide.
quint64 Numero(const QByteArray &bytes, qsizetype en, int ancho)
{
    const char *desde = bytes.constData() + en;
    return ancho == 2   ? qFromLittleEndian<quint16>(desde)
           : ancho == 4 ? qFromLittleEndian<quint32>(desde)
                        : qFromLittleEndian<quint64>(desde);
}

// How many entries the archive's end-of-directory record (zip64's where it has one) says its
// directory holds, and how many bytes; nothing when there is no such record to be found (then
// libzip says why).
struct Cabida
{
    quint64 entradas = 0;
    quint64 bytes = 0;
};
std::optional<Cabida> CabidaDelDirectorio(QFile &archivo)
{
    const qint64 tamano = archivo.size();
    const qint64 desde = std::max<qint64>(0, tamano - (0xFFFF + 22));
    if (!archivo.seek(desde))
        return std::nullopt;
    const QByteArray cola = archivo.read(tamano - desde);
    const qsizetype fin = cola.lastIndexOf(QByteArrayView("PK\x05\x06", 4));
    if (fin < 0 || cola.size() - fin < 22)
        return std::nullopt;
    Cabida cabida{Numero(cola, fin + 10, 2), Numero(cola, fin + 12, 4)};
    const qsizetype localizador = fin - 20;
    if ((cabida.entradas == 0xFFFF || cabida.bytes == 0xFFFFFFFF) && localizador >= 0
        && cola.mid(localizador, 4) == QByteArrayView("PK\x06\x07", 4)) {
        const quint64 registro = Numero(cola, localizador + 8, 8);
        if (registro < quint64(tamano) && archivo.seek(qint64(registro))) {
            const QByteArray zip64 = archivo.read(56);
            if (zip64.size() == 56 && zip64.startsWith(QByteArrayView("PK\x06\x06", 4)))
                cabida = {Numero(zip64, 32, 8), Numero(zip64, 40, 8)};
        }
    }
    return cabida;
}

} // namespace

DirectorioZip DirectorioZip::Ilegible(QString motivo)
{
    DirectorioZip nada;
    nada.motivo = std::move(motivo);
    return nada;
}

QString DirectorioZip::NoEsArchivo(const QString &ruta)
{
    const QFileInfo info(ruta);
    if (!info.exists())
        return Motivos::DelSistema(ENOENT);
    return info.isFile() ? QString() : Motivos::NoEsArchivoNormal();
}

DirectorioZip DirectorioZip::Leer(const QString &ruta)
{
    const auto ilegible = &DirectorioZip::Ilegible;
    if (const QString motivo = NoEsArchivo(ruta); !motivo.isEmpty())
        return ilegible(motivo);
    // A directory out of all measure is refused before libzip reads a byte of it.
    {
        QFile archivo(ruta);
        if (!archivo.open(QIODevice::ReadOnly))
            return ilegible(Motivos::DeArchivo(archivo));
        if (const std::optional<Cabida> cabida = CabidaDelDirectorio(archivo);
            cabida
            && (cabida->entradas > quint64(kMaximoDeArchivos)
                || cabida->bytes > kMaximoDeDirectorio))
            return ilegible(QStringLiteral("su directorio dice tener %1 archivos en %2 bytes")
                                    .arg(cabida->entradas)
                                    .arg(cabida->bytes));
    }
    int error = 0;
    const std::unique_ptr<zip_t, Cerrar> zip(
            zip_open(QFile::encodeName(ruta).constData(), ZIP_RDONLY, &error));
    if (!zip) {
        zip_error_t motivo;
        zip_error_init_with_code(&motivo, error);
        const QString texto = MotivoDeLibzip(&motivo);
        zip_error_fini(&motivo);
        return ilegible(texto);
    }
    const zip_int64_t cantidad = zip_get_num_entries(zip.get(), 0);
    if (cantidad < 0 || cantidad > kMaximoDeArchivos)
        return ilegible(QStringLiteral("su directorio dice tener %1 archivos").arg(cantidad));
    DirectorioZip directorio;
    directorio.archivos.reserve(int(cantidad));
    for (zip_int64_t i = 0; i < cantidad; ++i) {
        zip_stat_t datos;
        zip_stat_init(&datos);
        if (zip_stat_index(zip.get(), zip_uint64_t(i), 0, &datos) != 0)
            return ilegible(MotivoDeLibzip(zip_get_error(zip.get())));
        const bool completo = (datos.valid & (ZIP_STAT_NAME | ZIP_STAT_SIZE | ZIP_STAT_CRC))
                              == (ZIP_STAT_NAME | ZIP_STAT_SIZE | ZIP_STAT_CRC);
        if (!completo)
            return ilegible(QStringLiteral("la entrada %1 no tiene nombre, tamaño o CRC").arg(i));
        const QString nombre = QString::fromUtf8(datos.name);
        if (nombre.endsWith(QLatin1Char('/')))
            continue;
        directorio.archivos.append({nombre, datos.size, datos.crc});
    }
    directorio.legible = true;
    return directorio;
}

DirectorioZip DirectorioZip::LeerConjunto(const QString &ruta)
{
    const QFileInfo info(ruta);
    if (!info.isDir())
        return ruta.endsWith(QLatin1String(".7z"), Qt::CaseInsensitive) ? Leer7z(ruta) : Leer(ruta);
    DirectorioZip directorio;
    const QFileInfoList archivos = QDir(ruta).entryInfoList(QDir::Files, QDir::Name);
    if (archivos.size() > kMaximoDeArchivos) {
        directorio.motivo = QStringLiteral("tiene más de %1 archivos").arg(kMaximoDeArchivos);
        return directorio;
    }
    constexpr qint64 kMaximoPorArchivo = qint64(1) << 30;
    QByteArray trozo(1 << 20, Qt::Uninitialized);
    for (const QFileInfo &suyo : archivos) {
        QFile archivo(suyo.filePath());
        if (suyo.size() > kMaximoPorArchivo || !archivo.open(QIODevice::ReadOnly))
            continue;
        uLong crc = crc32(0, nullptr, 0);
        quint64 leidos = 0;
        qint64 n = 0;
        while (leidos <= quint64(kMaximoPorArchivo)
               && (n = archivo.read(trozo.data(), trozo.size())) > 0) {
            crc = crc32(crc, reinterpret_cast<const Bytef *>(trozo.constData()), uInt(n));
            leidos += quint64(n);
        }
        if (n >= 0)
            directorio.archivos.append({suyo.fileName(), leidos, quint32(crc)});
    }
    directorio.legible = true;
    return directorio;
}

} // namespace Corvala
