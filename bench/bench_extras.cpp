// What players keep, in a folder of 45,000 archives: a catver.ini of 45,000 lines, an
// nplayers.ini, a 30 MB history.xml, and snap.zip and icons.zip with the pictures of the first
// 5,000 rows. Reports the main window shown without and with them, the time until they are read
// (the history indexed), a game's information opened, and the choice moved through those 5,000
// rows with their pictures and icons, beside the same moves without them.
//
// Run: build/bench/bench_extras

#include "catalogue/logic/Catalogo.h"
#include "comun/logic/BaseSqlite.h"
#include "comun/logic/Sesion.h"
#include "frontend/windows/frmCargador.h"
#include "frontend/windows/VistaDeJuegos.h"

#include "apoyo/VentanaModal.h"
#include "apoyo/ZipDePrueba.h"
#include "ColeccionDePrueba.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace Corvala;

namespace {

constexpr int kArchivos = 45000;
constexpr int kConImagen = 5000;

struct Medida
{
    qint64 mostrada = 0;
    qint64 extras = -1;
    double informacion = 0, informacionPeor = 0;
    double porFila = 0;
    QStringList nombres; // of the first kConImagen rows
};

QByteArray Codificar(const QImage &imagen, const char *formato)
{
    QBuffer datos;
    datos.open(QIODevice::WriteOnly);
    QImageWriter(&datos, formato).write(imagen);
    return datos.data();
}

// A snapshot of the emulator's size, with noise enough to weigh what real ones do.
QByteArray Instantanea(int semilla)
{
    QImage imagen(224, 288, QImage::Format_RGB32);
    QRandomGenerator azar{quint32(semilla)};
    for (int y = 0; y < imagen.height(); ++y)
        for (int x = 0; x < imagen.width(); ++x)
            imagen.setPixel(x, y,
                            (x / 8 + y / 8 + semilla) % 3 ? qRgb(0, 0, 40)
                                                          : qRgb(int(azar.bounded(256)), 200, 90));
    return Codificar(imagen, "png");
}

Medida Medir(const CarpetaMame &carpeta, bool conExtras)
{
    Medida medida;
    QElapsedTimer reloj;
    reloj.start();
    const ColeccionDePrueba::VentanaMostrada mostrada(carpeta);
    medida.mostrada = mostrada.ms;
    if (mostrada.ms < 0)
        return medida;
    VistaDeJuegos &juegos = mostrada.ventana->Juegos();
    while (conExtras && reloj.elapsed() < 300000
           && (!juegos.Modelo().ClasificacionEnUso()
               || !juegos.Modelo().ClasificacionEnUso()->HayCategorias()
               || juegos.Extras().Actuales().historia.isEmpty()))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    medida.extras = conExtras ? reloj.elapsed() : -1;
    for (int fila = 0; fila < std::min(kConImagen, juegos.Modelo().Cantidad()); ++fila)
        medida.nombres << juegos.Modelo().Fila(fila).juego;

    // The information of 20 games, each window closed as soon as it shows.
    QVector<qint64> tiempos;
    for (int k = 0; k < 20; ++k) {
        juegos.ElegirFila(k * 200);
        AlAbrirseLaVentana([&tiempos, &reloj](QWidget *) { tiempos << reloj.nsecsElapsed(); });
        reloj.restart();
        juegos.mnuInformacion_Click();
    }
    std::sort(tiempos.begin(), tiempos.end());
    medida.informacion = double(tiempos[tiempos.size() / 2]) / 1e6;
    medida.informacionPeor = double(tiempos.last()) / 1e6;

    // Down through the rows with pictures, each move drawn.
    juegos.ElegirFila(0);
    QCoreApplication::processEvents();
    reloj.restart();
    for (int k = 1; k < kConImagen; ++k) {
        juegos.MoverEleccion(1);
        QCoreApplication::processEvents();
    }
    medida.porFila = double(reloj.nsecsElapsed()) / 1e6 / (kConImagen - 1);
    return medida;
}

void Escribir(const QString &ruta, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(ruta).path());
    QFile archivo(ruta);
    archivo.open(QIODevice::WriteOnly);
    archivo.write(bytes);
}

} // namespace

