// The main list over the emulator's catalogue: the search field, the context menu's filters,
// favourites and recent games, the game's information, and the catalogue's build behind the
// window.

#include "frontend/logic/MandoDeLista.h"
#include "rommanager/logic/Informes.h"

#include "apoyo/ConsultaSqlite.h"
#include "apoyo/Controles.h"
#include "apoyo/MensajesDePrueba.h"
#include "apoyo/VentanaDePrueba.h"
#include "apoyo/VentanaModal.h"
#include "apoyo/ZipDePrueba.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>

#include <SDL.h>

using namespace Corvala;

namespace {

// A folder whose emulator gives a catalogue, with a clone, its parent and an unknown archive.
struct VentanaConCatalogo : Ventana
{
    VentanaConCatalogo()
        : Ventana(false)
    {
        carpeta.ConCatalogo();
        carpeta.Escribir(QStringLiteral("whatsnew.txt"), "0.251\r\n");
        carpeta.Archivo(QStringLiteral("junk.zip"));
        // Whole sets, but for pacman's ROM that nobody has dumped.
        for (const char *juego : {"galaga", "pacman", "puckman"})
            ZipDePrueba::Escribir(
                    carpeta.Ruta(QStringLiteral("roms/%1.zip").arg(QLatin1String(juego))),
                    ZipDePrueba::Juego(QLatin1String(juego)));
    }
    // Starts the window and waits for its catalogue.
    void Abrir()
    {
        ventana.Form_Load();
        QTRY_VERIFY(sesion.catalogo && !ventana.Construccion().EnCurso());
    }
    QListView *Lista() { return Control<QListView>(ventana, "lstJuegos"); }
    // How many builds of the catalogue the emulator was asked for.
    int Construcciones() const
    {
        int n = 0;
        for (const QStringList &llamada : carpeta.Llamadas())
            n += int(llamada.contains(QStringLiteral("-listxml")));
        return n;
    }
    QLineEdit *Busqueda() { return Control<QLineEdit>(ventana, "txtBuscar"); }
    QString Elegida() { return Lista()->currentIndex().data().toString(); }
    void Elegir(const QString &titulo)
    {
        ventana.Juegos().ElegirFila(ventana.Juegos().Modelo().FilaDeTitulo(titulo));
    }
    // An entry of the context menu, as it is when the menu opens.
    QAction *Menu(const char *nombre)
    {
        Q_EMIT Control<QMenu>(ventana, "mnuLista")->aboutToShow();
        return Control<QAction>(ventana, nombre);
    }
    QList<QAction *> Recientes()
    {
        Q_EMIT Control<QMenu>(ventana, "mnuLista")->aboutToShow();
        return Control<QMenu>(ventana, "mnuRecientes")->actions();
    }
};

const QString kGalaga = QStringLiteral("Galaga (Namco rev. B)");
const QString kPacman = QStringLiteral("Pac-Man (Midway)");
const QString kPuckman = QStringLiteral("Puck Man (Japan set 1)");
const QString kJunk = QStringLiteral("ROM desconocida(junk.zip)");

} // namespace

