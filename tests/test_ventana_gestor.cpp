// The ROM manager window as a player meets it: opened from the main window, its two lists and
// their labels, the search with its panel, cancel and outcomes, the commands turned away while
// one runs, the renaming that the main window's list then shows, and the reports opened in the
// viewer.

#include "comun/logic/ArchivosDeCarpeta.h"
#include "comun/windows/BotonEtiqueta.h"
#include "rommanager/logic/Compatibilidad.h"
#include "rommanager/windows/frmGestionar.h"

#include "apoyo/Controles.h"
#include "apoyo/MensajesDePrueba.h"
#include "apoyo/VentanaDePrueba.h"
#include "apoyo/VentanaModal.h"
#include "apoyo/ZipDePrueba.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QTimer>
#include <QtTest>

#include <fstream>

using namespace Corvala;

namespace {

// The main window over a collection of galaga.zip and oldname.zip, an archive that holds a
// good Pac-Man set under another name.
struct Principal : Ventana
{
    Principal()
        : Ventana(false)
    {
        carpeta.ListaCompleta("name      description\r\n"
                              "dkong     \"Donkey Kong\"\r\n"
                              "galaga    \"Galaga\"\r\n"
                              "pacman    \"Pac-Man\"\r\n"
                              "puckman   \"PAC-MAN\"\r\n");
        carpeta.Archivo(QStringLiteral("galaga.zip"), "set=galaga");
        carpeta.Archivo(QStringLiteral("oldname.zip"), "set=pacman");
        carpeta.Escribir(QStringLiteral("whatsnew.txt"), "0.251\r\n");
        ventana.Form_Load();
        ventana.show();
    }
};

// The ROM manager over its own folder, loaded but not shown modally.
struct Gestor : Principal
{
    Gestor()
    {
        gestor.Form_Load();
        gestor.show();
    }
    frmGestionar gestor{sesion, &ventana, 400};
};

QStringList Textos(const QListView *lista)
{
    QStringList textos;
    for (int i = 0; i < lista->model()->rowCount(); ++i)
        textos << lista->model()->index(i, 0).data().toString();
    return textos;
}

// A click on the entry of the list, as the player gives it.
void Elegir(QListView *lista, const QString &texto)
{
    const int fila = int(Textos(lista).indexOf(texto));
    QVERIFY2(fila >= 0, qPrintable(texto));
    const QModelIndex indice = lista->model()->index(fila, 0);
    lista->scrollTo(indice);
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualRect(indice).center());
}

void Clic(QWidget *boton)
{
    QTest::mouseClick(boton, Qt::LeftButton);
}

// Runs the action on the ROM manager once the main window has shown it modally (its loading
// runs the emulator first, with the events flowing), then leaves it with "Salir", so that the
// test goes on whatever the action found.
void AlAbrirseElGestor(std::function<void(frmGestionar *)> accion)
{
    AlMostrarse<frmGestionar>([accion](frmGestionar *gestor) {
        accion(gestor);
        gestor->lblSalir_Click();
    });
}

} // namespace

class TestVentanaGestor : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> abiertos;

public Q_SLOTS:
    void Abrir(const QUrl &url) { abiertos << url; }

