// A 7z archive's directory: names, sizes and CRC-32 of its files, from its header alone. The
// header is read as the 7z format describes it (7zFormat.txt, in the LZMA SDK and Debian's
// lzma-dev); a compressed header (LZMA or LZMA2, as 7-Zip writes it by default) is decoded with
// liblzma. The packed data of the files is never read, so a solid archive costs what any other
// does. Every count, size and offset the header gives is checked against the file and against
// Corvala's bounds before it is used.

#include "collection/logic/DirectorioZip.h"
#include "comun/logic/Motivos.h"

#include <QFile>
#include <QtEndian>

#include <lzma.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace Corvala {

namespace {

// The largest header read or decoded: 100,000 entries with long names fit many times over.
constexpr quint64 kMaximoDeCabecera = 64 * 1024 * 1024;
// The most folders (blocks of packed data), coders of a folder and streams a header may give.
constexpr quint64 kMaximoDeBloques = DirectorioZip::kMaximoDeArchivos;
constexpr quint64 kMaximoDeCodificadores = 32;

const QString kDanado = QStringLiteral("el archivo 7z está dañado");

// The property numbers of the format.
enum : quint8 {
    kFin = 0x00,
    kCabecera = 0x01,
    kPropiedades = 0x02,
    kFlujosPrincipales = 0x04,
    kArchivos = 0x05,
    kEmpaquetado = 0x06,
    kDesempaquetado = 0x07,
    kSubflujos = 0x08,
    kTamanos = 0x09,
    kCrc = 0x0A,
    kBloque = 0x0B,
    kTamanosDesempaquetados = 0x0C,
    kCuantosSubflujos = 0x0D,
    kFlujoVacio = 0x0E,
    kArchivoVacio = 0x0F,
    kNombre = 0x11,
    kCabeceraCodificada = 0x17,
};

quint32 Crc(const QByteArray &bytes)
{
    return quint32(crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef *>(bytes.constData()),
                         uInt(bytes.size())));
}

// Reads the header's bytes in order; past their end, or on a value out of bounds, it fails
// for good and every later read gives zero.
class Lector
{
public:
    explicit Lector(const QByteArray &bytes)
        : m_bytes(bytes)
    {
    }

    bool Bien() const { return m_bien; }
    bool Fallar()
    {
        m_bien = false;
        return false;
    }

    quint8 Byte()
    {
        if (!m_bien || m_en >= m_bytes.size())
            return quint8(Fallar());
        return quint8(m_bytes.at(m_en++));
    }
    // The format's NUMBER: the leading one bits of the first byte say how many bytes follow.
    quint64 Numero()
    {
        const quint8 primero = Byte();
        quint64 valor = 0;
        quint8 mascara = 0x80;
        for (int i = 0; i < 8; ++i) {
            if ((primero & mascara) == 0)
                return valor | (quint64(primero & (mascara - 1)) << (8 * i));
            valor |= quint64(Byte()) << (8 * i);
            mascara >>= 1;
        }
        return valor;
    }
    // A NUMBER that counts something: never more than the bound.
    quint64 Cuenta(quint64 maximo)
    {
        const quint64 valor = Numero();
        if (valor > maximo)
            Fallar();
        return m_bien ? valor : 0;
    }
    quint32 Crc32()
    {
        if (!m_bien || m_bytes.size() - m_en < 4)
            return quint32(Fallar());
        const quint32 valor = quint32(qFromLittleEndian<quint32>(m_bytes.constData() + m_en));
        m_en += 4;
        return valor;
    }
    QByteArray Bytes(quint64 cuantos)
    {
        if (!m_bien || cuantos > quint64(m_bytes.size() - m_en)) {
            Fallar();
            return {};
        }
        const QByteArray trozo = m_bytes.mid(m_en, qsizetype(cuantos));
        m_en += qsizetype(cuantos);
        return trozo;
    }
    void Saltar(quint64 cuantos) { Bytes(cuantos); }
    // A bit for each of n items, the first in the highest bit.
    QVector<bool> Bits(quint64 n)
    {
        QVector<bool> bits;
        if (n > quint64(m_bytes.size() - m_en) * 8) {
            Fallar();
            return bits;
        }
        bits.reserve(qsizetype(n));
        quint8 byte = 0;
        for (quint64 i = 0; i < n; ++i) {
            if (i % 8 == 0)
                byte = Byte();
            bits.append((byte & (0x80 >> (i % 8))) != 0);
        }
        return bits;
    }
    // All defined (one byte) or a bit for each.
    QVector<bool> Definidos(quint64 n)
    {
        if (Byte() != 0)
            return QVector<bool>(qsizetype(n), true);
        return Bits(n);
    }
    qsizetype Resto() const { return m_bytes.size() - m_en; }

private:
    const QByteArray &m_bytes;
    qsizetype m_en = 0;
    bool m_bien = true;
};

