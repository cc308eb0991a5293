#include "comun/logic/ContenidoDeRoms.h"

#include "comun/logic/BaseSqlite.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <zlib.h>

#include <algorithm>
#include <thread>

namespace Corvala {

namespace {

// One file of the roms folder that holds a set's files: an archive, or a file of a set's folder.
struct Archivo
{
    QString ruta; // under the roms folder: NAME.zip, NAME/FILE
    qint64 tamano = 0;
    qint64 fecha = 0; // modification time, ms
    int conjunto = 0;
    // What it holds, as kept in the database: a line "crc size name" a file, "=sha1" for a
    // disk, "!why" for one that cannot be read.
    QString contenido;
    bool leido = false;
};

QString Linea(const DirectorioZip::Archivo &archivo)
{
    return QStringLiteral("%1\t%2\t%3")
            .arg(archivo.crc, 8, 16, QLatin1Char('0'))
            .arg(archivo.tamano)
            .arg(archivo.nombre);
}

QString ContenidoDeZip(const QString &ruta)
{
    const DirectorioZip directorio = DirectorioZip::Leer(ruta);
    if (!directorio.legible)
        return QLatin1Char('!') + directorio.motivo;
    QStringList lineas;
    lineas.reserve(directorio.archivos.size());
    for (const DirectorioZip::Archivo &archivo : directorio.archivos)
        lineas << Linea(archivo);
    return lineas.join(QLatin1Char('\n'));
}

QString ContenidoDeArchivoSuelto(const QString &ruta, const QString &nombre, qint64 tamano)
{
    if (nombre.endsWith(QLatin1String(".chd"))) {
        const QString sha1 = ContenidoDeRoms::Sha1DeDisco(ruta);
        return sha1.isEmpty() ? QStringLiteral("!not a CHD disk image") : QLatin1Char('=') + sha1;
    }
    if (tamano > ContenidoDeRoms::kMaximoPorArchivo)
        return QStringLiteral("!larger than any ROM");
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        return QLatin1Char('!') + archivo.errorString();
    uLong crc = crc32(0, nullptr, 0);
    qint64 leidos = 0;
    QByteArray trozo(1 << 20, Qt::Uninitialized);
    qint64 n = 0;
    while ((n = archivo.read(trozo.data(), trozo.size())) > 0 && leidos <= tamano) {
        crc = crc32(crc, reinterpret_cast<const Bytef *>(trozo.constData()), uInt(n));
        leidos += n;
    }
    if (n < 0)
        return QLatin1Char('!') + archivo.errorString();
    return Linea({nombre, quint64(leidos), quint32(crc)});
}

// Puts what a file holds into its set.
void Repartir(const Archivo &archivo, ContenidoDeRoms::Conjunto &conjunto)
{
    if (archivo.contenido.startsWith(QLatin1Char('!'))) {
        conjunto.motivo = archivo.ruta + QLatin1String(": ") + archivo.contenido.mid(1);
        return;
    }
    if (archivo.contenido.startsWith(QLatin1Char('='))) {
        QString disco = archivo.ruta.section(QLatin1Char('/'), -1);
        disco.chop(4);
        conjunto.discos.insert(disco, archivo.contenido.mid(1));
        return;
    }
    for (const QStringView linea : QStringView(archivo.contenido).split(QLatin1Char('\n'))) {
        const qsizetype a = linea.indexOf(QLatin1Char('\t'));
        const qsizetype b = a < 0 ? -1 : linea.indexOf(QLatin1Char('\t'), a + 1);
        if (b < 0)
            continue;
        conjunto.archivos.append({linea.mid(b + 1).toString(),
                                  linea.mid(a + 1, b - a - 1).toULongLong(),
                                  quint32(linea.left(a).toUInt(nullptr, 16))});
    }
}

// The kept directories, by path.
struct Guardado
{
    qint64 tamano = 0;
    qint64 fecha = 0;
    QString contenido;
};

const char *const kTabla = "CREATE TABLE IF NOT EXISTS directorios(ruta TEXT PRIMARY KEY, "
                           "tamano INTEGER, fecha INTEGER, contenido TEXT)";

} // namespace

QString ContenidoDeRoms::Sha1DeDisco(const QString &ruta)
{
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        return {};
    const QByteArray cabecera = archivo.read(124);
    if (cabecera.size() < 16 || !cabecera.startsWith("MComprHD"))
        return {};
    const quint32 version = (quint32(quint8(cabecera[12])) << 24)
                            | (quint32(quint8(cabecera[13])) << 16)
                            | (quint32(quint8(cabecera[14])) << 8) | quint32(quint8(cabecera[15]));
    // Where each version keeps the SHA-1 of the data and metadata together.
    const int en = version == 5 ? 84 : version == 4 ? 48 : version == 3 ? 80 : -1;
    if (en < 0 || cabecera.size() < en + 20)
        return {};
    return QString::fromLatin1(cabecera.mid(en, 20).toHex());
}

ContenidoDeRoms ContenidoDeRoms::Leer(const QString &carpetaRoms, const QString &baseDeDatos,
                                      const std::atomic<bool> *cancelar)
{
    const auto cancelado = [cancelar] { return cancelar && cancelar->load(); };
    ContenidoDeRoms contenido;
    QVector<Archivo> archivos;
    const QDir roms(carpetaRoms);
    const QFileInfoList entradas
            = roms.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entrada : entradas) {
        const QString nombre = entrada.fileName();
        if (entrada.isDir()) {
            const QFileInfoList dentro
                    = QDir(entrada.filePath()).entryInfoList(QDir::Files, QDir::Name);
            if (dentro.isEmpty())
                continue;
            contenido.conjuntos.append({nombre, true, {}, {}, {}});
            for (const QFileInfo &archivo : dentro)
                archivos.append({nombre + QLatin1Char('/') + archivo.fileName(),
                                 archivo.size(),
                                 archivo.lastModified().toMSecsSinceEpoch(),
                                 int(contenido.conjuntos.size() - 1),
                                 {},
                                 false});
        } else if (nombre.endsWith(QLatin1String(".zip")) && entrada.isFile()) {
            contenido.conjuntos.append({nombre.chopped(4), false, {}, {}, {}});
            archivos.append({nombre,
                             entrada.size(),
                             entrada.lastModified().toMSecsSinceEpoch(),
                             int(contenido.conjuntos.size() - 1),
                             {},
                             false});
        }
    }

