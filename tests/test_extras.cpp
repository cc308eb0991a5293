// What players keep beside their sets: where it is looked for, the category and players files,
// the history's index, the pictures in folders and zips; and how the list, its filters, the
// information window and the preview show them.

#include "catalogue/logic/Catalogo.h"
#include "comun/logic/BaseSqlite.h"
#include "extras/logic/AlmacenDeImagenes.h"
#include "extras/logic/Clasificacion.h"
#include "extras/logic/Historia.h"
#include "extras/logic/RutasDeExtras.h"
#include "frontend/windows/ImagenesDelJuego.h"

#include "apoyo/Controles.h"
#include "apoyo/VentanaDePrueba.h"
#include "apoyo/VentanaModal.h"
#include "apoyo/ZipDePrueba.h"

#include <QBuffer>
#include <QImageWriter>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>

using namespace Corvala;

namespace {

QByteArray Png(const QColor &color, const char *formato = "png")
{
    QImage imagen(QSize(32, 24), QImage::Format_RGB32);
    imagen.fill(color);
    QBuffer datos;
    datos.open(QIODevice::WriteOnly);
    QImageWriter(&datos, formato).write(imagen);
    return datos.data();
}

QByteArray Crlf(QByteArray texto)
{
    return texto.replace("\n", "\r\n");
}

const QByteArray kCatver = Crlf("\xEF\xBB\xBF;; a catver.ini\n"
                                "[Category]\n"
                                "galaga=Shooter / Flying Vertical\n"
                                "puckman=Maze / Collect\n"
                                "sf2=Fighter / Versus * Mature *\n"
                                "\n[VerAdded]\n"
                                "galaga=.31\n");
const QByteArray kNPlayers = "[NPlayers]\ngalaga=2P alt\nsf2=2P sim\npong=4P alt / 2P sim\n";
const QByteArray kCarpetas = "[FOLDER_SETTINGS]\nRootFolderIcon=mame\n[ROOT_FOLDER]\ndkong\n"
                             "[Classics]\ngalaga\ndkong\n";

} // namespace

