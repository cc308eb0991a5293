// The emulator's catalogue on Debian's MAME 0.251 (/usr/games/mame, or the emulator given):
// the emulator's own -listxml time beside the catalogue's build from it, the longest stall of
// the window's event loop and the peak memory meanwhile, the database's size; then, on a
// folder holding an archive for every machine the emulator lists, the catalogue's opening with
// the 45,000-row list shown and filtered, and the search's keystrokes.
//
// Run: build/bench/bench_catalogo [emulator]

#include "catalogue/logic/Catalogo.h"
#include "catalogue/logic/ConstruccionCatalogo.h"
#include "catalogue/logic/ListaMame.h"
#include "comun/logic/Sesion.h"
#include "emulator/logic/Emulador.h"
#include "frontend/logic/DatosDelJugador.h"
#include "frontend/windows/frmCargador.h"
#include "frontend/windows/VistaDeJuegos.h"

#include "apoyo/Controles.h"
#include "ColeccionDePrueba.h"
#include "emulator/logic/Ejecucion.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>

#include <sys/resource.h>

using namespace Corvala;

namespace {

// Processor time used so far, in seconds, by this process or by its ended children.
double Procesador(int quien)
{
    rusage uso{};
    getrusage(quien, &uso);
    return double(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec)
           + double(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e6;
}

// The emulator's own time for its whole catalogue, its output dropped (no file given) or
// written to a file.
qint64 TiempoDelEmulador(const QString &mame, const QString &archivo = QString())
{
    QElapsedTimer reloj;
    reloj.start();
    QProcess proceso;
    proceso.setStandardOutputFile(archivo.isEmpty() ? QProcess::nullDevice() : archivo);
    proceso.setStandardErrorFile(QProcess::nullDevice());
    proceso.start(mame, {QStringLiteral("-listxml")});
    proceso.waitForFinished(-1);
    return reloj.elapsed();
}

} // namespace

int main(int argc, char *argv[])
{
    ColeccionDePrueba::SinPantalla();
    QApplication aplicacion(argc, argv);
    QTemporaryDir temporal;
    const std::optional<QString> real = ColeccionDePrueba::CarpetaReal(temporal.path(), argc, argv);
    if (!real)
        return 1;
    const CarpetaMame carpeta(temporal.path());
    const QString &mame = *real;

    const qint64 propio = TiempoDelEmulador(mame);
    std::printf("The emulator's -listxml alone, its output dropped: %lld ms\n", propio);
    const QString xml = carpeta.Ruta(QStringLiteral("listxml.xml"));
    const qint64 propioEnArchivo = TiempoDelEmulador(mame, xml);
    std::printf("The emulator's -listxml alone, written to a file: %lld ms (%.0f MB)\n",
                propioEnArchivo, double(QFileInfo(xml).size()) / 1048576.0);
    QFile::remove(xml);

    const double antes = ColeccionDePrueba::MemoriaActual();
    ConstruccionCatalogo construccion;
    std::shared_ptr<const Catalogo> catalogo;
    bool terminada = false;
    QObject::connect(&construccion, &ConstruccionCatalogo::terminada,
                     [&](std::shared_ptr<const Catalogo> nuevo) {
                         catalogo = std::move(nuevo);
                         terminada = true;
                     });
    // The window's event loop meanwhile: a timer every 5 ms, and the longest gap between two.
    qint64 peorPausa = 0;
    QElapsedTimer pausa;
    QTimer latido;
    latido.setInterval(5);
    QObject::connect(&latido, &QTimer::timeout,
                     [&] { peorPausa = std::max(peorPausa, pausa.restart()); });
    const double propioHijos = Procesador(RUSAGE_CHILDREN);
    const double propioYo = Procesador(RUSAGE_SELF);
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
    std::printf(
            "Catalogue built: %lld ms (%.0f%% of the emulator's own time with its output dropped, "
            "%.0f%% of that to a file), %lld machines\n",
            construida, 100.0 * double(construida) / double(propio),
            100.0 * double(construida) / double(propioEnArchivo), qlonglong(catalogo->Cantidad()));
    std::printf("Processor time of the build: Corvala %.1f s, the emulator %.1f s\n",
                Procesador(RUSAGE_SELF) - propioYo, Procesador(RUSAGE_CHILDREN) - propioHijos);
    std::printf("Longest stall of the event loop meanwhile: %lld ms\n", peorPausa);
    std::printf("Memory: %.1f MB before, peak %.1f MB (%.1f MB above)\n", antes,
                ColeccionDePrueba::MemoriaPico(), ColeccionDePrueba::MemoriaPico() - antes);
    std::printf("Database: %.1f MB\n",
                double(QFileInfo(Catalogo::Ruta(carpeta)).size()) / 1048576.0);

    // A full collection: an archive for every machine of the list, the filters on.
    const ListaMame lista = *ListaMame::Cargar(carpeta.Ruta(QStringLiteral("lista.txt")));
    for (const JuegoListado &juego : lista.Juegos())
        QFile(carpeta.Ruta(QStringLiteral("roms/") + juego.nombre + QStringLiteral(".zip")))
                .open(QIODevice::WriteOnly);
    QFile(carpeta.Ruta(QStringLiteral("whatsnew.txt"))).open(QIODevice::WriteOnly);
    {
        QFile notas(carpeta.Ruta(QStringLiteral("whatsnew.txt")));
        notas.open(QIODevice::WriteOnly);
        notas.write(VersionMame(carpeta).toUtf8() + "\r\n");
    }
    DatosDelJugador jugador;
    jugador.filtros = {true, true, true, false};
    jugador.Guardar(carpeta);
    // A first start writes the folder's mame.ini; the emulator's options are asked once per run.
    {
        Sesion sesion(carpeta);
        frmCargador ventana(sesion);
        ventana.Form_Load();
    }

    reloj.restart();
    const std::shared_ptr<const Catalogo> abierto = Catalogo::Abrir(Catalogo::Ruta(carpeta));
    std::printf("Catalogue opened alone: %lld ms\n", reloj.elapsed());
    Sesion sesion(carpeta);
    reloj.restart();
    frmCargador ventana(sesion);
    if (!ColeccionDePrueba::Arrancar(ventana))
        return 1;
    QListView *juegos = Control<QListView>(ventana, "lstJuegos");
    std::printf("Start with the catalogue opened and %lld archives shown, filtered to %d rows: "
                "%lld ms%s\n",
                qlonglong(ventana.Juegos().Modelo().Cantidad()), juegos->model()->rowCount(),
                reloj.elapsed(),
                ventana.Construccion().EnCurso() ? " (a build started: the catalogue did not match)"
                                                 : "");

    // The same start without a catalogue (the emulator's build of one cancelled at once).
    {
        QFile::rename(Catalogo::Ruta(carpeta), Catalogo::Ruta(carpeta) + QStringLiteral(".aparte"));
        Sesion sinCatalogo(carpeta);
        reloj.restart();
        frmCargador otra(sinCatalogo);
        if (!ColeccionDePrueba::Arrancar(otra))
            return 1;
        std::printf("The same start without a catalogue: %lld ms (%d rows)\n", reloj.elapsed(),
                    Control<QListView>(otra, "lstJuegos")->model()->rowCount());
        otra.close();
        QFile::rename(Catalogo::Ruta(carpeta) + QStringLiteral(".aparte"), Catalogo::Ruta(carpeta));
    }

    // The search, a keystroke at a time, each until the list has been drawn again.
    jugador.filtros = {};
    ventana.CargarDatos();
    QLineEdit *busqueda = Control<QLineEdit>(ventana, "txtBuscar");
    juegos->setFocus();
    QVector<qint64> tiempos;
    QElapsedTimer tecla;
    const auto Pulsar = [&](QWidget *destino, Qt::Key codigo, char letra) {
        tecla.start();
        QTest::keyClick(destino, codigo, Qt::NoModifier);
        (void)letra;
        QCoreApplication::processEvents();
        tiempos << tecla.nsecsElapsed() / 1000;
    };
    for (const char letra : QByteArray("pac-man")) {
        QWidget *destino = busqueda->isVisible() ? static_cast<QWidget *>(busqueda) : juegos;
        tecla.start();
        QTest::keyClicks(destino, QString(QLatin1Char(letra)));
        QCoreApplication::processEvents();
        tiempos << tecla.nsecsElapsed() / 1000;
    }
    const int filas = juegos->model()->rowCount();
    for (int i = 0; i < 6; ++i)
        Pulsar(busqueda, Qt::Key_Backspace, 0);
    std::sort(tiempos.begin(), tiempos.end());
    std::printf("Search keystrokes over %lld rows (\"pac-man\" finds %d, then erased): median %.1f "
                "ms, worst %.1f ms\n",
                qlonglong(ventana.Juegos().Modelo().Cantidad()), filas,
                double(tiempos[tiempos.size() / 2]) / 1000.0, double(tiempos.last()) / 1000.0);
    return 0;
}