    QCryptographicHash huella(QCryptographicHash::Sha1);
    for (const Archivo &archivo : std::as_const(archivos))
        huella.addData(QStringLiteral("%1\t%2\t%3\n")
                               .arg(archivo.ruta)
                               .arg(archivo.tamano)
                               .arg(archivo.fecha)
                               .toUtf8());
    contenido.huella = QString::fromLatin1(huella.result().toHex());

    // What was kept of them.
    BaseSqlite base;
    if (!baseDeDatos.isEmpty() && !base.Abrir(baseDeDatos, false))
        contenido.motivoDeLaBase = base.Motivo();
    if (base.Abierta() && !base.Ejecutar(kTabla))
        contenido.motivoDeLaBase = base.Motivo();
    QHash<QString, Guardado> guardados;
    if (base.Abierta() && contenido.motivoDeLaBase.isEmpty()) {
        BaseSqlite::Consulta filas(base, "SELECT ruta, tamano, fecha, contenido FROM directorios");
        while (filas.Siguiente())
            guardados.insert(filas.Texto(0), {filas.Entero(1), filas.Entero(2), filas.Texto(3)});
        if (!filas.Bien())
            contenido.motivoDeLaBase = base.Motivo();
    }

    QVector<int> porLeer;
    for (int k = 0; k < archivos.size(); ++k) {
        Archivo &archivo = archivos[k];
        const auto guardado = guardados.constFind(archivo.ruta);
        if (guardado != guardados.cend() && guardado->tamano == archivo.tamano
            && guardado->fecha == archivo.fecha)
            archivo.contenido = guardado->contenido;
        else
            porLeer.append(k);
    }
    // The archives that must be read, by two workers: most of the time goes on opening files.
    std::atomic<int> siguiente{0};
    const auto leer = [&] {
        for (int i = siguiente++; i < porLeer.size() && !cancelado(); i = siguiente++) {
            Archivo &archivo = archivos[porLeer[i]];
            const QString ruta = roms.filePath(archivo.ruta);
            archivo.contenido
                    = archivo.ruta.contains(QLatin1Char('/')) ? ContenidoDeArchivoSuelto(
                              ruta, archivo.ruta.section(QLatin1Char('/'), -1), archivo.tamano)
                                                              : ContenidoDeZip(ruta);
            archivo.leido = true;
        }
    };
    if (porLeer.size() > 64) {
        std::thread otro(leer);
        leer();
        otro.join();
    } else {
        leer();
    }
    if (cancelado())
        return contenido;

    for (const Archivo &archivo : std::as_const(archivos)) {
        Repartir(archivo, contenido.conjuntos[archivo.conjunto]);
        contenido.leidos += archivo.leido ? 1 : 0;
    }

    // What was read is kept; what is no longer there is forgotten.
    if (base.Abierta() && contenido.motivoDeLaBase.isEmpty()
        && (contenido.leidos > 0 || guardados.size() != archivos.size())) {
        bool bien = base.Ejecutar("BEGIN");
        {
            BaseSqlite::Consulta poner(base,
                                       "INSERT OR REPLACE INTO directorios VALUES (?, ?, ?, ?)");
            for (const Archivo &archivo : std::as_const(archivos)) {
                guardados.remove(archivo.ruta);
                if (!bien || !archivo.leido)
                    continue;
                poner.Enlazar(1, archivo.ruta);
                poner.Enlazar(2, archivo.tamano);
                poner.Enlazar(3, archivo.fecha);
                poner.Enlazar(4, archivo.contenido);
                bien = poner.Paso();
            }
            BaseSqlite::Consulta quitar(base, "DELETE FROM directorios WHERE ruta = ?");
            for (auto resto = guardados.cbegin(); bien && resto != guardados.cend(); ++resto) {
                quitar.Enlazar(1, resto.key());
                bien = quitar.Paso();
            }
        }
        if (!bien || !base.Ejecutar("COMMIT")) {
            contenido.motivoDeLaBase = base.Motivo();
            base.Ejecutar("ROLLBACK");
        }
    }
    return contenido;
}

} // namespace Corvala
