// Which game an archive is, on Debian's MAME 0.251 (/usr/games/mame, or the emulator given):
// - one archive identified against the whole catalogue;
// - a search with the real emulator for an archive that holds a known set (puckman) under
//   another name, beside the title-by-title search, timed on a sample of its tests and
//   extrapolated to every title;
// - the directories of 45,000 archives read behind an event loop, and the loop's longest
//   stall meanwhile.
// The archives' files have the sizes and CRCs of the sets' ROMs (their bytes are zeros and
// four bytes that make the CRC): enough for the catalogue, and for the emulator's -verifyroms,
// which takes a zipped file's CRC from its directory.
//
// Run: build/bench/bench_identificacion [emulator]

#include "catalogue/logic/Catalogo.h"
#include "catalogue/logic/ConstruccionCatalogo.h"
#include "catalogue/logic/ListaMame.h"
#include "collection/logic/DirectorioZip.h"
#include "collection/logic/Identificacion.h"
#include "emulator/logic/Emulador.h"
#include "frontend/logic/IdentificacionDeArchivos.h"
#include "rommanager/logic/Busqueda.h"
#include "rommanager/logic/Compatibilidad.h"

#include "apoyo/ConsultaSqlite.h"
#include "apoyo/ZipDePrueba.h"
#include "ColeccionDePrueba.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

using namespace Corvala;