class TestListaFiltrada : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void busquedaSobreLaLista()
    {
        MensajesDePrueba mensajes;
        VentanaConCatalogo v;
        v.Abrir();
        v.ventana.show();
        QVERIFY(QTest::qWaitForWindowActive(&v.ventana));
        v.Elegir(kPacman);

        // A character typed on the list opens the field; the selection moves to what matches.
        QTest::keyClicks(v.Lista(), QStringLiteral("GÁ"));
        QVERIFY(v.Busqueda()->isVisibleTo(&v.ventana));
        QCOMPARE(v.Busqueda()->text(), QStringLiteral("GÁ"));
        QCOMPARE(Filas(v.ventana), QStringList{kGalaga});
        QCOMPARE(v.Elegida(), kGalaga);
        v.carpeta.OlvidarLlamadas();
        QTest::keyClick(v.Busqueda(), Qt::Key_Return);
        QCOMPARE(v.carpeta.Llamadas(), QList<QStringList>{{QStringLiteral("galaga")}});

        // Escape shows the whole list again, the same game selected.
        QTest::keyClick(v.Busqueda(), Qt::Key_Escape);
        QVERIFY(!v.Busqueda()->isVisibleTo(&v.ventana));
        QCOMPARE(Filas(v.ventana), (QStringList{kGalaga, kPacman, kPuckman, kJunk}));
        QCOMPARE(v.Elegida(), kGalaga);

        // Ctrl+F opens it empty; the arrows move through the rows that match; emptying it
        // closes it.
        QTest::keySequence(&v.ventana, QKeySequence::Find);
        QVERIFY(v.Busqueda()->isVisibleTo(&v.ventana));
        QTest::keyClicks(v.Busqueda(), QStringLiteral("man"));
        QCOMPARE(Filas(v.ventana), (QStringList{kPacman, kPuckman}));
        QCOMPARE(v.Elegida(), kPacman);
        QTest::keyClick(v.Busqueda(), Qt::Key_Down);
        QCOMPARE(v.Elegida(), kPuckman);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(v.Busqueda(), Qt::Key_Backspace);
        QVERIFY(!v.Busqueda()->isVisibleTo(&v.ventana));
        QCOMPARE(Filas(v.ventana).size(), 4);
        QCOMPARE(v.Elegida(), kPuckman);
        QVERIFY(mensajes.Vistos().isEmpty());
    }

    void filtrosYFavoritosSeRecuerdan()
    {
        CarpetaDePrueba *carpeta = nullptr;
        {
            VentanaConCatalogo v;
            v.Abrir();
            v.Menu("mnuOcultarClones")->trigger();
            QCOMPARE(Filas(v.ventana), (QStringList{kGalaga, kPuckman, kJunk}));
            v.Elegir(kGalaga);
            QCOMPARE(v.Menu("mnuFavorito")->text(), QStringLiteral("Añadir a favoritos"));
            v.Menu("mnuFavorito")->trigger();
            QVERIFY(v.Lista()->currentIndex().data(ModeloDeJuegos::kRolFavorito).toBool());
            QCOMPARE(v.Menu("mnuFavorito")->text(), QStringLiteral("Quitar de favoritos"));
            v.Menu("mnuSoloFavoritos")->trigger();
            QCOMPARE(Filas(v.ventana), QStringList{kGalaga});

            // The next start finds them as they were left.
            Sesion sesion(v.carpeta.Carpeta());
            frmCargador otra(sesion);
            otra.Form_Load();
            QCOMPARE(Filas(otra), QStringList{kGalaga});
            carpeta = &v.carpeta;
            QVERIFY(carpeta->Leer(QStringLiteral("jugador.txt")).contains("ocultar_clones=1\r\n"));
        }

        // Without a catalogue, the filters that need one cannot be chosen.
        Ventana sin;
        sin.ventana.Form_Load();
        QCOMPARE(Filas(sin.ventana), kFilasDelEjemplo);
        Q_EMIT Control<QMenu>(sin.ventana, "mnuLista")->aboutToShow();
        QVERIFY(!Control<QAction>(sin.ventana, "mnuOcultarClones")->isEnabled());
        QVERIFY(Control<QAction>(sin.ventana, "mnuSoloFavoritos")->isEnabled());
        QVERIFY(!sin.carpeta.Existe(QStringLiteral("corvala.db")));
        // The search needs none.
        QTest::keyClicks(Control<QListView>(sin.ventana, "lstJuegos"), QStringLiteral("gal"));
        QCOMPARE(Filas(sin.ventana), QStringList{QStringLiteral("Galaga")});
    }

    void loQueLaAuditoriaEncuentra()
    {
        MensajesDePrueba mensajes;
        VentanaConCatalogo v;
        // Pac-Man's own file in Puck Man's archive (a merged set); Galaga's second file missing.
        QFile::remove(v.carpeta.Ruta(QStringLiteral("roms/pacman.zip")));
        QVERIFY(ZipDePrueba::Escribir(
                v.carpeta.Ruta(QStringLiteral("roms/puckman.zip")),
                ZipDePrueba::Juego(QStringLiteral("puckman"))
                        + ZipDePrueba::Archivos{{QStringLiteral("pacman.6f"),
                                                 ZipDePrueba::Rom(QStringLiteral("pacman"),
                                                                  QStringLiteral("pacman.6f"))}}));
        QVERIFY(ZipDePrueba::Escribir(v.carpeta.Ruta(QStringLiteral("roms/galaga.zip")),
                                      ZipDePrueba::Juego(QStringLiteral("galaga")).mid(0, 1)));
        v.Abrir();
        QTRY_VERIFY(v.ventana.Juegos().Modelo().AuditoriaEnUso());
        // The clone is a row of its own, under its title, started by its own name.
        QTRY_COMPARE(Filas(v.ventana), (QStringList{kGalaga, kPacman, kPuckman, kJunk}));
        v.Elegir(kPacman);
        QVERIFY(v.Lista()->toolTip().contains(QStringLiteral("Es un clon: sus archivos están")));
        v.carpeta.OlvidarLlamadas();
        v.ventana.LanzarJuego();
        QCOMPARE(v.carpeta.Llamadas(), QList<QStringList>{{QStringLiteral("pacman")}});

        // A game that cannot run is grey, and asked about first: no starts nothing.
        v.Elegir(kGalaga);
        QVERIFY(v.Lista()->currentIndex().data(ModeloDeJuegos::kRolNoJugable).toBool());
        v.carpeta.OlvidarLlamadas();
        v.ventana.LanzarJuego();
        QCOMPARE(mensajes.Vistos().value(0).botones, Mensaje::Botones::SiNo);
        QVERIFY(mensajes.Vistos().value(0).texto.contains(
                QStringLiteral("Falta el archivo gg1_2b.3m.")));
        QVERIFY(v.carpeta.Llamadas().isEmpty());

        // The filter leaves out what cannot be played, the unknown archive too.
        v.Menu("mnuSoloJugables")->trigger();
        QCOMPARE(Filas(v.ventana), (QStringList{kPacman, kPuckman}));
        QVERIFY(v.carpeta.Leer(QStringLiteral("jugador.txt")).contains("solo_jugables=1\r\n"));
    }

    // Damage is said as damage: an archive cut short, at every start; a roms folder that cannot
    // be listed.
    void loDanadoSeDiceDanado()
    {
        VentanaConCatalogo v;
        QFile galaga(v.carpeta.Ruta(QStringLiteral("roms/galaga.zip")));
        QVERIFY(galaga.resize(galaga.size() / 2));
        for (int arranque = 0; arranque < 2; ++arranque) {
            Sesion sesion(v.carpeta.Carpeta());
            frmCargador ventana(sesion);
            ventana.Form_Load();
            QTRY_VERIFY(ventana.Juegos().Modelo().AuditoriaEnUso());
            ventana.Juegos().ElegirFila(ventana.Juegos().Modelo().FilaDeTitulo(kGalaga));
            QVERIFY2(Control<QListView>(ventana, "lstJuegos")
                             ->toolTip()
                             .contains(QStringLiteral("Su archivo está dañado y el emulador no "
                                                      "puede leerlo (galaga.zip: no es un archivo "
                                                      "zip).")),
                     qPrintable(Control<QListView>(ventana, "lstJuegos")->toolTip()));
        }

        QVERIFY(QDir(v.carpeta.Ruta(QStringLiteral("roms"))).removeRecursively());
        QVERIFY(QFile::link(QStringLiteral("roms"), v.carpeta.Ruta(QStringLiteral("roms"))));
        Sesion sesion(v.carpeta.Carpeta());
        frmCargador ventana(sesion);
        ventana.Form_Load();
        QCOMPARE(Control<QLabel>(ventana, "lblEstado")->text(),
                 QStringLiteral("No se puede leer la carpeta roms: es un enlace que apunta a sí "
                                "mismo."));
        ventana.CargarDatos();
        QCOMPARE(Control<QLabel>(ventana, "lblEstado")->text(),
                 QStringLiteral("No se puede leer la carpeta roms: es un enlace que apunta a sí "
                                "mismo."));
    }

    // 7z archives and set folders are rows as zips are, audited and started alike; a set held
    // twice is one row, whose tooltip names both forms.
    void sieteZYCarpetasSonFilas()
    {
        VentanaConCatalogo v;
        const auto roms = [&v](const QString &nombre) {
            return v.carpeta.Ruta(QStringLiteral("roms/") + nombre);
        };
        QFile::remove(roms(QStringLiteral("galaga.zip")));
        QFile::remove(roms(QStringLiteral("puckman.zip")));
        QVERIFY(ZipDePrueba::Escribir7z(roms(QStringLiteral("galaga.7z")),
                                        ZipDePrueba::Juego(QStringLiteral("galaga"))));
        QVERIFY(ZipDePrueba::Escribir7z(roms(QStringLiteral("pacman.7z")),
                                        ZipDePrueba::Juego(QStringLiteral("pacman")), false));
        for (const auto &[nombre, bytes] : ZipDePrueba::Juego(QStringLiteral("puckman")))
            v.carpeta.Escribir(QStringLiteral("roms/puckman/") + nombre, bytes);
        v.Abrir();
        QTRY_VERIFY(v.ventana.Juegos().Modelo().AuditoriaEnUso());
        QCOMPARE(Filas(v.ventana), (QStringList{kGalaga, kPacman, kPuckman, kJunk}));
        v.Elegir(kPacman);
        QVERIFY2(v.Lista()->toolTip().contains(
                         QStringLiteral("Está como pacman.zip, pacman.7z: el emulador mira en ese "
                                        "orden.")),
                 qPrintable(v.Lista()->toolTip()));
        v.Menu("mnuSoloJugables")->trigger();
        QCOMPARE(Filas(v.ventana), (QStringList{kGalaga, kPacman, kPuckman}));
        v.carpeta.OlvidarLlamadas();
        v.Elegir(kPuckman);
        v.ventana.LanzarJuego();
        QCOMPARE(v.carpeta.Llamadas(), QList<QStringList>{{QStringLiteral("puckman")}});
    }

    // The list's playable games are the report's: a BIOS is counted apart in both.
    void elInformeYLaListaCuentanIgual()
    {
        VentanaConCatalogo v;
        QVERIFY(ZipDePrueba::Escribir(v.carpeta.Ruta(QStringLiteral("roms/neogeo.zip")),
                                      ZipDePrueba::Juego(QStringLiteral("neogeo"))));
        v.Abrir();
        QTRY_VERIFY(v.ventana.Juegos().Modelo().AuditoriaEnUso());
        v.Menu("mnuSoloJugables")->trigger();
        QCOMPARE(Filas(v.ventana), (QStringList{kGalaga, kPacman, kPuckman}));
        const QStringList informe = Informes::LineasDeColeccion(
                Auditoria::Auditar(v.carpeta.Carpeta(), true), *v.sesion.catalogo);
        for (const char *linea :
             {"Se pueden jugar: 2 juegos.", "Se pueden jugar con lo mejor que hay: 1 juego.",
              "Además, que no son juegos: 1 de 1 BIOS y 0 de 0 dispositivos tienen lo que "
              "necesitan."})
            QVERIFY2(informe.contains(QString::fromUtf8(linea)), linea);
    }

    void unMandoMueveLaListaYArrancaElJuego()
    {
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
            QSKIP("SDL cannot start its support of pads here");
        MensajesDePrueba mensajes;
        VentanaConCatalogo v;
        v.Abrir();
        v.ventana.show();
        QVERIFY(QTest::qWaitForWindowActive(&v.ventana));
        SDL_VirtualJoystickDesc descripcion;
        SDL_zero(descripcion);
        descripcion.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        descripcion.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        descripcion.naxes = SDL_CONTROLLER_AXIS_MAX;
        descripcion.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        const int indice = SDL_JoystickAttachVirtualEx(&descripcion);
        QVERIFY2(indice >= 0, SDL_GetError());
        SDL_Joystick *mando = SDL_JoystickOpen(indice);
        const auto pulsar = [mando](SDL_GameControllerButton boton, int ms = 120) {
            SDL_JoystickSetVirtualButton(mando, boton, 1);
            QTest::qWait(ms);
            SDL_JoystickSetVirtualButton(mando, boton, 0);
            QTest::qWait(60);
        };
        v.Elegir(kGalaga);
        // Listening once the window is in front, with nothing held.
        QTRY_VERIFY(v.ventana.isActiveWindow());
        QTest::qWait(50);
        // The d-pad moves one row; held, it goes on.
        pulsar(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
        QCOMPARE(v.Elegida(), kPacman);
        pulsar(SDL_CONTROLLER_BUTTON_DPAD_UP,
               MandoDeLista::kRetardo + 3 * MandoDeLista::kRepeticion);
        QCOMPARE(v.Elegida(), Filas(v.ventana).first());
        // The south button starts the chosen game.
        v.Elegir(kGalaga);
        v.carpeta.OlvidarLlamadas();
        pulsar(SDL_CONTROLLER_BUTTON_A);
        QTRY_COMPARE(v.carpeta.Llamadas(), QList<QStringList>{{QStringLiteral("galaga")}});
        // The east button closes the search.
        QTest::keyClicks(v.Lista(), QStringLiteral("pu"));
        QVERIFY(v.Busqueda()->isVisibleTo(&v.ventana));
        pulsar(SDL_CONTROLLER_BUTTON_B);
        QVERIFY(!v.Busqueda()->isVisibleTo(&v.ventana));
        // While a game runs, the pad is the game's.
        v.sesion.ocupado = true;
        const QString antes = v.Elegida();
        pulsar(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
        QCOMPARE(v.Elegida(), antes);
        v.sesion.ocupado = false;
        SDL_JoystickClose(mando);
        SDL_JoystickDetachVirtual(indice);
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
        QVERIFY(mensajes.Vistos().isEmpty());
    }

    void informacionYJugadosRecientemente()
    {
        MensajesDePrueba mensajes;
        VentanaConCatalogo v;
        v.Abrir();
        QTRY_VERIFY(v.ventana.Juegos().Modelo().AuditoriaEnUso());
        v.Elegir(kPacman);
        QCOMPARE(v.Lista()->toolTip(),
                 QStringLiteral(
                         "Pac-Man (Midway)\nNombre del archivo zip de la ROM: \"pacman.zip\"\nAño: "
                         "1980 · "
                         "Fabricante: Namco "
                         "(Midway license) · Clon de: Puck Man (Japan set 1) · Estado: Funciona\n"
                         "Se puede jugar, con lo mejor que hay: Le faltan archivos de los que no "
                         "se conoce un volcado bueno: pacman.nodump."));
        QStringList valores;
        AlAbrirseLaVentana([&valores](QWidget *ventana) {
            QVERIFY(ventana);
            QCOMPARE(ventana->windowTitle(), QStringLiteral("Información del juego"));
            for (const QLabel *valor :
                 ventana->findChildren<QLabel *>(QRegularExpression(QStringLiteral("^lblValor"))))
                valores << valor->text();
        });
        v.Menu("mnuInformacion")->trigger();
        QVERIFY(valores.contains(QStringLiteral("Namco (Midway license)")));
        QVERIFY(valores.contains(kPuckman));

        // Each launch is recorded; the menu offers the last ones played.
        QVERIFY(v.Recientes().isEmpty());
        v.ventana.LanzarJuego();
        v.Elegir(kGalaga);
        v.ventana.LanzarJuego();
        const QList<QAction *> recientes = v.Recientes();
        QCOMPARE(recientes.size(), 2);
        QCOMPARE(recientes.first()->text(), kGalaga);
        v.carpeta.OlvidarLlamadas();
        recientes.last()->trigger();
        QCOMPARE(v.carpeta.Llamadas(), QList<QStringList>{{QStringLiteral("pacman")}});
    }

    // An archive the emulator does not know by name, read in the background: its tooltip says
    // which game its files make it.
    void unArchivoDesconocidoDiceQueJuegoParece()
    {
        MensajesDePrueba mensajes;
        VentanaConCatalogo v;
        QVERIFY(ZipDePrueba::Escribir(v.carpeta.Ruta(QStringLiteral("roms/junk.zip")),
                                      ZipDePrueba::Juego(QStringLiteral("puckman"))));
        v.Abrir();
        QTRY_VERIFY(!v.ventana.Juegos().Parecidos().EnCurso());
        QCOMPARE(v.ventana.Juegos().Parecidos().Identificados(), 1);
        v.Elegir(kJunk);
        QCOMPARE(v.Lista()->toolTip(),
                 QStringLiteral("ROM desconocida(junk.zip)\nNombre del archivo zip de la ROM: "
                                "\"junk.zip\"\n"
                                "Parece ser: Puck Man (Japan set 1), cuyo archivo es puckman.zip"));
    }

    // A line feed in an archive's name is shown, not obeyed: the row keeps one line's height.
    void unNombreConSaltoDeLineaSeVe()
    {
        VentanaConCatalogo v;
        v.carpeta.Archivo(QStringLiteral("dos\nlineas.zip"));
        v.Abrir();
        const QString visible = QStringLiteral("ROM desconocida(dos\u240alineas.zip)");
        const int fila = v.ventana.Juegos().Modelo().FilaDeTitulo(
                QStringLiteral("ROM desconocida(dos\nlineas.zip)"));
        const QModelIndex indice = v.Lista()->model()->index(fila, 0);
        QCOMPARE(indice.data().toString(), visible);
        QCOMPARE(v.Lista()->visualRect(indice).height(),
                 v.Lista()->visualRect(v.Lista()->model()->index(0, 0)).height());
        v.ventana.Juegos().ElegirFila(fila);
        QVERIFY(v.Lista()->toolTip().startsWith(visible + QLatin1Char('\n')));
    }

    // Where Qt's own SQLite plugin is missing (Debian ships it apart), corvala.db is read all
    // the same: a second start does not build it again.
    void sinLosPluginsDeQtElCatalogoSeLee()
    {
        QTemporaryDir vacia;
        const QStringList rutas = QCoreApplication::libraryPaths();
        QCoreApplication::setLibraryPaths({vacia.path()});
        VentanaConCatalogo v;
        v.Abrir();
        Sesion sesion(v.carpeta.Carpeta());
        frmCargador otra(sesion);
        otra.Form_Load();
        QTRY_VERIFY(sesion.catalogo && !otra.Construccion().EnCurso());
        QCoreApplication::setLibraryPaths(rutas);
        QCOMPARE(v.Construcciones(), 1);
    }

    void elCatalogoSeHaceSoloCuandoHaceFalta()
    {
        VentanaConCatalogo v;
        v.carpeta.Control("listxml.stall_after=3\n");
        v.carpeta.ConCatalogo();
        v.ventana.Form_Load();
        // While it is built the window shows how far it has got, beside its own status text.
        QProgressBar *barra = Control<QProgressBar>(v.ventana, "barCatalogo");
        QVERIFY(barra->isVisibleTo(&v.ventana));
        QCOMPARE(barra->maximum(), 18);
        QTRY_COMPARE(barra->value(), 3);
        QCOMPARE(Control<QLabel>(v.ventana, "lblEstado")->text().isEmpty(), false);
        // Closing the window stops it; nothing of it is left.
        v.ventana.close();
        QVERIFY(!v.ventana.Construccion().EnCurso());
        QVERIFY(!v.carpeta.Existe(QStringLiteral("corvala.db.nuevo")));
        QVERIFY(!v.carpeta.Existe(QStringLiteral("corvala.db")));

        // Built once; the next start uses it as it is, until the list is renewed.
        v.carpeta.Control("");
        const auto construcciones = [&v] { return v.Construcciones(); };
        v.carpeta.OlvidarLlamadas();
        {
            Sesion sesion(v.carpeta.Carpeta());
            frmCargador ventana(sesion);
            ventana.Form_Load();
            QTRY_VERIFY(sesion.catalogo && !ventana.Construccion().EnCurso());
        }
        Sesion sesion(v.carpeta.Carpeta());
        frmCargador ventana(sesion);
        ventana.Form_Load();
        QTRY_VERIFY(sesion.catalogo && !ventana.Construccion().EnCurso());
        QCOMPARE(construcciones(), 1);
        ventana.CargarDatos(true);
        QTRY_VERIFY(!ventana.Construccion().EnCurso());
        QCOMPARE(construcciones(), 2);
    }

    // A build that fails is told once and not tried again at the next start, but on the
    // player's renewal.
    void unaConstruccionFallidaSeDiceUnaVez_data()
    {
        QTest::addColumn<QString>("carpetaEnMedio");
        QTest::addColumn<QByteArray>("control");
        QTest::newRow("corvala.db.nuevo es una carpeta") << "corvala.db.nuevo" << QByteArray();
        QTest::newRow("XML mal formado") << "" << QByteArray("listxml.output=<mame><machine>\n");
        QTest::newRow("el emulador falla") << "" << QByteArray("listxml.fail=1\n");
    }
    void unaConstruccionFallidaSeDiceUnaVez()
    {
        QFETCH(QString, carpetaEnMedio);
        QFETCH(QByteArray, control);
        MensajesDePrueba mensajes;
        VentanaConCatalogo v;
        v.carpeta.Control(control);
        if (!carpetaEnMedio.isEmpty())
            QVERIFY(QDir(v.carpeta.Ruta()).mkdir(carpetaEnMedio));
        const auto construcciones = [&v] { return v.Construcciones(); };
        v.ventana.Form_Load();
        QTRY_COMPARE(mensajes.Titulos(), QStringList{QStringLiteral("Catálogo no disponible")});
        QVERIFY(!v.sesion.catalogo);
        QCOMPARE(construcciones(), 1);

        for (int arranque = 0; arranque < 2; ++arranque) {
            Sesion sesion(v.carpeta.Carpeta());
            frmCargador otra(sesion);
            otra.Form_Load();
            QTest::qWait(200);
            QVERIFY(!otra.Construccion().EnCurso());
        }
        QCOMPARE(construcciones(), 1);
        QCOMPARE(mensajes.Vistos().size(), 1);

        // The player's renewal tries again.
        v.ventana.CargarDatos(true);
        QTRY_COMPARE(construcciones(), 2);
    }

    // A failure that cannot be recorded is not promised to be remembered.
    void unFalloQueNoSeRecuerdaNoSePromete()
    {
        MensajesDePrueba mensajes;
        VentanaConCatalogo v;
        v.carpeta.Control("listxml.fail=1\n");
        QVERIFY(QDir(v.carpeta.Ruta()).mkdir(QStringLiteral("corvala.db.fallo")));
        v.ventana.Form_Load();
        QTRY_COMPARE(mensajes.Titulos(), QStringList{QStringLiteral("Catálogo no disponible")});
        QVERIFY2(mensajes.Vistos().constFirst().texto.contains(u"lo intentará de nuevo la próxima"),
                 qPrintable(mensajes.Vistos().constFirst().texto));
    }

    // A corvala.db that cannot be read now (another program is writing it, or it is no file) is
    // waited for a while, then left as it is for the session, and said; nothing is built over it.
    void unCatalogoQueNoSePuedeLeerSeDejaComoEsta_data()
    {
        QTest::addColumn<bool>("enUso");
        QTest::newRow("otro programa lo está escribiendo") << true;
        QTest::newRow("es una carpeta") << false;
    }
    void unCatalogoQueNoSePuedeLeerSeDejaComoEsta()
    {
        QFETCH(bool, enUso);
        MensajesDePrueba mensajes;
        VentanaConCatalogo v;
        const QString ruta = Catalogo::Ruta(v.carpeta.Carpeta());
        sqlite3 *otro = nullptr;
        if (enUso) {
            QVERIFY(ZipDePrueba::EscribirCatalogo(ruta));
            QCOMPARE(sqlite3_open(QFile::encodeName(ruta).constData(), &otro), SQLITE_OK);
            QCOMPARE(sqlite3_exec(otro,
                                  "CREATE TABLE suya(x); BEGIN EXCLUSIVE; INSERT INTO suya "
                                  "VALUES (1)",
                                  nullptr, nullptr, nullptr),
                     SQLITE_OK);
        } else {
            QVERIFY(QDir(v.carpeta.Ruta()).mkdir(QStringLiteral("corvala.db")));
        }
        v.ventana.Form_Load();
        QLabel *estado = Control<QLabel>(v.ventana, "lblEstado");
        QTRY_VERIFY_WITH_TIMEOUT(estado->text().contains(u"corvala.db"), 20000);
        v.ventana.CargarDatos(true);
        QTest::qWait(300);
        QCOMPARE(v.Construcciones(), 0);
        QVERIFY(!v.sesion.catalogo);
        QCOMPARE(mensajes.Vistos().size(), 0);
        if (otro) {
            QCOMPARE(sqlite3_exec(otro, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
            sqlite3_close(otro);
            QCOMPARE(ConsultaSqlite(ruta, "SELECT count(*) FROM suya"),
                     QList<QVariantList>{{QStringLiteral("1")}});
        }
    }

    // A corvala.db that is no catalogue is built again, and kept beside the new one.
    void unArchivoQueNoEsCatalogoSeGuardaAparte()
    {
        VentanaConCatalogo v;
        v.carpeta.Escribir(QStringLiteral("corvala.db"), "no es una base de datos\n");
        v.Abrir();
        QCOMPARE(v.carpeta.Leer(QStringLiteral("corvala.db.anterior")),
                 QByteArray("no es una base de datos\n"));
    }

    // The list comes first; the catalogue on disk follows once read. A build a killed Corvala
    // left is gone.
    void laListaNoEsperaAlCatalogo()
    {
        VentanaConCatalogo v;
        v.Abrir();
        v.carpeta.Escribir(QStringLiteral("corvala.db.nuevo"), "a medias");
        Sesion sesion(v.carpeta.Carpeta());
        frmCargador otra(sesion);
        otra.Form_Load();
        QVERIFY(!v.carpeta.Existe(QStringLiteral("corvala.db.nuevo")));
        QCOMPARE(Filas(otra).size(), 4);
        QVERIFY(!sesion.catalogo);
        QTRY_VERIFY(sesion.catalogo);
        QVERIFY(!otra.Construccion().EnCurso());
    }
};

QTEST_MAIN(TestListaFiltrada)
#include "test_lista_filtrada.moc"
