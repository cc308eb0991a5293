// Corvala's start-up and shut-down over a MAME folder with the fake emulator, without a window:
// the version texts and what they allow, the refusals that end the program before anything is
// written, a second copy, mame.ini, the old controller set, CD-ROM mode, and the clean-up at
// the close.

#include "collection/logic/RenombrePendiente.h"
#include "comun/logic/Sesion.h"
#include "controls/logic/UsoDeTeclas.h"
#include "emulator/logic/Ejecucion.h"
#include "frontend/logic/Arranque.h"
#include "frontend/logic/CarpetaDeInicio.h"
#include "frontend/logic/Partida.h"
#include "input/logic/TablaTeclas.h"

#include "apoyo/CarpetaDePrueba.h"
#include "apoyo/MensajesDePrueba.h"
#include "apoyo/ProcesoMatado.h"

#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QtTest>

using namespace Corvala;
using Arranque::Configuracion;

Q_DECLARE_METATYPE(Arranque::Configuracion)
Q_DECLARE_METATYPE(ColorEstado)

namespace {

const QString kDesconocida = QStringLiteral("(Versión de M.A.M.E desconocida)");

// A MAME folder with the example collection and the session over it; with a version, the
// emulator says it is that version.
struct Inicio
{
    explicit Inicio(const QByteArray &version = {})
    {
        carpeta.ListaCompleta(ListaClasica());
        for (const char *nombre : {"galaga.zip", "junk.zip", "pacman.zip"})
            carpeta.Archivo(QLatin1String(nombre));
        if (!version.isEmpty())
            carpeta.Escribir(QStringLiteral("whatsnew.txt"), version + "\r\nmore notes\r\n");
    }

    Arranque::Inicio Iniciar() { return Arranque::Iniciar(sesion); }

    CarpetaDePrueba carpeta;
    Sesion sesion{carpeta.Carpeta()};
};

QStringList Ordenes(const CarpetaDePrueba &carpeta)
{
    QStringList ordenes;
    for (const QStringList &llamada : carpeta.Llamadas())
        ordenes << llamada.join(QLatin1Char(' '));
    return ordenes;
}

} // namespace