// A CRC the header may or may not give.
struct CrcDado
{
    bool dado = false;
    quint32 valor = 0;
};

struct Codificador
{
    QByteArray metodo;
    QByteArray propiedades;
    quint64 entradas = 1;
    quint64 salidas = 1;
};

struct Bloque
{
    QVector<Codificador> codificadores;
    QVector<quint64> ligadas; // output streams bound to another coder's input
    QVector<quint64> tamanos; // of every output stream
    CrcDado crc;
    quint64 subflujos = 1;

    // The size of the block's final output: the one output no coder takes in.
    quint64 Tamano() const
    {
        for (qsizetype k = tamanos.size() - 1; k >= 0; --k) {
            if (!ligadas.contains(quint64(k)))
                return tamanos[k];
        }
        return 0;
    }
};

struct Flujos
{
    quint64 posicion = 0; // of the packed streams, after the signature header
    QVector<quint64> empaquetados;
    QVector<Bloque> bloques;
    // Every file's data, block after block: size and CRC when known.
    QVector<quint64> tamanos;
    QVector<CrcDado> crcs;
};

void LeerEmpaquetado(Lector &l, Flujos &f)
{
    f.posicion = l.Numero();
    const quint64 n = l.Cuenta(kMaximoDeBloques);
    for (quint8 tipo = l.Byte(); l.Bien() && tipo != kFin; tipo = l.Byte()) {
        if (tipo == kTamanos) {
            f.empaquetados.clear();
            for (quint64 i = 0; i < n && l.Bien(); ++i)
                f.empaquetados.append(l.Numero());
        } else if (tipo == kCrc) {
            const QVector<bool> definidos = l.Definidos(n);
            for (const bool definido : definidos) {
                if (definido)
                    l.Crc32();
            }
        } else {
            l.Fallar();
        }
    }
    if (quint64(f.empaquetados.size()) != n)
        l.Fallar();
}

void LeerBloque(Lector &l, Bloque &b)
{
    const quint64 codificadores = l.Cuenta(kMaximoDeCodificadores);
    quint64 entradas = 0, salidas = 0;
    for (quint64 i = 0; i < codificadores && l.Bien(); ++i) {
        const quint8 banderas = l.Byte();
        Codificador c;
        c.metodo = l.Bytes(banderas & 0x0F);
        if (banderas & 0x10) {
            c.entradas = l.Cuenta(kMaximoDeCodificadores);
            c.salidas = l.Cuenta(kMaximoDeCodificadores);
        }
        if (banderas & 0x20)
            c.propiedades = l.Bytes(l.Cuenta(256));
        // Alternative methods were never written by any 7-Zip.
        if (banderas & 0x80)
            l.Fallar();
        entradas += c.entradas;
        salidas += c.salidas;
        b.codificadores.append(c);
    }
    if (salidas == 0)
        l.Fallar();
    for (quint64 i = 0; i + 1 < salidas && l.Bien(); ++i) {
        l.Cuenta(entradas);
        b.ligadas.append(l.Cuenta(salidas));
    }
    if (entradas < salidas - 1)
        l.Fallar();
    const quint64 empaquetados = l.Bien() ? entradas - (salidas - 1) : 0;
    if (empaquetados > 1) {
        for (quint64 i = 0; i < empaquetados && l.Bien(); ++i)
            l.Cuenta(entradas);
    }
    b.tamanos.resize(qsizetype(l.Bien() ? salidas : 0));
}

