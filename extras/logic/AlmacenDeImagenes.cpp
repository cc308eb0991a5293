#include "extras/logic/AlmacenDeImagenes.h"

#include "comun/logic/ArchivoTexto.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <zip.h>

namespace Corvala {

struct AlmacenDeImagenes::Zip
{
    zip_t *zip = nullptr;
    qint64 tamano = -1;
    QDateTime fecha;
    QHash<QString, zip_uint64_t> entradas; // by name in lower case

    ~Zip() { zip_discard(zip); }
};

namespace {

// The extensions looked for, in order.
QStringList Extensiones(TipoDeImagen tipo)
{
    if (tipo == TipoDeImagen::Icono)
        return {QStringLiteral(".ico")};
    return {QStringLiteral(".png"), QStringLiteral(".jpg")};
}

} // namespace

AlmacenDeImagenes::AlmacenDeImagenes(RutasDeExtras rutas)
    : m_rutas(std::move(rutas))
{
    for (int t = 0; t < kCantidadDeTipos; ++t) {
        for (const QString &carpeta : std::as_const(m_rutas.imagenes[size_t(t)])) {
            if (QFileInfo(carpeta).isDir() || QFileInfo(carpeta + QStringLiteral(".zip")).isFile())
                m_hay[size_t(t)] = true;
        }
    }
}

AlmacenDeImagenes::~AlmacenDeImagenes() = default;

AlmacenDeImagenes::Zip *AlmacenDeImagenes::AbrirZip(const QString &ruta) const
{
    const QFileInfo info(ruta);
    auto hallado = m_zips.find(ruta);
    if (!info.isFile()) {
        if (hallado != m_zips.end())
            m_zips.erase(hallado);
        return nullptr;
    }
    if (hallado != m_zips.end() && hallado->second->tamano == info.size()
        && hallado->second->fecha == info.lastModified())
        return hallado->second->zip ? hallado->second.get() : nullptr;
    auto zip = std::make_unique<Zip>();
    zip->tamano = info.size();
    zip->fecha = info.lastModified();
    // A zip that cannot be read is remembered as such until it changes.
    int error = 0;
    zip->zip = zip_open(QFile::encodeName(ruta).constData(), ZIP_RDONLY, &error);
    const zip_int64_t cantidad = zip->zip ? zip_get_num_entries(zip->zip, 0) : -1;
    if (cantidad < 0 || cantidad > kMaximoDeEntradas) {
        zip_discard(zip->zip);
        zip->zip = nullptr;
    } else {
        zip->entradas.reserve(cantidad);
        for (zip_int64_t i = 0; i < cantidad; ++i) {
            if (const char *nombre = zip_get_name(zip->zip, zip_uint64_t(i), 0))
                zip->entradas.insert(QString::fromUtf8(nombre).toLower(), zip_uint64_t(i));
        }
    }
    Zip *abierto = zip->zip ? zip.get() : nullptr;
    m_zips[ruta] = std::move(zip);
    return abierto;
}

bool AlmacenDeImagenes::Buscar(TipoDeImagen tipo, const QString &nombre,
                               const std::function<bool(const QByteArray &)> &usar) const
{
    // A name never climbs out of its folder.
    if (nombre.isEmpty() || nombre.contains(QLatin1String(".."))
        || nombre.contains(QLatin1Char('\\')) || nombre.startsWith(QLatin1Char('/')) || !Hay(tipo))
        return false;
    const QStringList extensiones = Extensiones(tipo);
    const QStringList &carpetas = m_rutas.Imagenes(tipo);
    for (const QString &carpeta : carpetas) {
        for (const QString &extension : extensiones) {
            const QString ruta = carpeta + QLatin1Char('/') + nombre + extension;
            if (!QFileInfo(ruta).isFile())
                continue;
            const std::optional<QByteArray> bytes = ArchivoTexto::LeerBytes(ruta, kMaximoPorImagen);
            if (bytes && usar(*bytes))
                return true;
        }
    }
    const std::lock_guard<std::mutex> cerrado(m_cerrojo);
    for (const QString &carpeta : carpetas) {
        Zip *zip = AbrirZip(carpeta + QStringLiteral(".zip"));
        if (!zip)
            continue;
        for (const QString &extension : extensiones) {
            const auto entrada = zip->entradas.constFind((nombre + extension).toLower());
            if (entrada == zip->entradas.cend())
                continue;
            zip_stat_t datos;
            zip_stat_init(&datos);
            if (zip_stat_index(zip->zip, *entrada, 0, &datos) != 0 || !(datos.valid & ZIP_STAT_SIZE)
                || datos.size > quint64(kMaximoPorImagen))
                continue;
            zip_file_t *archivo = zip_fopen_index(zip->zip, *entrada, 0);
            if (!archivo)
                continue;
            QByteArray bytes(qsizetype(datos.size), Qt::Uninitialized);
            const zip_int64_t leidos = zip_fread(archivo, bytes.data(), datos.size);
            zip_fclose(archivo);
            if (leidos == zip_int64_t(datos.size) && usar(bytes))
                return true;
        }
    }
    return false;
}

} // namespace Corvala
