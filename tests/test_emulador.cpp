// The emulator commands: the arguments each one gives, where its output goes, the wait that
// keeps the event loop running, and the runs that fail.

#include "emulator/logic/Ejecucion.h"
#include "emulator/logic/Emulador.h"
#include "emulator/logic/OpcionesEmulador.h"
#include "emulator/logic/OpcionMameIni.h"

#include "apoyo/CarpetaDePrueba.h"
#include "apoyo/MensajesDePrueba.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

using namespace Corvala;

class TestEmulador : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cadaOrdenConSusArgumentos()
    {
        CarpetaDePrueba carpeta;
        const Emulador mame(carpeta.Carpeta());
        QVERIFY(mame.CrearConfiguracion());
        QCOMPARE(mame.ListarJuegos(), FinEjecucion::Bien);
        QVERIFY(mame.Jugar(QStringLiteral("pacman"), false));
        QVERIFY(mame.Jugar(QStringLiteral("galaga"), true));
        QVERIFY(mame.VerificarSets(QStringLiteral("pacman")));
        QVERIFY(mame.ListarRoms(QStringLiteral("pacman"), QStringLiteral("2.p")));
        QVERIFY(mame.VerificarRoms(QStringLiteral("pacman"), QStringLiteral("3.p")));
        QVERIFY(mame.IdentificarArchivo(QStringLiteral("pacman.zip"), QStringLiteral("1.p")));
        QVERIFY(mame.ReconocerArchivo(QStringLiteral("pacman.zip"), QStringLiteral("4.p")));

        const QList<QStringList> esperadas = {
                CrearConfiguracionEnLaCarpeta(),
                {QStringLiteral("-listfull")},
                {QStringLiteral("pacman")},
                {QStringLiteral("galaga"), QStringLiteral("-soundcard"), QStringLiteral("0")},
                {QStringLiteral("pacman"), QStringLiteral("-verifysets")},
                {QStringLiteral("pacman"), QStringLiteral("-listroms")},
                {QStringLiteral("pacman"), QStringLiteral("-verifyroms")},
                {QStringLiteral("roms/pacman.zip"), QStringLiteral("-romident")},
                {QStringLiteral("roms/pacman.zip"), QStringLiteral("-isknown")},
        };
        QCOMPARE(carpeta.Llamadas(), esperadas);
        // Every run works in the MAME folder.
        for (const QString &trabajo : carpeta.CarpetasDeLlamadas())
            QCOMPARE(QDir(trabajo).canonicalPath(), QDir(carpeta.Ruta()).canonicalPath());
    }

    void unNombreEsSiempreUnArgumento()
    {
        CarpetaDePrueba carpeta;
        const Emulador mame(carpeta.Carpeta());
        const QString raro = QStringLiteral("a b\"c;d && touch hecho $(touch hecho2)");
        QVERIFY(mame.Jugar(raro, false));
        QVERIFY(mame.IdentificarArchivo(raro + QStringLiteral(".zip"), QStringLiteral("1.p")));
        QCOMPARE(carpeta.Llamadas(),
                 QList<QStringList>({{raro},
                                     {QStringLiteral("roms/") + raro + QStringLiteral(".zip"),
                                      QStringLiteral("-romident")}}));
        QVERIFY(!carpeta.Existe(QStringLiteral("hecho")));
        QVERIFY(!carpeta.Existe(QStringLiteral("hecho2")));

        // No name (every set) and a name the emulator would take for an option: nothing runs.
        carpeta.OlvidarLlamadas();
        for (const QString &nombre :
             {QString(), QStringLiteral("-listxml"), QStringLiteral("-noreadconfig")}) {
            QVERIFY(!mame.ListarRoms(nombre, QStringLiteral("1.p")));
            QVERIFY(!mame.VerificarRoms(nombre, QStringLiteral("1.p")));
            QVERIFY(!mame.VerificarSets(nombre));
        }
        QCOMPARE(carpeta.Llamadas(), QList<QStringList>());
    }

    void laSalidaQuedaEnSuArchivo()
    {
        CarpetaDePrueba carpeta;
        carpeta.ListaCompleta(ListaClasica());
        carpeta.Archivo(QStringLiteral("pacman.zip"), "set=pacman\n");
        carpeta.Escribir(QStringLiteral("1.p"), "contenido anterior que debe desaparecer\n");
        const Emulador mame(carpeta.Carpeta());

        QCOMPARE(mame.ListarJuegos(), FinEjecucion::Bien);
        QCOMPARE(carpeta.Leer(QStringLiteral("lista.txt")), ListaClasica());
        QVERIFY(mame.VerificarSets(QStringLiteral("pacman")));
        QVERIFY(carpeta.Leer(QStringLiteral("1.p")).startsWith("romset pacman is good\n"));

        // Standard error is not part of the compatibility test's output...
        carpeta.Control("verifysets.fail=1\nlistroms.fail=1\n");
        QVERIFY(mame.VerificarSets(QStringLiteral("pacman")));
        QCOMPARE(carpeta.Leer(QStringLiteral("1.p")), QByteArray());
        // ...but a report's output and a game's log hold both channels.
        QVERIFY(mame.ListarRoms(QStringLiteral("pacman"), QStringLiteral("2.p")));
        QCOMPARE(carpeta.Leer(QStringLiteral("2.p")),
                 QByteArray("Error: the fake emulator was told to fail\n"));
        const std::optional<QString> log = mame.Jugar(QStringLiteral("pacman"), false);
        QVERIFY(log);
        QVERIFY(log->contains(QLatin1String("Running pacman")));
        QVERIFY(log->contains(QLatin1String("Warning: this is the fake emulator")));
    }

    void elLogDelJuegoNoQuedaEnDisco()
    {
        CarpetaDePrueba carpeta;
        carpeta.Control("game.silent=1\n");
        QTemporaryDir temporal;
        const QByteArray anterior = qgetenv("TMPDIR");
        qputenv("TMPDIR", temporal.path().toLocal8Bit());
        const std::optional<QString> log
                = Emulador(carpeta.Carpeta()).Jugar(QStringLiteral("x"), false);
        qputenv("TMPDIR", anterior);
        QCOMPARE(log, std::optional<QString>(QString()));
        QCOMPARE(QDir(temporal.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }

    void sinEmuladorFallaAntesDeEsperar()
    {
        CarpetaDePrueba carpeta;
        carpeta.SinEmulador();
        const Emulador mame(carpeta.Carpeta());
        QCOMPARE(mame.ListarJuegos(), FinEjecucion::NoEmpezo);
        QVERIFY(!carpeta.Existe(QStringLiteral("lista.txt")));
        QVERIFY(!mame.Jugar(QStringLiteral("pacman"), false));
        // A report's output file exists, empty, as the reports expect of an emulator that failed.
        QVERIFY(!mame.ListarRoms(QStringLiteral("pacman"), QStringLiteral("2.p")));
        QCOMPARE(carpeta.Leer(QStringLiteral("2.p")), QByteArray());

        // An output file that cannot be created fails too, and nothing runs.
        CarpetaDePrueba otra;
        otra.Escribir(QStringLiteral("1.p/dentro"), "x");
        QVERIFY(!Emulador(otra.Carpeta()).VerificarSets(QStringLiteral("pacman")));
        QCOMPARE(otra.Llamadas(), QList<QStringList>());
    }

    void laEsperaAtiendeLosEventos()
    {
        CarpetaDePrueba carpeta;
        carpeta.Control("listfull.delay_ms=300\n");
        bool atendido = false;
        QTimer::singleShot(20, this, [&atendido] { atendido = true; });
        QCOMPARE(Emulador(carpeta.Carpeta()).ListarJuegos(), FinEjecucion::Bien);
        QVERIFY(atendido);
        QCOMPARE(carpeta.Llamadas().size(), 1);
    }

    void unProgramaQueFallaOCallaTerminaIgual()
    {
        CarpetaDePrueba carpeta;
        carpeta.Control("fail=1\n");
        const Emulador mame(carpeta.Carpeta());
        const std::optional<QString> log = mame.Jugar(QStringLiteral("pacman"), false);
        QVERIFY(log && log->contains(QLatin1String("told to fail")));

        carpeta.Control("silent=1\n");
        QCOMPARE(mame.Jugar(QStringLiteral("pacman"), false), std::optional<QString>(QString()));
    }

    void unaListaFallidaNoSeTomaPorLista()
    {
        MensajesDePrueba mensajes;
        Emulador::Limites &limites = Emulador::LimitesEnUso();
        const Emulador::Limites antes = limites;
        limites.listaMs = 500;
        limites.listaBytes = 256 * 1024;
        limites.preguntaBytes = 64 * 1024;
        struct Caso
        {
            const char *conf;
            FinEjecucion fin;
            bool avisa;
        };
        // The fake ignores SIGTERM throughout: every limit must end the run for good.
        const Caso casos[] = {
                {"ignore_term=1\nlistfull.fail=1\n", FinEjecucion::Fallo, false},
                {"ignore_term=1\nlistfull.crash=1\n", FinEjecucion::Fallo, false},
                {"ignore_term=1\nlistfull.silent=1\n", FinEjecucion::Fallo, false},
                {"ignore_term=1\nlistfull.delay_ms=60000\n", FinEjecucion::Cortado, true},
                {"ignore_term=1\nlistfull.flood=1\n", FinEjecucion::Cortado, true},
        };
        for (const Caso &caso : casos) {
            CarpetaDePrueba carpeta;
            carpeta.Escribir(QStringLiteral("lista.txt"), ListaClasica());
            carpeta.Control(caso.conf);
            mensajes.Olvidar();
            QElapsedTimer reloj;
            reloj.start();
            QCOMPARE(Emulador(carpeta.Carpeta()).ListarJuegos(), caso.fin);
            QVERIFY2(reloj.elapsed() < 10000, caso.conf);
            // The list there was stays, and nothing else is left behind.
            QCOMPARE(carpeta.Leer(QStringLiteral("lista.txt")), ListaClasica());
            QCOMPARE(carpeta.Contenido(),
                     QStringList({QStringLiteral("lista.txt"), QStringLiteral("roms")}));
            QCOMPARE(mensajes.Titulos(),
                     caso.avisa ? QStringList({QStringLiteral("El emulador no responde.")})
                                : QStringList());
        }

        // A question answered without end is cut at its size, not read whole into memory.
        CarpetaDePrueba carpeta;
        carpeta.Control("ignore_term=1\nversion=0.251\nversion.flood=1\n");
        mensajes.Olvidar();
        QCOMPARE(Emulador(carpeta.Carpeta()).Preguntar({QStringLiteral("-version")}), std::nullopt);
        QCOMPARE(mensajes.Titulos(), QStringList({QStringLiteral("El emulador no responde.")}));
        limites = antes;
    }

    // The mame.ini Corvala has the emulator write speaks Spanish when the emulator has that
    // translation; otherwise its language stays unset.
    void laConfiguracionNuevaEnEspanol()
    {
        for (const bool conTraduccion : {true, false}) {
            CarpetaDePrueba carpeta;
            if (conTraduccion)
                carpeta.Escribir(QStringLiteral("language/Spanish/strings.mo"), "mo");
            QVERIFY(Emulador(carpeta.Carpeta()).CrearConfiguracion());
            QCOMPARE(ValorEnMameIni(carpeta.Carpeta(), QStringLiteral("language")),
                     conTraduccion ? QStringLiteral("Spanish") : QString());
        }
    }

    // What the emulator knows is asked once. A current emulator is kept to the folder's own
    // configuration on every run; one without -verifysets verifies with -verifyroms.
    void loQueElEmuladorConoce()
    {
        CarpetaDePrueba carpeta;
        carpeta.Control("");
        carpeta.Archivo(QStringLiteral("pacman.zip"), "set=pacman\n");
        const Emulador mame(carpeta.Carpeta());
        QCOMPARE(mame.ListarJuegos(), FinEjecucion::Bien);
        QVERIFY(Emulador(carpeta.Carpeta()).Jugar(QStringLiteral("pacman"), false));
        QVERIFY(mame.CrearConfiguracion());
        const auto comoSeHicieron = [&carpeta] {
            QList<QStringList> llamadas;
            for (const CarpetaDePrueba::Llamada &llamada : carpeta.LlamadasTalCual())
                llamadas << llamada.argumentos;
            return llamadas;
        };
        const QStringList enLaCarpeta{QStringLiteral("-inipath"), QStringLiteral(".")};
        QCOMPARE(comoSeHicieron(),
                 QList<QStringList>({{QStringLiteral("-showusage")},
                                     QStringList{QStringLiteral("-listfull")} + enLaCarpeta,
                                     QStringList{QStringLiteral("pacman")} + enLaCarpeta,
                                     CrearConfiguracionEnLaCarpeta()}));

        carpeta.Control("unknown=verifysets,isknown\n");
        carpeta.OlvidarLlamadas();
        QVERIFY(mame.VerificarSets(QStringLiteral("pacman")));
        QCOMPARE(carpeta.Llamadas(),
                 QList<QStringList>({{QStringLiteral("pacman"), QStringLiteral("-verifyroms")}}));
        QVERIFY(carpeta.Leer(QStringLiteral("1.p")).startsWith("romset pacman is good\n"));
        QVERIFY(!OpcionesEmulador::De(carpeta.Carpeta()).ReconoceArchivos());

        // No listing (no -showusage, or a silent one), or no -inipath: the classic commands;
        // -noverbose only for an emulator whose listing shows -verbose.
        for (const char *conf : {"unknown=showusage\n", "showusage.silent=1\n", "unknown=inipath\n",
                                 "unknown=inipath,verbose,noverbose\n"}) {
            carpeta.Control(conf);
            carpeta.OlvidarLlamadas();
            QCOMPARE(mame.ListarJuegos(), FinEjecucion::Bien);
            QVERIFY(mame.CrearConfiguracion());
            QVERIFY(mame.VerificarSets(QStringLiteral("pacman")));
            QStringList verificacion = {QStringLiteral("pacman"), QStringLiteral("-verifysets")};
            if (QByteArray(conf) == "unknown=inipath\n")
                verificacion << QStringLiteral("-noverbose");
            QCOMPARE(comoSeHicieron().mid(1), QList<QStringList>({{QStringLiteral("-listfull")},
                                                                  {QStringLiteral("-cc")},
                                                                  verificacion}));
        }
    }

    void elListadoDeOpciones()
    {
        const OpcionesEmulador actual = OpcionesEmulador::DeListado(QStringLiteral(
                "Usage:  mame [machine] [media] [software] [options]\n\nOptions:\n\n#\n"
                "# CORE SEARCH PATH OPTIONS\n#\n-rompath             path to ROM sets\n"
                "-inipath             path to ini files\n"
                "-verifyroms          report romsets that have problems\n"
                "  -romident\tcompare files with known MAME ROMs\r\n"));
        QVERIFY(actual.CarpetaPropia());
        QVERIFY(!actual.VerificaSets());
        QVERIFY(!actual.ReconoceArchivos());
        // Text that lists no option at all is no listing.
        const OpcionesEmulador nada = OpcionesEmulador::DeListado(
                QStringLiteral("Error: unknown option: -showusage\n -\n"));
        QVERIFY(!nada.CarpetaPropia());
        QVERIFY(nada.VerificaSets());
        QVERIFY(nada.ReconoceArchivos());
    }
};

QTEST_GUILESS_MAIN(TestEmulador)
#include "test_emulador.moc"
