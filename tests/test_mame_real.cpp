// Corvala with the emulator that Linux players have: Debian's mame, where it is installed. A
// MAME folder holds a link to it, as a player's would; every run must keep to that folder.
// Each run of the real emulator is bounded here by killing it outright, since it may not end
// on SIGTERM.

#include "catalogue/logic/Catalogo.h"
#include "catalogue/logic/CatalogoSoftware.h"
#include "catalogue/logic/ConstruccionCatalogo.h"
#include "collection/logic/Auditoria.h"
#include "collection/logic/AuditoriaSoftware.h"
#include "collection/logic/DirectorioZip.h"
#include "collection/logic/Identificacion.h"
#include "comun/logic/BaseSqlite.h"
#include "controls/logic/Teclado.h"
#include "controls/logic/TeclasPorDefecto.h"
#include "controls/logic/UsoDeTeclas.h"
#include "emulator/logic/Ejecucion.h"
#include "emulator/logic/Emulador.h"
#include "frontend/logic/Arranque.h"
#include "frontend/logic/Instantanea.h"
#include "frontend/logic/ListaDeJuegos.h"
#include "frontend/logic/Partida.h"
#include "input/logic/Mandos.h"
#include "input/logic/TablaTeclas.h"
#include "rommanager/logic/Compatibilidad.h"
#include "rommanager/logic/Informes.h"

#include "apoyo/ConsultaSqlite.h"
#include "apoyo/Controles.h"
#include "apoyo/MensajesDePrueba.h"
#include "apoyo/ProcesoMatado.h"
#include "apoyo/VentanaDePrueba.h"
#include "apoyo/ZipDePrueba.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <unistd.h>

using namespace Corvala;

namespace {

const QString kMameReal = QStringLiteral("/usr/games/mame");

// The archive of a system that needs no ROMs: an empty zip.
const QByteArray kZipVacio = QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0');

// Kills with SIGKILL every process this test started.
void MatarHijos()
{
    const QByteArray yo = QByteArray::number(getpid());
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile estado(QStringLiteral("/proc/") + pid + QStringLiteral("/stat"));
        if (pid.toInt() <= 0 || !estado.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold blanks, the fields after it do not.
        const QByteArray linea = estado.readAll();
        const QList<QByteArray> campos = linea.mid(linea.lastIndexOf(')') + 2).split(' ');
        if (campos.value(1) == yo)
            ::kill(pid.toInt(), SIGKILL);
    }
}

// The limit of one test's emulator runs; the runs wait with the event loop running, so the
// timer fires while the emulator is still at work.
class Vigilante
{
public:
    Vigilante()
    {
        m_reloj.setSingleShot(true);
        QObject::connect(&m_reloj, &QTimer::timeout, [this] {
            m_disparado = true;
            MatarHijos();
        });
        m_reloj.start(60000);
    }
    bool Disparado() const { return m_disparado; }

private:
    QTimer m_reloj;
    bool m_disparado = false;
};

// A MAME folder with a link to the real emulator and pong, breakout, a system with a long name
// and an unknown archive in roms, loaded by the main window as at a player's first start.
struct CarpetaReal : Ventana
{
    CarpetaReal()
        : Ventana(false)
    {
        carpeta.SinEmulador();
        QFile::link(kMameReal, carpeta.Ruta(QStringLiteral("mame")));
        for (const char *archivo : {"pong.zip", "breakout.zip", "acrnsys3_6809.zip", "junk.zip"})
            carpeta.Archivo(QLatin1String(archivo), kZipVacio);
        ventana.Form_Load();
        ventana.show();
    }

    // Sets options in the folder's mame.ini, which only an emulator that reads it will follow.
    void Opciones(const QList<std::pair<QByteArray, QByteArray>> &opciones) const
    {
        QList<QByteArray> lineas = carpeta.Leer(QStringLiteral("mame.ini")).split('\n');
        for (const auto &[nombre, valor] : opciones) {
            lineas.removeIf([&nombre = nombre](const QByteArray &linea) {
                return linea.split(' ').value(0) == nombre;
            });
            lineas << nombre + ' ' + valor;
        }
        carpeta.Escribir(QStringLiteral("mame.ini"), lineas.join('\n') + '\n');
    }

    // Double-clicks the title in the main list; the game has ended when this returns.
    void Jugar(const QString &titulo)
    {
        const int fila = int(Filas(ventana).indexOf(titulo));
        QVERIFY2(fila >= 0, qPrintable(titulo));
        DobleClic(ventana, fila);
    }

    // The text of the log viewer.
    QString Log()
    {
        MensajesDePrueba mensajes;
        ventana.lblLog_Click();
        return mensajes.Vistos().value(0).texto;
    }

