#include "comun/logic/modPrincipal.h"

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/CarpetaMame.h"
#include "comun/logic/Emulador.h"
#include "comun/logic/ListaMame.h"

#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QStorageInfo>
#include <QTimer>

#include <cstdio>

namespace Corvala {

bool ExisteArchivo(const QString &ruta)
{
    if (ruta.isEmpty())
        return false;
    const QFileInfo info(ruta);
    const QString nombre = info.fileName();
    if (!nombre.contains(QLatin1Char('*')) && !nombre.contains(QLatin1Char('?')))
        return info.exists();
    QDirIterator coincidencias(info.path(), {nombre},
                               QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot
                                       | QDir::CaseSensitive);
    return coincidencias.hasNext();
}

QString QuitarExtension(const QString &nombre)
{
    const qsizetype punto = nombre.lastIndexOf(QLatin1Char('.'));
    return punto < 0 ? QString() : nombre.left(punto);
}

QStringView QuitarBlancos(QStringView texto)
{
    qsizetype inicio = 0;
    qsizetype fin = texto.size();
    while (inicio < fin && texto[inicio] == QLatin1Char(' '))
        ++inicio;
    while (fin > inicio && texto[fin - 1] == QLatin1Char(' '))
        --fin;
    return texto.mid(inicio, fin - inicio);
}

QString RomDeTitulo(const CarpetaMame &carpeta, const QString &titulo)
{
    const QString buscado = titulo.toUpper();
    const std::optional<JuegoListado> juego = ListaMame::Buscar(
            carpeta.Ruta(QStringLiteral("lista.txt")), [&buscado](const JuegoListado &j) {
                return j.titulo.size() == buscado.size() && j.titulo.toUpper() == buscado;
            });
    return juego ? juego->nombre + QStringLiteral(".zip") : QStringLiteral("ERROR");
}

QString TituloDeRom(const CarpetaMame &carpeta, const QString &archivo)
{
    const QString rom = QuitarExtension(archivo);
    const std::optional<JuegoListado> juego = ListaMame::Buscar(
            carpeta.Ruta(QStringLiteral("lista.txt")), [&rom](const JuegoListado &j) {
                return j.nombre.compare(rom, Qt::CaseInsensitive) == 0;
            });
    return juego ? juego->titulo : TextoRomDesconocida(archivo);
}

bool RenombrarArchivo(const QString &viejo, const QString &nuevo, const QString &carpeta)
{
    // QFile::rename refuses to replace an existing file.
    const QDir dir(carpeta);
    return QFile::rename(dir.filePath(viejo), dir.filePath(nuevo));
}

namespace {

// The programs Ejecutar is waiting for, innermost last (the window's thread only).
QList<QProcess *> &EnEjecucion()
{
    static QList<QProcess *> procesos;
    return procesos;
}

} // namespace

void PedirFinDeEjecuciones()
{
    for (QProcess *proceso : EnEjecucion())
        proceso->terminate();
}

FinEjecucion Ejecutar(const OrdenEmulador &orden, int *codigoSalida)
{
    QProcess proceso;
    EnEjecucion().append(&proceso);
    const auto quitar = qScopeGuard([&proceso] { EnEjecucion().removeOne(&proceso); });
    proceso.setProgram(orden.programa);
    proceso.setArguments(orden.argumentos);
    proceso.setWorkingDirectory(orden.carpeta);
    proceso.setStandardInputFile(QProcess::nullDevice());
    if (orden.salida.isEmpty()) {
        proceso.setStandardOutputFile(QProcess::nullDevice());
        proceso.setStandardErrorFile(QProcess::nullDevice());
    } else {
        // The output file exists, empty, even when the program then fails to start.
        QFile salida(orden.salida);
        if (!salida.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return FinEjecucion::NoEmpezo;
        salida.close();
        proceso.setStandardOutputFile(orden.salida);
        if (orden.conErrores)
            proceso.setProcessChannelMode(QProcess::MergedChannels);
        else
            proceso.setStandardErrorFile(QProcess::nullDevice());
    }

    QEventLoop espera;
    QObject::connect(&proceso, &QProcess::finished, &espera, &QEventLoop::quit);
    QTimer limite;
    limite.setSingleShot(true);
    bool cortado = false;
    QObject::connect(&limite, &QTimer::timeout, &espera, [&] {
        cortado = true;
        espera.quit();
    });
    // The output's size is looked at as it grows: a program that prints for ever must not
    // fill the disk.
    QTimer tamano;
    tamano.setInterval(50);
    QObject::connect(&tamano, &QTimer::timeout, &espera, [&] {
        if (QFileInfo(orden.salida).size() > orden.limiteBytes) {
            cortado = true;
            espera.quit();
        }
    });
    proceso.start();
    if (!proceso.waitForStarted(-1))
        return FinEjecucion::NoEmpezo;
    if (orden.limiteMs >= 0)
        limite.start(orden.limiteMs);
    if (orden.limiteBytes >= 0 && !orden.salida.isEmpty())
        tamano.start();
    if (proceso.state() != QProcess::NotRunning)
        espera.exec();
    // While the application quits no event loop runs: the emulator is waited for all the same,
    // up to its limit, rather than killed at once.
    if (!cortado && proceso.state() != QProcess::NotRunning)
        proceso.waitForFinished(orden.limiteMs);
    // Past its limit it is killed: an emulator may ignore a polite request to end.
    if (proceso.state() != QProcess::NotRunning) {
        proceso.kill();
        proceso.waitForFinished(-1);
        return FinEjecucion::Cortado;
    }
    if (cortado
        || (orden.limiteBytes >= 0 && !orden.salida.isEmpty()
            && QFileInfo(orden.salida).size() > orden.limiteBytes))
        return FinEjecucion::Cortado;
    const int codigo = proceso.exitStatus() == QProcess::NormalExit ? proceso.exitCode() : -1;
    if (codigoSalida)
        *codigoSalida = codigo;
    return codigo == 0 ? FinEjecucion::Bien : FinEjecucion::Fallo;
}

bool EjecutarYEsperar(const OrdenEmulador &orden)
{
    const FinEjecucion fin = Ejecutar(orden);
    return fin == FinEjecucion::Bien || fin == FinEjecucion::Fallo;
}

QString VersionDesconocida()
{
    return QStringLiteral("(Versión de M.A.M.E desconocida)");
}

QString VersionMame(const CarpetaMame &carpeta)
{
    const QString ruta = carpeta.Ruta(QStringLiteral("whatsnew.txt"));
    // A file that cannot be read, or that holds only blank lines, names no version either.
    const std::optional<QStringList> lineas
            = ExisteArchivo(ruta) ? ArchivoTexto::LeerLineas(ruta) : std::nullopt;
    if (lineas) {
        for (const QString &linea : *lineas) {
            for (const QChar c : linea) {
                if (c != QLatin1Char(' '))
                    return linea;
            }
        }
    }
    // Current emulators come without release notes, but tell their version when asked.
    return Emulador(carpeta).Version().value_or(VersionDesconocida());
}

namespace {

// The number of digits right after a leading "0.", or -1 when the text does not begin so.
int CifrasTrasCeroPunto(const QString &version)
{
    if (!version.startsWith(QLatin1String("0.")))
        return -1;
    int cifras = 0;
    while (2 + cifras < version.size() && version.at(2 + cifras) >= QLatin1Char('0')
           && version.at(2 + cifras) <= QLatin1Char('9'))
        ++cifras;
    return cifras;
}

} // namespace

int CompararVersiones(const QString &a, const QString &b)
{
    const int cifrasA = CifrasTrasCeroPunto(a);
    const int cifrasB = CifrasTrasCeroPunto(b);
    if (cifrasA >= 0 && cifrasB >= 0 && (cifrasA >= 3) != (cifrasB >= 3))
        return cifrasA >= 3 ? 1 : -1;
    return a.compare(b, Qt::CaseSensitive);
}

bool MoverArchivo(const QString &origen, const QString &destino)
{
    if (!QFileInfo::exists(origen))
        return true;
#ifdef Q_OS_WIN
    if (QFileInfo::exists(destino) && !QFile::remove(destino))
        return false;
    return QFile::rename(origen, destino);
#else
    // rename() replaces the target in one step: there is never a moment without either file.
    return std::rename(QFile::encodeName(origen).constData(),
                       QFile::encodeName(destino).constData())
           == 0;
#endif
}

bool EsUnidadCD(const QString &ruta)
{
    const QStorageInfo volumen(ruta);
    if (!volumen.isValid())
        return false;
    const QByteArray tipo = volumen.fileSystemType().toLower();
    return tipo == "iso9660" || tipo == "udf";
}

} // namespace Corvala
