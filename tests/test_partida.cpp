// The game launch over a MAME folder with the fake emulator: double-click and Enter, the
// arguments the emulator gets, the refusal of unknown archives, the window while a game runs,
// the game's cfg file set aside and put back, and the launches that fail.

#include "comun/windows/BotonEtiqueta.h"
#include "comun/windows/Colores.h"
#include "frontend/logic/Partida.h"
#include "frontend/logic/UsoDelCatalogo.h"

#include "apoyo/Controles.h"
#include "apoyo/MensajesDePrueba.h"
#include "apoyo/VentanaDePrueba.h"

#include <QCheckBox>
#include <QProcess>
#include <QtTest>

using namespace Corvala;

namespace {

// The example window loaded, shown, with an emulator of the given version.
struct VentanaLista : Ventana
{
    explicit VentanaLista(const QByteArray &version = "0.251")
    {
        if (!version.isEmpty())
            carpeta.Escribir(QStringLiteral("whatsnew.txt"), version + "\r\n");
        ventana.Form_Load();
        ventana.show();
        carpeta.OlvidarLlamadas();
    }

    void Elegir(int fila)
    {
        Control<QListView>(ventana, "lstJuegos")
                ->setCurrentIndex(
                        Control<QListView>(ventana, "lstJuegos")->model()->index(fila, 0));
    }

    void DobleClic(int fila) { ::DobleClic(ventana, fila); }

    // Ticks "Utilizar teclas definidas" over a saved keyboard.
    void UsarTeclas()
    {
        carpeta.Escribir(QStringLiteral("ctrlr/Corvala/default.ini"), "[teclado]\r\n");
        ventana.Teclas().Marcar(true);
        QVERIFY(Control<QCheckBox>(ventana, "chkUsaControles")->isChecked());
    }
};

constexpr int kGalaga = 0;
constexpr int kPacman = 1;
constexpr int kDesconocida = 2;

} // namespace

