// The game list on its own, without the main window: its search, its filters over a
// catalogue, favourites, and the game it asks to start.

#include "catalogue/logic/Catalogo.h"
#include "comun/logic/Sesion.h"
#include "frontend/logic/ListaDeJuegos.h"
#include "frontend/windows/VistaDeJuegos.h"

#include "apoyo/CarpetaDePrueba.h"
#include "apoyo/Controles.h"
#include "apoyo/MensajesDePrueba.h"
#include "apoyo/VentanaDePrueba.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QSignalSpy>
#include <QtTest>

using namespace Corvala;

namespace {

// galaga.zip, pacman.zip (a clone of puckman in the catalogue) and junk.zip, which the
// emulator does not know.
struct Lista
{
    Lista()
    {
        for (const char *nombre : {"galaga.zip", "junk.zip", "pacman.zip"})
            carpeta.Archivo(QLatin1String(nombre));
        carpeta.Escribir(QStringLiteral("lista.txt"), ListaClasica());
        vista.LeerJugador();
        vista.Mostrar(ListaDeJuegos::Cargar(carpeta.Carpeta()));
        vista.resize(300, 200);
    }
    QStringList Visibles() const { return Filas(vista); }
    int Fila(const char *titulo) const
    {
        return vista.Modelo().FilaDeTitulo(QLatin1String(titulo));
    }
    QAction *Menu(const char *nombre)
    {
        Q_EMIT Control<QMenu>(vista, "mnuLista")->aboutToShow();
        return Control<QAction>(vista, nombre);
    }

    CarpetaDePrueba carpeta;
    Sesion sesion{carpeta.Carpeta()};
    VistaDeJuegos vista{sesion, nullptr};
};

const QStringList kTodos = {QStringLiteral("Galaga"), QStringLiteral("Pac-Man"),
                            QStringLiteral("ROM desconocida(junk.zip)")};

} // namespace

