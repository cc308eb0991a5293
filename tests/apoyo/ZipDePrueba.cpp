#include "apoyo/ZipDePrueba.h"

#include "catalogue/logic/LectorListaXml.h"

#include <QFile>
#include <QHash>

#include <zip.h>
#include <zlib.h>

namespace ZipDePrueba {

QByteArray Rom(const QString &juego, const QString &rom)
{
    return (juego + QLatin1Char(':') + rom + QLatin1Char(':')).repeated(10).left(64).toLatin1();
}

Archivos Juego(const QString &juego)
{
    static const QHash<QString, QList<QPair<QString, QString>>> kJuegos{
            {QStringLiteral("puckman"),
             {{QStringLiteral("puckman"), QStringLiteral("pm1_prg1.6e")},
              {QStringLiteral("puckman"), QStringLiteral("pm1_prg2.6k")},
              {QStringLiteral("puckman"), QStringLiteral("pm1_chg1.5e")}}},
            {QStringLiteral("pacman"),
             {{QStringLiteral("pacman"), QStringLiteral("pacman.6f")},
              {QStringLiteral("puckman"), QStringLiteral("pm1_prg1.6e")},
              {QStringLiteral("puckman"), QStringLiteral("pm1_chg1.5e")}}},
            {QStringLiteral("galaga"),
             {{QStringLiteral("galaga"), QStringLiteral("gg1_1b.3p")},
              {QStringLiteral("galaga"), QStringLiteral("gg1_2b.3m")}}},
            {QStringLiteral("neogeo"),
             {{QStringLiteral("neogeo"), QStringLiteral("sp-s2.sp1")},
              {QStringLiteral("neogeo"), QStringLiteral("vs-bios.rom")},
              {QStringLiteral("neogeo"), QStringLiteral("sm1.sm1")}}},
            {QStringLiteral("mslug"),
             {{QStringLiteral("mslug"), QStringLiteral("201-p1.p1")},
              {QStringLiteral("mslug"), QStringLiteral("201-s1.s1")}}},
    };
    Archivos archivos;
    for (const auto &[dueno, rom] : kJuegos.value(juego))
        archivos.append({rom, Rom(dueno, rom)});
    return archivos;
}

QByteArray ConCrc(qint64 tamano, quint32 crc)
{
    quint32 tabla[256];
    for (quint32 i = 0; i < 256; ++i) {
        quint32 c = i;
        for (int k = 0; k < 8; ++k)
            c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        tabla[i] = c;
    }
    QByteArray datos(tamano, '\0');
    // The state after the zeros, as zlib leaves it before its final inversion.
    quint32 estado = quint32(crc32_z(0, reinterpret_cast<const Bytef *>(datos.constData()),
                                     size_t(tamano - 4)))
                     ^ 0xFFFFFFFFu;
    // Each step's table entry is told by the top byte of the state it leaves: walked back from
    // the final state, they give the four bytes.
    quint8 entradas[4];
    quint32 r = ~crc;
    for (int i = 3; i >= 0; --i) {
        int k = 0;
        while ((tabla[k] >> 24) != (r >> 24))
            ++k;
        entradas[i] = quint8(k);
        r = (r ^ tabla[k]) << 8;
    }
    for (int i = 0; i < 4; ++i) {
        datos[tamano - 4 + i] = char((estado ^ entradas[i]) & 0xFF);
        estado = (estado >> 8) ^ tabla[entradas[i]];
    }
    return datos;
}

bool Escribir(const QString &ruta, const Archivos &archivos, const QByteArray &comentario)
{
    int error = 0;
    zip_t *zip = zip_open(QFile::encodeName(ruta).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip)
        return false;
    bool bien = true;
    for (const auto &[nombre, datos] : archivos) {
        // libzip reads the data when the archive is closed: it must outlive this loop.
        void *copia = ::malloc(size_t(datos.size()) + 1);
        ::memcpy(copia, datos.constData(), size_t(datos.size()));
        zip_source_t *fuente = zip_source_buffer(zip, copia, zip_uint64_t(datos.size()), 1);
        if (!fuente) {
            ::free(copia);
            bien = false;
        } else if (zip_file_add(zip, nombre.toUtf8().constData(), fuente, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(fuente);
            bien = false;
        }
    }
    if (!comentario.isEmpty())
        bien = bien
               && zip_set_archive_comment(zip, comentario.constData(),
                                          zip_uint16_t(comentario.size()))
                          == 0;
    return zip_close(zip) == 0 && bien;
}

namespace {

// Reads the fixture, machine by machine; its version, or nothing when it cannot be read.
std::optional<QString> LeerFijo(const Corvala::LectorListaXml::Receptor &receptor)
{
    Corvala::LectorListaXml lector(receptor);
    QFile fijo(QStringLiteral(CORVALA_LISTXML));
    if (!fijo.open(QIODevice::ReadOnly) || !lector.Anadir(fijo.readAll()) || !lector.Terminar())
        return std::nullopt;
    return lector.Version();
}

} // namespace

std::shared_ptr<const Corvala::Catalogo> Catalogo()
{
    auto catalogo = std::make_shared<Corvala::Catalogo>();
    const std::optional<QString> version = LeerFijo(
            [&](const Corvala::FichaMaquina &maquina, const QVector<Corvala::FichaRom> &roms) {
                catalogo->Agregar(maquina, roms);
            });
    if (!version)
        return nullptr;
    catalogo->Sellar({*version, QString()});
    return catalogo;
}

bool EscribirCatalogo(const QString &ruta)
{
    Corvala::EscritorCatalogo escritor(ruta);
    bool bien = true;
    const std::optional<QString> version = LeerFijo(
            [&](const Corvala::FichaMaquina &maquina, const QVector<Corvala::FichaRom> &roms) {
                bien = escritor.Agregar(maquina, roms) && bien;
            });
    return version && bien && escritor.Terminar({*version, QStringLiteral("fija")});
}

} // namespace ZipDePrueba
