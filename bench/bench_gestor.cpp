// The ROM manager on a full collection: 45,000 archives beside a 45,000-game list. Reports the
// time the window takes to open apart from the emulator's -listfull run, the answer to a click
// on either list, and the search for a compatible game: its cost per candidate that needs an
// emulator run (the fake emulator's, on a shorter list, extrapolated to 45,000) and its cost
// over 45,000 candidates whose archives already lie in roms, which need none.
//
// Run: build/bench/bench_gestor [games] [candidates with a run]

#include "comun/logic/Sesion.h"
#include "rommanager/logic/ListasDelGestor.h"
#include "rommanager/windows/frmGestionar.h"

#include "apoyo/Controles.h"
#include "apoyo/MensajesDePrueba.h"
#include "ColeccionDePrueba.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>

using namespace Corvala;

namespace {

// The fake emulator's -listfull run alone, the best of three.
qint64 MsDeLaLista(const CarpetaMame &carpeta)
{
    qint64 mejor = -1;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer reloj;
        reloj.start();
        ListasDelGestor::ReconstruirLista(carpeta);
        mejor = mejor < 0 ? reloj.elapsed() : std::min(mejor, reloj.elapsed());
    }
    return mejor;
}

// Clicks rows spread over the list (the later ones the slowest to look up); average and worst.
void Clics(const char *nombre, QListView *lista, const QLabel *respuesta)
{
    const int filas = lista->model()->rowCount();
    const int clics = 40;
    qint64 total = 0;
    qint64 peor = 0;
    for (int i = 1; i <= clics; ++i) {
        const QModelIndex fila
                = lista->model()->index(filas - 1 - (filas - 1) * (i % 8) / 8 - i, 0);
        QElapsedTimer reloj;
        reloj.start();
        lista->setCurrentIndex(fila);
        lista->scrollTo(fila);
        QCoreApplication::processEvents();
        total += reloj.nsecsElapsed();
        peor = std::max(peor, reloj.nsecsElapsed());
    }
    std::printf(
            "Click on %s over %d rows: %.2f ms on average, %.2f ms at worst (last answer \"%s\")\n",
            nombre, filas, double(total) / 1e6 / clics, double(peor) / 1e6,
            qPrintable(respuesta->text()));
}

void Desconocido(const QString &carpeta)
{
    QFile archivo(carpeta + QStringLiteral("/roms/unknown.zip"));
    archivo.open(QIODevice::WriteOnly);
    archivo.write("set=nothing\n");
}

// A search from the window for unknown.zip, answered Sí; its time in ms.
qint64 Buscar(frmGestionar &gestor)
{
    const QModelIndexList desconocido
            = Control<QListView>(gestor, "ROMs")
                      ->model()
                      ->match(Control<QListView>(gestor, "ROMs")->model()->index(0, 0),
                              Qt::DisplayRole, QStringLiteral("unknown.zip"), 1, Qt::MatchExactly);
    Control<QListView>(gestor, "ROMs")->setCurrentIndex(desconocido.value(0));
    MensajesDePrueba mensajes;
    mensajes.Responder(Respuesta::Si);
    QElapsedTimer reloj;
    reloj.start();
    gestor.lblBuscar_Click();
    const qint64 ms = reloj.elapsed();
    std::printf("  outcome: \"%s\"\n", qPrintable(mensajes.Vistos().value(1).titulo));
    return ms;
}

// A list of n candidates beside unknown.zip, their archives in roms or not.
void Candidatos(const QString &carpeta, int n, bool conArchivos)
{
    QDir(carpeta).mkpath(QStringLiteral("roms"));
    QDir(carpeta).mkpath(QStringLiteral(".fakemame"));
    QByteArray lista = "Name:             Description:\n";
    for (int i = 0; i < n; ++i)
        lista += "cand" + QByteArray::number(i).rightJustified(5, '0') + "         \"Candidate "
                 + QByteArray::number(i) + "\"\n";
    if (conArchivos) {
        for (int i = 0; i < n; ++i)
            QFile(carpeta + QStringLiteral("/roms/cand%1.zip").arg(i, 5, 10, QLatin1Char('0')))
                    .open(QIODevice::WriteOnly);
    }
    QFile salida(carpeta + QStringLiteral("/.fakemame/listfull.txt"));
    salida.open(QIODevice::WriteOnly);
    salida.write(lista);
    QFile::link(QStringLiteral(CORVALA_FAKE_MAME), carpeta + QStringLiteral("/mame"));
    Desconocido(carpeta);
}

// A search over n candidates from a freshly opened window; its time in ms.
qint64 BuscarEntre(int n, bool conArchivos)
{
    QTemporaryDir temporal;
    Candidatos(temporal.path(), n, conArchivos);
    Sesion sesion{CarpetaMame(temporal.path())};
    frmGestionar gestor(sesion);
    gestor.Form_Load();
    gestor.show();
    return Buscar(gestor);
}

} // namespace

int main(int argc, char *argv[])
{
    ColeccionDePrueba::SinPantalla();
    QApplication aplicacion(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 45000;
    const int conPrueba = argc > 2 ? std::atoi(argv[2]) : 1000;

    QTemporaryDir temporal;
    ColeccionDePrueba::Crear(temporal.path(), n, false);
    Desconocido(temporal.path());
    Sesion sesion{CarpetaMame(temporal.path())};

    QElapsedTimer reloj;
    reloj.start();
    frmGestionar gestor(sesion);
    if (!ColeccionDePrueba::Arrancar(gestor))
        return 1;
    const qint64 msAbrir = reloj.elapsed();
    const qint64 msLista = MsDeLaLista(sesion.carpeta);
    std::printf("ROM manager opened on %d archives and %d titles: %lld ms in all, of which the "
                "emulator's -listfull run about %lld ms: %lld ms without it\n",
                int(Control<QListView>(gestor, "ROMs")->model()->rowCount()),
                int(Control<QListView>(gestor, "lstJuegos")->model()->rowCount()), msAbrir, msLista,
                msAbrir - msLista);
    std::printf("Peak memory: %.1f MB\n", ColeccionDePrueba::MemoriaPico());

    Clics("the archives (title looked up)", Control<QListView>(gestor, "ROMs"),
          Control<QLabel>(gestor, "lblTitulo"));
    Clics("the titles (archive looked up)", Control<QListView>(gestor, "lstJuegos"),
          Control<QLabel>(gestor, "lblArchivo"));

    std::printf("Search over %d candidates whose archives lie in roms (no emulator run):\n", n);
    std::printf("  %lld ms\n", BuscarEntre(n, true));
    std::printf("Search over %d candidates, each tested by the fake emulator:\n", conPrueba);
    const qint64 msPruebas = BuscarEntre(conPrueba, false);
    const double porCandidato = double(msPruebas) / conPrueba;
    std::printf("  %lld ms: %.2f ms a candidate, %.1f minutes for 45,000\n", msPruebas,
                porCandidato, porCandidato * 45000 / 60000);
    return 0;
}
