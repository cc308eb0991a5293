#include "collection/logic/ContenidoDeRoms.h"

#include "comun/logic/BaseSqlite.h"
#include "comun/logic/modPrincipal.h"
#include "comun/logic/Motivos.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <zlib.h>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#endif

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

// A name inside an archive may hold anything but '/' and NUL, tabs and line ends included: in
// a line it is written with those (and '%') as %09, %0A and %25, so that no name reads as
// another file's line.
QString Escapado(const QString &nombre)
{
    if (!nombre.contains(QLatin1Char('%')) && !nombre.contains(QLatin1Char('\t'))
        && !nombre.contains(QLatin1Char('\n')))
        return nombre;
    QString escapado;
    escapado.reserve(nombre.size() + 8);
    for (const QChar c : nombre) {
        if (c == u'%')
            escapado += QLatin1String("%25");
        else if (c == u'\t')
            escapado += QLatin1String("%09");
        else if (c == u'\n')
            escapado += QLatin1String("%0A");
        else
            escapado += c;
    }
    return escapado;
}

QString Desescapado(QStringView escapado)
{
    if (!escapado.contains(QLatin1Char('%')))
        return escapado.toString();
    QString nombre;
    nombre.reserve(escapado.size());
    for (qsizetype k = 0; k < escapado.size(); ++k) {
        const QStringView codigo = escapado.mid(k, 3);
        if (codigo == u"%25" || codigo == u"%09" || codigo == u"%0A") {
            nombre += codigo == u"%25" ? u'%' : codigo == u"%09" ? u'\t' : u'\n';
            k += 2;
        } else {
            nombre += escapado[k];
        }
    }
    return nombre;
}

QString Linea(const DirectorioZip::Archivo &archivo)
{
    return QStringLiteral("%1\t%2\t%3")
            .arg(archivo.crc, 8, 16, QLatin1Char('0'))
            .arg(archivo.tamano)
            .arg(Escapado(archivo.nombre));
}

