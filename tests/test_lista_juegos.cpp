// The game list: reading lista.txt in both layouts, titles of archives, the order of the list,
// and the list load over a roms folder.

#include "catalogue/logic/ListaMame.h"
#include "comun/logic/ArchivosDeCarpeta.h"
#include "comun/logic/ArchivoTexto.h"
#include "frontend/logic/ListaDeJuegos.h"
#include "frontend/logic/OrdenLista.h"

#include "apoyo/CarpetaDePrueba.h"
#include "apoyo/ReferenciaLiteral.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QtTest>

using namespace Corvala;

namespace {

QString Texto(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

ListaMame Lista(const char *texto)
{
    return ListaMame::DesdeTexto(Texto(texto));
}

} // namespace

class TestListaJuegos : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void leerLinea_data()
    {
        QTest::addColumn<QString>("linea");
        QTest::addColumn<bool>("esJuego");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("titulo");
        auto fila = [](const char *caso, const char *linea, bool esJuego, const char *nombre = "",
                       const char *titulo = "") {
            QTest::newRow(caso) << Texto(linea) << esJuego << Texto(nombre) << Texto(titulo);
        };
        // Classic layout: delimiter in column 11, title of L - 12 characters from column 12.
        fila("clasica", "pacman    \"Pac-Man\"", true, "pacman", "Pac-Man");
        fila("clasica, blancos alrededor del nombre", "  dkong   \"Donkey Kong \"x", true, "dkong",
             "Donkey Kong \"");
        fila("clasica, un tabulador no es un blanco", "\tqix      \"Qix\"", true, "\tqix", "Qix");
        fila("clasica, titulo vacio", "pacman    \"\"", true, "pacman", "");
        fila("clasica, demasiado corta", "pacman    \"", false);
        // Wider layout: name, blanks, double-quoted description.
        fila("ancha", "pacman            \"Pac-Man (Midway)\"", true, "pacman", "Pac-Man (Midway)");
        fila("ancha, comillas dentro", "pacmanbootleg     \"Pac-Man (\"quoted\" set)\"", true,
             "pacmanbootleg", "Pac-Man (\"quoted\" set)");
        fila("ancha, diez letras y un blanco", "abcdefghij \"Ten\"", true, "abcdefghij", "Ten");
        fila("cabecera ancha", "Name:             Description:", false);
        fila("cabecera clasica", "name      description", false);
        fila("sin comillas", "pacman            Pac-Man", false);
        fila("sin comillas de cierre", "pacman            \"Pac-Man", false);
        fila("solo una comilla", "pacman \"", false);
        fila("sin nombre", "\"Pac-Man\"", false);
        fila("vacia", "", false);
    }

    void leerLinea()
    {
        QFETCH(QString, linea);
        QFETCH(bool, esJuego);
        const std::optional<JuegoListado> juego = LeerLineaLista(linea);
        QCOMPARE(bool(juego), esJuego);
        if (juego) {
            QTEST(juego->nombre, "nombre");
            QTEST(juego->titulo, "titulo");
        }
    }

    void tituloDeRom()
    {
        const ListaMame lista = Lista("name      description\r\n"
                                      "pacman    \"Pac-Man\"\r\n"
                                      "longname1 \"Long\"\r\n"
                                      "PACMAN    \"Second Pac-Man\"\r\n"
                                      "galaga    \"Galaga\"\r\n");
        // The match ignores case, and the first line of a name gives the title.
        QCOMPARE(TituloDeRom(lista, QStringLiteral("PacMan.ZIP")), QStringLiteral("Pac-Man"));
        QCOMPARE(TituloDeRom(lista, QStringLiteral("galaga.zip")), QStringLiteral("Galaga"));
        QCOMPARE(TituloDeRom(lista, QStringLiteral("xyz.zip")),
                 QStringLiteral("ROM desconocida(xyz.zip)"));
        // The classic heading is no game.
        QCOMPARE(TituloDeRom(lista, QStringLiteral("name.zip")),
                 QStringLiteral("ROM desconocida(name.zip)"));
        // Classic lines hold ten characters of name: a longer ROM name never matches.
        QCOMPARE(TituloDeRom(lista, QStringLiteral("longname1x.zip")),
                 QStringLiteral("ROM desconocida(longname1x.zip)"));

        const ListaMame vacia = Lista("");
        QCOMPARE(TituloDeRom(vacia, QStringLiteral("xyz.zip")),
                 QStringLiteral("ROM desconocida(xyz.zip)"));
    }

