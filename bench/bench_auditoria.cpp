// Which games of a collection will run, on Debian's MAME 0.251 (/usr/games/mame, or the
// emulator given), over 45,000 archives named after the catalogue's machines:
// - the first audit (every directory read, every verdict reached), behind an event loop, and
//   the loop's longest stall meanwhile, the list's rows taking the verdicts included;
// - a start with nothing changed (the verdicts read back);
// - the emulator's own -verifyroms over the whole catalogue, on the same folder;
// - or, given "formas", the same sets again with a third as solid 7z archives and a third as
//   folders: the first audit and a start with nothing changed, beside the all-zip figures.
// An archive holds its set's ROMs forged (zeros and four bytes that make the CRC) where the set
// is small, and a few made-up files of its ROMs' names otherwise.
//
// Run: build/bench/bench_auditoria [emulator] [archives] [formas]

#include "catalogue/logic/Catalogo.h"
#include "catalogue/logic/ConstruccionCatalogo.h"
#include "collection/logic/Auditoria.h"
#include "collection/logic/DirectorioZip.h"
#include "comun/logic/modPrincipal.h"
#include "emulator/logic/Emulador.h"
#include "frontend/logic/DatosDelJugador.h"
#include "frontend/logic/FiltroDeJuegos.h"
#include "frontend/logic/ListaDeJuegos.h"
#include "frontend/logic/ModeloDeJuegos.h"
#include "frontend/logic/UsoDelCatalogo.h"

#include "apoyo/ConsultaSqlite.h"
#include "apoyo/ZipDePrueba.h"
#include "ColeccionDePrueba.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

using namespace Corvala;

