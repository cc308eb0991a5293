#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/Motivos.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <memory>
#include <vector>

#include <algorithm>
#include <cerrno>

namespace Corvala::ArchivoTexto {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five codes it leaves undefined
// keep their Latin-1 control characters.
constexpr char16_t kCp1252Alto[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString DecodificarCp1252(QByteArrayView bytes)
{
    QString texto(bytes.size(), Qt::Uninitialized);
    QChar *destino = texto.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *destino++ = (b >= 0x80 && b < 0xA0) ? QChar(kCp1252Alto[b - 0x80]) : QChar(char16_t(b));
    }
    return texto;
}

} // namespace

std::optional<QString> DecodificarUtf8(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString texto = utf8(bytes);
    if (utf8.hasError())
        return std::nullopt;
    return texto;
}

QString DecodificarLinea(QByteArrayView bytes)
{
    std::optional<QString> texto = DecodificarUtf8(bytes);
    return texto ? *std::move(texto) : DecodificarCp1252(bytes);
}

QList<QByteArrayView> LineasEnBruto(QByteArrayView bytes)
{
    QList<QByteArrayView> lineas;
    qsizetype inicio = 0;
    while (inicio < bytes.size()) {
        qsizetype fin = bytes.indexOf('\n', inicio);
        fin = fin < 0 ? bytes.size() : fin + 1;
        lineas << bytes.sliced(inicio, fin - inicio);
        inicio = fin;
    }
    return lineas;
}

QString Decodificar(const QByteArray &bytes)
{
    std::optional<QString> texto = DecodificarUtf8(bytes);
    if (texto)
        return *std::move(texto);
    // One stray byte must not turn every accented line of the file into garbled text: each
    // line is read on its own.
    QString lineas;
    lineas.reserve(bytes.size());
    for (const QByteArrayView linea : LineasEnBruto(bytes))
        lineas += DecodificarLinea(linea);
    return lineas;
}

std::optional<QByteArray> LeerBytes(const QString &ruta, qint64 maximo, QString *motivo)
{
    const auto fallo = [motivo](const QString &por) -> std::optional<QByteArray> {
        if (motivo)
            *motivo = por;
        return std::nullopt;
    };
    const QFileInfo info(ruta);
    if (!info.exists())
        return fallo(Motivos::DelSistema(ENOENT));
    if (!info.isFile())
        return fallo(Motivos::NoEsArchivoNormal());
    if (info.size() > maximo)
        return fallo(Motivos::OcupaMasDe(maximo));
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        return fallo(Motivos::DeArchivo(archivo));
    // It may have grown since: no more than the bound is read.
    QByteArray bytes = archivo.read(maximo + 1);
    if (archivo.error() != QFileDevice::NoError)
        return fallo(Motivos::DeArchivo(archivo));
    if (bytes.size() > maximo)
        return fallo(Motivos::OcupaMasDe(maximo));
    return bytes;
}

std::optional<QString> LeerTexto(const QString &ruta)
{
    const std::optional<QByteArray> bytes = LeerBytes(ruta);
    if (!bytes)
        return std::nullopt;
    return Decodificar(*bytes);
}

QString Visible(QString texto)
{
    const auto control = [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; };
    if (std::none_of(texto.cbegin(), texto.cend(), control))
        return texto;
    for (QChar &c : texto) {
        if (c.unicode() < 0x20)
            c = QChar(0x2400 + c.unicode());
        else if (c.unicode() == 0x7f)
            c = QChar(0x2421);
    }
    return texto;
}

QStringList PartirLineas(const QString &texto)
{
    QStringList lineas = texto.split(QLatin1Char('\n'));
    if (!lineas.isEmpty() && lineas.constLast().isEmpty())
        lineas.removeLast();
    for (QString &linea : lineas) {
        if (linea.endsWith(QLatin1Char('\r')))
            linea.chop(1);
    }
    return lineas;
}

std::optional<QStringList> LeerLineas(const QString &ruta)
{
    std::optional<QString> texto = LeerTexto(ruta);
    if (!texto)
        return std::nullopt;
    return PartirLineas(*texto);
}

namespace {

// Opens a replacement beside the file and writes the bytes into it, flushed: a full disk shows
// only when the buffer is written out, and commit() would otherwise put a short file in place
// of the old one.
Resultado Preparar(QSaveFile &archivo, const QByteArray &bytes)
{
    if (!archivo.open(QIODevice::WriteOnly))
        return Resultado::Fallo(Motivos::DeArchivo(archivo));
    if (archivo.write(bytes) != bytes.size() || !archivo.flush()
        || archivo.error() != QFileDevice::NoError) {
        const QString motivo = Motivos::AlEscribir(archivo, bytes.size());
        archivo.cancelWriting();
        return Resultado::Fallo(motivo);
    }
    return {};
}

Resultado Confirmar(QSaveFile &archivo)
{
    return archivo.commit() ? Resultado() : Resultado::Fallo(Motivos::DeArchivo(archivo));
}

} // namespace

Resultado EscribirBytes(const QString &ruta, const QByteArray &bytes)
{
    QSaveFile archivo(ruta);
    const Resultado preparado = Preparar(archivo, bytes);
    return preparado ? Confirmar(archivo) : preparado;
}

Resultado EscribirJuntos(const QList<std::pair<QString, QByteArray>> &archivos)
{
    std::vector<std::unique_ptr<QSaveFile>> preparados;
    for (const auto &[ruta, bytes] : archivos) {
        preparados.push_back(std::make_unique<QSaveFile>(ruta));
        const Resultado preparado = Preparar(*preparados.back(), bytes);
        if (!preparado) {
            preparados.pop_back();
            for (const auto &otro : preparados)
                otro->cancelWriting();
            return preparado;
        }
    }
    Resultado todos;
    for (const auto &preparado : preparados) {
        const Resultado confirmado = Confirmar(*preparado);
        if (todos && !confirmado)
            todos = confirmado;
    }
    return todos;
}

QFileDevice::Permissions PermisosDeArchivoNuevo()
{
    // The umask as the process has it, read without changing it (umask() would, for a moment,
    // for every thread).
    unsigned mascara = 022;
    QFile estado(QStringLiteral("/proc/self/status"));
    if (estado.open(QIODevice::ReadOnly)) {
        for (const QByteArray &linea : estado.readAll().split('\n')) {
            if (linea.startsWith("Umask:")) {
                bool bien = false;
                const unsigned leida = linea.mid(6).trimmed().toUInt(&bien, 8);
                if (bien)
                    mascara = leida;
            }
        }
    }
    const unsigned modo = 0666 & ~mascara;
    const unsigned propietario = (modo >> 6) & 7;
    const unsigned grupo = (modo >> 3) & 7;
    const unsigned otros = modo & 7;
    // Qt gives each class a hexadecimal digit with the octal digit's bits; its "user" is the
    // owner, for the process that owns the file.
    return QFileDevice::Permissions::fromInt(
            int((propietario << 12) | (propietario << 8) | (grupo << 4) | otros));
}

QByteArray BytesDeLineas(const QStringList &lineas)
{
    QByteArray bytes;
    for (const QString &linea : lineas) {
        bytes += linea.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

Resultado EscribirLineas(const QString &ruta, const QStringList &lineas)
{
    return EscribirBytes(ruta, BytesDeLineas(lineas));
}

} // namespace Corvala::ArchivoTexto