    // A game that runs without window or sound for a moment and then ends by itself.
    void SinPantalla(const QByteArray &segundos = "2") const
    {
        Opciones({{"video", "none"}, {"sound", "none"}, {"seconds_to_run", segundos}});
    }

    Vigilante vigilante;
};

} // namespace

class TestMameReal : public QObject
{
    Q_OBJECT

    QTemporaryDir m_casa;
    // The folder whose catalogue elCatalogoDelEmulador built, for the tests after it.
    std::unique_ptr<CarpetaDePrueba> m_conCatalogo;

private Q_SLOTS:
    void initTestCase()
    {
        // The emulator's own files of a user ($HOME/.mame) must neither help nor suffer.
        qputenv("HOME", m_casa.path().toLocal8Bit());
    }

    void init()
    {
        if (!QFile::exists(kMameReal))
            QSKIP("Debian's mame is not installed (/usr/games/mame): nothing to test against");
    }

    void primerArranqueConSusTitulosYSuConfiguracion()
    {
        CarpetaReal real;
        QCOMPARE(Filas(real.ventana), QStringList({QStringLiteral("Acorn System 3 (6809 CPU)"),
                                                   QStringLiteral("Breakout [TTL]"),
                                                   QStringLiteral("Pong (Rev E) [TTL]"),
                                                   QStringLiteral("ROM desconocida(junk.zip)")}));
        // No release notes: the emulator said its version.
        QCOMPARE(Control<QLabel>(real.ventana, "lblEstado")->text(),
                 QStringLiteral("Versión de M.A.M.E. (0.251)"));
        // The mame.ini of the start-up points at the folder.
        const QByteArray ini = real.carpeta.Leer(QStringLiteral("mame.ini"));
        for (const char *linea :
             {"\nrompath                   roms\n", "\ncfg_directory             cfg\n",
              "\nctrlrpath                 ctrlr\n", "\nsnapshot_directory        snaps\n"})
            QVERIFY2(ini.contains(linea), linea);
        QVERIFY(!real.vigilante.Disparado());
    }

    void partidaEnLaConfiguracionDeLaCarpeta()
    {
        CarpetaReal real;
        real.SinPantalla();
        real.Opciones({{"verbose", "1"}});
        real.Jugar(QStringLiteral("Pong (Rev E) [TTL]"));
        QVERIFY(!real.vigilante.Disparado());
        // The game followed the folder's mame.ini (it ended by itself, talking at length) and
        // wrote its settings into the folder's cfg.
        const QString log = real.Log();
        QVERIFY2(log.contains(QLatin1String("Parsing mame.ini")), qPrintable(log));
        QVERIFY(real.carpeta.Existe(QStringLiteral("cfg/pong.cfg")));
        QVERIFY(!log.contains(QLatin1String("unknown option")));
    }

    void unaPartidaQueNoArrancaLoDice()
    {
        // A controller set that does not exist: the emulator refuses to start the game.
        CarpetaReal real;
        real.SinPantalla();
        real.Opciones({{"ctrlr", "noexiste"}});
        real.Jugar(QStringLiteral("Pong (Rev E) [TTL]"));
        QCOMPARE(Control<QLabel>(real.ventana, "lblEstado")->text(),
                 Partida::TextoTerminadaConError());
        const QString log = real.Log();
        QVERIFY2(log.contains(QLatin1String("Could not load controller")), qPrintable(log));
        QVERIFY2(log.endsWith(Partida::LineaDeFinal(3) + QStringLiteral("\r\n")), qPrintable(log));
        QVERIFY(!real.vigilante.Disparado());
    }