class TestArranque : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void versiones_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<Configuracion>("configuracion");
        QTest::addColumn<bool>("sinSonido");
        QTest::newRow("desconocida") << kDesconocida << Configuracion::NoConfigurable << true;
        QTest::newRow("0.36") << "0.36" << Configuracion::NoConfigurable << true;
        QTest::newRow("0.37 BETA 14") << "0.37 BETA 14" << Configuracion::NoConfigurable << true;
        QTest::newRow("0.37b14 va tras un blanco")
                << "0.37b14" << Configuracion::ControlesNoConfigurables << true;
        QTest::newRow("0.52") << "0.52" << Configuracion::ControlesNoConfigurables << true;
        QTest::newRow("0.53") << "0.53" << Configuracion::ControlesNoConfigurables << false;
        QTest::newRow("0.53b") << "0.53b" << Configuracion::ControlesNoConfigurables << false;
        QTest::newRow("0.59") << "0.59" << Configuracion::ControlesNoConfigurables << false;
        QTest::newRow("0.59b") << "0.59b" << Configuracion::Configurable << false;
        QTest::newRow("0.6") << "0.6" << Configuracion::Configurable << false;
        QTest::newRow("0.96") << "0.96" << Configuracion::Configurable << false;
        QTest::newRow("0.100") << "0.100" << Configuracion::Configurable << false;
        QTest::newRow("0.139u4") << "0.139u4" << Configuracion::Configurable << false;
        QTest::newRow("0.251") << "0.251" << Configuracion::Configurable << false;
    }
    void versiones()
    {
        QFETCH(QString, version);
        QFETCH(Configuracion, configuracion);
        QCOMPARE(Arranque::ConfiguracionDeVersion(version), configuracion);
        QFETCH(bool, sinSonido);
        QCOMPARE(Partida::SinSonido(version), sinSonido);
    }

    void ordenDeVersiones()
    {
        // Plain text order, except that three digits after "0." beat fewer.
        QVERIFY(CompararVersiones(QStringLiteral("0.100"), QStringLiteral("0.99")) > 0);
        QVERIFY(CompararVersiones(QStringLiteral("0.99"), QStringLiteral("0.100")) < 0);
        QVERIFY(CompararVersiones(QStringLiteral("0.100"), QStringLiteral("0.251")) < 0);
        QVERIFY(CompararVersiones(QStringLiteral("0.139u4"), QStringLiteral("0.139")) > 0);
        QVERIFY(CompararVersiones(QStringLiteral("0.59"), QStringLiteral("0.59")) == 0);
        QVERIFY(CompararVersiones(QStringLiteral("0.5"), QStringLiteral("0.59")) < 0);
        QVERIFY(CompararVersiones(kDesconocida, QStringLiteral("0.100")) < 0);
        QVERIFY(CompararVersiones(QStringLiteral("1.0"), QStringLiteral("0.251")) > 0);
    }

    void textosDeVersion()
    {
        QCOMPARE(Arranque::TextoDeVersion(kDesconocida, Configuracion::NoConfigurable),
                 kDesconocida);
        QCOMPARE(Arranque::TextoDeVersion(QStringLiteral("0.36"), Configuracion::NoConfigurable),
                 QStringLiteral("Version de M.A.M.E. (0.36) (No configurable)"));
        QCOMPARE(Arranque::TextoDeVersion(QStringLiteral("0.52"),
                                          Configuracion::ControlesNoConfigurables),
                 QStringLiteral("Versión de M.A.M.E. (0.52) (Controles no configurables)"));
        QCOMPARE(Arranque::TextoDeVersion(QStringLiteral("0.251"), Configuracion::Configurable),
                 QStringLiteral("Versión de M.A.M.E. (0.251)"));
    }

    void sinEmuladorNadaSeEscribe()
    {
        Inicio inicio;
        inicio.carpeta.SinEmulador();
        QTemporaryDir bloqueos;
        inicio.sesion.rutaBloqueo = bloqueos.filePath(QStringLiteral("corvala.lock"));
        const Arranque::Inicio resultado = inicio.Iniciar();
        QVERIFY(resultado.rechazo);
        QCOMPARE(resultado.rechazo->titulo, QStringLiteral("Fichero no encontrado."));
        QVERIFY(resultado.rechazo->texto.startsWith(QStringLiteral(
                "No se ha encontrado el archivo ejecutable de M.A.M.E (mame) sin este")));
        QVERIFY(resultado.rechazo->icono == Mensaje::Icono::Critico);
        QCOMPARE(inicio.carpeta.Contenido(), QStringList({QStringLiteral("roms")}));
        // The second copy is not even looked for.
        QVERIFY(!QFileInfo::exists(inicio.sesion.rutaBloqueo));
    }

    void unaSegundaCopia()
    {
        QTemporaryDir bloqueos;
        const QString ruta = bloqueos.filePath(QStringLiteral("corvala.lock"));
        Inicio primera;
        primera.sesion.rutaBloqueo = ruta;
        QVERIFY(!primera.Iniciar().rechazo);

        Inicio segunda;
        segunda.sesion.rutaBloqueo = ruta;
        const Arranque::Inicio resultado = segunda.Iniciar();
        QVERIFY(resultado.rechazo);
        QCOMPARE(resultado.rechazo->titulo, QStringLiteral("Corvala ya está abierto."));
        QCOMPARE(resultado.rechazo->texto,
                 QStringLiteral("Corvala! ya se encuentra abierto, búscalo, debe estar por ahí."));
        QCOMPARE(segunda.carpeta.Contenido(), QStringList({QStringLiteral("roms")}));
        QVERIFY(segunda.carpeta.Llamadas().isEmpty());

        // The lock of a copy that is gone is taken over.
        primera.sesion.bloqueo.reset();
        QFile muerto(ruta);
        QVERIFY(muerto.open(QIODevice::WriteOnly));
        muerto.write("2147480000\ntest_arranque\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        muerto.close();
        Inicio tercera;
        tercera.sesion.rutaBloqueo = ruta;
        QVERIFY(!tercera.Iniciar().rechazo);
    }

    void unBloqueoPorCarpeta()
    {
        // The same folder however it is named; another folder apart.
        Inicio una;
        Inicio otra;
        const QString ruta = Arranque::RutaBloqueo(una.sesion.carpeta);
        QCOMPARE(ruta, una.carpeta.Ruta(QStringLiteral("corvala.lock")));
        QCOMPARE(Arranque::RutaBloqueo(CarpetaMame(una.carpeta.Ruta(QStringLiteral("roms/..")))),
                 una.carpeta.Ruta(QStringLiteral("roms/../corvala.lock")));
        una.sesion.rutaBloqueo = ruta;
        otra.sesion.rutaBloqueo = Arranque::RutaBloqueo(otra.sesion.carpeta);
        QVERIFY(!una.Iniciar().rechazo);
        QVERIFY(!otra.Iniciar().rechazo);
        Inicio segunda;
        segunda.sesion.rutaBloqueo = ruta;
        QVERIFY(segunda.Iniciar().rechazo);

        // A folder that cannot be written (immutable: even root cannot write it): a lock in the
        // temporary folder, named after the folder's real path.
        QTemporaryDir temporal;
        const QString soloLectura = temporal.filePath(QStringLiteral("cd"));
        QVERIFY(QDir().mkpath(soloLectura));
        if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), soloLectura}) != 0)
            QSKIP("chattr +i is not possible here: the read-only case is not tested");
        const QString fuera = Arranque::RutaBloqueo(CarpetaMame(soloLectura));
        const QString otraFuera
                = Arranque::RutaBloqueo(CarpetaMame(temporal.filePath(QStringLiteral("cd/../cd"))));
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), soloLectura});
        QVERIFY(fuera.startsWith(QDir::tempPath() + QStringLiteral("/corvala-")));
        QCOMPARE(otraFuera, fuera);
        QVERIFY(Arranque::RutaBloqueo(CarpetaMame(QStringLiteral("/proc/no-existe"))) != fuera);
    }

    void versionYConfiguracion_data()
    {
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<bool>("conMameIni");
        QTest::addColumn<QString>("estado");
        QTest::addColumn<ColorEstado>("color");
        QTest::addColumn<Configuracion>("configuracion");
        QTest::addColumn<bool>("creaMameIni");
        const QString v251 = QStringLiteral("Versión de M.A.M.E. (0.251)");
        QTest::newRow("actual, sin mame.ini")
                << QByteArray("0.251") << false << v251 << ColorEstado::Turquesa
                << Configuracion::Configurable << true;
        QTest::newRow("actual, con mame.ini propio")
                << QByteArray("0.251") << true << v251 << ColorEstado::Turquesa
                << Configuracion::Configurable << false;
        QTest::newRow("0.52") << QByteArray("0.52") << false
                              << QStringLiteral(
                                         "Versión de M.A.M.E. (0.52) (Controles no configurables)")
                              << ColorEstado::Rojo << Configuracion::ControlesNoConfigurables
                              << true;
        QTest::newRow("0.37 BETA 14")
                << QByteArray("0.37 BETA 14") << false
                << QStringLiteral("Version de M.A.M.E. (0.37 BETA 14) (No configurable)")
                << ColorEstado::Rojo << Configuracion::NoConfigurable << false;
        // Without whatsnew.txt: the text alone, in red, and no -cc even without mame.ini.
        QTest::newRow("desconocida") << QByteArray() << false << kDesconocida << ColorEstado::Rojo
                                     << Configuracion::NoConfigurable << false;
    }
    void versionYConfiguracion()
    {
        QFETCH(QByteArray, version);
        QFETCH(bool, conMameIni);
        Inicio inicio(version);
        if (conMameIni)
            inicio.carpeta.Escribir(QStringLiteral("mame.ini"), "propio\r\n");
        const Arranque::Inicio resultado = inicio.Iniciar();

        QVERIFY(!resultado.rechazo);
        QCOMPARE(resultado.lista.juegos,
                 QStringList({QStringLiteral("Galaga"), QStringLiteral("Pac-Man"),
                              QStringLiteral("ROM desconocida(junk.zip)")}));
        QTEST(resultado.estado.texto, "estado");
        QTEST(resultado.estado.color, "color");
        QTEST(resultado.configuracion, "configuracion");
        QFETCH(bool, creaMameIni);
        QStringList ordenes = {QStringLiteral("-listfull")};
        if (creaMameIni)
            ordenes << CrearConfiguracionEnLaCarpeta().join(QLatin1Char(' '));
        QCOMPARE(Ordenes(inicio.carpeta), ordenes);
        if (conMameIni)
            QCOMPARE(inicio.carpeta.Leer(QStringLiteral("mame.ini")), QByteArray("propio\r\n"));
        else
            QCOMPARE(inicio.carpeta.Existe(QStringLiteral("mame.ini")), creaMameIni);
        if (!version.isEmpty())
            QCOMPARE(inicio.sesion.versionMame, QString::fromLatin1(version));
    }

    void unaListaQueNoSeHaceSeDiceYSeReintenta()
    {
        Inicio inicio("0.251");
        inicio.carpeta.Control("listfull.fail=1\n");
        Arranque::Inicio resultado = inicio.Iniciar();
        QCOMPARE(resultado.estado.texto,
                 QStringLiteral("No se ha podido crear la lista de juegos."));
        QCOMPARE(resultado.estado.color, ColorEstado::Rojo);
        QVERIFY(!inicio.carpeta.Existe(QStringLiteral("lista.txt")));
        QCOMPARE(resultado.lista.juegos.size(), 0);

        // The next start tries again; the renewal gives the old list back when it fails.
        inicio.sesion.bloqueo.reset();
        inicio.carpeta.Control("");
        resultado = inicio.Iniciar();
        QCOMPARE(resultado.estado.texto, QStringLiteral("Versión de M.A.M.E. (0.251)"));
        QCOMPARE(resultado.lista.juegos.size(), 3);
        QVERIFY(ListaDeJuegos::ApartarLista(inicio.sesion.carpeta));
        inicio.carpeta.Control("listfull.crash=1\n");
        const std::optional<ListaCargada> otra
                = ListaDeJuegos::CargarDatos(inicio.sesion.carpeta, false);
        QVERIFY(otra && otra->listaFallida);
        QCOMPARE(otra->juegos.size(), 3);
        QCOMPARE(inicio.carpeta.Leer(QStringLiteral("lista.txt")), ListaClasica());
        QVERIFY(!inicio.carpeta.Existe(QStringLiteral("lista.anterior")));
    }

    void unaPruebaMatadaSeDeshaceAlArrancar()
    {
        // A compatibility test run in a process of its own, killed (SIGKILL) at a different
        // moment each time: before, during and after the renames and the emulator's run.
        const QList<int> momentos = {0, 5, 10, 20, 30, 45, 60, 80, 100, 130, 160, 200};
        int devueltos = 0;
        for (const int ms : momentos) {
            Inicio inicio("0.251");
            inicio.carpeta.Archivo(QStringLiteral("mi\njuego.zip"), "set=dkong");
            inicio.carpeta.Control("verifysets.delay_ms=60\n");
            QVERIFY(EjecutarYMatar({QStringLiteral("--comparar"), inicio.carpeta.Ruta(),
                                    QStringLiteral("mi\njuego.zip"), QStringLiteral("dkong.zip")},
                                   ms));
            const Arranque::Inicio resultado = inicio.Iniciar();
            const bool bien = inicio.carpeta.Existe(QStringLiteral("roms/mi\njuego.zip"))
                              && !inicio.carpeta.Existe(QStringLiteral("roms/dkong.zip"))
                              && !inicio.carpeta.Existe(RenombrePendiente::Nombre())
                              && resultado.lista.juegos.contains(
                                      QStringLiteral("ROM desconocida(mi\njuego.zip)"));
            devueltos += bien ? 1 : 0;
            if (!bien)
                qWarning("killed after %d ms: the archive was not given its name back", ms);
        }
        qInfo("%lld kill points: %d restored", static_cast<long long>(momentos.size()), devueltos);
        QCOMPARE(devueltos, momentos.size());
    }

    void unaPartidaMatadaDevuelveLosCfgDelJugador()
    {
        // A game with the defined keys in force, run by a process of its own that is killed
        // (SIGKILL) at a different moment each time; the emulator goes on and writes its cfg
        // files as it ends, as the real one does.
        const QList<int> momentos = {0, 10, 25, 50, 80, 120, 170, 250};
        int devueltos = 0;
        for (const int ms : momentos) {
            Inicio inicio("0.251");
            inicio.carpeta.Control("game.delay_ms=120\ngame.writes_cfg=1\n");
            inicio.Iniciar();
            inicio.sesion.bloqueo.reset();
            inicio.carpeta.Escribir(QStringLiteral("cfg/default.cfg"), "mio-default");
            inicio.carpeta.Escribir(QStringLiteral("cfg/pacman.cfg"), "mio-pacman");
            QVERIFY(UsoDeTeclas(inicio.sesion)
                            .Guardar(TeclasSinAsignar(), TablaTeclas(inicio.carpeta.Carpeta())));
            QVERIFY(EjecutarYMatar({QStringLiteral("--jugar"), inicio.carpeta.Ruta(),
                                    QStringLiteral("pacman.zip")},
                                   ms));
            QTest::qSleep(250); // the emulator, left running, ends and writes its files

            Sesion despues(inicio.carpeta.Carpeta());
            QVERIFY(!Arranque::Iniciar(despues).rechazo);
            const bool bien = CfgDelJugadorEnSuSitio(inicio.carpeta, QStringLiteral("pacman"));
            devueltos += bien ? 1 : 0;
            if (!bien)
                qWarning("killed after %d ms: the player's cfg files were not put back", ms);
        }
        qInfo("%lld kill points: %d restored", static_cast<long long>(momentos.size()), devueltos);
        QCOMPARE(devueltos, momentos.size());
    }

    void elCtrlrDelJugadorSeRespeta()
    {
        // Never ticked: the player's own value stays.
        Inicio propio("0.251");
        propio.carpeta.Escribir(QStringLiteral("mame.ini"), "rompath roms\r\nctrlr mykeys\r\n");
        propio.Iniciar();
        QVERIFY(Arranque::Cerrar(propio.sesion).permitido);
        QCOMPARE(propio.carpeta.Leer(QStringLiteral("mame.ini")),
                 QByteArray("rompath roms\r\nctrlr mykeys\r\n"));

        // Ticked: Corvala's value goes and the player's line comes back.
        Inicio marcado("0.251");
        marcado.carpeta.Escribir(QStringLiteral("mame.ini"), "rompath roms\r\nctrlr mykeys\r\n");
        marcado.Iniciar();
        QVERIFY(UsoDeTeclas(marcado.sesion)
                        .Guardar(TeclasSinAsignar(), TablaTeclas(marcado.carpeta.Carpeta())));
        QVERIFY(marcado.carpeta.Leer(QStringLiteral("mame.ini"))
                        .contains("ctrlr                   Corvala"));
        QVERIFY(!Arranque::Cerrar(marcado.sesion).error);
        QCOMPARE(marcado.carpeta.Leer(QStringLiteral("mame.ini")),
                 QByteArray("rompath roms\r\nctrlr mykeys\r\n"));
    }

    void controladorAntiguo()
    {
        // Only the INI form beside the emulator's own controllers: removed with its folder.
        Inicio v("0.106");
        v.carpeta.Escribir(QStringLiteral("mame.ini"), "\r\n");
        v.carpeta.Escribir(QStringLiteral("ctrlr/hotrod.cfg"), "");
        v.carpeta.Escribir(QStringLiteral("ctrlr/Corvala/default.ini"), "#\r\n");
        v.Iniciar();
        QVERIFY(!v.carpeta.Existe(QStringLiteral("ctrlr/Corvala")));
        QVERIFY(v.carpeta.Existe(QStringLiteral("ctrlr/hotrod.cfg")));

        // With the cfg form too, or without the emulator's controllers, it stays.
        Inicio completo("0.106");
        completo.carpeta.Escribir(QStringLiteral("mame.ini"), "\r\n");
        completo.carpeta.Escribir(QStringLiteral("slikstik.cfg"), "");
        completo.carpeta.Escribir(QStringLiteral("ctrlr/Corvala/default.ini"), "#\r\n");
        completo.carpeta.Escribir(QStringLiteral("ctrlr/Corvala.cfg"), "");
        completo.Iniciar();
        QVERIFY(completo.carpeta.Existe(QStringLiteral("ctrlr/Corvala/default.ini")));

        Inicio solo("0.106");
        solo.carpeta.Escribir(QStringLiteral("mame.ini"), "\r\n");
        solo.carpeta.Escribir(QStringLiteral("ctrlr/Corvala/default.ini"), "#\r\n");
        solo.Iniciar();
        QVERIFY(solo.carpeta.Existe(QStringLiteral("ctrlr/Corvala/default.ini")));
    }

    void desdeUnCd()
    {
        MensajesDePrueba mensajes;
        Inicio v("0.251");
        v.carpeta.Escribir(QStringLiteral("all.bat"), "mame -listfull > lista.txt\r\n");
        v.carpeta.Escribir(QStringLiteral("lista.txt"), ListaClasica());
        v.carpeta.Escribir(QStringLiteral("Corvala.tlc"), "[teclas]\r\n");
        v.carpeta.Escribir(QStringLiteral("ctrlr/hotrod.cfg"), "");
        v.carpeta.Escribir(QStringLiteral("ctrlr/Corvala/default.ini"), "#\r\n");
        v.sesion.esUnidadCD = [](const QString &) { return true; };
        const Arranque::Inicio resultado = v.Iniciar();
        QVERIFY(!resultado.rechazo);
        QVERIFY(v.sesion.cd);
        QVERIFY(v.carpeta.Llamadas().isEmpty());
        QVERIFY(!v.carpeta.Existe(QStringLiteral("mame.ini")));
        QVERIFY(v.carpeta.Existe(QStringLiteral("ctrlr/Corvala/default.ini")));
        QCOMPARE(resultado.estado.texto,
                 QStringLiteral("Ejecutando desde CD (Modo deshabilitado)"));
        QCOMPARE(resultado.estado.color, ColorEstado::Rojo);
        QCOMPARE(resultado.lista.juegos.size(), 3);

        // Closing from a CD-ROM leaves mame.ini alone.
        v.carpeta.Escribir(QStringLiteral("mame.ini"), "ctrlr Corvala\r\n");
        QVERIFY(Arranque::Cerrar(v.sesion).permitido);
        QCOMPARE(v.carpeta.Leer(QStringLiteral("mame.ini")), QByteArray("ctrlr Corvala\r\n"));
        QVERIFY(mensajes.Vistos().isEmpty());

        // A CD-ROM without Corvala's files is refused.
        Inicio vacio("0.251");
        vacio.sesion.esUnidadCD = [](const QString &) { return true; };
        const Arranque::Inicio rechazo = vacio.Iniciar();
        QVERIFY(rechazo.rechazo);
        QCOMPARE(rechazo.rechazo->titulo, QStringLiteral("Error Crítico."));
        QCOMPARE(vacio.carpeta.Contenido(),
                 QStringList({QStringLiteral("roms"), QStringLiteral("whatsnew.txt")}));
    }

    void alCerrar()
    {
        MensajesDePrueba mensajes;
        Inicio v("0.251");
        v.Iniciar();
        v.carpeta.Escribir(QStringLiteral("cfg/default.cfg"), "propio");
        UsoDeTeclas uso(v.sesion);
        QVERIFY(uso.Guardar(TeclasSinAsignar(), TablaTeclas(v.carpeta.Carpeta())));
        QVERIFY(v.carpeta.Leer(QStringLiteral("mame.ini"))
                        .contains("ctrlr                   Corvala\r\n"));
        // The emulator wrote a new default.cfg meanwhile; the set-aside one replaces it.
        v.carpeta.Escribir(QStringLiteral("cfg/default.cfg"), "del emulador");
        v.carpeta.Escribir(QStringLiteral("1.p"), "informe");

        // Refused while a game runs.
        v.sesion.ocupado = true;
        const Arranque::Cierre rechazado = Arranque::Cerrar(v.sesion);
        QVERIFY(!rechazado.permitido);
        QCOMPARE(rechazado.estado,
                 QStringLiteral("Si MAME está activo, no se puede cerrar Corvala!"));
        QVERIFY(v.carpeta.Existe(QStringLiteral("all.bat")));

        v.sesion.ocupado = false;
        const Arranque::Cierre cierre = Arranque::Cerrar(v.sesion);
        QVERIFY(cierre.permitido);
        QVERIFY(!cierre.error);
        QVERIFY(v.carpeta.Leer(QStringLiteral("mame.ini"))
                        .contains("# ctrlr                 <NULL> (Not Set)\r\n"));
        QCOMPARE(v.carpeta.Leer(QStringLiteral("cfg/default.cfg")), QByteArray("propio"));
        QVERIFY(!v.carpeta.Existe(QStringLiteral("cfg/default.bak")));
        QVERIFY(!v.carpeta.Existe(QStringLiteral("all.bat")));
        QVERIFY(!v.carpeta.Existe(QStringLiteral("1.p")));
        QVERIFY(v.carpeta.Existe(QStringLiteral("lista.txt")));
        QVERIFY(mensajes.Vistos().isEmpty());

        // A mame.ini that cannot be replaced: one box to show, and the rest is cleaned up.
        Inicio bloqueado("0.251");
        bloqueado.Iniciar();
        bloqueado.carpeta.Escribir(QStringLiteral("mame.ini"),
                                   "ctrlr                   Corvala\r\n");
        bloqueado.carpeta.Bloquear(QStringLiteral("mame.in"));
        bloqueado.carpeta.Escribir(QStringLiteral("1.p"), "informe");
        const Arranque::Cierre conError = Arranque::Cerrar(bloqueado.sesion);
        QVERIFY(conError.permitido);
        QVERIFY(conError.error);
        QCOMPARE(conError.error->texto, UsoDeTeclas::TextoErrorMameIni());
        QVERIFY(!bloqueado.carpeta.Existe(QStringLiteral("1.p")));
    }

    // The MAME folder at start-up, with a made-up home: a copied Corvala beside an emulator
    // works in its own folder; an installed one (even beside the distribution's mame) or one
    // without an emulator works in ~/mame, prepared once the player agrees.
    void laCarpetaDeMame_data()
    {
        QTest::addColumn<QString>("programa"); // what the program's folder holds
        QTest::addColumn<bool>("instalado");
        QTest::addColumn<bool>("mameEnCasa"); // ~/mame holds an emulator
        QTest::addColumn<bool>("emulador");   // one is installed in the system
        QTest::addColumn<QString>("elegida");
        QTest::addColumn<bool>("preparar");
        QTest::newRow("copiado junto a un emulador")
                << "mame" << false << true << true << "programa" << false;
        QTest::newRow("instalado, ~/mame con emulador")
                << "" << true << true << true << "casa" << false;
        QTest::newRow("instalado junto al mame de Debian")
                << "mame" << true << true << true << "casa" << false;
        QTest::newRow("sin ~/mame, con emulador instalado")
                << "" << true << false << true << "casa" << true;
        QTest::newRow("copiado sin emulador, ~/mame con él")
                << "" << false << true << false << "casa" << false;
        QTest::newRow("sin emulador en ninguna parte")
                << "" << true << false << false << "programa" << false;
    }
    void laCarpetaDeMame()
    {
        QFETCH(QString, programa);
        QFETCH(bool, instalado);
        QFETCH(bool, mameEnCasa);
        QFETCH(bool, emulador);
        QFETCH(QString, elegida);
        QFETCH(bool, preparar);
        QTemporaryDir raiz;
        const QString carpetaPrograma = raiz.filePath(QStringLiteral("programa"));
        const QString casa = raiz.filePath(QStringLiteral("casa"));
        QDir().mkpath(carpetaPrograma);
        QDir().mkpath(casa);
        if (!programa.isEmpty())
            QFile(carpetaPrograma + QStringLiteral("/mame")).open(QIODevice::WriteOnly);
        if (mameEnCasa) {
            QDir().mkpath(casa + QStringLiteral("/mame"));
            QFile(casa + QStringLiteral("/mame/mame")).open(QIODevice::WriteOnly);
        }
        const QString instalada
                = instalado ? carpetaPrograma : raiz.filePath(QStringLiteral("usr"));
        const QString sistema = emulador ? QStringLiteral(CORVALA_FAKE_MAME) : QString();
        const CarpetaDeInicio::Eleccion eleccion
                = CarpetaDeInicio::Elegir(carpetaPrograma, instalada, casa, sistema);
        QCOMPARE(eleccion.carpeta,
                 elegida == u"casa" ? casa + QStringLiteral("/mame") : carpetaPrograma);
        QCOMPARE(!eleccion.preparar.isEmpty(), preparar);
    }

    // What keeps ~/mame from being prepared is said, with what to do.
    void loQueImpidePrepararLaCarpetaSeDice_data()
    {
        QTest::addColumn<QString>("enlace");  // what is made a link to a missing target
        QTest::addColumn<QString>("archivo"); // what is made a plain file
        QTest::addColumn<QString>("dice");
        QTest::newRow("~/mame, enlace roto") << "mame"
                                             << ""
                                             << "es un enlace a";
        QTest::newRow("~/mame, un archivo") << ""
                                            << "mame"
                                            << "es un archivo, no una carpeta";
        QTest::newRow("~/mame/roms, un archivo") << ""
                                                 << "mame/roms"
                                                 << "no es una carpeta";
        QTest::newRow("~/mame/mame, enlace a un emulador que ya no está")
                << "mame/mame"
                << ""
                << "que ya no existe (¿se desinstaló";
        QTest::newRow("~/mame/mame, un archivo que no se ejecuta")
                << ""
                << "mame/mame"
                << "no es un programa que se pueda ejecutar";
    }
    void loQueImpidePrepararLaCarpetaSeDice()
    {
        QFETCH(QString, enlace);
        QFETCH(QString, archivo);
        QFETCH(QString, dice);
        QTemporaryDir raiz;
        QDir(raiz.path()).mkpath(QStringLiteral("mame"));
        if (!enlace.isEmpty()) {
            QDir(raiz.path()).rmdir(enlace);
            QVERIFY(QFile::link(raiz.filePath(QStringLiteral("no-esta")), raiz.filePath(enlace)));
        } else {
            QDir(raiz.path()).rmdir(archivo);
            QVERIFY(QFile(raiz.filePath(archivo)).open(QIODevice::WriteOnly));
        }
        const Resultado preparada = CarpetaDeInicio::Preparar(raiz.filePath(QStringLiteral("mame")),
                                                              QStringLiteral(CORVALA_FAKE_MAME));
        QVERIFY(!preparada);
        QVERIFY2(preparada.Motivo().contains(dice) && preparada.Motivo().contains(u"otra vez"),
                 qPrintable(preparada.Motivo()));
    }

    void laCarpetaDelJugadorSePreparaSiElLoQuiere()
    {
        QTemporaryDir raiz;
        const QString propia = raiz.filePath(QStringLiteral("mame"));
        const auto decidir = [&] {
            return CarpetaDeInicio::Decidir(raiz.filePath(QStringLiteral("usr/games")),
                                            raiz.filePath(QStringLiteral("usr/games")), raiz.path(),
                                            QStringLiteral(CORVALA_FAKE_MAME));
        };
        {
            // No: nothing is made, and the program ends.
            MensajesDePrueba mensajes;
            mensajes.Responder(Respuesta::No);
            QCOMPARE(decidir(), std::nullopt);
            QCOMPARE(mensajes.Titulos(),
                     QStringList{QStringLiteral("Preparar la carpeta de M.A.M.E")});
            QVERIFY(!QFileInfo::exists(propia));
        }
        MensajesDePrueba mensajes;
        mensajes.Responder(Respuesta::Si);
        QCOMPARE(decidir(), std::optional<QString>(propia));
        QVERIFY(QFileInfo(propia + QStringLiteral("/roms")).isDir());
        QCOMPARE(QFileInfo(propia + QStringLiteral("/mame")).symLinkTarget(),
                 QStringLiteral(CORVALA_FAKE_MAME));
        QCOMPARE(mensajes.Titulos(), (QStringList{QStringLiteral("Preparar la carpeta de M.A.M.E"),
                                                  QStringLiteral("Carpeta preparada.")}));
        QVERIFY(mensajes.Vistos().last().texto.contains(propia + QStringLiteral("/roms")));
        // The next start finds it ready: no question.
        mensajes.Olvidar();
        QCOMPARE(decidir(), std::optional<QString>(propia));
        QVERIFY(mensajes.Vistos().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestArranque)
#include "test_arranque.moc"