void LeerDesempaquetado(Lector &l, Flujos &f)
{
    if (l.Byte() != kBloque)
        l.Fallar();
    const quint64 n = l.Cuenta(kMaximoDeBloques);
    // Blocks kept elsewhere (External) were never written by any 7-Zip.
    if (l.Byte() != 0)
        l.Fallar();
    f.bloques.resize(qsizetype(n));
    for (Bloque &b : f.bloques) {
        if (!l.Bien())
            return;
        LeerBloque(l, b);
    }
    if (l.Byte() != kTamanosDesempaquetados)
        l.Fallar();
    for (Bloque &b : f.bloques) {
        for (quint64 &tamano : b.tamanos)
            tamano = l.Numero();
    }
    for (quint8 tipo = l.Byte(); l.Bien() && tipo != kFin; tipo = l.Byte()) {
        if (tipo != kCrc) {
            l.Fallar();
            break;
        }
        const QVector<bool> definidos = l.Definidos(n);
        for (qsizetype k = 0; k < definidos.size() && l.Bien(); ++k) {
            if (definidos[k])
                f.bloques[k].crc = {true, l.Crc32()};
        }
    }
}

void LeerSubflujos(Lector &l, Flujos &f)
{
    quint8 tipo = l.Byte();
    if (tipo == kCuantosSubflujos) {
        quint64 total = 0;
        for (Bloque &b : f.bloques) {
            b.subflujos = l.Cuenta(DirectorioZip::kMaximoDeArchivos);
            total += b.subflujos;
            if (total > quint64(DirectorioZip::kMaximoDeArchivos))
                l.Fallar();
        }
        tipo = l.Byte();
    }
    // Every stream's size: those the header gives, the last of a block what remains.
    const bool conTamanos = tipo == kTamanos;
    for (const Bloque &b : f.bloques) {
        if (b.subflujos == 0 || !l.Bien())
            continue;
        quint64 suma = 0;
        for (quint64 i = 1; i < b.subflujos && conTamanos && l.Bien(); ++i) {
            const quint64 tamano = l.Numero();
            suma += tamano;
            if (suma < tamano || suma > b.Tamano())
                l.Fallar();
            f.tamanos.append(tamano);
        }
        if (!conTamanos && b.subflujos > 1)
            l.Fallar();
        f.tamanos.append(b.Tamano() - suma);
    }
    if (conTamanos)
        tipo = l.Byte();
    // The CRC of a block of one stream is the stream's; the others come here.
    quint64 sinCrc = 0;
    for (const Bloque &b : f.bloques)
        sinCrc += b.subflujos == 1 && b.crc.dado ? 0 : b.subflujos;
    QVector<CrcDado> propios;
    while (l.Bien() && tipo != kFin) {
        if (tipo != kCrc) {
            l.Fallar();
            break;
        }
        const QVector<bool> definidos = l.Definidos(sinCrc);
        for (const bool definido : definidos)
            propios.append(definido ? CrcDado{true, l.Crc32()} : CrcDado{});
        tipo = l.Byte();
    }
    qsizetype siguiente = 0;
    for (const Bloque &b : f.bloques) {
        if (b.subflujos == 1 && b.crc.dado) {
            f.crcs.append(b.crc);
            continue;
        }
        for (quint64 i = 0; i < b.subflujos; ++i)
            f.crcs.append(propios.value(siguiente++));
    }
}

// StreamsInfo: the packed streams, the blocks and the files' streams within them.
Flujos LeerFlujos(Lector &l)
{
    Flujos f;
    bool conSubflujos = false;
    for (quint8 tipo = l.Byte(); l.Bien() && tipo != kFin; tipo = l.Byte()) {
        switch (tipo) {
        case kEmpaquetado:
            LeerEmpaquetado(l, f);
            break;
        case kDesempaquetado:
            LeerDesempaquetado(l, f);
            break;
        case kSubflujos:
            conSubflujos = true;
            LeerSubflujos(l, f);
            break;
        default:
            l.Fallar();
        }
    }
    if (!conSubflujos) {
        for (const Bloque &b : f.bloques) {
            f.tamanos.append(b.Tamano());
            f.crcs.append(b.crc);
        }
    }
    return f;
}