    void todasLasTeclasLasAceptaElEmulador()
    {
        // Every key of the picture that can be chosen, given to some control (64 a save), saved
        // and tried on pong in the folder's configuration: none dropped, a clean end.
        CarpetaReal real;
        real.SinPantalla("1");
        real.Opciones({{"verbose", "1"}});
        const TablaTeclas tabla(real.carpeta.Carpeta());
        QList<int> teclas;
        for (int k = 0; k < kTeclas; ++k) {
            if (!Teclado::Deshabilitada(k))
                teclas << k;
        }
        QCOMPARE(teclas.size(), 83);
        // Then a save with every control on its default less its key, with a pad's input the
        // emulator does not give it beside each; and one with every other control less its pad
        // input, its own default's given beside it, and the rest less both.
        const int celdas = kJugadores * kControles;
        for (qsizetype desde = 0; desde < teclas.size() + 2 * celdas; desde += celdas) {
            const int vuelta = desde < teclas.size() ? -1 : int((desde - teclas.size()) / celdas);
            TeclasAsignadas asignadas = TeclasSinAsignar();
            MandosAsignados mandos;
            for (int celda = 0; celda < celdas; ++celda) {
                const int p = celda / kControles, c = celda % kControles;
                const qsizetype i = desde + celda;
                if (vuelta < 0) {
                    asignadas[p][c]
                            = i < teclas.size() ? std::int16_t(teclas[i]) : std::int16_t(-1);
                } else if (vuelta == 0) {
                    asignadas[p][c] = kDefectoSinTecla;
                    mandos[p][c] = Mandos::CodigoDeBoton(p + 1, c);
                } else {
                    asignadas[p][c] = celda % 2 ? kDefectoSinNada : kDefectoSinMando;
                    if (celda % 2 == 0)
                        mandos[p][c] = TeclasPorDefecto::Mando(p, c);
                }
            }
            QVERIFY(real.ventana.Teclas().Guardar(asignadas, tabla, &mandos));
            real.Jugar(QStringLiteral("Pong (Rev E) [TTL]"));
            const QString log = real.Log();
            QVERIFY2(log.contains(QLatin1String("Parsing mame.ini")), qPrintable(log));
            QVERIFY2(!log.contains(QLatin1String("Dropping invalid input token")), qPrintable(log));
            QCOMPARE(Control<QLabel>(real.ventana, "lblEstado")->text(),
                     QStringLiteral("Ha terminado la carga."));
        }
        QVERIFY(!real.vigilante.Disparado());
    }

    void laInstantaneaDelEmuladorSeVe()
    {
        // The emulator takes a snapshot and ends, told so by a Lua script.
        CarpetaReal real;
        real.carpeta.Escribir(QStringLiteral("foto.lua"),
                              "manager.machine.video:snapshot()\nmanager.machine:exit()\n");
        real.Opciones({{"video", "none"},
                       {"sound", "none"},
                       {"autoboot_script", "foto.lua"},
                       {"autoboot_delay", "1"}});
        real.Jugar(QStringLiteral("Pong (Rev E) [TTL]"));
        // The folder's mame.ini, made at the first start, names it where the preview looks.
        QVERIFY(real.carpeta.Existe(QStringLiteral("snaps/pong.png")));
        QCOMPARE(RutaInstantanea(real.carpeta.Carpeta(), QStringLiteral("pong.zip")),
                 real.carpeta.Ruta(QStringLiteral("snaps/pong.png")));

        // With the emulator's own naming, the game's folder of snapshots.
        real.carpeta.Borrar(QStringLiteral("snaps/pong.png"));
        real.Opciones({{"snapname", "%g/%i"}});
        real.Jugar(QStringLiteral("Pong (Rev E) [TTL]"));
        QCOMPARE(RutaInstantanea(real.carpeta.Carpeta(), QStringLiteral("pong.zip")),
                 real.carpeta.Ruta(QStringLiteral("snaps/pong/0000.png")));
        QVERIFY(!real.vigilante.Disparado());
    }

    void lasTeclasDefinidasLlegan()
    {
        CarpetaReal real;
        // Player 1's start on X and coin on Z, saved from the controls window's logic.
        const TablaTeclas tabla(real.carpeta.Carpeta());
        TeclasAsignadas teclas = TeclasSinAsignar();
        for (int c = 0; c < kControles; ++c) {
            if (tabla.NombreDePuerto(0, c) == QLatin1String("START1"))
                teclas[0][c] = std::int16_t(tabla.TeclaDeCodigo(QStringLiteral("KEYCODE_X")));
            if (tabla.NombreDePuerto(0, c) == QLatin1String("COIN1"))
                teclas[0][c] = std::int16_t(tabla.TeclaDeCodigo(QStringLiteral("KEYCODE_Z")));
        }
        QVERIFY(real.ventana.Teclas().Guardar(teclas, tabla));
        QVERIFY(Control<QCheckBox>(real.ventana, "chkUsaControles")->isChecked());

        // The emulator itself says which keys its inputs answer to.
        real.carpeta.Escribir(QStringLiteral("teclas.lua"),
                              "for _, puerto in pairs(manager.machine.ioport.ports) do\n"
                              "  for nombre, campo in pairs(puerto.fields) do\n"
                              "    print('TECLA ' .. nombre .. ' = ' .. "
                              "manager.machine.input:seq_to_tokens(campo:input_seq('standard')))\n"
                              "  end\n"
                              "end\n"
                              "manager.machine:exit()\n");
        real.SinPantalla("10");
        real.Opciones({{"autoboot_script", "teclas.lua"}});
        real.Jugar(QStringLiteral("Breakout [TTL]"));
        QString log = real.Log();
        QVERIFY2(log.contains(QLatin1String("TECLA 1 Player Start = KEYCODE_X\r\n")),
                 qPrintable(log));
        QVERIFY(log.contains(QLatin1String("TECLA Coin 1 = KEYCODE_Z\r\n")));

        // Without the box ticked, the emulator's own keys.
        real.ventana.Teclas().Marcar(false);
        real.Jugar(QStringLiteral("Breakout [TTL]"));
        log = real.Log();
        QVERIFY2(log.contains(QLatin1String("TECLA 1 Player Start = KEYCODE_1")), qPrintable(log));
        QVERIFY(!real.vigilante.Disparado());
    }