QString ContenidoDeArchivo(const QString &ruta)
{
    const DirectorioZip directorio = ruta.endsWith(QLatin1String(".7z"))
                                             ? DirectorioZip::Leer7z(ruta)
                                             : DirectorioZip::Leer(ruta);
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
        return QLatin1Char('!') + Motivos::DeArchivo(archivo);
    uLong crc = crc32(0, nullptr, 0);
    qint64 leidos = 0;
    QByteArray trozo(1 << 20, Qt::Uninitialized);
    qint64 n = 0;
    while ((n = archivo.read(trozo.data(), trozo.size())) > 0 && leidos <= tamano) {
        crc = crc32(crc, reinterpret_cast<const Bytef *>(trozo.constData()), uInt(n));
        leidos += n;
    }
    if (n < 0)
        return QLatin1Char('!') + Motivos::DeArchivo(archivo);
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
        conjunto.archivos.append({Desescapado(linea.mid(b + 1)),
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

// The layout of the kept directories: a table of another layout (one without formato, whose
// names were written as they stand) is dropped and every archive read again.
constexpr int kFormato = 2;
const char *const kTabla = "CREATE TABLE IF NOT EXISTS %1(ruta TEXT PRIMARY KEY, "
                           "tamano INTEGER, fecha INTEGER, contenido TEXT, formato INTEGER)";

bool PrepararTabla(BaseSqlite &base, const QString &tabla)
{
    const auto sql = [&tabla](const char *texto) {
        return QString::fromLatin1(texto).arg(tabla).toUtf8();
    };
    bool deOtroFormato = false;
    {
        BaseSqlite::Consulta otro(
                base, sql("SELECT 1 FROM %1 WHERE formato IS NOT ? LIMIT 1").constData());
        if (otro.Bien()) {
            otro.Enlazar(1, kFormato);
            deOtroFormato = otro.Siguiente();
        } else {
            // No such table, or one without formato.
            BaseSqlite::Consulta hay(
                    base, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?");
            hay.Enlazar(1, tabla);
            deOtroFormato = hay.Siguiente();
        }
    }
    // What could not be read is asked for at every start: found by an index, not a whole scan.
    return (!deOtroFormato || base.Ejecutar(sql("DROP TABLE %1").constData()))
           && base.Ejecutar(sql(kTabla).constData())
           && base.Ejecutar(sql("CREATE INDEX IF NOT EXISTS %1_ilegibles ON "
                                "%1(substr(contenido, 1, 1))")
                                    .constData());
}

} // namespace

QHash<QString, QString> ContenidoDeRoms::IlegiblesGuardados(BaseSqlite &base)
{
    QHash<QString, QString> ilegibles;
    BaseSqlite::Consulta filas(base, "SELECT ruta, substr(contenido, 2) FROM directorios "
                                     "WHERE substr(contenido, 1, 1) = '!'");
    while (filas.Siguiente()) {
        const QString ruta = filas.Texto(0);
        const qsizetype barra = ruta.indexOf(QLatin1Char('/'));
        ilegibles.insert(barra >= 0 ? ruta.left(barra) : QuitarExtension(ruta),
                         ruta + QLatin1String(": ") + filas.Texto(1));
    }
    return ilegibles;
}

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

namespace {

// The archives and set folders of the roms folder, with the files the audit reads, and the
// folder's fingerprint.
// What the listing needs of an entry: its name, whether it is a folder or a plain file, its
// size and modification time.
struct Entrada
{
    QString nombre;
    bool carpeta = false;
    bool archivo = false;
    qint64 tamano = 0;
    qint64 fecha = 0;
};

// The entries of a folder (hidden ones left out), in order of name. Straight from the system
// where it can: 45,000 archives are listed at every start.
QVector<Entrada> Entradas(const QString &carpeta)
{
    QVector<Entrada> entradas;
#ifdef Q_OS_UNIX
    DIR *dir = ::opendir(QFile::encodeName(carpeta).constData());
    if (!dir)
        return entradas;
    QVector<QByteArray> nombres;
    while (const dirent *entrada = ::readdir(dir)) {
        if (entrada->d_name[0] != '.')
            nombres.push_back(QByteArray(entrada->d_name));
    }
    std::sort(nombres.begin(), nombres.end());
    const int fd = ::dirfd(dir);
    for (const QByteArray &nombre : std::as_const(nombres)) {
        struct stat datos;
        if (::fstatat(fd, nombre.constData(), &datos, 0) != 0)
            continue;
        entradas.push_back({QFile::decodeName(nombre), S_ISDIR(datos.st_mode),
                            S_ISREG(datos.st_mode), qint64(datos.st_size),
                            qint64(datos.st_mtim.tv_sec) * 1000 + datos.st_mtim.tv_nsec / 1000000});
    }
    ::closedir(dir);
#else
    for (const QFileInfo &info :
         QDir(carpeta).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        entradas.push_back({info.fileName(), info.isDir(), info.isFile(), info.size(),
                            info.lastModified().toMSecsSinceEpoch()});
#endif
    return entradas;
}

void ListarCarpeta(const QDir &roms, ContenidoDeRoms &contenido, QVector<Archivo> &archivos,
                   bool conCarpetas = true)
{
    const QVector<Entrada> entradas = Entradas(roms.path());
    // The folder's own entries: its archives and its sets' folders by their own dates.
    QCryptographicHash ligera(QCryptographicHash::Sha1);
    for (const Entrada &entrada : entradas) {
        ligera.addData(entrada.nombre.toUtf8());
        const qint64 datos[] = {entrada.carpeta ? -1 : entrada.tamano, entrada.fecha};
        ligera.addData(QByteArrayView(reinterpret_cast<const char *>(datos), sizeof datos));
    }
    contenido.huellaLigera = QString::fromLatin1(ligera.result().toHex());
    // The sets' folders are listed by two workers: every file of them is asked its size and
    // date, and the system's answers are most of the time. Without conCarpetas, not at all.
    QVector<QVector<Entrada>> dentroDe(conCarpetas ? entradas.size() : 0);
    std::atomic<qsizetype> siguiente{0};
    const auto listar = [&] {
        for (qsizetype k = siguiente++; k < dentroDe.size(); k = siguiente++) {
            if (entradas[k].carpeta)
                dentroDe[k] = Entradas(roms.filePath(entradas[k].nombre));
        }
    };
    if (conCarpetas && std::count_if(entradas.cbegin(), entradas.cend(), [](const Entrada &e) {
                           return e.carpeta;
                       }) > 64) {
        std::thread otro(listar);
        listar();
        otro.join();
    } else {
        listar();
    }
    for (qsizetype k = 0; k < entradas.size(); ++k) {
        const Entrada &entrada = entradas[k];
        if (entrada.carpeta) {
            static const QVector<Entrada> kSinListar;
            const QVector<Entrada> &dentro = conCarpetas ? dentroDe[k] : kSinListar;
            if (dentro.isEmpty() && conCarpetas)
                continue;
            contenido.conjuntos.append({entrada.nombre, true, false, {}, {}, {}});
            for (const Entrada &suyo : dentro) {
                if (suyo.archivo)
                    archivos.append({entrada.nombre + QLatin1Char('/') + suyo.nombre,
                                     suyo.tamano,
                                     suyo.fecha,
                                     int(contenido.conjuntos.size() - 1),
                                     {},
                                     false});
            }
        } else if (entrada.archivo
                   && (entrada.nombre.endsWith(QLatin1String(".zip"))
                       || entrada.nombre.endsWith(QLatin1String(".7z")))) {
            const bool sieteZ = entrada.nombre.endsWith(QLatin1String(".7z"));
            contenido.conjuntos.append(
                    {entrada.nombre.chopped(sieteZ ? 3 : 4), false, sieteZ, {}, {}, {}});
            archivos.append({entrada.nombre,
                             entrada.tamano,
                             entrada.fecha,
                             int(contenido.conjuntos.size() - 1),
                             {},
                             false});
        }
    }
    QCryptographicHash huella(QCryptographicHash::Sha1);
    for (const Archivo &archivo : std::as_const(archivos)) {
        huella.addData(archivo.ruta.toUtf8());
        const qint64 datos[] = {archivo.tamano, archivo.fecha};
        huella.addData(QByteArrayView(reinterpret_cast<const char *>(datos), sizeof datos));
    }
    contenido.huella = QString::fromLatin1(huella.result().toHex());
}

} // namespace

ContenidoDeRoms ContenidoDeRoms::Listar(const QString &carpetaRoms, bool conCarpetas)
{
    ContenidoDeRoms contenido;
    QVector<Archivo> archivos;
    ListarCarpeta(QDir(carpetaRoms), contenido, archivos, conCarpetas);
    if (!conCarpetas)
        contenido.huella.clear();
    return contenido;
}

ContenidoDeRoms ContenidoDeRoms::Leer(const QString &carpetaRoms, const QString &baseDeDatos,
                                      const std::atomic<bool> *cancelar, const QString &prefijo)
{
    const QString tabla = prefijo.isEmpty() ? QStringLiteral("directorios")
                                            : QStringLiteral("directorios_software");
    const auto sql = [&tabla](const char *texto) {
        return QString::fromLatin1(texto).arg(tabla).toUtf8();
    };
    const auto cancelado = [cancelar] { return cancelar && cancelar->load(); };
    ContenidoDeRoms contenido;
    QVector<Archivo> archivos;
    const QDir roms(carpetaRoms);
    ListarCarpeta(roms, contenido, archivos);

    // What was kept of them.
    BaseSqlite base;
    if (!baseDeDatos.isEmpty() && !base.Abrir(baseDeDatos, false))
        contenido.motivoDeLaBase = base.Motivo();
    if (base.Abierta() && !PrepararTabla(base, tabla))
        contenido.motivoDeLaBase = base.Motivo();
    QHash<QString, Guardado> guardados;
    if (base.Abierta() && contenido.motivoDeLaBase.isEmpty()) {
        BaseSqlite::Consulta filas(base, sql("SELECT ruta, tamano, fecha, contenido FROM %1 "
                                             "WHERE substr(ruta, 1, ?) = ?")
                                                 .constData());
        filas.Enlazar(1, qint64(prefijo.size()));
        filas.Enlazar(2, prefijo, false);
        while (filas.Siguiente())
            guardados.insert(filas.Texto(0).mid(prefijo.size()),
                             {filas.Entero(1), filas.Entero(2), filas.Texto(3)});
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
                                                              : ContenidoDeArchivo(ruta);
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
        bool bien = base.Ejecutar("BEGIN IMMEDIATE");
        {
            BaseSqlite::Consulta poner(
                    base, sql("INSERT OR REPLACE INTO %1 VALUES (?, ?, ?, ?, ?)").constData());
            for (const Archivo &archivo : std::as_const(archivos)) {
                guardados.remove(archivo.ruta);
                if (!bien || !archivo.leido)
                    continue;
                poner.Enlazar(1, prefijo + archivo.ruta);
                poner.Enlazar(2, archivo.tamano);
                poner.Enlazar(3, archivo.fecha);
                poner.Enlazar(4, archivo.contenido);
                poner.Enlazar(5, kFormato);
                bien = poner.Paso();
            }
            BaseSqlite::Consulta quitar(base, sql("DELETE FROM %1 WHERE ruta = ?").constData());
            for (auto resto = guardados.cbegin(); bien && resto != guardados.cend(); ++resto) {
                quitar.Enlazar(1, prefijo + resto.key());
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