private Q_SLOTS:
    void init() { abiertos.clear(); }
    void initTestCase() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Abrir"); }
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

    void buscarYActualizarComoUnJugador()
    {
        MensajesDePrueba mensajes;
        Principal principal;
        QCOMPARE(Filas(principal.ventana),
                 QStringList({QStringLiteral("Galaga"),
                              QStringLiteral("ROM desconocida(oldname.zip)")}));
        principal.carpeta.OlvidarLlamadas();
        bool abierto = false;
        AlAbrirseElGestor([&](frmGestionar *gestor) {
            abierto = true;
            // The main window is busy and will not close meanwhile.
            QVERIFY(principal.sesion.ocupado);
            principal.ventana.close();
            QVERIFY(principal.ventana.isVisible());
            QCOMPARE(Control<QLabel>(principal.ventana, "lblEstado")->text(),
                     QStringLiteral("Si MAME está activo, no se puede cerrar Corvala!"));

            QCOMPARE(gestor->size(), frmGestionar::TamanoDeDiseno());
            QCOMPARE(gestor->frameGeometry().center(), principal.ventana.frameGeometry().center());
            QVERIFY(!Control<QWidget>(*gestor, "Estado")->isVisible());
            QCOMPARE(Textos(Control<QListView>(*gestor, "ROMs")),
                     QStringList({QStringLiteral("galaga.zip"), QStringLiteral("oldname.zip")}));
            QCOMPARE(Textos(Control<QListView>(*gestor, "lstJuegos")),
                     QStringList({QStringLiteral("Donkey Kong"), QStringLiteral("Galaga"),
                                  QStringLiteral("Pac-Man"), QStringLiteral("PAC-MAN")}));

            Elegir(Control<QListView>(*gestor, "ROMs"), QStringLiteral("oldname.zip"));
            QCOMPARE(Control<QLabel>(*gestor, "lblTitulo")->text(),
                     QStringLiteral("ROM desconocida(oldname.zip)"));
            mensajes.Responder(Respuesta::Si);
            Clic(Control<BotonEtiqueta>(*gestor, "lblBuscar"));
            QCOMPARE(mensajes.Titulos(), QStringList({QStringLiteral("¿De verdad deseas buscar?"),
                                                      QStringLiteral("¡Encontrada!")}));
            QVERIFY(mensajes.Vistos().last().texto.endsWith(
                    QStringLiteral("el título del juego es Pac-Man.")));
            QVERIFY(!Control<QWidget>(*gestor, "Estado")->isVisible());
            // The game found is chosen: "Actualizar ROM" is one click away.
            QCOMPARE(Control<QListView>(*gestor, "lstJuegos")->currentIndex().data().toString(),
                     QStringLiteral("Pac-Man"));
            QCOMPARE(Control<QLabel>(*gestor, "lblArchivo")->text(), QStringLiteral("pacman.zip"));

            // Both equal titles give the archive of the first line.
            Elegir(Control<QListView>(*gestor, "lstJuegos"), QStringLiteral("PAC-MAN"));
            QCOMPARE(Control<QLabel>(*gestor, "lblArchivo")->text(), QStringLiteral("pacman.zip"));
            Elegir(Control<QListView>(*gestor, "lstJuegos"), QStringLiteral("Pac-Man"));
            QCOMPARE(Control<QLabel>(*gestor, "lblArchivo")->text(), QStringLiteral("pacman.zip"));
            mensajes.Responder(Respuesta::Si);
            Clic(Control<BotonEtiqueta>(*gestor, "lblActualizar"));
            QCOMPARE(mensajes.Vistos().last().texto,
                     QStringLiteral(
                             "¿Deseas actualizar el archivo de ROM oldname.zip al archivo para el "
                             "juego Pac-Man(pacman.zip)?"));
            QCOMPARE(Textos(Control<QListView>(*gestor, "ROMs")),
                     QStringList({QStringLiteral("galaga.zip"), QStringLiteral("pacman.zip")}));
            // The title of the archive stays until the list is clicked again.
            QCOMPARE(Control<QLabel>(*gestor, "lblTitulo")->text(),
                     QStringLiteral("ROM desconocida(oldname.zip)"));
            Elegir(Control<QListView>(*gestor, "ROMs"), QStringLiteral("pacman.zip"));
            QCOMPARE(Control<QLabel>(*gestor, "lblTitulo")->text(), QStringLiteral("Pac-Man"));
        });
        Clic(Control<BotonEtiqueta>(principal.ventana, "lblGestionar"));
        QVERIFY(abierto);
        QCOMPARE(mensajes.Vistos().size(), 3);
        QVERIFY(!principal.sesion.ocupado);
        QCOMPARE(Filas(principal.ventana),
                 QStringList({QStringLiteral("Galaga"), QStringLiteral("Pac-Man")}));
        // The window's opening and the search each rebuilt the list; the search went through
        // dkong and pacman only (galaga.zip lies in roms); the renaming tested once more.
        int listas = 0;
        QStringList verificados;
        for (const QStringList &llamada : principal.carpeta.Llamadas()) {
            listas += llamada == QStringList{QStringLiteral("-listfull")};
            if (llamada.contains(QStringLiteral("-verifysets")))
                verificados << llamada.first();
        }
        QCOMPARE(listas, 2);
        QCOMPARE(verificados, QStringList({QStringLiteral("dkong"), QStringLiteral("pacman"),
                                           QStringLiteral("pacman")}));
    }

    void soloSalirCierraLaVentana()
    {
        Gestor g;
        g.gestor.close();
        QVERIFY(g.gestor.isVisible());
        QTest::keyClick(&g.gestor, Qt::Key_Escape);
        QVERIFY(g.gestor.isVisible());
        Clic(Control<BotonEtiqueta>(g.gestor, "lblSalir"));
        QVERIFY(!g.gestor.isVisible());
    }

    void losComandosPidenSuSeleccion()
    {
        MensajesDePrueba mensajes;
        Gestor g;
        // A list that takes the focus puts its cursor on its first row; that chooses nothing.
        for (QListView *lista :
             {Control<QListView>(g.gestor, "ROMs"), Control<QListView>(g.gestor, "lstJuegos")})
            lista->selectionModel()->setCurrentIndex(lista->model()->index(0, 0),
                                                     QItemSelectionModel::NoUpdate);
        QCOMPARE(g.gestor.ArchivoElegido(), QString());
        QVERIFY(!g.gestor.HayJuegoElegido());
        QVERIFY(Control<QLabel>(g.gestor, "lblTitulo")->text().isEmpty());
        for (BotonEtiqueta *boton : {Control<BotonEtiqueta>(g.gestor, "lblBuscar"),
                                     Control<BotonEtiqueta>(g.gestor, "lblCompara"),
                                     Control<BotonEtiqueta>(g.gestor, "lblContiene"),
                                     Control<BotonEtiqueta>(g.gestor, "lblArchivosJuego"),
                                     Control<BotonEtiqueta>(g.gestor, "lblCancelar")})
            g.gestor.metaObject()->invokeMethod(boton, "clic");
        QVERIFY(mensajes.Vistos().isEmpty());
        QVERIFY(abiertos.isEmpty());
        g.gestor.lblActualizar_Click();
        QCOMPARE(mensajes.Titulos(), QStringList{QStringLiteral("¡No!")});
        QCOMPARE(mensajes.Vistos().first().icono, Mensaje::Icono::Informacion);

        // An archive alone: the rename still refuses, the comparison does nothing, the archive
        // report runs and the game report does not.
        Elegir(Control<QListView>(g.gestor, "ROMs"), QStringLiteral("galaga.zip"));
        g.gestor.lblActualizar_Click();
        g.gestor.lblCompara_Click();
        QCOMPARE(mensajes.Vistos().size(), 2);
        g.gestor.lblArchivosJuego_Click();
        QVERIFY(abiertos.isEmpty());
        g.gestor.lblContiene_Click();
        QCOMPARE(abiertos, QList<QUrl>{QUrl::fromLocalFile(
                                   g.carpeta.Ruta(QStringLiteral("comparacion.log")))});
        QVERIFY(g.carpeta.Leer(QStringLiteral("comparacion.log")).contains("galaga.zip KNOWN"));
        QVERIFY(!g.gestor.Ocupado());
        QCOMPARE(g.gestor.cursor().shape(), Qt::ArrowCursor);
    }

    void comparacionYActualizacionConElArchivoDelJuegoPresente()
    {
        MensajesDePrueba mensajes;
        Gestor g;
        g.carpeta.OlvidarLlamadas();
        Elegir(Control<QListView>(g.gestor, "ROMs"), QStringLiteral("oldname.zip"));
        Elegir(Control<QListView>(g.gestor, "lstJuegos"), QStringLiteral("Galaga"));
        mensajes.Responder(Respuesta::Si);
        g.gestor.lblCompara_Click();
        g.gestor.lblActualizar_Click();
        QCOMPARE(mensajes.Titulos(),
                 QStringList({QStringLiteral("No es posible la comparación"),
                              QStringLiteral("Atención"), QStringLiteral("Error")}));
        QVERIFY(g.carpeta.Llamadas().isEmpty());

        // The rename answered No does nothing; an incompatible game is refused.
        Elegir(Control<QListView>(g.gestor, "lstJuegos"), QStringLiteral("Donkey Kong"));
        g.gestor.lblActualizar_Click();
        QCOMPARE(mensajes.Titulos().size(), 4);
        QVERIFY(g.carpeta.Llamadas().isEmpty());
        mensajes.Responder(Respuesta::Si);
        g.gestor.lblActualizar_Click();
        QCOMPARE(mensajes.Titulos().last(), QStringLiteral("¡No!"));
        g.gestor.lblCompara_Click();
        QCOMPARE(mensajes.Titulos().last(), QStringLiteral("¡Ogh!"));

        // The archive was removed by another program; the list still shows it.
        Elegir(Control<QListView>(g.gestor, "lstJuegos"), QStringLiteral("Pac-Man"));
        g.carpeta.Borrar(QStringLiteral("roms/oldname.zip"));
        mensajes.Responder(Respuesta::Si);
        g.gestor.lblActualizar_Click();
        QCOMPARE(mensajes.Titulos().last(), QStringLiteral("No es posible continuar"));
    }

    void busquedaCanceladaYComandosRechazadosMientrasDura()
    {
        MensajesDePrueba mensajes;
        Gestor g;
        g.carpeta.Archivo(QStringLiteral("oldname.zip"), "set=nothing");
        g.carpeta.Control("verifysets.delay_ms=150\n");
        Elegir(Control<QListView>(g.gestor, "ROMs"), QStringLiteral("oldname.zip"));
        Elegir(Control<QListView>(g.gestor, "lstJuegos"), QStringLiteral("Galaga"));
        const QString titulo = Control<QLabel>(g.gestor, "lblTitulo")->text();
        const QString archivo = Control<QLabel>(g.gestor, "lblArchivo")->text();

        // Yes to the search, No to the first cancel, Yes to the second.
        mensajes.Responder(Respuesta::Si);
        mensajes.Responder(Respuesta::No);
        mensajes.Responder(Respuesta::Si);
        bool visto = false;
        // Looked at while the second line is tested, however fast this build runs.
        QTimer vigia;
        vigia.setInterval(5);
        QObject::connect(&vigia, &QTimer::timeout, [&] {
            if (visto || Control<QLabel>(g.gestor, "lblActual")->text() != QLatin1String("2"))
                return;
            visto = true;
            vigia.stop();
            QVERIFY(Control<QWidget>(g.gestor, "Estado")->isVisible());
            QVERIFY(g.gestor.Buscando());
            QCOMPARE(Control<QLabel>(g.gestor, "lblTotal")->text(), QStringLiteral("4"));
            QCOMPARE(Control<QLabel>(g.gestor, "lblActual")->text(), QStringLiteral("2"));
            QCOMPARE(Control<QProgressBar>(g.gestor, "progreso")->value(), 2);
            // Every other command is turned away; the lists still move.
            Clic(Control<BotonEtiqueta>(g.gestor, "lblSalir"));
            Clic(Control<BotonEtiqueta>(g.gestor, "lblCompara"));
            Clic(Control<BotonEtiqueta>(g.gestor, "lblContiene"));
            Clic(Control<BotonEtiqueta>(g.gestor, "lblBuscar"));
            Elegir(Control<QListView>(g.gestor, "lstJuegos"), QStringLiteral("Pac-Man"));
            QCOMPARE(Control<QLabel>(g.gestor, "lblArchivo")->text(), archivo);
            QVERIFY(g.gestor.isVisible());
            Clic(Control<BotonEtiqueta>(g.gestor, "lblCancelar"));
            QVERIFY(g.gestor.Buscando());
            Clic(Control<BotonEtiqueta>(g.gestor, "lblCancelar"));
            QVERIFY(!g.gestor.Buscando());
        });
        vigia.start();
        Clic(Control<BotonEtiqueta>(g.gestor, "lblBuscar"));
        QVERIFY(visto);
        QCOMPARE(mensajes.Titulos(),
                 QStringList({QStringLiteral("¿De verdad deseas buscar?"),
                              QStringLiteral("¿Estas seguro?"), QStringLiteral("¿Estas seguro?"),
                              QStringLiteral("Proceso cancelado")}));
        QVERIFY(abiertos.isEmpty());
        QVERIFY(!Control<QWidget>(g.gestor, "Estado")->isVisible());
        QVERIFY(!g.gestor.Ocupado());
        QCOMPARE(Control<QLabel>(g.gestor, "lblTitulo")->text(), titulo);
        QVERIFY(g.carpeta.Existe(QStringLiteral("roms/oldname.zip")));

        // The title chosen during the search is the one the labels and the commands now use.
        QCOMPARE(Control<QLabel>(g.gestor, "lblArchivo")->text(), QStringLiteral("pacman.zip"));
        g.carpeta.Control("");
        g.carpeta.OlvidarLlamadas();
        Clic(Control<BotonEtiqueta>(g.gestor, "lblCompara"));
        QCOMPARE(g.carpeta.Llamadas().value(0).value(0), QStringLiteral("pacman"));

        // Nothing found: the box, then every command works again.
        g.carpeta.Control("");
        mensajes.Responder(Respuesta::Si);
        Clic(Control<BotonEtiqueta>(g.gestor, "lblBuscar"));
        QCOMPARE(mensajes.Titulos().last(), QStringLiteral("¡Ogh!"));
        QCOMPARE(Control<QLabel>(g.gestor, "lblActual")->text(), QStringLiteral("5"));
        QCOMPARE(Control<QProgressBar>(g.gestor, "progreso")->value(), 4);
        // The search answered No does not start.
        g.carpeta.OlvidarLlamadas();
        Clic(Control<BotonEtiqueta>(g.gestor, "lblBuscar"));
        QVERIFY(g.carpeta.Llamadas().isEmpty());
        Clic(Control<BotonEtiqueta>(g.gestor, "lblSalir"));
        QVERIFY(!g.gestor.isVisible());
    }

    // With the catalogue the search goes through the archive's candidates alone, and counts
    // them.
    void conCatalogoLaBusquedaCuentaSusCandidatos()
    {
        MensajesDePrueba mensajes;
        Principal principal;
        principal.carpeta.ConCatalogo();
        QVERIFY(ZipDePrueba::Escribir(
                principal.carpeta.Ruta(QStringLiteral("roms/fusion.zip")),
                ZipDePrueba::Juego(QStringLiteral("puckman"))
                        + ZipDePrueba::Juego(QStringLiteral("pacman")).mid(0, 1)));
        principal.sesion.catalogo = ZipDePrueba::Catalogo();
        frmGestionar gestor(principal.sesion, &principal.ventana, 400);
        gestor.Form_Load();
        gestor.show();
        Elegir(Control<QListView>(gestor, "ROMs"), QStringLiteral("fusion.zip"));
        // What it appears to be, from its files, before any search.
        QCOMPARE(
                Control<QLabel>(gestor, "lblTitulo")->text(),
                QStringLiteral("ROM desconocida(fusion.zip) · Parece ser: Puck Man (Japan set 1)"));
        principal.carpeta.OlvidarLlamadas();
        mensajes.Responder(Respuesta::Si);
        Clic(Control<BotonEtiqueta>(gestor, "lblBuscar"));
        QCOMPARE(mensajes.Vistos().last().texto,
                 QStringLiteral("Se ha encontrado compatibilidad para el archivo seleccionado, el "
                                "título del juego "
                                "es Puck Man (Japan set 1)."));
        QCOMPARE(Control<QLabel>(gestor, "lblTotal")->text(), QStringLiteral("2"));
        QCOMPARE(Control<QLabel>(gestor, "lblActual")->text(), QStringLiteral("1"));
        QCOMPARE(principal.carpeta.Llamadas().size(), 1);
        QVERIFY(principal.carpeta.Existe(QStringLiteral("roms/fusion.zip")));
    }

    void laAperturaDevuelveElNombrePendiente()
    {
        Principal principal;
        principal.carpeta.Borrar(QStringLiteral("roms/oldname.zip"));
        principal.carpeta.Archivo(QStringLiteral("dkong.zip"), "set=pacman");
        principal.carpeta.Escribir(Compatibilidad::Registro(), "oldname.zip\r\ndkong.zip\r\n");
        frmGestionar gestor(principal.sesion, &principal.ventana);
        gestor.Form_Load();
        QCOMPARE(Textos(Control<QListView>(gestor, "ROMs")),
                 QStringList({QStringLiteral("galaga.zip"), QStringLiteral("oldname.zip")}));
        QVERIFY(!principal.carpeta.Existe(Compatibilidad::Registro()));
    }

    void unNombreConMarcasSeVeTalCual()
    {
        Gestor g;
        g.carpeta.Archivo(QStringLiteral("<h1>grande.zip"));
        g.gestor.CargarDatos();
        Elegir(Control<QListView>(g.gestor, "ROMs"), QStringLiteral("<h1>grande.zip"));
        auto *titulo = Control<QLabel>(g.gestor, "lblTitulo");
        QCOMPARE(titulo->text(), QStringLiteral("ROM desconocida(<h1>grande.zip)"));
        // Drawn as one line of the window's font, not as a heading.
        QVERIFY(titulo->sizeHint().height()
                <= Control<QLabel>(g.gestor, "Label3")->sizeHint().height() + 2);
    }

    void unNombreQueNoEsUtf8SeListaYSeRechaza()
    {
        MensajesDePrueba mensajes;
        Gestor g;
        // "señor.zip" written in Windows-1252, as a Spanish Windows system names it.
        std::ofstream(QFile::encodeName(g.carpeta.Ruta(QStringLiteral("roms"))).toStdString()
                      + "/se\xf1or.zip");
        g.gestor.CargarDatos();
        Elegir(Control<QListView>(g.gestor, "ROMs"), QStringLiteral("señor.zip"));
        Elegir(Control<QListView>(g.gestor, "lstJuegos"), QStringLiteral("Galaga"));
        g.carpeta.OlvidarLlamadas();
        for (const char *boton : {"lblContiene", "lblCompara", "lblActualizar", "lblBuscar"})
            Clic(Control<BotonEtiqueta>(g.gestor, boton));
        QCOMPARE(mensajes.Titulos(), QStringList(4, QStringLiteral("Nombre no válido")));
        QVERIFY(mensajes.Vistos().constFirst().texto.contains(QStringLiteral("señor.zip")));
        QVERIFY(g.carpeta.Llamadas().isEmpty());
        QVERIFY(abiertos.isEmpty());

        // An archive that is merely gone is not taken for one.
        QVERIFY(!ArchivosDeCarpeta::NombreIlegible(g.carpeta.Ruta(QStringLiteral("roms")),
                                                   QStringLiteral("borrado.zip")));
    }

    void laListaDeArchivosTraeSuTitulo()
    {
        Gestor g;
        g.carpeta.Archivo(QStringLiteral("PACMAN.ZIP"));
        g.gestor.CargarDatos();
        Elegir(Control<QListView>(g.gestor, "ROMs"), QStringLiteral("PACMAN.ZIP"));
        QCOMPARE(Control<QLabel>(g.gestor, "lblTitulo")->text(), QStringLiteral("Pac-Man"));
        // lista.txt changed after the list was filled.
        g.carpeta.Escribir(QStringLiteral("lista.txt"), "name      description\r\n");
        Elegir(Control<QListView>(g.gestor, "lstJuegos"), QStringLiteral("Galaga"));
        QCOMPARE(Control<QLabel>(g.gestor, "lblArchivo")->text(), QStringLiteral("ERROR"));
        g.gestor.lblArchivosJuego_Click();
        QCOMPARE(abiertos.size(), 1);
        QVERIFY(g.carpeta.Leer(QStringLiteral("comparacion.log"))
                        .startsWith("\r\n/* GALAGA */\r\n"));
    }
};

QTEST_MAIN(TestVentanaGestor)
#include "test_ventana_gestor.moc"