// The one block of an encoded header, decoded from the archive; nothing and why when it cannot
// be (a method Corvala does not decode, an encrypted header, damage).
std::optional<QByteArray> Decodificar(QFile &archivo, const Flujos &f, QString &motivo)
{
    motivo = kDanado;
    if (f.bloques.size() != 1 || f.empaquetados.size() != 1
        || f.bloques[0].codificadores.size() != 1)
        return std::nullopt;
    const Bloque &b = f.bloques[0];
    const Codificador &c = b.codificadores[0];
    const quint64 tamano = b.Tamano();
    const quint64 empaquetado = f.empaquetados[0];
    const quint64 desde = 32 + f.posicion;
    const quint64 disponible = quint64(archivo.size());
    if (tamano > kMaximoDeCabecera || empaquetado > kMaximoDeCabecera || f.posicion > disponible
        || desde + empaquetado > disponible || !archivo.seek(qint64(desde)))
        return std::nullopt;
    const QByteArray entrada = archivo.read(qint64(empaquetado));
    if (quint64(entrada.size()) != empaquetado)
        return std::nullopt;
    QByteArray salida;
    if (c.metodo == QByteArray::fromHex("00")) {
        salida = entrada.left(qsizetype(tamano));
    } else {
        lzma_filter filtros[2] = {{LZMA_VLI_UNKNOWN, nullptr}, {LZMA_VLI_UNKNOWN, nullptr}};
        if (c.metodo == QByteArray::fromHex("030101"))
            filtros[0].id = LZMA_FILTER_LZMA1;
        else if (c.metodo == QByteArray::fromHex("21"))
            filtros[0].id = LZMA_FILTER_LZMA2;
        else {
            motivo = c.metodo == QByteArray::fromHex("06f10701")
                             ? QStringLiteral("su lista de archivos está cifrada")
                             : QStringLiteral("su lista de archivos está comprimida con un método "
                                              "que Corvala! no conoce");
            return std::nullopt;
        }
        if (lzma_properties_decode(&filtros[0], nullptr,
                                   reinterpret_cast<const uint8_t *>(c.propiedades.constData()),
                                   size_t(c.propiedades.size()))
            != LZMA_OK)
            return std::nullopt;
        // The dictionary is never larger than what it decodes: a header that claims a huge one
        // costs no memory.
        auto *opciones = static_cast<lzma_options_lzma *>(filtros[0].options);
        opciones->dict_size = std::min(opciones->dict_size,
                                       std::max(uint32_t(tamano), uint32_t(LZMA_DICT_SIZE_MIN)));
        lzma_stream flujo = LZMA_STREAM_INIT;
        const lzma_ret inicio = lzma_raw_decoder(&flujo, filtros);
        std::free(opciones);
        if (inicio != LZMA_OK)
            return std::nullopt;
        salida.resize(qsizetype(tamano));
        flujo.next_in = reinterpret_cast<const uint8_t *>(entrada.constData());
        flujo.avail_in = size_t(entrada.size());
        flujo.next_out = reinterpret_cast<uint8_t *>(salida.data());
        flujo.avail_out = size_t(salida.size());
        lzma_ret paso = LZMA_OK;
        while (paso == LZMA_OK && flujo.avail_out > 0)
            paso = lzma_code(&flujo, flujo.avail_in > 0 ? LZMA_RUN : LZMA_FINISH);
        const bool entero = flujo.avail_out == 0;
        lzma_end(&flujo);
        if (!entero)
            return std::nullopt;
    }
    if (quint64(salida.size()) != tamano || (b.crc.dado && Crc(salida) != b.crc.valor))
        return std::nullopt;
    motivo.clear();
    return salida;
}

// FilesInfo: every file's name, and which of them have no data (empty files and folders).
bool LeerArchivos(Lector &l, const Flujos &f, DirectorioZip &directorio)
{
    const quint64 n = l.Numero();
    if (n > quint64(DirectorioZip::kMaximoDeArchivos)) {
        directorio.motivo = QStringLiteral("su directorio dice tener %1 archivos").arg(n);
        return l.Fallar();
    }
    QVector<bool> vacios(qsizetype(n), false), archivosVacios;
    QStringList nombres;
    for (quint8 tipo = l.Byte(); l.Bien() && tipo != kFin; tipo = l.Byte()) {
        const quint64 tamano = l.Numero();
        if (tamano > quint64(l.Resto()))
            return l.Fallar();
        const QByteArray datos = l.Bytes(tamano);
        Lector propio(datos);
        if (tipo == kFlujoVacio) {
            vacios = propio.Bits(n);
        } else if (tipo == kArchivoVacio) {
            archivosVacios = propio.Bits(quint64(vacios.count(true)));
        } else if (tipo == kNombre) {
            // Names kept elsewhere (External) were never written by any 7-Zip. The rest are
            // UTF-16 in little-endian order, each ending in a zero.
            if (propio.Byte() != 0 || (datos.size() - 1) % 2 != 0)
                return l.Fallar();
            QString nombre;
            for (qsizetype k = 1; k + 1 < datos.size() && quint64(nombres.size()) < n; k += 2) {
                const auto unidad = char16_t(quint8(datos[k]) | (quint8(datos[k + 1]) << 8));
                if (unidad == 0) {
                    nombres.append(nombre);
                    nombre.clear();
                } else {
                    nombre.append(QChar(unidad));
                }
            }
        }
        if (!propio.Bien())
            return l.Fallar();
    }
    if (!l.Bien() || quint64(nombres.size()) != n || quint64(vacios.size()) != n)
        return l.Fallar();
    // The files with data take the streams in order.
    const qsizetype conDatos = vacios.count(false);
    if (conDatos != f.tamanos.size())
        return l.Fallar();
    qsizetype flujo = 0, vacio = 0;
    for (qsizetype k = 0; k < qsizetype(n); ++k) {
        if (vacios[k]) {
            // An empty stream that is not an empty file is a folder.
            const bool esArchivo = archivosVacios.value(vacio++, false);
            if (esArchivo)
                directorio.archivos.append({nombres[k], 0, 0});
            continue;
        }
        directorio.archivos.append({nombres[k], f.tamanos[flujo], f.crcs[flujo].valor});
        ++flujo;
    }
    return true;
}

} // namespace

