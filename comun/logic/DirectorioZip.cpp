#include "comun/logic/DirectorioZip.h"

#include <QFile>
#include <QFileInfo>

#include <zip.h>

#include <memory>

namespace Corvala {

namespace {

struct Cerrar
{
    void operator()(zip_t *zip) const { zip_discard(zip); }
};

} // namespace

DirectorioZip DirectorioZip::Leer(const QString &ruta)
{
    const auto ilegible = [](QString motivo) {
        DirectorioZip nada;
        nada.motivo = std::move(motivo);
        return nada;
    };
    // Only a plain file: opening a pipe or a device named .zip could wait for ever.
    const QFileInfo info(ruta);
    if (!info.exists())
        return ilegible(QStringLiteral("no such file"));
    if (!info.isFile())
        return ilegible(QStringLiteral("not a plain file"));
    int error = 0;
    const std::unique_ptr<zip_t, Cerrar> zip(
            zip_open(QFile::encodeName(ruta).constData(), ZIP_RDONLY, &error));
    if (!zip) {
        zip_error_t motivo;
        zip_error_init_with_code(&motivo, error);
        const QString texto = QString::fromLocal8Bit(zip_error_strerror(&motivo));
        zip_error_fini(&motivo);
        return ilegible(texto);
    }
    const zip_int64_t cantidad = zip_get_num_entries(zip.get(), 0);
    if (cantidad < 0 || cantidad > kMaximoDeArchivos)
        return ilegible(QStringLiteral("its directory lists %1 files").arg(cantidad));
    DirectorioZip directorio;
    directorio.archivos.reserve(int(cantidad));
    for (zip_int64_t i = 0; i < cantidad; ++i) {
        zip_stat_t datos;
        zip_stat_init(&datos);
        if (zip_stat_index(zip.get(), zip_uint64_t(i), 0, &datos) != 0)
            return ilegible(QString::fromLocal8Bit(zip_strerror(zip.get())));
        const bool completo = (datos.valid & (ZIP_STAT_NAME | ZIP_STAT_SIZE | ZIP_STAT_CRC))
                              == (ZIP_STAT_NAME | ZIP_STAT_SIZE | ZIP_STAT_CRC);
        if (!completo)
            return ilegible(QStringLiteral("entry %1 has no name, size or CRC").arg(i));
        const QString nombre = QString::fromUtf8(datos.name);
        if (nombre.endsWith(QLatin1Char('/')))
            continue;
        directorio.archivos.append({nombre, datos.size, datos.crc});
    }
    directorio.legible = true;
    return directorio;
}

} // namespace Corvala