    void tituloDeRomEnLaListaAncha()
    {
        const ListaMame lista = ListaMame::DesdeTexto(QString::fromUtf8(ListaAncha()));
        QCOMPARE(lista.Juegos().size(), 4);
        QCOMPARE(TituloDeRom(lista, QStringLiteral("pacman.zip")),
                 QStringLiteral("Pac-Man (Midway)"));
        QCOMPARE(TituloDeRom(lista, QStringLiteral("1943MII.zip")),
                 QStringLiteral("1943: The Battle of Midway Mark II (US)"));
        QCOMPARE(TituloDeRom(lista, QStringLiteral("pacmanbootleg.zip")),
                 QStringLiteral("Pac-Man (bootleg \"quoted\" set)"));
        QCOMPARE(TituloDeRom(lista, QStringLiteral("Name:.zip")),
                 QStringLiteral("ROM desconocida(Name:.zip)"));
    }

    void ordenDelEjemplo()
    {
        const QStringList textos
                = {QStringLiteral("Galaga"), QStringLiteral("ROM desconocida(junk.zip)"),
                   QStringLiteral("Pac-Man")};
        QCOMPARE(OrdenarLista(textos), QVector<int>({0, 2, 1}));

        const QStringList desconocidas = {QStringLiteral("ROM desconocida(a.zip)"),
                                          QStringLiteral("ROM desconocida(b.zip)"),
                                          QStringLiteral("ROM desconocida(c.zip)")};
        QCOMPARE(OrdenarLista(desconocidas), QVector<int>({2, 1, 0}));

        // Ordinal order: capitals before small letters.
        QCOMPARE(OrdenarLista({QStringLiteral("alpha"), QStringLiteral("Zeta")}),
                 QVector<int>({1, 0}));
        QCOMPARE(OrdenarLista({}), QVector<int>());
    }

    // The order must be exactly that of the two exchange passes for distinct texts, however
    // the recognised titles and the unrecognised entries interleave.
    void ordenIgualAlDeLasDosPasadas()
    {
        QRandomGenerator azar(20261207);
        const QString letras = QStringLiteral("ABPQRSTZabrz019 (-ñ");
        for (int ronda = 0; ronda < 400; ++ronda) {
            const int n = int(azar.bounded(0, 70));
            QStringList textos;
            QSet<QString> vistos;
            while (textos.size() < n) {
                QString texto;
                const int largo = int(azar.bounded(1, 6));
                for (int i = 0; i < largo; ++i)
                    texto += letras[azar.bounded(int(letras.size()))];
                switch (azar.bounded(4)) {
                case 0:
                    texto = TextoRomDesconocida(texto + QStringLiteral(".zip"));
                    break;
                case 1:
                    texto.prepend(QStringLiteral("ROM "));
                    break; // near the prefix
                default:
                    break;
                }
                if (!vistos.contains(texto)) {
                    vistos.insert(texto);
                    textos << texto;
                }
            }
            QCOMPARE(OrdenarLista(textos), ReferenciaLiteral::Ordenar(textos));
        }
    }

    void textosIgualesConOrdenFijo()
    {
        const QStringList textos
                = {QStringLiteral("Pac-Man"), QStringLiteral("Galaga"), QStringLiteral("Pac-Man"),
                   QStringLiteral("ROM desconocida(x.zip)")};
        const QVector<int> orden = OrdenarLista(textos);
        QCOMPARE(orden, OrdenarLista(textos));
        QStringList visibles;
        for (const int k : orden)
            visibles << textos[k];
        QCOMPARE(visibles, QStringList({QStringLiteral("Galaga"), QStringLiteral("Pac-Man"),
                                        QStringLiteral("Pac-Man"),
                                        QStringLiteral("ROM desconocida(x.zip)")}));
        QVector<int> indices = orden;
        std::sort(indices.begin(), indices.end());
        QCOMPARE(indices, QVector<int>({0, 1, 2, 3}));
    }