    void unaPartidaMatadaDevuelveLosCfgDelJugador()
    {
        // Pong with the defined keys in force, in a process that is killed (SIGKILL) at a
        // different moment each time; the emulator runs on, ends by itself and writes its cfg
        // files over the folder's. The next start-up gives the player's own back.
        const QList<int> momentos = {0, 400, 1200};
        int devueltos = 0;
        for (const int ms : momentos) {
            CarpetaReal real;
            real.SinPantalla("1");
            real.carpeta.Escribir(QStringLiteral("cfg/default.cfg"), "mio-default");
            real.carpeta.Escribir(QStringLiteral("cfg/pong.cfg"), "mio-pong");
            QVERIFY(real.ventana.Teclas().Guardar(TeclasSinAsignar(),
                                                  TablaTeclas(real.carpeta.Carpeta())));
            QVERIFY(EjecutarYMatar(
                    {QStringLiteral("--jugar"), real.carpeta.Ruta(), QStringLiteral("pong.zip")},
                    ms));
            // The emulator, left on its own, ends within its second of running.
            QTest::qSleep(4000);

            Sesion despues(real.carpeta.Carpeta());
            QVERIFY(!Arranque::Iniciar(despues).rechazo);
            const bool bien = CfgDelJugadorEnSuSitio(real.carpeta, QStringLiteral("pong"));
            devueltos += bien ? 1 : 0;
            if (!bien)
                qWarning("killed after %d ms: the player's cfg files were not put back", ms);
        }
        qInfo("%lld kill points with Debian's mame: %d restored",
              static_cast<long long>(momentos.size()), devueltos);
        QCOMPARE(devueltos, momentos.size());
    }

    void informesConLaSalidaDelEmulador()
    {
        CarpetaReal real;
        const CarpetaMame &carpeta = real.carpeta.Carpeta();
        QVERIFY(Informes::InformeDeArchivo(carpeta, QStringLiteral("pong.zip")));
        const QString archivo
                = QString::fromUtf8(real.carpeta.Leer(QStringLiteral("comparacion.log")));
        for (const QString &linea :
             {QStringLiteral("Identifying roms/pong.zip...."),
              QStringLiteral("No ROMs required for driver \"pong\"."),
              QStringLiteral("romset pong is best available"), Informes::SinReconocer()})
            QVERIFY2(archivo.contains(linea + QStringLiteral("\r\n")), qPrintable(archivo));
        QVERIFY(!archivo.contains(QLatin1String("unknown option")));

        // What the emulator says on standard error lands in its section too.
        QVERIFY(Informes::InformeDeArchivo(carpeta, QStringLiteral("junk.zip")));
        const QString desconocido
                = QString::fromUtf8(real.carpeta.Leer(QStringLiteral("comparacion.log")));
        QVERIFY2(desconocido.contains(QLatin1String("No matching systems found for 'junk'")),
                 qPrintable(desconocido));

        QVERIFY(Informes::InformeDeJuego(carpeta, QStringLiteral("Breakout [TTL]"),
                                         QStringLiteral("breakout.zip")));
        QVERIFY(real.carpeta.Leer(QStringLiteral("comparacion.log"))
                        .contains("No ROMs required for driver \"breakout\".\r\n"));
        QVERIFY(!real.vigilante.Disparado());
    }

    void compatibilidadDeUnArchivoDesconocidoConPong()
    {
        CarpetaReal real;
        real.carpeta.Borrar(QStringLiteral("roms/pong.zip"));
        const Compatibilidad prueba(real.carpeta.Carpeta());
        // The emulator answers "romset pong is best available": not good, so not compatible.
        QVERIFY(!prueba.EsRomCompatible(QStringLiteral("junk.zip"), QStringLiteral("pong.zip")));
        QVERIFY(real.carpeta.Leer(QStringLiteral("1.p"))
                        .startsWith("romset pong is best available\n"));
        QVERIFY(real.carpeta.Existe(QStringLiteral("roms/junk.zip")));
        QVERIFY(!real.carpeta.Existe(QStringLiteral("roms/pong.zip")));
        QVERIFY(!real.carpeta.Existe(Compatibilidad::Registro()));
        QVERIFY(!real.vigilante.Disparado());
    }

