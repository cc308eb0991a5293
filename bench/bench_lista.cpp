// The game list on a full collection: 45,000 archives, half of them unknown, against a
// 45,000-line lista.txt in the current emulator's layout. Reports the time of the list load
// and of the main window showing it, the peak memory, the arrow keys through the list with its
// snapshot preview, and the literal algorithm (one scan of the list per archive, two exchange
// passes) beside Corvala's on 2,000 archives.
//
// Run: build/bench/bench_lista [archives]

#include "comun/logic/ArchivosDeCarpeta.h"
#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/Sesion.h"
#include "frontend/logic/DatosDelJugador.h"
#include "frontend/logic/ListaDeJuegos.h"
#include "frontend/logic/ModeloDeJuegos.h"
#include "frontend/windows/frmCargador.h"

#include "apoyo/Controles.h"
#include "apoyo/ReferenciaLiteral.h"
#include "ColeccionDePrueba.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <functional>

using namespace Corvala;

using ColeccionDePrueba::MemoriaPico;
using ColeccionDePrueba::Nombre;

int main(int argc, char *argv[])
{
    ColeccionDePrueba::SinPantalla();
    QApplication aplicacion(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 45000;
    std::printf("Memory at start: %.1f MB\n", MemoriaPico());

    QTemporaryDir temporal;
    ColeccionDePrueba::Crear(temporal.path(), n, false);
    const CarpetaMame carpeta(temporal.path());

    QElapsedTimer reloj;
    reloj.start();
    const ListaCargada lista = ListaDeJuegos::Cargar(carpeta);
    std::printf("List load, %d archives (%d unknown), %d-line lista.txt: %lld ms\n", n,
                int(std::count_if(lista.juegos.cbegin(), lista.juegos.cend(),
                                  [](const QString &t) {
                                      return t.startsWith(QLatin1String("ROM desconocida("));
                                  })),
                n, reloj.elapsed());
    {
        ModeloDeJuegos modelo;
        reloj.restart();
        modelo.Cargar(lista, nullptr, DatosDelJugador());
        std::printf("The list's rows prepared for the search and the filters: %lld ms\n",
                    reloj.elapsed());
    }

    Sesion sesion(carpeta);
    reloj.restart();
    frmCargador ventana(sesion);
    if (!ColeccionDePrueba::Arrancar(ventana))
        return 1;
    std::printf("Main window built, filled and shown: %lld ms (%d rows)\n", reloj.elapsed(),
                int(Control<QListView>(ventana, "lstJuegos")->model()->rowCount()));
    std::printf("Peak memory: %.1f MB\n", MemoriaPico());

    // The arrow keys through the list, a snapshot for every tenth game.
    {
        QImage instantanea(224, 256, QImage::Format_RGB32);
        instantanea.fill(Qt::darkCyan);
        for (int i = 0; i < n; i += 10)
            instantanea.save(temporal.filePath(QStringLiteral("snaps/") + Nombre(i, i % 7 == 0)
                                               + QStringLiteral(".png")));
        const int pasos = std::min(5000, n - 1);
        Control<QListView>(ventana, "lstJuegos")->setFocus();
        Control<QListView>(ventana, "lstJuegos")
                ->setCurrentIndex(Control<QListView>(ventana, "lstJuegos")->model()->index(0, 0));
        qint64 peor = 0;
        QElapsedTimer paso;
        reloj.restart();
        for (int i = 0; i < pasos; ++i) {
            paso.start();
            QTest::keyClick(Control<QListView>(ventana, "lstJuegos"), Qt::Key_Down);
            peor = std::max(peor, paso.nsecsElapsed());
        }
        std::printf("Arrow down through %d rows with snapshots: %.3f ms a row on average, %.3f ms "
                    "at worst\n",
                    pasos, double(reloj.nsecsElapsed()) / 1e6 / pasos, double(peor) / 1e6);
    }

    // The search over the whole list, a keystroke at a time, each until the list is drawn again.
    {
        QListView *juegos = Control<QListView>(ventana, "lstJuegos");
        QLineEdit *busqueda = Control<QLineEdit>(ventana, "txtBuscar");
        juegos->setFocus();
        QVector<qint64> tiempos;
        QElapsedTimer tecla;
        const auto medir = [&](const std::function<void()> &pulsar) {
            tecla.start();
            pulsar();
            QCoreApplication::processEvents();
            tiempos << tecla.nsecsElapsed() / 1000;
        };
        for (const char letra : QByteArray("game 12")) {
            QWidget *destino = busqueda->isVisible() ? static_cast<QWidget *>(busqueda) : juegos;
            medir([&] { QTest::keyClicks(destino, QString(QLatin1Char(letra))); });
        }
        const int filas = juegos->model()->rowCount();
        for (int i = 0; i < 6; ++i)
            medir([&] { QTest::keyClick(busqueda, Qt::Key_Backspace); });
        std::sort(tiempos.begin(), tiempos.end());
        std::printf("Search keystrokes over %d rows (\"game 12\" finds %d, then erased): median "
                    "%.1f ms, "
                    "worst %.1f ms\n",
                    n, filas, double(tiempos[tiempos.size() / 2]) / 1000.0,
                    double(tiempos.last()) / 1000.0);
        std::printf("Peak memory after the search: %.1f MB\n", MemoriaPico());
    }

    // The literal algorithm and Corvala's on a smaller collection of the classic layout.
    const int pocos = 2000;
    QTemporaryDir pequena;
    ColeccionDePrueba::Crear(pequena.path(), pocos, true);
    const QStringList lineas
            = ArchivoTexto::LeerLineas(pequena.path() + QStringLiteral("/lista.txt"))
                      .value_or(QStringList());
    const QStringList archivos
            = ArchivosDeCarpeta::ListarArchivos(pequena.path() + QStringLiteral("/roms"));
    reloj.restart();
    const auto literal = ReferenciaLiteral::Cargar(lineas, archivos);
    const qint64 msLiteral = reloj.elapsed();
    reloj.restart();
    const ListaCargada rapida = ListaDeJuegos::Cargar(CarpetaMame(pequena.path()));
    const qint64 msRapida = reloj.elapsed();
    std::printf("%d archives: literal algorithm %lld ms, Corvala %lld ms, same list: %s\n", pocos,
                msLiteral, msRapida,
                literal.first == rapida.juegos && literal.second == rapida.ROMTemporal ? "yes"
                                                                                       : "NO");
    return 0;
}