class TestExtras : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lasCategoriasYLosJugadoresSeLeenComoLosEscriben()
    {
        CarpetaDePrueba carpeta;
        carpeta.Escribir(QStringLiteral("folders/catver.ini"), kCatver);
        carpeta.Escribir(QStringLiteral("folders/nplayers.ini"), kNPlayers);
        carpeta.Escribir(QStringLiteral("folders/series.ini"), kCarpetas);
        QStringList avisos;
        const Clasificacion c
                = Clasificacion::Leer(RutasDeExtras::Leer(carpeta.Carpeta()).categorias, &avisos);
        QVERIFY(avisos.isEmpty());
        QCOMPARE(c.Categorias(*c.De(QStringLiteral("galaga"))),
                 QStringList({QStringLiteral("Shooter / Flying Vertical"),
                              QStringLiteral("Classics")}));
        QCOMPARE(c.Version(*c.De(QStringLiteral("galaga"))), QStringLiteral(".31"));
        QCOMPARE(c.Categorias(*c.De(QStringLiteral("sf2"))),
                 QStringList(QStringLiteral("Fighter / Versus")));
        QVERIFY(c.De(QStringLiteral("sf2"))->adultos);
        // The folders' settings and root are no categories; a line of a section is a set.
        QCOMPARE(c.Categorias(*c.De(QStringLiteral("dkong"))),
                 QStringList(QStringLiteral("Classics")));
        QVERIFY(!c.TodasLasCategorias().contains(QStringLiteral("ROOT_FOLDER")));
        QCOMPARE(c.De(QStringLiteral("pong"))->jugadores, QStringLiteral("4P alt / 2P sim"));
        QVERIFY(!c.De(QStringLiteral("pacman")));

        const struct
        {
            const char *valor, *palabras;
            int cuantos;
        } jugadores[] = {{"1P", "1 jugador", 1},
                         {"2P alt", "2 jugadores alternando", 2},
                         {"2P sim", "2 jugadores a la vez", 2},
                         {"4P alt / 2P sim", "4 jugadores alternando o 2 jugadores a la vez", 4},
                         {"Pinball", "Pinball", 0},
                         {"???", "no se sabe", 0}};
        for (const auto &j : jugadores) {
            QCOMPARE(Clasificacion::JugadoresEnPalabras(QLatin1String(j.valor)),
                     QString::fromUtf8(j.palabras));
            QCOMPARE(Clasificacion::CuantosJugadores(QLatin1String(j.valor)), j.cuantos);
        }
        const QStringList shooter{QStringLiteral("Shooter / Flying Vertical")};
        QVERIFY(Clasificacion::Pertenece(shooter, QStringLiteral("Shooter")));
        QVERIFY(Clasificacion::Pertenece(shooter, shooter.front()));
        QVERIFY(!Clasificacion::Pertenece(shooter, QStringLiteral("Shoot")));
    }

    void lasRutasSonLasDeUiIniOLasDelEmulador()
    {
        CarpetaDePrueba carpeta;
        const RutasDeExtras porDefecto = RutasDeExtras::Leer(carpeta.Carpeta());
        QCOMPARE(porDefecto.categorias, QStringList(carpeta.Ruta(QStringLiteral("folders"))));
        QCOMPARE(porDefecto.historia, QStringList({carpeta.Ruta(QStringLiteral("history")),
                                                   carpeta.Ruta(QStringLiteral("dats")),
                                                   carpeta.Ruta(QStringLiteral("."))}));
        QCOMPARE(porDefecto.Imagenes(TipoDeImagen::Titulo),
                 QStringList(carpeta.Ruta(QStringLiteral("titles"))));
        carpeta.Escribir(QStringLiteral("ui.ini"), Crlf("categorypath             cats;/opt/cats\n"
                                                        "historypath              \"mis datos\"\n"
                                                        "titles_directory         arte/titulos\n"));
        // The emulator's snapshots go to Corvala's snaps: snap is looked in all the same.
        carpeta.Escribir(QStringLiteral("mame.ini"), "snapshot_directory        snaps\n");
        const RutasDeExtras rutas = RutasDeExtras::Leer(carpeta.Carpeta());
        QCOMPARE(rutas.categorias,
                 QStringList({carpeta.Ruta(QStringLiteral("cats")), QStringLiteral("/opt/cats")}));
        QCOMPARE(rutas.historia, QStringList(carpeta.Ruta(QStringLiteral("mis datos"))));
        QCOMPARE(rutas.Imagenes(TipoDeImagen::Titulo),
                 QStringList(carpeta.Ruta(QStringLiteral("arte/titulos"))));
        QCOMPARE(rutas.Imagenes(TipoDeImagen::Instantanea),
                 QStringList({carpeta.Ruta(QStringLiteral("snaps")),
                              carpeta.Ruta(QStringLiteral("snap"))}));
    }

    void laHistoriaSeIndexaUnaVezYSeBuscaPorSistemaOSoftware()
    {
        CarpetaDePrueba carpeta;
        const QString base = carpeta.Ruta(QStringLiteral("corvala.db"));
        QVERIFY(ZipDePrueba::EscribirCatalogo(base));
        const QString archivo = carpeta.Ruta(QStringLiteral("dats/history.xml"));
        carpeta.Escribir(QStringLiteral("dats/history.xml"),
                         Crlf("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                              "<history version=\"2.51\" date=\"2022-12-27\">\n"
                              "<entry><systems><system name=\"puckman\"/><system name=\"pacman\"/>"
                              "</systems><text>\n- TECHNICAL -\nPac &amp; Puck\n</text></entry>\n"
                              "<entry><software><item list=\"nes\" name=\"smb\"/></software>"
                              "<text>Mario</text></entry>\n</history>\n"));
        QCOMPARE(Historia::Archivo(RutasDeExtras::Leer(carpeta.Carpeta()).historia), archivo);
        QVERIFY(Historia::Indexar(base, archivo));
        QCOMPARE(Historia::HuellaGuardada(base), Historia::Huella(archivo));
        QCOMPARE(Historia::Texto(base, {QStringLiteral("pacman")}),
                 QStringLiteral("- TECHNICAL -\nPac & Puck"));
        QCOMPARE(Historia::Texto(base, {QStringLiteral("nes:smb")}), QStringLiteral("Mario"));
        QCOMPARE(Historia::Texto(base, {QStringLiteral("galaga"), QStringLiteral("puckman")}),
                 QStringLiteral("- TECHNICAL -\nPac & Puck"));
        QCOMPARE(Historia::Texto(base, {QStringLiteral("galaga")}), QString());
        {
            // Another program holding the database: no text, soon, and no crash.
            BaseSqlite otro;
            QVERIFY(otro.Abrir(base, false) && otro.Ejecutar("BEGIN EXCLUSIVE"));
            QCOMPARE(Historia::Texto(base, {QStringLiteral("pacman"), QStringLiteral("x")}),
                     QString());
        }
        // A broken file is refused with its reason, and the index there was stays.
        carpeta.Escribir(QStringLiteral("dats/history.xml"), "<history><entry><text>a</history>");
        const Resultado roto = Historia::Indexar(base, archivo);
        QVERIFY(!roto);
        QVERIFY(!roto.Motivo().isEmpty());
        QCOMPARE(Historia::Texto(base, {QStringLiteral("nes:smb")}), QStringLiteral("Mario"));
    }

    void lasImagenesSeBuscanEnCarpetasYLuegoEnZips()
    {
        CarpetaDePrueba carpeta;
        carpeta.Escribir(QStringLiteral("titles/galaga.png"), Png(Qt::red));
        carpeta.Escribir(QStringLiteral("titles/nes/smb.jpg"), Png(Qt::blue, "jpg"));
        // A bad PNG in the folder, and the good one in the zip, in capitals.
        carpeta.Escribir(QStringLiteral("snap/pacman.png"), "\x89PNG\r\n\x1a\n roto");
        QVERIFY(ZipDePrueba::Escribir(carpeta.Ruta(QStringLiteral("snap.zip")),
                                      {{QStringLiteral("PACMAN.PNG"), Png(Qt::green)},
                                       {QStringLiteral("nes/smb.png"), Png(Qt::yellow)}}));
        carpeta.Escribir(QStringLiteral("icons/galaga.ico"), Png(Qt::red, "ico"));
        const AlmacenDeImagenes imagenes(RutasDeExtras::Leer(carpeta.Carpeta()));
        QVERIFY(imagenes.Hay(TipoDeImagen::Instantanea) && imagenes.Hay(TipoDeImagen::Icono));
        QVERIFY(!imagenes.Hay(TipoDeImagen::Folleto));
        const auto color = [&imagenes](TipoDeImagen tipo, const char *nombre) {
            QColor hallado;
            imagenes.Buscar(tipo, QLatin1String(nombre), [&hallado](const QByteArray &bytes) {
                const QImage imagen = QImage::fromData(bytes);
                hallado = imagen.isNull() ? QColor() : imagen.pixelColor(4, 4);
                return !imagen.isNull();
            });
            return hallado.isValid() ? hallado.name() : QString();
        };
        QCOMPARE(color(TipoDeImagen::Titulo, "galaga"), QColor(Qt::red).name());
        QCOMPARE(color(TipoDeImagen::Instantanea, "pacman"), QColor(Qt::green).name());
        QCOMPARE(color(TipoDeImagen::Instantanea, "nes/smb"), QColor(Qt::yellow).name());
        QVERIFY(!color(TipoDeImagen::Titulo, "nes/smb").isEmpty());
        QCOMPARE(color(TipoDeImagen::Icono, "galaga"), QColor(Qt::red).name());
        // A name never leaves its folder.
        for (const char *fuera : {"../titles/galaga", "/etc/passwd", "galaga\\..\\x", ""})
            QCOMPARE(color(TipoDeImagen::Titulo, fuera), QString());
        QCOMPARE(color(TipoDeImagen::Titulo, "puckman"), QString());
    }

    // The whole way, in the main window: the list shows the categories, the players and the
    // icons, filters by them, the information window tells them with the history, and the
    // preview and the enlarged view show the pictures players keep.
    void laVentanaLosMuestraYFiltraPorEllos()
    {
        Ventana v(false);
        v.carpeta.ConCatalogo();
        for (const char *juego : {"galaga", "pacman", "puckman"})
            ZipDePrueba::Escribir(
                    v.carpeta.Ruta(QStringLiteral("roms/%1.zip").arg(QLatin1String(juego))),
                    ZipDePrueba::Juego(QLatin1String(juego)));
        v.carpeta.Escribir(QStringLiteral("folders/catver.ini"), kCatver);
        v.carpeta.Escribir(QStringLiteral("folders/nplayers.ini"), kNPlayers);
        v.carpeta.Escribir(QStringLiteral("history/history.xml"),
                           "<history><entry><systems><system name=\"galaga\"/></systems>"
                           "<text>Galaga's story</text></entry></history>");
        QVERIFY(ZipDePrueba::Escribir(v.carpeta.Ruta(QStringLiteral("snap.zip")),
                                      {{QStringLiteral("galaga.png"), Png(Qt::green)}}));
        v.carpeta.Escribir(QStringLiteral("titles/puckman.png"), Png(Qt::blue));
        v.carpeta.Escribir(QStringLiteral("flyers/galaga.png"), Png(Qt::red));
        v.ventana.Form_Load();
        v.ventana.show();
        const ModeloDeJuegos &modelo = v.ventana.Juegos().Modelo();
        QTRY_VERIFY(v.sesion.catalogo && modelo.ClasificacionEnUso()
                    && modelo.ClasificacionEnUso()->HayCategorias()
                    && !v.ventana.Juegos().Extras().Actuales().historia.isEmpty());
        const int galaga = modelo.FilaDeJuego(QStringLiteral("galaga"));
        const int pacman = modelo.FilaDeJuego(QStringLiteral("pacman"));
        // A clone without a line of its own takes its parent's.
        QCOMPARE(modelo.Fila(pacman).categorias, QStringList(QStringLiteral("Maze / Collect")));

        // The search finds a game by its category's words.
        v.ventana.Juegos().AbrirBusqueda(QStringLiteral("flying vert"));
        QCOMPARE(Filas(v.ventana), QStringList(modelo.Fila(galaga).titulo));
        v.ventana.Juegos().CerrarBusqueda();

        const auto elegir = [&v](const char *menu, const QString &texto) {
            Q_EMIT Control<QMenu>(v.ventana, "mnuLista")->aboutToShow();
            const QList<QAction *> acciones
                    = Control<QMenu>(v.ventana, menu)->findChildren<QAction *>();
            const auto accion = std::find_if(acciones.cbegin(), acciones.cend(),
                                             [&texto](QAction *a) { return a->text() == texto; });
            QVERIFY2(accion != acciones.cend(), qPrintable(texto));
            (*accion)->trigger();
        };
        // A whole genre, remembered and named in the strip.
        elegir("mnuCategoria", QStringLiteral("Todo «Maze»"));
        QCOMPARE(Filas(v.ventana).size(), 2);
        QVERIFY(Control<QLabel>(v.ventana, "lblFiltros")
                        ->text()
                        .contains(QStringLiteral("Categoría: Maze")));
        QVERIFY(v.carpeta.Leer(QStringLiteral("jugador.txt")).contains("categoria=Maze\r\n"));
        elegir("mnuCategoria", QStringLiteral("Todas las categorías"));
        elegir("mnuJugadores", QStringLiteral("2 jugadores"));
        QCOMPARE(Filas(v.ventana), QStringList(modelo.Fila(galaga).titulo));
        elegir("mnuJugadores", QStringLiteral("Cualquier número"));
        QCOMPARE(Filas(v.ventana).size(), 3);

        // The information, with the history in a box of its own.
        v.ventana.Juegos().ElegirFila(galaga);
        QStringList valores;
        QString historia;
        AlAbrirseLaVentana([&valores, &historia](QWidget *ventana) {
            QVERIFY(ventana);
            for (const QLabel *valor :
                 ventana->findChildren<QLabel *>(QRegularExpression(QStringLiteral("^lblValor"))))
                valores << valor->text();
            historia = Control<QPlainTextEdit>(*ventana, "txtHistoria")->toPlainText();
        });
        v.ventana.Juegos().mnuInformacion_Click();
        QVERIFY(valores.contains(QStringLiteral("Shooter / Flying Vertical")));
        QVERIFY(valores.contains(QStringLiteral("2 jugadores alternando")));
        QVERIFY(valores.contains(QStringLiteral(".31")));
        QCOMPARE(historia, QStringLiteral("Galaga's story"));

        // The preview: the snapshot from snap.zip; a clone with none, its parent's title screen.
        const auto vista = [&v] {
            return Control<QLabel>(v.ventana, "ImagenROM")->pixmap().toImage().pixelColor(4, 4);
        };
        v.ventana.MostrarImagenROM(false);
        QCOMPARE(vista(), QColor(Qt::green));
        v.ventana.Juegos().ElegirFila(pacman);
        v.ventana.MostrarImagenROM(false);
        QCOMPARE(vista(), QColor(Qt::blue));
        // Enlarged, each kind named, the arrows going from one to the next.
        v.ventana.Juegos().ElegirFila(galaga);
        QStringList nombres;
        AlAbrirseLaVentana([&nombres](QWidget *ventana) {
            auto *imagen = qobject_cast<frmImagen *>(ventana);
            QVERIFY(imagen);
            nombres << Control<QLabel>(*imagen, "lblNombre")->text();
            QTest::keyClick(imagen, Qt::Key_Right);
            nombres << Control<QLabel>(*imagen, "lblNombre")->text();
        });
        v.ventana.MostrarImagenROM(true);
        QCOMPARE(nombres, QStringList({QStringLiteral("Instantánea  (1 de 2: ← →)"),
                                       QStringLiteral("Folleto  (2 de 2: ← →)")}));

        // A category file changed while Corvala runs is read again, unasked.
        v.carpeta.Escribir(QStringLiteral("folders/catver.ini"),
                           "[Category]\r\ngalaga=Shooter / Gallery\r\n");
        QTRY_COMPARE(modelo.Fila(galaga).categorias,
                     QStringList(QStringLiteral("Shooter / Gallery")));
    }
};

QTEST_MAIN(TestExtras)
#include "test_extras.moc"