int main(int argc, char *argv[])
{
    ColeccionDePrueba::SinPantalla();
    QApplication aplicacion(argc, argv);
    QTemporaryDir temporal;
    ColeccionDePrueba::Crear(temporal.path(), kArchivos, false);
    const CarpetaMame carpeta(temporal.path());
    // Once to warm the caches, once measured.
    Medir(carpeta, false);
    const Medida sin = Medir(carpeta, false);

    // The history is indexed into corvala.db, which the fake emulator's folder lacks.
    if (!QFileInfo::exists(Catalogo::Ruta(carpeta))) {
        BaseSqlite base;
        base.Crear(Catalogo::Ruta(carpeta));
    }
    QElapsedTimer reloj;
    reloj.start();
    QByteArray catver = "[Category]\r\n", version = "[VerAdded]\r\n", jugadores = "[NPlayers]\r\n";
    QByteArray historia
            = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<history version=\"2.51\">\n";
    const QByteArray texto = QByteArray(1000, 'x').replace(
            QByteArray(60, 'x'), "A long line of a game's history text.\n");
    for (int i = 0; i < kArchivos; ++i) {
        const QByteArray nombre = ColeccionDePrueba::Nombre(i, i % 7 == 0).toLatin1();
        catver += nombre + "=Genre " + QByteArray::number(i % 60) + " / Kind "
                  + QByteArray::number(i % 17) + (i % 50 ? "" : " * Mature *") + "\r\n";
        version += nombre + "=.1" + QByteArray::number(i % 90) + "\r\n";
        jugadores += nombre + (i % 3 ? "=2P alt\r\n" : "=1P\r\n");
        historia += "<entry><systems><system name=\"" + nombre + "\"/></systems><text>\n" + texto
                    + "</text></entry>\n";
    }
    historia += "</history>\n";
    Escribir(carpeta.Ruta(QStringLiteral("folders/catver.ini")), catver + "\r\n" + version);
    Escribir(carpeta.Ruta(QStringLiteral("folders/nplayers.ini")), jugadores);
    Escribir(carpeta.Ruta(QStringLiteral("history/history.xml")), historia);
    QList<QByteArray> muestras;
    for (int k = 0; k < 16; ++k)
        muestras << Instantanea(k);
    QImage icono(16, 16, QImage::Format_ARGB32);
    icono.fill(Qt::red);
    const QByteArray ico = Codificar(icono, "ico");
    ZipDePrueba::Archivos snaps, iconos;
    qint64 bytes = 0;
    for (int k = 0; k < sin.nombres.size(); ++k) {
        snaps.append({sin.nombres[k] + QStringLiteral(".png"), muestras[k % 16]});
        iconos.append({sin.nombres[k] + QStringLiteral(".ico"), ico});
        bytes += muestras[k % 16].size();
    }
    ZipDePrueba::Escribir(carpeta.Ruta(QStringLiteral("snap.zip")), snaps);
    ZipDePrueba::Escribir(carpeta.Ruta(QStringLiteral("icons.zip")), iconos);
    std::printf("(files written in %lld ms: history.xml %.1f MB, snap.zip %lld pictures of %.1f "
                "MB)\n",
                static_cast<long long>(reloj.elapsed()), double(historia.size()) / 1048576.0,
                static_cast<long long>(snaps.size()), double(bytes) / 1048576.0);
    const Medida primera = Medir(carpeta, true);
    const Medida con = Medir(carpeta, true);

    std::printf("Main window shown with 45,000 archives: %lld ms without these files (baseline), "
                "%lld ms with them: %.2f times (first start %lld ms)\n",
                static_cast<long long>(sin.mostrada), static_cast<long long>(con.mostrada),
                double(con.mostrada) / double(std::max<qint64>(1, sin.mostrada)),
                static_cast<long long>(primera.mostrada));
    std::printf("Files read in the background: %lld ms at the first start (history indexed), "
                "%lld ms later\n",
                static_cast<long long>(primera.extras), static_cast<long long>(con.extras));
    std::printf("Game's information opened: median %.1f ms, worst %.1f ms (baseline: median %.1f "
                "ms, worst %.1f ms)\n",
                con.informacion, con.informacionPeor, sin.informacion, sin.informacionPeor);
    std::printf("Moving through %d rows: %.2f ms a row with pictures from snap.zip and icons "
                "(baseline %.2f ms a row without them)\n",
                kConImagen, con.porFila, sin.porFila);
    std::printf("Peak memory: %.1f MB\n", ColeccionDePrueba::MemoriaPico());
    return 0;
}
