// The emulator's software lists (Debian's 692 in /usr/share/games/mame/hash, or the folder
// given): the emulator's own -getsoftlist time beside the read of every list into corvala.db,
// then what an unchanged start adds (the lists' fingerprint, the database's, and the items of
// a few lists read back), and the peak memory.
//
// Run: build/bench/bench_software [hash folder] [emulator]

#include "catalogue/logic/CatalogoSoftware.h"
#include "comun/logic/BaseSqlite.h"

#include "ColeccionDePrueba.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

using namespace Corvala;

int main(int argc, char *argv[])
{
    QCoreApplication aplicacion(argc, argv);
    const QString hash = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QStringLiteral("/usr/share/games/mame/hash");
    const QString mame
            = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("/usr/games/mame");
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath(QStringLiteral("corvala.db"));
    {
        BaseSqlite base;
        base.Crear(ruta);
        base.Ejecutar("CREATE TABLE catalogo(version TEXT, huella TEXT)");
    }
    QElapsedTimer reloj;
    if (QFileInfo(mame).isExecutable()) {
        reloj.start();
        QProcess proceso;
        proceso.setStandardOutputFile(QProcess::nullDevice());
        proceso.setStandardErrorFile(QProcess::nullDevice());
        proceso.start(mame, {QStringLiteral("-hashpath"), hash, QStringLiteral("-getsoftlist")});
        proceso.waitForFinished(-1);
        std::printf("mame -getsoftlist > /dev/null: %.2f s (baseline)\n",
                    double(reloj.elapsed()) / 1000);
    } else {
        std::printf("no emulator at %s: no baseline\n", qPrintable(mame));
    }
    reloj.restart();
    const QHash<QString, QString> archivos = CatalogoSoftware::Archivos({hash});
    const QString huella = CatalogoSoftware::Huella(archivos);
    QStringList omitidas;
    const Resultado hecho = CatalogoSoftware::Construir(ruta, archivos, huella, &omitidas);
    std::printf("%lld lists read into corvala.db: %.2f s (%s), %lld skipped, %lld MB on disk, "
                "peak memory %.0f MB\n",
                static_cast<long long>(archivos.size()), double(reloj.elapsed()) / 1000,
                hecho ? "ok" : qPrintable(hecho.Motivo()), static_cast<long long>(omitidas.size()),
                static_cast<long long>(QFileInfo(ruta).size() >> 20),
                ColeccionDePrueba::MemoriaPico());
    reloj.restart();
    const QString otra = CatalogoSoftware::Huella(CatalogoSoftware::Archivos({hash}));
    const bool igual = otra == CatalogoSoftware::HuellaGuardada(ruta);
    std::printf("unchanged start, the lists' fingerprint against the database's (%s): %.3f s\n",
                igual ? "equal" : "DIFFERENT", double(reloj.elapsed()) / 1000);
    reloj.restart();
    const auto leido = CatalogoSoftware::Abrir(
            ruta, {QStringLiteral("nes"), QStringLiteral("megadriv"), QStringLiteral("snes"),
                   QStringLiteral("a2600"), QStringLiteral("cpc_flop")});
    std::printf("every item of 5 lists read back (%d items): %.3f s\n", leido ? leido->Items() : 0,
                double(reloj.elapsed()) / 1000);
    return hecho ? 0 : 1;
}
