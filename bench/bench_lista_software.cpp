// The game list with the consoles' software among the arcade games: 45,000 arcade archives, then
// the same folder with 20,000 items of Debian's software lists forged in roms/LIST/ (their files
// carry the lists' sizes and CRCs). Reports the main window shown without and with them, the
// search's keystrokes over both, and the first and an unchanged audit of the 20,000 items.
//
// Run: build/bench/bench_lista_software [hash folder]

#include "catalogue/logic/Catalogo.h"
#include "catalogue/logic/CatalogoSoftware.h"
#include "collection/logic/AuditoriaSoftware.h"
#include "comun/logic/BaseSqlite.h"
#include "comun/logic/Sesion.h"
#include "frontend/windows/frmCargador.h"

#include "apoyo/Controles.h"
#include "apoyo/ZipDePrueba.h"
#include "ColeccionDePrueba.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace Corvala;

namespace {

struct Medida
{
    qint64 mostrada = 0;
    double mediana = 0, peor = 0;
    int filas = 0;
};

// The main window built, filled and shown, then the search "mario 3" typed and erased.
Medida Medir(const CarpetaMame &carpeta)
{
    Medida medida;
    const ColeccionDePrueba::VentanaMostrada mostrada(carpeta);
    medida.mostrada = mostrada.ms;
    if (mostrada.ms < 0)
        return medida;
    const frmCargador &ventana = *mostrada.ventana;
    QElapsedTimer reloj;
    QListView *juegos = Control<QListView>(ventana, "lstJuegos");
    QLineEdit *busqueda = Control<QLineEdit>(ventana, "txtBuscar");
    medida.filas = juegos->model()->rowCount();
    juegos->setFocus();
    QVector<qint64> tiempos;
    const auto medir = [&](const std::function<void()> &pulsar) {
        reloj.restart();
        pulsar();
        QCoreApplication::processEvents();
        tiempos << reloj.nsecsElapsed() / 1000;
    };
    for (const char letra : QByteArray("mario 3")) {
        QWidget *destino = busqueda->isVisible() ? static_cast<QWidget *>(busqueda) : juegos;
        medir([&] { QTest::keyClicks(destino, QString(QLatin1Char(letra))); });
    }
    for (int i = 0; i < 6; ++i)
        medir([&] { QTest::keyClick(busqueda, Qt::Key_Backspace); });
    std::sort(tiempos.begin(), tiempos.end());
    medida.mediana = double(tiempos[tiempos.size() / 2]) / 1000.0;
    medida.peor = double(tiempos.last()) / 1000.0;
    return medida;
}

} // namespace

int main(int argc, char *argv[])
{
    ColeccionDePrueba::SinPantalla();
    QApplication aplicacion(argc, argv);
    const QString hash = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QStringLiteral("/usr/share/games/mame/hash");
    QTemporaryDir temporal;
    ColeccionDePrueba::Crear(temporal.path(), 45000, false);
    const CarpetaMame carpeta(temporal.path());
    const Medida sin = Medir(carpeta);

    // The lists into corvala.db, and 20,000 of their smaller items forged in roms/LIST/.
    const QString base = Catalogo::Ruta(carpeta);
    {
        BaseSqlite nueva;
        nueva.Crear(base);
    }
    QFile ini(carpeta.Ruta(QStringLiteral("mame.ini")));
    ini.open(QIODevice::WriteOnly);
    ini.write("hashpath " + hash.toUtf8() + "\n");
    ini.close();
    const QHash<QString, QString> archivos = CatalogoSoftware::Archivos({hash});
    if (!CatalogoSoftware::Construir(base, archivos, CatalogoSoftware::Huella(archivos))) {
        std::printf("the software lists cannot be read from %s\n", qPrintable(hash));
        return 1;
    }
    QElapsedTimer reloj;
    reloj.start();
    QSet<QString> listas;
    int items = 0;
    {
        BaseSqlite lectura;
        lectura.Abrir(base, true);
        BaseSqlite::Consulta filas(
                lectura, "SELECT lista, software, group_concat(nombre || char(9) || tamano || "
                         "char(9) || crc, char(10)) FROM roms_software WHERE disco = 0 "
                         "AND crc IS NOT NULL GROUP BY lista, software "
                         "HAVING sum(tamano) <= 65536 ORDER BY lista, software");
        while (items < 20000 && filas.Siguiente()) {
            const QString lista = filas.Texto(0);
            ZipDePrueba::Archivos contenido;
            QSet<QString> nombres;
            for (const QString &rom : filas.Texto(2).split(QLatin1Char('\n'))) {
                const QStringList partes = rom.split(QLatin1Char('\t'));
                if (partes.size() == 3 && partes[1].toLongLong() >= 4
                    && !nombres.contains(partes[0])) {
                    nombres.insert(partes[0]);
                    contenido.append(
                            {partes[0], ZipDePrueba::ConCrc(partes[1].toLongLong(),
                                                            partes[2].toUInt(nullptr, 16))});
                }
            }
            QDir(carpeta.Ruta(QStringLiteral("roms"))).mkpath(lista);
            if (contenido.isEmpty()
                || !ZipDePrueba::Escribir(
                        carpeta.Ruta(QStringLiteral("roms/%1/%2.zip").arg(lista, filas.Texto(1))),
                        contenido))
                continue;
            listas.insert(lista);
            ++items;
        }
    }
    std::printf("(%d items of %lld lists forged in %lld ms)\n", items,
                static_cast<long long>(listas.size()), static_cast<long long>(reloj.elapsed()));
    const Medida con = Medir(carpeta);

    reloj.restart();
    const ResultadoAuditoriaSoftware primera = AuditoriaSoftware::Auditar(carpeta, listas);
    const qint64 msPrimera = reloj.elapsed();
    reloj.restart();
    const ResultadoAuditoriaSoftware otra = AuditoriaSoftware::Auditar(carpeta, listas);
    const qint64 msOtra = reloj.elapsed();

    std::printf("Main window shown: %lld ms with 45,000 arcade archives (baseline, %d rows), "
                "%lld ms with 20,000 items more (%d rows): %.2f times\n",
                static_cast<long long>(sin.mostrada), sin.filas,
                static_cast<long long>(con.mostrada), con.filas,
                double(con.mostrada) / double(std::max<qint64>(1, sin.mostrada)));
    std::printf("Search keystrokes: median %.1f ms, worst %.1f ms (baseline: median %.1f ms, "
                "worst %.1f ms)\n",
                con.mediana, con.peor, sin.mediana, sin.peor);
    std::printf("Audit of %d items: first %lld ms (%lld verdicts%s), unchanged %lld ms\n", items,
                static_cast<long long>(msPrimera),
                static_cast<long long>(primera.veredictos.size()),
                primera.motivo.isEmpty() ? "" : qPrintable(QLatin1String(", ") + primera.motivo),
                static_cast<long long>(msOtra));
    std::printf("Peak memory: %.1f MB\n", ColeccionDePrueba::MemoriaPico());
    return otra.veredictos.size() == primera.veredictos.size() ? 0 : 1;
}
