// What hostile files and emulators cost Corvala, one case a run (each its own peak memory):
//   arranque  the start with the real 45,294-machine catalogue on disk: how long the window
//             waits before it shows the list, and when the catalogue is in use
//   zip       the directory of an archive that declares 3,000,000 files (135 MB)
//   jugador   a 100 MB jugador.txt read, and saved once (another size in MB: jugador N)
//   sinfin    an emulator whose -listxml prints machines without end (given 90 s at most)
//   goteo     an emulator whose -listxml prints a machine a second (given 330 s at most)
//
// Run: build/bench/bench_limites CASE [emulator, for arranque]

#include "catalogue/logic/Catalogo.h"
#include "catalogue/logic/ConstruccionCatalogo.h"
#include "collection/logic/DirectorioZip.h"
#include "comun/logic/Sesion.h"
#include "emulator/logic/Emulador.h"
#include "frontend/logic/DatosDelJugador.h"
#include "frontend/windows/frmCargador.h"

#include "apoyo/CarpetaDePrueba.h"
#include "ColeccionDePrueba.h"
#include "emulator/logic/Ejecucion.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

using namespace Corvala;

namespace {

void Memoria(double antes)
{
    std::printf("  memory: peak %.0f MB (%.0f MB above the start)\n",
                ColeccionDePrueba::MemoriaPico(), ColeccionDePrueba::MemoriaPico() - antes);
}

// Builds the folder's catalogue with its emulator, for at most limiteMs: the time it took, or
// -1 when it was still running then.
qint64 Construir(const CarpetaMame &carpeta, qint64 limiteMs, QString &motivo, int &maquinas)
{
    ConstruccionCatalogo construccion;
    bool terminada = false;
    QObject::connect(&construccion, &ConstruccionCatalogo::terminada,
                     [&](std::shared_ptr<const Catalogo> catalogo, const QString &por) {
                         terminada = true;
                         motivo = catalogo ? QStringLiteral("built") : por;
                     });
    QElapsedTimer reloj;
    reloj.start();
    construccion.Iniciar(carpeta, *Emulador(carpeta).OrdenCatalogo(),
                         {VersionMame(carpeta), Catalogo::Huella(carpeta)});
    while (!terminada && reloj.elapsed() < limiteMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    maquinas = construccion.Leidas();
    std::printf("  corvala.db.nuevo then: %.0f MB\n",
                double(QFileInfo(Catalogo::RutaNueva(carpeta)).size()) / 1048576.0);
    return terminada ? reloj.elapsed() : -1;
}

// A zip whose central directory lists n empty files, all of them the one local entry at 0.
void ZipEnorme(const QString &ruta, quint32 n)
{
    QFile zip(ruta);
    zip.open(QIODevice::WriteOnly);
    const auto u16 = [](quint16 v) { return QByteArray(reinterpret_cast<const char *>(&v), 2); };
    const auto u32 = [](quint32 v) { return QByteArray(reinterpret_cast<const char *>(&v), 4); };
    const QByteArray nombre = "vacio.bin";
    zip.write("PK\x03\x04" + u16(10) + u16(0) + u16(0) + u16(0) + u16(0) + u32(0) + u32(0) + u32(0)
              + u16(quint16(nombre.size())) + u16(0) + nombre);
    const qint64 inicio = zip.pos();
    QByteArray bloque;
    for (quint32 i = 0; i < n; ++i) {
        const QByteArray nombreI = QByteArray::number(i).rightJustified(8, '0');
        bloque += "PK\x01\x02" + u16(20) + u16(10) + u16(0) + u16(0) + u16(0) + u16(0) + u32(0)
                  + u32(0) + u32(0) + u16(quint16(nombreI.size())) + u16(0) + u16(0) + u16(0)
                  + u16(0) + u32(0) + u32(0) + nombreI;
        if (bloque.size() > (1 << 20)) {
            zip.write(bloque);
            bloque.clear();
        }
    }
    zip.write(bloque);
    const qint64 tamano = zip.pos() - inicio;
    // zip64 records: the count does not fit in the classic one.
    const qint64 registro = zip.pos();
    const auto u64 = [](quint64 v) { return QByteArray(reinterpret_cast<const char *>(&v), 8); };
    zip.write("PK\x06\x06" + u64(44) + u16(45) + u16(45) + u32(0) + u32(0) + u64(n) + u64(n)
              + u64(quint64(tamano)) + u64(quint64(inicio)));
    zip.write("PK\x06\x07" + u32(0) + u64(quint64(registro)) + u32(1));
    zip.write("PK\x05\x06" + u16(0) + u16(0) + u16(0xFFFF) + u16(0xFFFF) + u32(0xFFFFFFFF)
              + u32(0xFFFFFFFF) + u16(0));
}

} // namespace

int main(int argc, char *argv[])
{
    ColeccionDePrueba::SinPantalla();
    QApplication aplicacion(argc, argv);
    const QString caso = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const double antes = ColeccionDePrueba::MemoriaActual();
    QElapsedTimer reloj;

    if (caso == u"arranque") {
        QTemporaryDir temporal;
        char *resto[] = {argv[0], argc > 2 ? argv[2] : nullptr};
        const std::optional<QString> real
                = ColeccionDePrueba::CarpetaReal(temporal.path(), argc > 2 ? 2 : 1, resto);
        if (!real)
            return 1;
        const CarpetaMame carpeta(temporal.path());
        QString motivo;
        int maquinas = 0;
        Construir(carpeta, 600000, motivo, maquinas);
        std::printf("arranque: catalogue of %d machines %s\n", maquinas, qPrintable(motivo));
        {
            Sesion primera(carpeta);
            frmCargador ventana(primera);
            ventana.Form_Load();
        }
        Sesion sesion(carpeta);
        frmCargador ventana(sesion);
        reloj.start();
        ventana.Form_Load();
        std::printf("  the window's start-up (Form_Load) returned after %lld ms, the catalogue "
                    "%s\n",
                    reloj.elapsed(), sesion.catalogo ? "already in use" : "not yet in use");
        while (!sesion.catalogo && reloj.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::printf("  the catalogue in use after %lld ms\n", reloj.elapsed());
    } else if (caso == u"zip") {
        QTemporaryDir temporal;
        const QString ruta = temporal.filePath(QStringLiteral("enorme.zip"));
        ZipEnorme(ruta, 3000000);
        std::printf("zip: %.0f MB declaring 3,000,000 files\n",
                    double(QFileInfo(ruta).size()) / 1048576.0);
        const double sinZip = ColeccionDePrueba::MemoriaActual();
        reloj.start();
        const DirectorioZip directorio = DirectorioZip::Leer(ruta);
        std::printf("  read in %lld ms: %s\n", reloj.elapsed(),
                    directorio.legible ? "accepted" : qPrintable(directorio.motivo));
        Memoria(sinZip);
    } else if (caso == u"jugador") {
        QTemporaryDir temporal;
        const CarpetaMame carpeta(temporal.path());
        {
            QFile archivo(DatosDelJugador::Ruta(carpeta));
            archivo.open(QIODevice::WriteOnly);
            archivo.write(
                    "[filtros]\r\nocultar_clones=1\r\n[favoritos]\r\ngalaga\r\n[jugados]\r\n");
            QByteArray bloque;
            const qint64 megas = argc > 2 ? QByteArray(argv[2]).toLongLong() : 100;
            for (int i = 0; archivo.size() + bloque.size() < megas * 1048576; ++i) {
                bloque += "juego" + QByteArray::number(i)
                          + "=3 2026-12-08T10:" + QByteArray::number(10 + i % 50) + ":00\r\n";
                if (bloque.size() > (1 << 20)) {
                    archivo.write(bloque);
                    bloque.clear();
                }
            }
            archivo.write(bloque);
        }
        std::printf("jugador: %.0f MB\n",
                    double(QFileInfo(DatosDelJugador::Ruta(carpeta)).size()) / 1048576.0);
        reloj.start();
        DatosDelJugador datos = DatosDelJugador::Leer(carpeta);
        std::printf("  read in %lld ms, %s the favourite kept, %d recent games\n", reloj.elapsed(),
                    datos.EsFavorito(QStringLiteral("galaga")) ? "with" : "without",
                    int(datos.Recientes(1 << 30).size()));
        reloj.restart();
        datos.Favorito(QStringLiteral("pacman"), true);
        const bool guardado = bool(datos.Guardar(carpeta));
        std::printf("  saved in %lld ms (%s), now %.1f MB\n", reloj.elapsed(),
                    guardado ? "written" : "refused",
                    double(QFileInfo(DatosDelJugador::Ruta(carpeta)).size()) / 1048576.0);
        Memoria(antes);
    } else if (caso == u"sinfin" || caso == u"goteo") {
        const bool sinFin = caso == u"sinfin";
        CarpetaDePrueba carpeta;
        carpeta.ConCatalogo();
        carpeta.Control(sinFin ? "listxml.endless=1\n" : "listxml.drip_ms=1000\n");
        QString motivo;
        int maquinas = 0;
        const qint64 tardo
                = Construir(carpeta.Carpeta(), sinFin ? 90000 : 330000, motivo, maquinas);
        if (tardo < 0)
            std::printf("%s: still running after %d s, %d machines read\n", qPrintable(caso),
                        sinFin ? 90 : 330, maquinas);
        else
            std::printf("%s: stopped after %lld ms, %d machines read: %s\n", qPrintable(caso),
                        tardo, maquinas, qPrintable(motivo));
        Memoria(antes);
    } else {
        std::printf("Usage: bench_limites arranque|zip|jugador|sinfin|goteo [emulator]\n");
        return 2;
    }
    return 0;
}