class TestPartida : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dobleClicEIntroLanzanElJuego()
    {
        MensajesDePrueba mensajes;
        VentanaLista v;
        const QStringList antes = v.carpeta.Contenido();

        v.DobleClic(kGalaga);
        QCOMPARE(v.carpeta.Llamadas(), QList<QStringList>({{QStringLiteral("galaga")}}));
        QCOMPARE(v.carpeta.CarpetasDeLlamadas(), QStringList({v.carpeta.Ruta()}));
        QCOMPARE(v.sesion.ultimoTitulo, QStringLiteral("Galaga"));
        QVERIFY(v.sesion.ultimoLog.contains(QStringLiteral("Running galaga\r\n")));
        QVERIFY(v.sesion.ultimoLog.contains(
                QStringLiteral("Warning: this is the fake emulator\r\n")));
        QCOMPARE(Control<QLabel>(v.ventana, "lblEstado")->text(),
                 QStringLiteral("Ha terminado la carga."));
        QCOMPARE(ColorDeEstado(v.ventana), Colores::kAzul);
        QVERIFY(!v.sesion.ocupado);
        QCOMPARE(v.ventana.cursor().shape(), Qt::ArrowCursor);
        // Nothing of the run is left in the MAME folder but the player's record of the play.
        QStringList despues = v.carpeta.Contenido();
        QVERIFY(despues.removeOne(QStringLiteral("jugador.txt")));
        QCOMPARE(despues, antes);
        QVERIFY(v.carpeta.Leer(QStringLiteral("jugador.txt")).contains("\r\ngalaga=1 "));

        v.carpeta.OlvidarLlamadas();
        v.Elegir(kPacman);
        QTest::keyClick(Control<QListView>(v.ventana, "lstJuegos"), Qt::Key_Return);
        QTest::keyClick(Control<QListView>(v.ventana, "lstJuegos"), Qt::Key_Enter);
        QCOMPARE(v.carpeta.Llamadas(),
                 QList<QStringList>({{QStringLiteral("pacman")}, {QStringLiteral("pacman")}}));
        QCOMPARE(v.sesion.ultimoTitulo, QStringLiteral("Pac-Man"));

        // Other keys are the list's own: the down arrow moves the selection and starts nothing.
        v.carpeta.OlvidarLlamadas();
        QTest::keyClick(Control<QListView>(v.ventana, "lstJuegos"), Qt::Key_Down);
        QCOMPARE(Control<QListView>(v.ventana, "lstJuegos")->currentIndex().row(), kDesconocida);
        QVERIFY(v.carpeta.Llamadas().isEmpty());
        QVERIFY(mensajes.Vistos().isEmpty());
    }

    void elSonidoDeLasVersionesAntiguas_data()
    {
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<QStringList>("argumentos");
        const QStringList conSonido = {QStringLiteral("galaga")};
        const QStringList sinSonido
                = {QStringLiteral("galaga"), QStringLiteral("-soundcard"), QStringLiteral("0")};
        QTest::newRow("0.52") << QByteArray("0.52") << sinSonido;
        QTest::newRow("versión desconocida") << QByteArray() << sinSonido;
        QTest::newRow("0.53") << QByteArray("0.53") << conSonido;
        QTest::newRow("0.53b") << QByteArray("0.53b") << conSonido;
        QTest::newRow("0.96") << QByteArray("0.96") << conSonido;
        QTest::newRow("0.251") << QByteArray("0.251") << conSonido;
    }
    void elSonidoDeLasVersionesAntiguas()
    {
        QFETCH(QByteArray, version);
        QFETCH(QStringList, argumentos);
        VentanaLista v(version);
        v.DobleClic(kGalaga);
        QCOMPARE(v.carpeta.Llamadas(), QList<QStringList>({argumentos}));
    }

    void unaRomDesconocidaSeRechaza()
    {
        MensajesDePrueba mensajes;
        VentanaLista v;
        v.Elegir(kDesconocida);
        const QString estado = Control<QLabel>(v.ventana, "lblEstado")->text();
        v.DobleClic(kDesconocida);

        QCOMPARE(mensajes.Vistos().size(), 1);
        const Mensaje &visto = mensajes.Vistos().first();
        QCOMPARE(visto.titulo, QStringLiteral("¡ATENCIÓN!"));
        QCOMPARE(visto.texto, Partida::MensajeRomDesconocida().texto);
        QVERIFY(visto.texto.contains(QStringLiteral("versión.\r\n\r\n    NOTA #1: Hay algunas")));
        QVERIFY(visto.texto.endsWith(QStringLiteral("nuevas versiones de M.A.M.E).")));
        QCOMPARE(visto.icono, Mensaje::Icono::Informacion);
        QVERIFY(v.carpeta.Llamadas().isEmpty());
        QVERIFY(v.sesion.ultimoTitulo.isEmpty());
        QCOMPARE(Control<QLabel>(v.ventana, "lblEstado")->text(), estado);
        QVERIFY(!v.sesion.ocupado);

        // An empty list has no row to start.
        Control<QListView>(v.ventana, "lstJuegos")->setCurrentIndex({});
        v.ventana.LanzarJuego();
        QVERIFY(v.carpeta.Llamadas().isEmpty());
        QCOMPARE(mensajes.Vistos().size(), 1);
    }

    void unNombreRaroEsUnSoloArgumento()
    {
        CarpetaDePrueba carpeta;
        const QString archivo = QStringLiteral("a b\";touch x & echo $(id) 'q'.zip");
        carpeta.Archivo(archivo);
        Sesion sesion{carpeta.Carpeta()};
        sesion.versionMame = QStringLiteral("0.251");
        Partida partida(sesion, [] { return false; });

        QCOMPARE(partida.Jugar(archivo), Partida::Resultado::Terminada);
        QCOMPARE(carpeta.Llamadas(),
                 QList<QStringList>({{QStringLiteral("a b\";touch x & echo $(id) 'q'")}}));
        QVERIFY(!carpeta.Existe(QStringLiteral("x")));
        QVERIFY(!carpeta.Existe(QStringLiteral("roms/x")));
    }

    void elPrimerAbajoEligeLaPrimeraFila()
    {
        MensajesDePrueba mensajes;
        VentanaLista v;
        v.ventana.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v.ventana));
        auto *lista = Control<QListView>(v.ventana, "lstJuegos");
        lista->setFocus();
        QTest::keyClick(lista, Qt::Key_Down);
        QCOMPARE(v.ventana.Juegos().FilaElegida(), kGalaga);
        QCOMPARE(Control<QLabel>(v.ventana, "lblEstado")->text(),
                 QStringLiteral("Haz doble clic para cargar la ROM."));
        QTest::keyClick(lista, Qt::Key_Return);
        QCOMPARE(v.carpeta.Llamadas(), QList<QStringList>({{QStringLiteral("galaga")}}));

        // A click on the row already chosen refreshes the status line as a new choice does.
        QCOMPARE(Control<QLabel>(v.ventana, "lblEstado")->text(),
                 QStringLiteral("Ha terminado la carga."));
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {},
                          lista->visualRect(lista->model()->index(kGalaga, 0)).center());
        QCOMPARE(Control<QLabel>(v.ventana, "lblEstado")->text(),
                 QStringLiteral("Haz doble clic para cargar la ROM."));
    }

    void unArchivoEnMayusculasSeOfreceRenombrar()
    {
        MensajesDePrueba mensajes;
        Ventana v(false);
        v.carpeta.ListaCompleta(ListaClasica());
        v.carpeta.Archivo(QStringLiteral("PACMAN.ZIP"), "set=pacman");
        v.carpeta.Escribir(QStringLiteral("whatsnew.txt"), "0.251\r\n");
        v.ventana.Form_Load();
        QCOMPARE(Filas(v.ventana), QStringList({QStringLiteral("Pac-Man")}));
        v.carpeta.OlvidarLlamadas();

        // No: nothing is renamed and nothing started.
        DobleClic(v.ventana, 0);
        QCOMPARE(mensajes.Titulos(), QStringList({QStringLiteral("Nombre del archivo")}));
        QVERIFY(mensajes.Vistos().constFirst().texto.contains(QStringLiteral("pacman.zip")));
        QVERIFY(v.carpeta.Llamadas().isEmpty());
        QVERIFY(v.carpeta.Existe(QStringLiteral("roms/PACMAN.ZIP")));

        // Yes: the archive takes the name the emulator opens, and the game starts.
        mensajes.Responder(Respuesta::Si);
        DobleClic(v.ventana, 0);
        QVERIFY(v.carpeta.Existe(QStringLiteral("roms/pacman.zip")));
        QVERIFY(!v.carpeta.Existe(QStringLiteral("roms/PACMAN.ZIP")));
        QCOMPARE(v.carpeta.Llamadas(), QList<QStringList>({{QStringLiteral("pacman")}}));
        QCOMPARE(ArchivoDeFila(v.ventana, 0), QStringLiteral("pacman.zip"));

        // Never over another file: both spellings present, the rename is refused and said.
        v.carpeta.Archivo(QStringLiteral("PacMan.zip"), "mine");
        v.ventana.lblDirectorio_Click();
        const int fila = int(Filas(v.ventana).indexOf(QStringLiteral("Pac-Man"), 0));
        const int otra
                = ArchivoDeFila(v.ventana, fila) == QLatin1String("PacMan.zip") ? fila : fila + 1;
        mensajes.Responder(Respuesta::Si);
        DobleClic(v.ventana, otra);
        QCOMPARE(mensajes.Titulos().constLast(), QStringLiteral("Error"));
        QCOMPARE(v.carpeta.Leer(QStringLiteral("roms/PacMan.zip")), QByteArray("mine"));
        QCOMPARE(v.carpeta.Leer(QStringLiteral("roms/pacman.zip")), QByteArray("set=pacman"));
    }

    void loQueQuedaEnElLog()
    {
        CarpetaDePrueba carpeta;
        carpeta.Archivo(QStringLiteral("galaga.zip"));
        Sesion sesion{carpeta.Carpeta()};
        sesion.versionMame = QStringLiteral("0.251");
        Partida partida(sesion, [] { return false; });

        // A set the emulator cannot run, a failure, a crash: the log ends with how it ended.
        QCOMPARE(partida.Jugar(QStringLiteral("pacman.zip")), Partida::Resultado::ConError);
        QCOMPARE(sesion.ultimoLog,
                 QStringLiteral("pacman.1 NOT FOUND (tried in pacman)\r\n"
                                "Required files are missing, the machine cannot be run.\r\n")
                         + Partida::LineaDeFinal(2) + QStringLiteral("\r\n"));

        carpeta.Control("game.fail=1\n");
        QCOMPARE(partida.Jugar(QStringLiteral("galaga.zip")), Partida::Resultado::ConError);
        QCOMPARE(sesion.ultimoLog,
                 QStringLiteral("Error: the fake emulator was told to fail\r\n"
                                "M.A.M.E ha terminado con el código de error 1.\r\n"));

        carpeta.Control("game.crash=1\n");
        QCOMPARE(partida.Jugar(QStringLiteral("galaga.zip")), Partida::Resultado::ConError);
        QVERIFY(sesion.ultimoLog.endsWith(Partida::LineaDeFinal(-1) + QStringLiteral("\r\n")));

        // A clean end keeps the log as the emulator wrote it.
        carpeta.Control("game.silent=1\n");
        QCOMPARE(partida.Jugar(QStringLiteral("galaga.zip")), Partida::Resultado::Terminada);
        QCOMPARE(sesion.ultimoLog, QString());

        // No emulator to start: the log says so instead of keeping the last game's.
        carpeta.SinEmulador();
        QCOMPARE(partida.Jugar(QStringLiteral("galaga.zip")), Partida::Resultado::ConError);
        QCOMPARE(sesion.ultimoLog, Partida::LogSinEmulador());
    }

    void unaPartidaFallidaLoDiceEnRojo()
    {
        MensajesDePrueba mensajes;
        VentanaLista v;
        v.carpeta.Control("game.exit=3\n");
        v.DobleClic(kGalaga);
        QCOMPARE(Control<QLabel>(v.ventana, "lblEstado")->text(),
                 Partida::TextoTerminadaConError());
        QCOMPARE(ColorDeEstado(v.ventana), Colores::kRojo);
        QVERIFY(v.sesion.ultimoLog.endsWith(
                QStringLiteral("M.A.M.E ha terminado con el código de error 3.\r\n")));
        QVERIFY(mensajes.Vistos().isEmpty());
    }

    void laVentanaMientrasDuraLaPartida()
    {
        MensajesDePrueba mensajes;
        VentanaLista v;
        v.carpeta.Control("game.delay_ms=700\n");

        bool ocupado = false, cerrada = true, otroJuego = true;
        QString estado, estadoTrasCerrar, cursorDeEspera;
        int filaElegida = -1;
        QStringList filas;
        QTimer::singleShot(250, &v.ventana, [&] {
            ocupado = v.sesion.ocupado;
            estado = Control<QLabel>(v.ventana, "lblEstado")->text();
            cursorDeEspera = v.ventana.cursor().shape() == Qt::WaitCursor
                                     ? QStringLiteral("espera")
                                     : QStringLiteral("normal");
            cerrada = v.ventana.close();
            estadoTrasCerrar = Control<QLabel>(v.ventana, "lblEstado")->text();
            // A second launch, the list's renewal and the box: all turned away.
            v.Elegir(kPacman);
            v.ventana.LanzarJuego();
            QTest::keyClick(Control<QListView>(v.ventana, "lstJuegos"), Qt::Key_Return);
            otroJuego = v.carpeta.Llamadas().size() > 1;
            v.carpeta.Borrar(QStringLiteral("lista.txt"));
            v.ventana.lblDirectorio_Click();
            filas = Filas(v.ventana);
            filaElegida = Control<QListView>(v.ventana, "lstJuegos")->currentIndex().row();
        });
        v.DobleClic(kGalaga);

        QVERIFY(ocupado);
        QCOMPARE(estado, QStringLiteral("Cargando ROM, por favor se paciente."));
        QCOMPARE(cursorDeEspera, QStringLiteral("espera"));
        QVERIFY(!cerrada);
        QCOMPARE(estadoTrasCerrar,
                 QStringLiteral("Si MAME está activo, no se puede cerrar Corvala!"));
        QVERIFY(!otroJuego);
        QCOMPARE(filas, kFilasDelEjemplo);
        QCOMPARE(filaElegida, kPacman);
        QVERIFY(mensajes.Vistos().isEmpty());

        QCOMPARE(v.carpeta.Llamadas(), QList<QStringList>({{QStringLiteral("galaga")}}));
        QCOMPARE(v.sesion.ultimoTitulo, QStringLiteral("Galaga"));
        QVERIFY(!v.sesion.ocupado);
        QCOMPARE(Control<QLabel>(v.ventana, "lblEstado")->text(),
                 QStringLiteral("Ha terminado la carga."));
        QVERIFY(v.ventana.isVisible());
    }

    void elCfgDelJuegoSeApartaYVuelve()
    {
        MensajesDePrueba mensajes;
        VentanaLista v;
        v.carpeta.Escribir(QStringLiteral("cfg/galaga.cfg"), "mio");
        v.carpeta.Escribir(QStringLiteral("cfg/default.cfg"), "general");
        v.UsarTeclas();
        v.carpeta.Control("game.writes_cfg=1\n");

        v.DobleClic(kGalaga);
        QCOMPARE(v.carpeta.Leer(QStringLiteral(".fakemame/cfg_during_game")),
                 QByteArray("default.bak\ngalaga.bak\n"));
        QCOMPARE(v.carpeta.Leer(QStringLiteral("cfg/galaga.cfg")), QByteArray("mio"));
        QVERIFY(!v.carpeta.Existe(QStringLiteral("cfg/galaga.bak")));
        QVERIFY(!v.carpeta.Existe(QStringLiteral("cfg/default.cfg")));
        QCOMPARE(v.carpeta.Leer(QStringLiteral("cfg/default.bak")), QByteArray("general"));
        QVERIFY(mensajes.Vistos().isEmpty());

        // A game without a cfg file of its own: the one the emulator writes is kept.
        v.DobleClic(kPacman);
        QVERIFY(v.carpeta.Leer(QStringLiteral("cfg/pacman.cfg")).contains("pacman"));
        QVERIFY(!v.carpeta.Existe(QStringLiteral("cfg/default.cfg")));
    }

    void unBakQueQuedoVuelveEnLaSiguientePartida()
    {
        VentanaLista v;
        v.UsarTeclas();
        // A launch that failed halfway left the player's file set aside, and its record.
        v.carpeta.Escribir(QStringLiteral("cfg/galaga.bak"), "mio");
        v.carpeta.Escribir(QStringLiteral("cfg_apartados.txt"), "galaga\r\n");
        v.carpeta.Control("game.writes_cfg=1\n");

        v.DobleClic(kGalaga);
        QCOMPARE(v.carpeta.Leer(QStringLiteral("cfg/galaga.cfg")), QByteArray("mio"));
        QVERIFY(!v.carpeta.Existe(QStringLiteral("cfg/galaga.bak")));
        QVERIFY(!v.carpeta.Existe(QStringLiteral("cfg_apartados.txt")));
    }

    // A play counts only when the game ran; one that cannot be recorded is said, as a
    // favourite is; the recent games are the last ten whose archives are there.
    void lasPartidasQueCuentan()
    {
        MensajesDePrueba mensajes;
        QStringList jugados{QStringLiteral("[jugados]"),
                            QStringLiteral("galaga=1 2020-01-01T10:00:00")};
        for (int n = 0; n < 12; ++n)
            jugados << QStringLiteral("ido%1=1 2026-01-%2T10:00:00").arg(n).arg(n + 10);
        Ventana v;
        v.carpeta.Escribir(QStringLiteral("jugador.txt"),
                           jugados.join(QStringLiteral("\r\n")).toUtf8());
        v.ventana.Form_Load();
        const auto veces = [&v] {
            return v.ventana.Juegos().Jugador().Historial(QStringLiteral("galaga")).veces;
        };
        const UsoDelCatalogo::Menu menu = UsoDelCatalogo::EstadoDelMenu(
                v.ventana.Juegos().Modelo(), -1, v.ventana.Juegos().Jugador(), false);
        QCOMPARE(menu.recientes.size(), 1);
        QCOMPARE(menu.recientes.first().first, QStringLiteral("Galaga"));

        // Turned away for missing files, or not started at all: no play.
        v.carpeta.Control("game.exit=2\n");
        DobleClic(v.ventana, kGalaga);
        v.carpeta.SinEmulador();
        DobleClic(v.ventana, kGalaga);
        QCOMPARE(veces(), 1);
        v.carpeta.Control("");
        QVERIFY(QFile::link(QStringLiteral(CORVALA_FAKE_MAME),
                            v.carpeta.Ruta(QStringLiteral("mame"))));
        DobleClic(v.ventana, kGalaga);
        QCOMPARE(veces(), 2);
        QVERIFY(mensajes.Vistos().size() <= 1); // the "Error." box of the missing emulator

        // A folder that cannot be written (immutable: even root cannot write it).
        if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), v.carpeta.Ruta()})
            != 0)
            QSKIP("chattr +i is not available here");
        mensajes.Olvidar();
        DobleClic(v.ventana, kGalaga);
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), v.carpeta.Ruta()});
        QCOMPARE(mensajes.Titulos(), QStringList{QStringLiteral("Error.")});
        QVERIFY(mensajes.Vistos().first().texto.contains(u"jugador.txt"));
    }

    // At start-up only what Corvala set aside comes back: a backup of the player's own stays
    // a backup.
    void alArrancarSoloVuelveLoApartadoPorCorvala()
    {
        Ventana v;
        v.carpeta.Escribir(QStringLiteral("cfg/pacman.cfg"), "actual");
        v.carpeta.Escribir(QStringLiteral("cfg/pacman.bak"), "copia del jugador");
        v.carpeta.Escribir(QStringLiteral("cfg/galaga.cfg"), "del emulador");
        v.carpeta.Escribir(QStringLiteral("cfg/galaga.bak"), "mio");
        v.carpeta.Escribir(QStringLiteral("cfg_apartados.txt"), "galaga\r\n");
        v.ventana.Form_Load();
        QCOMPARE(v.carpeta.Leer(QStringLiteral("cfg/pacman.cfg")), QByteArray("actual"));
        QCOMPARE(v.carpeta.Leer(QStringLiteral("cfg/pacman.bak")), QByteArray("copia del jugador"));
        QCOMPARE(v.carpeta.Leer(QStringLiteral("cfg/galaga.cfg")), QByteArray("mio"));
        QVERIFY(!v.carpeta.Existe(QStringLiteral("cfg_apartados.txt")));
    }

    void sinLaCasillaNadaDeCfgSeToca()
    {
        VentanaLista v;
        v.carpeta.Escribir(QStringLiteral("cfg/galaga.cfg"), "mio");
        v.carpeta.Control("game.writes_cfg=1\n");

        v.DobleClic(kGalaga);
        QCOMPARE(v.carpeta.Leer(QStringLiteral(".fakemame/cfg_during_game")),
                 QByteArray("galaga.cfg\n"));
        // What the emulator wrote stays as it wrote it.
        QVERIFY(v.carpeta.Leer(QStringLiteral("cfg/galaga.cfg")).contains("galaga"));
        QVERIFY(v.carpeta.Existe(QStringLiteral("cfg/default.cfg")));
    }

    void unCfgQueNoSePuedeApartar()
    {
        MensajesDePrueba mensajes;
        VentanaLista v;
        v.carpeta.Escribir(QStringLiteral("cfg/galaga.cfg"), "mio");
        v.UsarTeclas();
        v.carpeta.Bloquear(QStringLiteral("cfg/galaga.bak"));

        v.DobleClic(kGalaga);
        QCOMPARE(mensajes.Titulos(), QStringList({QStringLiteral("Error.")}));
        QCOMPARE(mensajes.Vistos().first().texto, Partida::MensajeErrorCfg().texto);
        QCOMPARE(mensajes.Vistos().first().icono, Mensaje::Icono::Critico);
        QVERIFY(v.carpeta.Llamadas().isEmpty());
        QCOMPARE(v.carpeta.Leer(QStringLiteral("cfg/galaga.cfg")), QByteArray("mio"));
        QVERIFY(!v.sesion.ocupado);
        QCOMPARE(v.ventana.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(Control<QLabel>(v.ventana, "lblEstado")->text(),
                 QStringLiteral("Cargando ROM, por favor se paciente."));
        QCOMPARE(ColorDeEstado(v.ventana), Colores::kRojo);

        // The next launch is not refused for the last one's failure.
        v.carpeta.Borrar(QStringLiteral("cfg/galaga.bak/bloqueo"));
        QDir(v.carpeta.Ruta(QStringLiteral("cfg"))).rmdir(QStringLiteral("galaga.bak"));
        v.DobleClic(kGalaga);
        QCOMPARE(v.carpeta.Llamadas().size(), 1);
        QCOMPARE(v.carpeta.Leer(QStringLiteral("cfg/galaga.cfg")), QByteArray("mio"));
    }
};

QTEST_MAIN(TestPartida)
#include "test_partida.moc"
