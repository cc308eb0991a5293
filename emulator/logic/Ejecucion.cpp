#include "emulator/logic/Ejecucion.h"

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/CarpetaMame.h"
#include "comun/logic/modPrincipal.h"
#include "emulator/logic/Emulador.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTimer>

namespace Corvala {

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

} // namespace Corvala