    void listadoDeLaCarpetaRoms()
    {
        CarpetaDePrueba carpeta;
        // Archives and folders; a set held in several forms once, in the emulator's order.
        for (const char *nombre : {"b.zip", "PACMAN.ZIP", "a.Zip", "c.7z", ".oculto.zip", "readme",
                                   "d.zip", "e.7z", "e.zip"})
            carpeta.Archivo(QLatin1String(nombre));
        for (const char *nombre : {"roms/carpeta.zip/x", "roms/d/x", "roms/.oculta/x"})
            carpeta.Escribir(QLatin1String(nombre), "");
        QCOMPARE(ArchivosDeCarpeta::ListarArchivos(carpeta.Ruta(QStringLiteral("roms"))),
                 QStringList({QStringLiteral("a.Zip"), QStringLiteral("b.zip"),
                              QStringLiteral("c.7z"), QStringLiteral("carpeta.zip/"),
                              QStringLiteral("d/"), QStringLiteral("e.zip"),
                              QStringLiteral("PACMAN.ZIP")}));
        QCOMPARE(ArchivosDeCarpeta::ListarArchivos(carpeta.Ruta(QStringLiteral("no-such"))),
                 QStringList());
    }

    void cargaConLaListaDelEjemplo()
    {
        CarpetaDePrueba carpeta;
        for (const char *nombre : {"galaga.zip", "junk.zip", "pacman.zip"})
            carpeta.Archivo(QLatin1String(nombre));
        carpeta.Escribir(QStringLiteral("lista.txt"), ListaClasica());
        const ListaCargada lista = ListaDeJuegos::Cargar(carpeta.Carpeta());
        QCOMPARE(lista.juegos, QStringList({QStringLiteral("Galaga"), QStringLiteral("Pac-Man"),
                                            QStringLiteral("ROM desconocida(junk.zip)")}));
        QCOMPARE(lista.ROMTemporal, QVector<int>({0, 2, 1}));
        QCOMPARE(lista.Archivo(2), QStringLiteral("junk.zip"));
        QCOMPARE(lista.Archivo(3), QString());
    }

    void cargaIgualALaLiteral()
    {
        CarpetaDePrueba carpeta;
        QByteArray texto = "name      description\r\n";
        QRandomGenerator azar(45000);
        QStringList archivos;
        for (int i = 0; i < 300; ++i) {
            const QString nombre = QStringLiteral("g%1").arg(i, 3, 10, QLatin1Char('0'));
            if (azar.bounded(2))
                texto += nombre.leftJustified(10).toLatin1() + "\"Título "
                         + QByteArray::number(azar.bounded(1000000)) + " " + nombre.toLatin1()
                         + "\"\r\n";
            archivos << nombre + QStringLiteral(".zip");
            carpeta.Archivo(archivos.constLast());
        }
        carpeta.Escribir(QStringLiteral("lista.txt"), texto);

        const ListaCargada lista = ListaDeJuegos::Cargar(carpeta.Carpeta());
        const auto [visibles, indices] = ReferenciaLiteral::Cargar(
                ArchivoTexto::PartirLineas(QString::fromUtf8(texto)), archivos);
        QCOMPARE(lista.ROMs, archivos);
        QCOMPARE(lista.juegos, visibles);
        QCOMPARE(lista.ROMTemporal, indices);
    }

    void cargaSinListaNiRoms()
    {
        CarpetaDePrueba carpeta;
        carpeta.Archivo(QStringLiteral("pacman.zip"));
        // lista.txt cannot be read: no title can be looked up, so no entry is shown.
        const ListaCargada sinLista = ListaDeJuegos::Cargar(carpeta.Carpeta());
        QCOMPARE(sinLista.ROMs, QStringList({QStringLiteral("pacman.zip")}));
        QCOMPARE(sinLista.juegos, QStringList());

        // An empty lista.txt knows no archive.
        carpeta.Escribir(QStringLiteral("lista.txt"), "");
        QCOMPARE(ListaDeJuegos::Cargar(carpeta.Carpeta()).juegos,
                 QStringList({QStringLiteral("ROM desconocida(pacman.zip)")}));

        CarpetaDePrueba vacia;
        vacia.Escribir(QStringLiteral("lista.txt"), ListaClasica());
        QCOMPARE(ListaDeJuegos::Cargar(vacia.Carpeta()).juegos, QStringList());
    }