DirectorioZip DirectorioZip::Leer7z(const QString &ruta)
{
    const auto ilegible = &DirectorioZip::Ilegible;
    if (const QString motivo = NoEsArchivo(ruta); !motivo.isEmpty())
        return ilegible(motivo);
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        return ilegible(Motivos::DeArchivo(archivo));
    const QByteArray firma = archivo.read(32);
    if (!firma.startsWith(QByteArrayView("7z\xBC\xAF\x27\x1C", 6)))
        return ilegible(QStringLiteral("no es un archivo 7z"));
    if (firma.size() < 32
        || Crc(firma.mid(12, 20)) != quint32(qFromLittleEndian<quint32>(firma.constData() + 8)))
        return ilegible(kDanado);
    const quint64 desplazamiento = qFromLittleEndian<quint64>(firma.constData() + 12);
    const quint64 tamano = qFromLittleEndian<quint64>(firma.constData() + 20);
    const quint64 disponible = quint64(archivo.size()) - 32;
    if (tamano > kMaximoDeCabecera || desplazamiento > disponible
        || tamano > disponible - desplazamiento)
        return ilegible(kDanado);
    DirectorioZip directorio;
    // An archive with nothing in it has no header at all.
    if (tamano == 0) {
        directorio.legible = true;
        return directorio;
    }
    if (!archivo.seek(qint64(32 + desplazamiento)))
        return ilegible(Motivos::DeArchivo(archivo));
    QByteArray cabecera = archivo.read(qint64(tamano));
    if (quint64(cabecera.size()) != tamano
        || Crc(cabecera) != quint32(qFromLittleEndian<quint32>(firma.constData() + 28)))
        return ilegible(kDanado);
    // A compressed header gives, once decoded, the header (or another compressed one).
    for (int vuelta = 0; vuelta < 4 && !cabecera.isEmpty() && cabecera.at(0) == kCabeceraCodificada;
         ++vuelta) {
        Lector l(cabecera);
        l.Byte();
        const Flujos f = LeerFlujos(l);
        if (!l.Bien())
            return ilegible(kDanado);
        QString motivo;
        std::optional<QByteArray> decodificada = Decodificar(archivo, f, motivo);
        if (!decodificada)
            return ilegible(motivo);
        cabecera = std::move(*decodificada);
    }
    Lector l(cabecera);
    if (l.Byte() != kCabecera)
        return ilegible(kDanado);
    Flujos f;
    for (quint8 tipo = l.Byte(); l.Bien() && tipo != kFin; tipo = l.Byte()) {
        if (tipo == kPropiedades) {
            for (quint8 propiedad = l.Byte(); l.Bien() && propiedad != kFin; propiedad = l.Byte())
                l.Saltar(l.Numero());
        } else if (tipo == kFlujosPrincipales) {
            f = LeerFlujos(l);
        } else if (tipo == kArchivos) {
            if (!LeerArchivos(l, f, directorio))
                return ilegible(directorio.motivo.isEmpty() ? kDanado : directorio.motivo);
        } else {
            // Additional streams were never written by any 7-Zip.
            l.Fallar();
        }
    }
    if (!l.Bien())
        return ilegible(kDanado);
    directorio.legible = true;
    return directorio;
}

} // namespace Corvala