class TestVistaJuegos : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void laBusquedaYElJuegoALanzar()
    {
        Lista l;
        QSignalSpy lanzar(&l.vista, &VistaDeJuegos::lanzar);
        QSignalSpy elegida(&l.vista, &VistaDeJuegos::elegida);
        QCOMPARE(l.Visibles(), kTodos);

        l.vista.AbrirBusqueda(QStringLiteral("PAC"));
        QCOMPARE(l.Visibles(), QStringList{QStringLiteral("Pac-Man")});
        QCOMPARE(l.vista.FilaElegida(), l.Fila("Pac-Man"));
        QCOMPARE(elegida.constLast().first().toInt(), l.Fila("Pac-Man"));
        QCOMPARE(Control<QListView>(l.vista, "lstJuegos")->toolTip(),
                 QStringLiteral("Pac-Man\nNombre del archivo zip de la ROM: \"pacman.zip\""));
        // Enter asks for the chosen game; the widget starts nothing itself.
        QTest::keyClick(Control<QLineEdit>(l.vista, "txtBuscar"), Qt::Key_Return);
        QCOMPARE(lanzar.size(), 1);
        QCOMPARE(lanzar.first().first().toInt(), l.Fila("Pac-Man"));
        QVERIFY(l.carpeta.Llamadas().isEmpty());

        // The search by archive name; closed, the whole list again and the same game chosen.
        l.vista.AbrirBusqueda(QStringLiteral("junk"));
        QCOMPARE(l.Visibles(), QStringList{kTodos.last()});
        l.vista.CerrarBusqueda();
        QCOMPARE(l.Visibles(), kTodos);
        QCOMPARE(l.vista.FilaElegida(), l.Fila("ROM desconocida(junk.zip)"));

        // Busy (a game runs): the search is refused.
        l.sesion.ocupado = true;
        l.vista.AbrirBusqueda(QStringLiteral("gal"));
        QCOMPARE(l.Visibles(), kTodos);
    }

    void favoritosYFiltrosSobreElCatalogo()
    {
        MensajesDePrueba mensajes;
        Lista l;
        auto catalogo = std::make_shared<Catalogo>();
        for (const auto &[nombre, clon] :
             {std::pair("galaga", "pacman"), std::pair("pacman", "puckman"),
              std::pair("puckman", "")}) {
            FichaMaquina ficha;
            ficha.nombre = QLatin1String(nombre);
            ficha.clonDe = QLatin1String(clon);
            catalogo->Agregar(ficha);
        }
        catalogo->Sellar({});
        l.sesion.catalogo = catalogo;
        l.vista.CatalogoCambiado();

        l.vista.ElegirFila(l.Fila("Galaga"));
        l.Menu("mnuOcultarClones")->trigger();
        // Galaga's parent is listed, Pac-Man's is not: the player's only way to that game stays.
        QCOMPARE(l.Visibles(), (QStringList{kTodos[1], kTodos[2]}));
        // The game chosen is hidden: the first row shown is chosen.
        QCOMPARE(l.vista.FilaElegida(), l.Fila("Pac-Man"));

        // An unknown archive is no favourite; a game is, and the filter keeps it alone.
        l.vista.ElegirFila(l.Fila("ROM desconocida(junk.zip)"));
        QVERIFY(!l.Menu("mnuFavorito")->isEnabled());
        l.vista.ElegirFila(l.Fila("Pac-Man"));
        l.Menu("mnuFavorito")->trigger();
        QVERIFY(l.vista.Modelo().Fila(l.Fila("Pac-Man")).favorito);
        l.Menu("mnuSoloFavoritos")->trigger();
        QCOMPARE(l.Visibles(), QStringList{kTodos[1]});
        QVERIFY(l.carpeta.Leer(QStringLiteral("jugador.txt")).contains("pacman\r\n"));
        QVERIFY(mensajes.Vistos().isEmpty());

        // Without the catalogue the clones are shown again; the favourites filter stays.
        l.Menu("mnuSoloFavoritos")->trigger();
        l.sesion.catalogo.reset();
        l.vista.CatalogoCambiado();
        QCOMPARE(l.Visibles(), kTodos);
        QVERIFY(!l.Menu("mnuOcultarClones")->isEnabled());
    }

    void loQueLosFiltrosOcultanSeDice()
    {
        MensajesDePrueba mensajes;
        Lista l;
        auto *franja = Control<QLabel>(l.vista, "lblFiltros");
        auto *vacia = Control<QLabel>(l.vista, "lblVacia");
        QVERIFY(!franja->isVisibleTo(&l.vista) && !vacia->isVisibleTo(&l.vista));

        // No favourite yet: the list is empty and says why; the strip counts what is hidden.
        l.Menu("mnuSoloFavoritos")->trigger();
        QVERIFY(l.Visibles().isEmpty());
        QCOMPARE(franja->text(), QStringLiteral("Filtros: Sólo favoritos — 0 de 3 juegos"));
        QVERIFY(vacia->isVisibleTo(&l.vista) && vacia->text().contains(u"(Sólo favoritos)"));
        // A click on the strip shows every game again, and the player's file remembers it.
        QTest::mouseClick(franja, Qt::LeftButton);
        QCOMPARE(l.Visibles(), kTodos);
        QVERIFY(!franja->isVisibleTo(&l.vista) && !vacia->isVisibleTo(&l.vista));
        QVERIFY(l.carpeta.Leer(QStringLiteral("jugador.txt")).contains("solo_favoritos=0"));

        // The search says so too, and closes with the strip.
        l.vista.AbrirBusqueda(QStringLiteral("zzz"));
        QCOMPARE(franja->text(), QStringLiteral("Búsqueda: \"zzz\" — 0 de 3 juegos"));
        QVERIFY(vacia->text().contains(u"\"zzz\""));
        QVERIFY(franja->geometry().bottom() < Control<QLineEdit>(l.vista, "txtBuscar")->y());
        QTest::mouseClick(franja, Qt::LeftButton);
        QVERIFY(!Control<QLineEdit>(l.vista, "txtBuscar")->isVisibleTo(&l.vista));
        QCOMPARE(l.Visibles(), kTodos);
        QVERIFY(mensajes.Vistos().isEmpty());
    }

    // A filter that needs the catalogue says why it cannot be chosen.
    void sinCatalogoLosFiltrosDicenPorQue_data()
    {
        QTest::addColumn<bool>("daCatalogo");
        QTest::addColumn<bool>("construyendose");
        QTest::addColumn<bool>("cd");
        QTest::addColumn<QString>("comienzo");
        QTest::newRow("se construye") << true << true << false << "Disponible en cuanto";
        QTest::newRow("no se pudo") << true << false << false << "No disponible: no se ha podido";
        QTest::newRow("emulador sin catalogo")
                << false << false << false << "No disponible: este emulador";
        QTest::newRow("cd") << true << false << true << "No disponible desde un CD-ROM";
    }
    void sinCatalogoLosFiltrosDicenPorQue()
    {
        QFETCH(bool, daCatalogo);
        QFETCH(bool, construyendose);
        QFETCH(bool, cd);
        QFETCH(QString, comienzo);
        Lista l;
        if (daCatalogo)
            l.carpeta.ConCatalogo();
        l.sesion.cd = cd;
        l.vista.CatalogoEnConstruccion([construyendose] { return construyendose; });
        QAction *clones = l.Menu("mnuOcultarClones");
        QVERIFY(!clones->isEnabled());
        QVERIFY2(clones->toolTip().startsWith(comienzo), qPrintable(clones->toolTip()));
        QVERIFY(l.Menu("mnuSoloFavoritos")->toolTip() == QStringLiteral("Sólo favoritos"));
    }
};

QTEST_MAIN(TestVistaJuegos)
#include "test_vista_juegos.moc"