    void elCatalogoDelEmulador()
    {
        // The whole catalogue, as a player's first start builds it behind the window.
        m_conCatalogo = std::make_unique<CarpetaDePrueba>();
        CarpetaDePrueba &carpeta = *m_conCatalogo;
        carpeta.SinEmulador();
        QFile::link(kMameReal, carpeta.Ruta(QStringLiteral("mame")));
        ConstruccionCatalogo construccion;
        QSignalSpy fin(&construccion, &ConstruccionCatalogo::terminada);
        const std::optional<OrdenEmulador> orden = Emulador(carpeta.Carpeta()).OrdenCatalogo();
        QVERIFY(orden);
        construccion.Iniciar(carpeta.Carpeta(), *orden, {QStringLiteral("0.251"), QString()});
        QVERIFY(fin.wait(240000));
        const auto catalogo = fin.first().first().value<std::shared_ptr<const Catalogo>>();
        QVERIFY(catalogo);
        QVERIFY(catalogo->Cantidad() > 40000);
        const FichaMaquina *pong = catalogo->Maquina(QStringLiteral("pong"));
        QVERIFY(pong);
        QCOMPARE(pong->anio, QStringLiteral("1972"));
        QCOMPARE(pong->fabricante, QStringLiteral("Atari"));
        QCOMPARE(catalogo->Maquina(QStringLiteral("pacman"))->clonDe, QStringLiteral("puckman"));
        QVERIFY(catalogo->Maquina(QStringLiteral("neogeo"))->esBios);
        // The database on disk says the same.
        const auto abierto = Catalogo::Abrir(Catalogo::Ruta(carpeta.Carpeta()));
        QVERIFY(abierto);
        QCOMPARE(abierto->Cantidad(), catalogo->Cantidad());
        QCOMPARE(abierto->Maquina(QStringLiteral("pacman"))->romDe, QStringLiteral("puckman"));

        // An archive whose files have the sizes and CRCs of puckman's ROMs, but not their
        // bytes: the catalogue ranks it to puckman. The emulator's -verifyroms takes a zipped
        // file's CRC from the zip's directory and checks no SHA-1, so it says the set is good,
        // and so does the test; the archive has its own name back after it.
        ZipDePrueba::Archivos falsos;
        for (const QVariantList &rom :
             ConsultaSqlite(Catalogo::Ruta(carpeta.Carpeta()),
                            "SELECT nombre, tamano, crc FROM roms WHERE maquina = 'puckman' AND "
                            "crc IS NOT NULL"))
            falsos.append({rom[0].toString(),
                           ZipDePrueba::ConCrc(rom[1].toLongLong(),
                                               rom[2].toString().toUInt(nullptr, 16))});
        QVERIFY(falsos.size() > 10);
        QVERIFY(ZipDePrueba::Escribir(carpeta.Ruta(QStringLiteral("roms/forjado.zip")), falsos));
        const QVector<Candidato> candidatos = Identificacion::Candidatos(
                *abierto, DirectorioZip::Leer(carpeta.Ruta(QStringLiteral("roms/forjado.zip"))));
        QVERIFY(!candidatos.isEmpty());
        QCOMPARE(candidatos.first().nombre, QStringLiteral("puckman"));
        QVERIFY(candidatos.first().completo);
        Compatibilidad prueba(carpeta.Carpeta(), 60000);
        prueba.PonerCatalogo(abierto);
        QVERIFY(prueba.EsRomCompatible(QStringLiteral("forjado.zip"),
                                       QStringLiteral("puckman.zip")));
        QVERIFY(carpeta.Leer(QStringLiteral("1.p")).startsWith("romset puckman is good"));
        QVERIFY(carpeta.Existe(QStringLiteral("roms/forjado.zip")));
        QVERIFY(!carpeta.Existe(QStringLiteral("roms/puckman.zip")));
        QFile::remove(carpeta.Ruta(QStringLiteral("roms/forjado.zip")));
    }