    // The list the emulator makes is readable by whoever shares the folder, as the other files
    // Corvala writes are: the user's umask, not a temporary file's 0600.
    void laListaNuevaConLosPermisosDeLasDemas()
    {
        CarpetaDePrueba carpeta;
        QVERIFY(ListaDeJuegos::CargarDatos(carpeta.Carpeta(), false, {}));
        QVERIFY(ArchivoTexto::EscribirLineas(carpeta.Ruta(QStringLiteral("otro.txt")), {}));
        const auto permisos = [&carpeta](const char *nombre) {
            return QFileInfo(carpeta.Ruta(QLatin1String(nombre))).permissions();
        };
        QVERIFY(permisos("lista.txt") & QFileDevice::ReadOther
                || !(permisos("otro.txt") & QFileDevice::ReadOther));
        QCOMPARE(permisos("lista.txt"), permisos("otro.txt"));
    }

    void listaEnWindows1252()
    {
        CarpetaDePrueba carpeta;
        carpeta.Archivo(QStringLiteral("pokemon.zip"));
        carpeta.Escribir(QStringLiteral("lista.txt"), "pokemon   \"Pok\xe9mon\"\r\n");
        QCOMPARE(ListaDeJuegos::Cargar(carpeta.Carpeta()).juegos, QStringList({Texto("Pokémon")}));
    }

    void prepararLaCarpeta()
    {
        CarpetaDePrueba carpeta;
        ListaDeJuegos::PrepararCarpeta(carpeta.Carpeta(), false);
        QVERIFY(QFileInfo(carpeta.Ruta(QStringLiteral("snaps"))).isDir());
        QVERIFY(carpeta.Existe(QStringLiteral("Corvala.tlc")));
        QCOMPARE(carpeta.Leer(QStringLiteral("all.bat")),
                 QByteArray("mame -listfull > lista.txt\r\n"));

        // What exists is left alone; a file named snaps counts as the folder.
        CarpetaDePrueba otra;
        otra.Escribir(QStringLiteral("snaps"), "");
        otra.Escribir(QStringLiteral("all.bat"), "mio\r\n");
        otra.Escribir(QStringLiteral("Corvala.tlc"), "[teclas]\r\nt17 = KEYCODE_Q\r\n");
        ListaDeJuegos::PrepararCarpeta(otra.Carpeta(), false);
        QVERIFY(QFileInfo(otra.Ruta(QStringLiteral("snaps"))).isFile());
        QCOMPARE(otra.Leer(QStringLiteral("all.bat")), QByteArray("mio\r\n"));
        QCOMPARE(otra.Leer(QStringLiteral("Corvala.tlc")),
                 QByteArray("[teclas]\r\nt17 = KEYCODE_Q\r\n"));

        // From a CD-ROM no snaps folder is made.
        CarpetaDePrueba cd;
        ListaDeJuegos::PrepararCarpeta(cd.Carpeta(), true);
        QVERIFY(!cd.Existe(QStringLiteral("snaps")));
    }

    void archivosNecesariosEnCd()
    {
        CarpetaDePrueba carpeta;
        QVERIFY(ArchivosDeCarpeta::FaltanArchivosDeCD(carpeta.Carpeta()));
        carpeta.Escribir(QStringLiteral("all.bat"), "");
        carpeta.Escribir(QStringLiteral("lista.txt"), "");
        QVERIFY(ArchivosDeCarpeta::FaltanArchivosDeCD(carpeta.Carpeta()));
        carpeta.Escribir(QStringLiteral("Corvala.tlc"), "");
        QVERIFY(!ArchivosDeCarpeta::FaltanArchivosDeCD(carpeta.Carpeta()));
    }
};

QTEST_GUILESS_MAIN(TestListaJuegos)
#include "test_lista_juegos.moc"