namespace {

// A set's ROMs as files with their sizes and CRCs.
ZipDePrueba::Archivos Forjados(const QString &base, const QString &juego)
{
    ZipDePrueba::Archivos archivos;
    const QByteArray consulta
            = QStringLiteral("SELECT nombre, tamano, crc FROM roms WHERE maquina = "
                             "'%1' AND crc IS NOT NULL")
                      .arg(juego)
                      .toUtf8();
    QStringList nombres;
    for (const QVariantList &rom : ConsultaSqlite(base, consulta.constData())) {
        // A set may list one ROM twice (in two regions): the archive holds it once.
        if (nombres.contains(rom[0].toString()))
            continue;
        nombres << rom[0].toString();
        archivos.append(
                {rom[0].toString(),
                 ZipDePrueba::ConCrc(rom[1].toLongLong(), rom[2].toString().toUInt(nullptr, 16))});
    }
    return archivos;
}

double Mediana(QVector<double> valores)
{
    std::sort(valores.begin(), valores.end());
    return valores.isEmpty() ? 0 : valores[valores.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication aplicacion(argc, argv);
    QTemporaryDir temporal;
    const std::optional<QString> real = ColeccionDePrueba::CarpetaReal(temporal.path(), argc, argv);
    if (!real)
        return 1;
    const CarpetaMame carpeta(temporal.path());
    if (!ColeccionDePrueba::ConstruirCatalogo(carpeta))
        return 1;
    QElapsedTimer reloj;
    reloj.start();
    const std::shared_ptr<const Catalogo> catalogo = Catalogo::Abrir(Catalogo::Ruta(carpeta));
    if (!catalogo)
        return 1;
    std::printf("Catalogue opened, with its ROMs: %lld ms, %lld machines (resident memory now %.0f "
                "MB)\n",
                reloj.elapsed(), qint64(catalogo->Cantidad()), ColeccionDePrueba::MemoriaActual());

    // One archive, identified: read its directory and rank its candidates.
    const QString base = Catalogo::Ruta(carpeta);
    for (const char *juego : {"puckman", "neogeo", "sf2"}) {
        const QString ruta = carpeta.Ruta(
                QStringLiteral("roms/%1-bajo-otro-nombre.zip").arg(QLatin1String(juego)));
        ZipDePrueba::Escribir(ruta, Forjados(base, QLatin1String(juego)));
        QVector<double> tiempos;
        QVector<Candidato> candidatos;
        for (int i = 0; i < 200; ++i) {
            QElapsedTimer vez;
            vez.start();
            candidatos = Identificacion::Candidatos(*catalogo, DirectorioZip::Leer(ruta));
            tiempos << double(vez.nsecsElapsed()) / 1e6;
        }
        std::printf(
                "Identify a %s archive: median %.2f ms, worst %.2f ms; %lld candidates, first %s\n",
                juego, Mediana(tiempos), *std::max_element(tiempos.cbegin(), tiempos.cend()),
                qint64(candidatos.size()), qPrintable(candidatos.value(0).nombre));
        if (QLatin1String(juego) != QLatin1String("puckman"))
            QFile::remove(ruta);
    }

    // The search with the real emulator, through the candidates.
    const QString archivo = QStringLiteral("puckman-bajo-otro-nombre.zip");
    Compatibilidad prueba(carpeta);
    prueba.PonerCatalogo(catalogo);
    Busqueda busqueda(prueba);
    reloj.restart();
    const Busqueda::Juegos juegos = Busqueda::JuegosAProbar(carpeta, catalogo.get(), archivo, 0);
    int pruebas = 0;
    busqueda.Empezar();
    const Busqueda::Resultado resultado = busqueda.Recorrer(
            juegos.juegos, [&] { return archivo; }, [&](qint32 n) { pruebas = n; });
    std::printf(
            "Search through the candidates: %lld ms, %d candidates, %d emulator tests, %s \"%s\"\n",
            reloj.elapsed(), juegos.total, pruebas,
            resultado == Busqueda::Resultado::Encontrada ? "found" : "NOT found",
            qPrintable(busqueda.TituloEncontrado()));

    // The title-by-title search: a sample of its tests, from the top of lista.txt.
    Compatibilidad sinCatalogo(carpeta);
    const QStringList lineas = QString::fromUtf8([&] {
                                   QFile lista(carpeta.Ruta(QStringLiteral("lista.txt")));
                                   lista.open(QIODevice::ReadOnly);
                                   return lista.readAll();
                               }())
                                       .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    constexpr int kMuestra = 40;
    reloj.restart();
    int probadas = 0;
    for (const QString &linea : lineas.mid(1, kMuestra)) {
        if (const std::optional<JuegoListado> juego = LeerLineaLista(linea)) {
            sinCatalogo.Probar(archivo, juego->nombre + QStringLiteral(".zip"));
            ++probadas;
        }
    }
    const double porPrueba = double(reloj.elapsed()) / std::max(1, probadas);
    std::printf("Title-by-title search: %.1f ms a test over %d tests; %lld titles: about %.0f s "
                "(%.1f h)\n",
                porPrueba, probadas, qint64(lineas.size() - 1),
                porPrueba * double(lineas.size() - 1) / 1000.0,
                porPrueba * double(lineas.size() - 1) / 3.6e6);

    // 45,000 archives' directories, behind an event loop.
    constexpr int kArchivos = 45000;
    QTemporaryDir coleccion;
    QStringList nombres;
    const ZipDePrueba::Archivos puckman = Forjados(base, QStringLiteral("puckman"));
    reloj.restart();
    for (int i = 0; i < kArchivos; ++i) {
        nombres << QStringLiteral("desconocido%1.zip").arg(i, 5, 10, QLatin1Char('0'));
        // Each one a little different: a file of its own beside a set's ROMs.
        ZipDePrueba::Escribir(coleccion.filePath(nombres.last()),
                              puckman.mid(0, 1 + i % puckman.size())
                                      + ZipDePrueba::Archivos{{QStringLiteral("readme.txt"),
                                                               QByteArray::number(i)}});
    }
    std::printf("(%d archives written in %lld ms)\n", kArchivos, reloj.elapsed());
    IdentificacionDeArchivos pasada;
    QEventLoop espera;
    QObject::connect(&pasada, &IdentificacionDeArchivos::terminada, &espera, &QEventLoop::quit);
    reloj.restart();
    const ColeccionDePrueba::Latido latido;
    pasada.Iniciar(catalogo, coleccion.path(), nombres);
    espera.exec();
    std::printf(
            "Read and identify %d archives off the event loop's thread: %lld ms; %lld identified; "
            "longest stall of the loop %lld ms (its timer every 5 ms)\n",
            kArchivos, reloj.elapsed(), qint64(pasada.Identificados()), latido.Peor());
    std::printf("Peak resident memory: %.0f MB\n", ColeccionDePrueba::MemoriaPico());
    return 0;
}