int main(int argc, char *argv[])
{
    QCoreApplication aplicacion(argc, argv);
    QTemporaryDir temporal;
    const std::optional<QString> real = ColeccionDePrueba::CarpetaReal(temporal.path(), argc, argv);
    if (!real)
        return 1;
    const int cuantos = argc > 2 ? QByteArray(argv[2]).toInt() : 45000;
    const CarpetaMame carpeta(temporal.path());
    const QString base = Catalogo::Ruta(carpeta);
    const std::shared_ptr<const Catalogo> catalogo = ColeccionDePrueba::ConstruirCatalogo(carpeta);
    if (!catalogo)
        return 1;

    // The archives, one for each machine in name order, with its ROMs.
    QElapsedTimer reloj;
    reloj.start();
    QHash<QString, QList<QVariantList>> roms;
    for (const QVariantList &rom : ConsultaSqlite(base, "SELECT maquina, nombre, tamano, crc FROM "
                                                        "roms WHERE crc IS NOT NULL"))
        roms[rom[0].toString()].append(rom);
    ListaCargada lista;
    for (const QVariantList &fila :
         ConsultaSqlite(base, "SELECT nombre, descripcion FROM maquinas ORDER BY nombre")) {
        if (lista.ROMs.size() >= cuantos)
            break;
        const QString nombre = fila[0].toString();
        const QList<QVariantList> suyas = roms.value(nombre);
        qint64 total = 0;
        for (const QVariantList &rom : suyas)
            total += rom[2].toLongLong();
        ZipDePrueba::Archivos archivos;
        for (const QVariantList &rom : suyas) {
            if (std::any_of(archivos.cbegin(), archivos.cend(),
                            [&rom](const auto &a) { return a.first == rom[1].toString(); }))
                continue;
            if (total <= 65536)
                archivos.append({rom[1].toString(),
                                 ZipDePrueba::ConCrc(rom[2].toLongLong(),
                                                     rom[3].toString().toUInt(nullptr, 16))});
            else if (archivos.size() < 3)
                archivos.append({rom[1].toString(), rom[1].toByteArray()});
        }
        ZipDePrueba::Escribir(carpeta.Ruta(QStringLiteral("roms/%1.zip").arg(nombre)), archivos);
        lista.ROMs << nombre + QLatin1String(".zip");
        lista.juegos << fila[1].toString();
        lista.ROMTemporal << int(lista.ROMs.size() - 1);
    }
    std::printf("(%lld archives written in %lld ms)\n", qint64(lista.ROMs.size()), reloj.elapsed());

    // The list's rows, as the main window holds them.
    ModeloDeJuegos modelo;
    FiltroDeJuegos filtro;
    filtro.PonerModelo(&modelo);
    modelo.Cargar(lista, catalogo, DatosDelJugador());

    // The first audit, behind the event loop, as the main window runs it.
    const auto auditar = [&](const char *que) {
        UsoDelCatalogo::AuditoriaDeLaColeccion auditoria;
        QEventLoop espera;
        std::shared_ptr<const ResultadoAuditoria> resultado;
        qint64 aplicar = 0;
        qint64 listo = 0;
        QObject::connect(&auditoria, &UsoDelCatalogo::AuditoriaDeLaColeccion::auditada,
                         [&](std::shared_ptr<const ResultadoAuditoria> r) {
                             QElapsedTimer vez;
                             vez.start();
                             modelo.PonerAuditoria(r);
                             aplicar = vez.elapsed();
                             listo = reloj.elapsed();
                             resultado = std::move(r);
                             // The loop runs on a moment, so that the stall is seen.
                             QTimer::singleShot(20, &espera, &QEventLoop::quit);
                         });
        reloj.restart();
        const ColeccionDePrueba::Latido latido;
        auditoria.Iniciar(carpeta, catalogo, modelo);
        espera.exec();
        const qint64 total = listo;
        int cuenta[3] = {0, 0, 0};
        for (const Veredicto &v : resultado->veredictos)
            ++cuenta[int(v.estado)];
        std::printf("%s: %lld ms to the verdicts in the list (%d files read; the list's rows took "
                    "%lld ms); %lld verdicts: %d correct, %d best available, %d bad; longest "
                    "stall of the loop %lld ms (its timer every 5 ms)\n",
                    que, total, resultado->leidos, aplicar, qint64(resultado->veredictos.size()),
                    cuenta[0], cuenta[1], cuenta[2], latido.Peor());
        return total;
    };
    const qint64 primera = auditar("First audit");
    const qint64 segunda = auditar("A start with nothing changed");
    const ResultadoAuditoria *veredictos = modelo.AuditoriaEnUso();

    if (argc > 3 && QByteArray(argv[3]) == "formas") {
        // The same sets, a third as solid 7z archives, a third as folders.
        reloj.restart();
        for (int k = 0; k < lista.ROMs.size(); ++k) {
            if (k % 3 == 0)
                continue;
            const QString nombre = QuitarExtension(lista.ROMs[k]);
            const QString zip = carpeta.Ruta(QStringLiteral("roms/") + lista.ROMs[k]);
            const DirectorioZip directorio = DirectorioZip::Leer(zip);
            ZipDePrueba::Archivos archivos;
            for (const DirectorioZip::Archivo &a : directorio.archivos)
                archivos.append({a.nombre, ZipDePrueba::ConCrc(
                                                   qint64(std::max<quint64>(a.tamano, 4)), a.crc)});
            QFile::remove(zip);
            if (k % 3 == 1) {
                ZipDePrueba::Escribir7z(carpeta.Ruta(QStringLiteral("roms/%1.7z").arg(nombre)),
                                        archivos);
                lista.ROMs[k] = nombre + QLatin1String(".7z");
                continue;
            }
            QDir(carpeta.Ruta(QStringLiteral("roms"))).mkdir(nombre);
            for (const auto &[suyo, bytes] : std::as_const(archivos)) {
                QFile archivo(carpeta.Ruta(QStringLiteral("roms/%1/%2").arg(nombre, suyo)));
                if (archivo.open(QIODevice::WriteOnly))
                    archivo.write(bytes);
            }
            lista.ROMs[k] = nombre + QLatin1Char('/');
        }
        std::printf("(a third rewritten as solid 7z, a third as folders, in %lld ms)\n",
                    reloj.elapsed());
        modelo.Cargar(lista, catalogo, DatosDelJugador());
        const qint64 mezclada = auditar("First audit, mixed forms");
        const qint64 mezcladaSinCambios = auditar("A start with nothing changed, mixed forms");
        std::printf("Mixed forms beside all zips: first audit %.2f times (target 1.5 at most), "
                    "a start with nothing changed %lld ms (target 300 ms at most; all zips %lld "
                    "ms)\n",
                    double(mezclada) / double(std::max<qint64>(1, primera)), mezcladaSinCambios,
                    segunda);
        std::printf("Peak resident memory: %.0f MB\n", ColeccionDePrueba::MemoriaPico());
        return 0;
    }

    // The emulator's own answer, on the same folder.
    QProcess mame;
    mame.setWorkingDirectory(carpeta.Ruta());
    mame.setStandardOutputFile(carpeta.Ruta(QStringLiteral("verifyroms.txt")));
    mame.setStandardErrorFile(QProcess::nullDevice());
    reloj.restart();
    mame.start(*real,
               {QStringLiteral("-rompath"), QStringLiteral("roms"), QStringLiteral("-verifyroms")});
    mame.waitForFinished(15 * 60 * 1000);
    const qint64 emulador = reloj.elapsed();
    std::printf("The emulator's -verifyroms on the same folder: %lld ms (exit code %d); Corvala's "
                "first audit %.1f times faster, a start with nothing changed %.1f times\n",
                emulador, mame.exitCode(), double(emulador) / double(std::max<qint64>(1, primera)),
                double(emulador) / double(std::max<qint64>(1, segunda)));

    // And what each says of every machine.
    int iguales = 0, distintos = 0, sinArchivos = 0;
    QStringList ejemplos;
    const auto distinto = [&](const QString &maquina, const QString &suyo, const Veredicto *v) {
        ++distintos;
        if (ejemplos.size() < 40)
            ejemplos << QStringLiteral("  %1: the emulator %2, Corvala %3 %4")
                                .arg(maquina, suyo,
                                     v ? Veredicto::Palabra(v->estado) : QStringLiteral("-"),
                                     v ? v->motivo : QString());
    };
    QSet<QString> nombrados;
    QFile salida(carpeta.Ruta(QStringLiteral("verifyroms.txt")));
    salida.open(QIODevice::ReadOnly);
    static const QRegularExpression kLinea(
            QStringLiteral("^romset (\\S+) (?:\\[\\S+\\] )?is (good|bad|best available)$"));
    while (!salida.atEnd()) {
        const QRegularExpressionMatch m
                = kLinea.match(QString::fromUtf8(salida.readLine()).trimmed());
        if (!m.hasMatch())
            continue;
        nombrados.insert(m.captured(1));
        const Veredicto *v = veredictos->De(m.captured(1));
        const QString suyo = m.captured(2) == u"good"  ? QStringLiteral("correcto")
                             : m.captured(2) == u"bad" ? QStringLiteral("incorrecto")
                                                       : QStringLiteral("mejor_disponible");
        if (!v && m.captured(2) == u"best available")
            ++sinArchivos;
        else if (v && Veredicto::Palabra(v->estado) == suyo)
            ++iguales;
        else
            distinto(m.captured(1), suyo, v);
    }
    for (auto v = veredictos->veredictos.cbegin(); v != veredictos->veredictos.cend(); ++v) {
        if (!nombrados.contains(v.key()))
            distinto(v.key(), QStringLiteral("-"), &*v);
    }
    std::printf("Verdicts beside the emulator's: %d the same, %d different; %d more it names "
                "best available with none of their files (no known dump)\n",
                iguales, distintos, sinArchivos);
    for (const QString &ejemplo : std::as_const(ejemplos))
        std::printf("%s\n", qPrintable(ejemplo));
    std::printf("Peak resident memory: %.0f MB\n", ColeccionDePrueba::MemoriaPico());
    return 0;
}
