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

QByteArray Bytes(quint64 valor, int ancho)
{
    QByteArray bytes;
    for (int i = 0; i < ancho; ++i)
        bytes.append(char(valor >> (8 * i)));
    return bytes;
}

// The format's NUMBER in its longest form, which every reader takes.
QByteArray Numero(quint64 valor)
{
    return valor < 0x80 ? Bytes(valor, 1) : QByteArray(1, '\xFF') + Bytes(valor, 8);
}

quint32 Crc32(const QByteArray &bytes)
{
    return quint32(
            crc32(0, reinterpret_cast<const Bytef *>(bytes.constData()), uInt(bytes.size())));
}

} // namespace

bool Escribir7z(const QString &ruta, const Archivos &archivos, bool solido)
{
    QFile salida(ruta);
    // With nothing in it, 7-Zip writes no header at all.
    if (archivos.isEmpty()) {
        const QByteArray inicio(20, '\0');
        const QByteArray todo
                = QByteArray("7z\xBC\xAF\x27\x1C\x00\x04", 8) + Bytes(Crc32(inicio), 4) + inicio;
        return salida.open(QIODevice::WriteOnly) && salida.write(todo) == todo.size();
    }
    QByteArray datos;
    for (const auto &archivo : archivos)
        datos += archivo.second;
    const int bloques = solido ? 1 : int(archivos.size());
    QByteArray h("\x01\x04\x06", 3);
    h += Numero(0) + Numero(quint64(bloques)) + '\x09';
    for (int b = 0; b < bloques; ++b)
        h += Numero(quint64(solido ? datos.size() : archivos[b].second.size()));
    h += QByteArray("\x00\x07\x0B", 3) + Numero(quint64(bloques)) + '\x00';
    for (int b = 0; b < bloques; ++b)
        h += QByteArray("\x01\x01\x00", 3); // one coder, Copy
    h += '\x0C';
    for (int b = 0; b < bloques; ++b)
        h += Numero(quint64(solido ? datos.size() : archivos[b].second.size()));
    h += QByteArray("\x00\x08", 2);
    if (solido) {
        h += '\x0D' + Numero(quint64(archivos.size())) + '\x09';
        for (qsizetype k = 0; k + 1 < archivos.size(); ++k)
            h += Numero(quint64(archivos[k].second.size()));
    }
    h += QByteArray("\x0A\x01", 2);
    for (const auto &archivo : archivos)
        h += Bytes(Crc32(archivo.second), 4);
    h += QByteArray("\x00\x00\x05", 3) + Numero(quint64(archivos.size()));
    QByteArray nombres(1, '\0');
    for (const auto &archivo : archivos) {
        for (const QChar c : archivo.first)
            nombres += Bytes(c.unicode(), 2);
        nombres += QByteArray(2, '\0');
    }
    h += '\x11' + Numero(quint64(nombres.size())) + nombres + QByteArray(2, '\0');
    const QByteArray inicio
            = Bytes(quint64(datos.size()), 8) + Bytes(quint64(h.size()), 8) + Bytes(Crc32(h), 4);
    const QByteArray todo = QByteArray("7z\xBC\xAF\x27\x1C\x00\x04", 8) + Bytes(Crc32(inicio), 4)
                            + inicio + datos + h;
    return salida.open(QIODevice::WriteOnly) && salida.write(todo) == todo.size();
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