    void laAuditoriaJuzgaComoElEmulador()
    {
        if (!m_conCatalogo)
            QSKIP("the emulator's catalogue was not built");
        CarpetaDePrueba &carpeta = *m_conCatalogo;
        const QString base = Catalogo::Ruta(carpeta.Carpeta());
        // A set's archive with the files it asks for, by size and CRC.
        const auto roms = [&base](const QString &donde) {
            return ConsultaSqlite(base, QStringLiteral("SELECT nombre, tamano, crc, maquina FROM "
                                                       "roms WHERE crc IS NOT NULL AND %1")
                                                .arg(donde)
                                                .toUtf8()
                                                .constData());
        };
        const auto escribir = [&carpeta](const QString &archivo, const QList<QVariantList> &filas,
                                         int cambio = 0) {
            ZipDePrueba::Archivos archivos;
            for (const QVariantList &rom : filas) {
                quint32 crc = rom[2].toString().toUInt(nullptr, 16);
                QString nombre = rom[0].toString();
                // 1: its first file missing; 2: its first file with a wrong CRC; 3: every file
                // under another name.
                if (archivos.isEmpty() && cambio == 1) {
                    cambio = 0;
                    continue;
                }
                if (archivos.isEmpty() && cambio == 2)
                    crc ^= 1;
                if (cambio == 3)
                    nombre = QStringLiteral("x") + nombre;
                if (!std::any_of(archivos.cbegin(), archivos.cend(),
                                 [&nombre](const auto &a) { return a.first == nombre; }))
                    archivos.append({nombre, ZipDePrueba::ConCrc(rom[1].toLongLong(), crc)});
            }
            // In the form its name says: NAME.zip, NAME.7z (solid) or a folder NAME/.
            const QString ruta = carpeta.Ruta(QStringLiteral("roms/") + archivo);
            if (archivo.endsWith(QLatin1String(".7z")))
                return ZipDePrueba::Escribir7z(ruta, archivos);
            if (!archivo.endsWith(QLatin1Char('/')))
                return ZipDePrueba::Escribir(ruta, archivos);
            for (const auto &[nombre, bytes] : archivos)
                carpeta.Escribir(QStringLiteral("roms/") + archivo + nombre, bytes);
            return true;
        };
        const QStringList formas{QStringLiteral(".zip"), QStringLiteral(".7z"),
                                 QStringLiteral("/")};
        // 200 small parent sets, split, some with a file missing, a wrong CRC or other names; a
        // third as zips, a third as 7z, a third as folders.
        const QList<QVariantList> sueltos = ConsultaSqlite(
                base, "SELECT nombre FROM maquinas WHERE clon_de IS NULL AND rom_de IS NULL AND "
                      "es_bios = 0 AND es_dispositivo = 0 AND nombre IN (SELECT maquina FROM roms "
                      "GROUP BY maquina HAVING SUM(tamano) < 32768 AND COUNT(*) < 10 AND "
                      "COUNT(crc) = COUNT(*)) ORDER BY nombre LIMIT 200");
        QCOMPARE(sueltos.size(), 200);
        int k = 0;
        for (const QVariantList &juego : sueltos) {
            const QString nombre = juego[0].toString();
            QVERIFY(escribir(nombre + formas[k % 3],
                             roms(QStringLiteral("maquina = '%1'").arg(nombre)), k % 7));
            ++k;
        }
        // A merged family: every clone's own files in the parent's archive.
        QVERIFY(escribir(QStringLiteral("puckman.zip"),
                         roms(QStringLiteral("(maquina = 'puckman' OR (maquina IN (SELECT nombre "
                                             "FROM maquinas WHERE clon_de = 'puckman') AND fusion "
                                             "IS NULL))"))));
        // Split clones beside their parent (a 7z); a clone without its parent.
        QVERIFY(escribir(QStringLiteral("galaxian.7z"),
                         roms(QStringLiteral("maquina = 'galaxian'"))));
        for (const char *clon : {"superg", "galaxiana", "moonaln"})
            QVERIFY(escribir(QLatin1String(clon) + QLatin1String(".zip"),
                             roms(QStringLiteral("maquina = '%1' AND fusion IS NULL")
                                          .arg(QLatin1String(clon)))));
        QVERIFY(escribir(QStringLiteral("mspacmnf.zip"),
                         roms(QStringLiteral("maquina = 'mspacmnf' AND fusion IS NULL"))));
        // A BIOS (a folder) and a game of it; a game whose BIOS is missing.
        QVERIFY(escribir(QStringLiteral("neogeo/"), roms(QStringLiteral("maquina = 'neogeo'"))));
        QVERIFY(escribir(QStringLiteral("puzzledp.zip"),
                         roms(QStringLiteral("maquina = 'puzzledp' AND fusion IS NULL"))));
        QVERIFY(escribir(QStringLiteral("pktgaldx.zip"),
                         roms(QStringLiteral("maquina = 'pktgaldx' AND fusion IS NULL"))));
        QVERIFY(escribir(QStringLiteral("orlegend.zip"),
                         roms(QStringLiteral("maquina = 'orlegend' AND fusion IS NULL"))));
        // Device archives: namco51 and namco53 there, namco54 not.
        for (const char *juego : {"galaga", "digdug", "namco51", "namco53"})
            QVERIFY(escribir(QLatin1String(juego) + QLatin1String(".zip"),
                             roms(QStringLiteral("maquina = '%1'").arg(QLatin1String(juego)))));
        // A set under another name: neither names it. A set held twice, its folder (looked at
        // first) with a wrong file.
        QVERIFY(escribir(QStringLiteral("otro.zip"),
                         roms(QStringLiteral("maquina = 'bosconian'"))));
        QVERIFY(escribir(QStringLiteral("dkong.zip"), roms(QStringLiteral("maquina = 'dkong'"))));
        QVERIFY(escribir(QStringLiteral("dkong/"), roms(QStringLiteral("maquina = 'dkong'")), 2));

        const ResultadoAuditoria auditoria = Auditoria::Auditar(carpeta.Carpeta());
        QVERIFY2(auditoria.motivo.isEmpty(), qPrintable(auditoria.motivo));
        QProcess mame;
        mame.setWorkingDirectory(carpeta.Ruta());
        mame.start(kMameReal, {QStringLiteral("-rompath"), QStringLiteral("roms"),
                               QStringLiteral("-verifyroms")});
        QVERIFY(mame.waitForFinished(240000));
        const QList<QByteArray> lineas = mame.readAllStandardOutput().split('\n');
        int comparadas = 0, sinArchivos = 0;
        QStringList distintas;
        QSet<QString> nombradas;
        static const QRegularExpression kLinea(
                QStringLiteral("^romset (\\S+) (?:\\[\\S+\\] )?is (good|bad|best available)$"));
        for (const QByteArray &linea : lineas) {
            const QRegularExpressionMatch m = kLinea.match(QString::fromUtf8(linea));
            if (!m.hasMatch())
                continue;
            const QString maquina = m.captured(1);
            nombradas.insert(maquina);
            const Veredicto *v = auditoria.De(maquina);
            if (!v) {
                // The emulator also names sets that need no file at all (only ROMs with no
                // known dump, or optional ones): best available with nothing present.
                if (m.captured(2) == u"best available"
                    && roms(QStringLiteral("maquina = '%1' AND opcional = 0").arg(maquina))
                               .isEmpty()) {
                    ++sinArchivos;
                    continue;
                }
                distintas << maquina + QLatin1String(": ") + m.captured(2) + QLatin1String(" / -");
                continue;
            }
            const QString suyo = m.captured(2) == u"good"  ? QStringLiteral("correcto")
                                 : m.captured(2) == u"bad" ? QStringLiteral("incorrecto")
                                                           : QStringLiteral("mejor_disponible");
            ++comparadas;
            if (Veredicto::Palabra(v->estado) != suyo)
                distintas << maquina + QLatin1String(": ") + suyo + QLatin1String(" / ")
                                     + Veredicto::Palabra(v->estado) + QLatin1String(" ")
                                     + v->motivo;
        }
        for (auto v = auditoria.veredictos.cbegin(); v != auditoria.veredictos.cend(); ++v) {
            if (!nombradas.contains(v.key()))
                distintas << v.key() + QLatin1String(": - / ") + Veredicto::Palabra(v->estado);
        }
        qInfo("%d machines compared with the emulator's -verifyroms, %d of them differently; "
              "%d more it names with no file present (its exit: %d, %d; its last words: %s)",
              comparadas, int(distintas.size()), sinArchivos, int(mame.exitStatus()),
              mame.exitCode(), mame.readAllStandardError().right(300).constData());
        QVERIFY2(distintas.isEmpty(), qPrintable(distintas.join(QLatin1Char('\n'))));
        QVERIFY(comparadas > 200);

        // A good set kept as a 7z starts with Corvala's arguments, and ends by itself.
        const QString enSieteZ = sueltos[7][0].toString();
        QCOMPARE(auditoria.De(enSieteZ) ? auditoria.De(enSieteZ)->estado
                                        : Veredicto::Estado::Incorrecto,
                 Veredicto::Estado::Correcto);
        carpeta.Escribir(QStringLiteral("mame.ini"),
                         "rompath roms\nvideo none\nsound none\nseconds_to_run 1\n");
        int codigo = -1;
        QVERIFY(Emulador(carpeta.Carpeta()).Jugar(enSieteZ, false, &codigo));
        QCOMPARE(codigo, 0);
        QFile::remove(carpeta.Ruta(QStringLiteral("mame.ini")));
        // Kept where tools read it.
        QCOMPARE(ConsultaSqlite(base,
                                "SELECT estado, motivo FROM auditoria WHERE maquina = 'galaga'"),
                 (QList<QVariantList>{
                         {QStringLiteral("incorrecto"),
                          QStringLiteral("Faltan las ROMs del dispositivo namco54.")}}));
    }

    void elSoftwareSeJuzgaComoElEmulador()
    {
        const QString hash = QStringLiteral("/usr/share/games/mame/hash");
        if (!QFile::exists(hash + QLatin1String("/nes.xml")))
            QSKIP("Debian's software lists are not installed (mame-data): nothing to test against");
        CarpetaDePrueba carpeta;
        const QString base = carpeta.Ruta(QStringLiteral("corvala.db"));
        {
            BaseSqlite nueva;
            QVERIFY(nueva.Crear(base));
        }
        const QHash<QString, QString> nes{
                {QStringLiteral("nes"), hash + QLatin1String("/nes.xml")}};
        QVERIFY(CatalogoSoftware::Construir(base, nes, CatalogoSoftware::Huella(nes)));
        // Items forged from the list's own files: whole, one missing a file, one with a wrong
        // CRC, a clone beside its parent with its own file only.
        const auto forjar = [&](const QString &item, int quitar, bool malo) {
            ZipDePrueba::Archivos archivos;
            const QList<QVariantList> roms = ConsultaSqlite(
                    base, QStringLiteral("SELECT nombre, tamano, crc FROM roms_software "
                                         "WHERE lista = 'nes' AND software = '%1' AND crc "
                                         "IS NOT NULL ORDER BY rowid")
                                  .arg(item)
                                  .toUtf8()
                                  .constData());
            for (int k = 0; k < roms.size(); ++k) {
                if (k == quitar)
                    continue;
                const quint32 crc = roms[k][2].toString().toUInt(nullptr, 16) ^ (malo && k == 0);
                archivos.append(
                        {roms[k][0].toString(), ZipDePrueba::ConCrc(roms[k][1].toLongLong(), crc)});
            }
            QDir(carpeta.Ruta()).mkpath(QStringLiteral("roms/nes"));
            QVERIFY(ZipDePrueba::Escribir(carpeta.Ruta(QStringLiteral("roms/nes/%1.zip").arg(item)),
                                          archivos));
        };
        forjar(QStringLiteral("smb"), -1, false);
        forjar(QStringLiteral("smb3"), 1, false);
        forjar(QStringLiteral("zelda"), -1, true);
        forjar(QStringLiteral("smb1"), 1, false);
        const ResultadoAuditoriaSoftware nuestra
                = AuditoriaSoftware::Auditar(carpeta.Carpeta(), {QStringLiteral("nes")});
        QVERIFY2(nuestra.motivo.isEmpty(), qPrintable(nuestra.motivo));

        QProcess mame;
        mame.setWorkingDirectory(carpeta.Ruta());
        mame.start(kMameReal,
                   {QStringLiteral("-rompath"), QStringLiteral("roms"), QStringLiteral("-hashpath"),
                    hash, QStringLiteral("-verifysoftlist"), QStringLiteral("nes")});
        QVERIFY(mame.waitForFinished(300000));
        static const QRegularExpression kLinea(
                QStringLiteral("^romset nes:(\\S+) is (good|best available|bad)$"),
                QRegularExpression::MultilineOption);
        QHash<QString, Veredicto::Estado> suya;
        for (auto m = kLinea.globalMatch(QString::fromUtf8(mame.readAllStandardOutput()));
             m.hasNext();) {
            const QRegularExpressionMatch linea = m.next();
            suya.insert(QStringLiteral("nes/") + linea.captured(1),
                        linea.captured(2) == u"good" ? Veredicto::Estado::Correcto
                        : linea.captured(2) == u"best available"
                                ? Veredicto::Estado::MejorDisponible
                                : Veredicto::Estado::Incorrecto);
        }
        QCOMPARE(suya.size(), 4);
        QCOMPARE(QSet<QString>(nuestra.veredictos.keyBegin(), nuestra.veredictos.keyEnd()),
                 QSet<QString>(suya.keyBegin(), suya.keyEnd()));
        for (auto v = suya.cbegin(); v != suya.cend(); ++v)
            QVERIFY2(nuestra.veredictos.value(v.key()).estado == v.value(), qPrintable(v.key()));
        QCOMPARE(suya.value(QStringLiteral("nes/smb")), Veredicto::Estado::Correcto);

        // A good item starts with Corvala's arguments (mame SYSTEM ITEM) and ends by itself.
        QFile::remove(carpeta.Ruta(QStringLiteral("mame")));
        QVERIFY(QFile::link(kMameReal, carpeta.Ruta(QStringLiteral("mame"))));
        carpeta.Escribir(QStringLiteral("mame.ini"), "rompath roms\nhashpath " + hash.toUtf8()
                                                             + "\nvideo none\nsound none\n"
                                                               "seconds_to_run 1\n");
        int codigo = -1;
        QVERIFY(Emulador(carpeta.Carpeta())
                        .Jugar(QStringLiteral("nes"), false, &codigo, QStringLiteral("smb")));
        QCOMPARE(codigo, 0);
    }
};

QTEST_MAIN(TestMameReal)
#include "test_mame_real.moc"
