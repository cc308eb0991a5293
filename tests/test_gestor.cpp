// The ROM manager's logic: the title and archive lookups, the compatibility test and what it
// leaves behind whatever goes wrong, the search's outcomes, the comparison's and the renaming's
// refusals, and the two reports.

#include "catalogue/logic/ListaMame.h"
#include "comun/logic/modPrincipal.h"
#include "emulator/logic/Emulador.h"
#include "frontend/logic/Arranque.h"
#include "rommanager/logic/Busqueda.h"
#include "rommanager/logic/Compatibilidad.h"
#include "rommanager/logic/Informes.h"
#include "rommanager/logic/ListasDelGestor.h"

#include "apoyo/CarpetaDePrueba.h"
#include "apoyo/ZipDePrueba.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <QtTest>

using namespace Corvala;

namespace {

// The files this process has open.
int ArchivosAbiertos()
{
    return int(QDir(QStringLiteral("/proc/self/fd"))
                       .entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
                       .size());
}

QStringList Verificaciones(const CarpetaDePrueba &carpeta)
{
    QStringList nombres;
    for (const QStringList &llamada : carpeta.Llamadas()) {
        if (llamada.contains(QStringLiteral("-verifysets")))
            nombres << llamada.value(0);
    }
    return nombres;
}

// The archives of a folder, by name.
using Roms = QList<QPair<QString, ZipDePrueba::Archivos>>;

void PonerRoms(const CarpetaDePrueba &carpeta, const Roms &roms)
{
    for (const auto &[nombre, archivos] : roms) {
        // No files: no zip, though it says it holds a set.
        if (archivos.isEmpty())
            carpeta.Archivo(nombre, "set=puckman");
        else
            ZipDePrueba::Escribir(carpeta.Ruta(QStringLiteral("roms/") + nombre), archivos);
    }
}

} // namespace

Q_DECLARE_METATYPE(Roms)

class TestGestor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void titulosYArchivosSeLeenDeLaListaEnCadaConsulta();
    void laListaDeTitulosVaEnOrdenSinDistinguirMayusculas();
    void laPrimeraLineaDecideLaCompatibilidad_data();
    void laPrimeraLineaDecideLaCompatibilidad();
    void elArchivoRecuperaSuNombrePaseLoQuePase_data();
    void elArchivoRecuperaSuNombrePaseLoQuePase();
    void sinEmuladorLaPruebaEsNegativaYElArchivoNoSeMueve();
    void unEmuladorSinVerifysetsPruebaConVerifyroms();
    void candidatosQueNoSePruebanNiRenombran();
    void unCorvalaMuertoDejaUnRegistroQueDevuelveElNombre();
    void elRegistroNoSaleDeLaCarpetaRoms();
    void busquedaEncuentraNoEncuentraOSeCancela();
    void comparacionYActualizacionSeNieganConSusMotivos();
    void conCatalogoElVeredictoMiraElContenido_data();
    void conCatalogoElVeredictoMiraElContenido();
    void conCatalogoLaBusquedaPruebaSoloSusCandidatos();
    void conCatalogoElInformeDiceAQueJuegosSirve();
    void informeDelArchivoConSusCuatroSecciones();
    void informeDelJuegoYSuNombreVacio();
    void unInformeTieneUnSoloLimite();
    void unMameIniQueHablaNoCambiaElVeredicto();
    void sinPoderRenombrarNoHayPrueba();
};

void TestGestor::titulosYArchivosSeLeenDeLaListaEnCadaConsulta()
{
    CarpetaDePrueba carpeta;
    carpeta.Escribir(QStringLiteral("lista.txt"), "name      description\r\n"
                                                  "pacman    \"Pac-Man\"\r\n"
                                                  "puckman   \"PAC-MAN\"\r\n"
                                                  "galaga    \"Galaga \"\r\n");
    const CarpetaMame &c = carpeta.Carpeta();
    // Two titles equal but for case give the first line's archive; blanks count.
    QCOMPARE(RomDeTitulo(c, QStringLiteral("PAC-MAN")), QStringLiteral("pacman.zip"));
    QCOMPARE(RomDeTitulo(c, QStringLiteral("pac-man")), QStringLiteral("pacman.zip"));
    QCOMPARE(RomDeTitulo(c, QStringLiteral("Galaga ")), QStringLiteral("galaga.zip"));
    QCOMPARE(RomDeTitulo(c, QStringLiteral("Galaga")), QStringLiteral("ERROR"));
    // The heading is no game.
    QCOMPARE(RomDeTitulo(c, QStringLiteral("escriptio")), QStringLiteral("ERROR"));
    QCOMPARE(TituloDeRom(c, QStringLiteral("PACMAN.ZIP")), QStringLiteral("Pac-Man"));
    QCOMPARE(TituloDeRom(c, QStringLiteral("junk.zip")),
             QStringLiteral("ROM desconocida(junk.zip)"));

    // The list changes after the window was filled: a title that left it is ERROR.
    carpeta.Escribir(QStringLiteral("lista.txt"),
                     "Name:             Description:\n"
                     "mspacman          \"Ms. Pac-Man\"\n"
                     "1943mii           \"1943: The Battle of Midway Mark II (US)\"\n");
    QCOMPARE(RomDeTitulo(c, QStringLiteral("Pac-Man")), QStringLiteral("ERROR"));
    QCOMPARE(RomDeTitulo(c, QStringLiteral("1943: the battle of midway mark ii (us)")),
             QStringLiteral("1943mii.zip"));
    QCOMPARE(TituloDeRom(c, QStringLiteral("1943mii.zip")),
             QStringLiteral("1943: The Battle of Midway Mark II (US)"));

    carpeta.Borrar(QStringLiteral("lista.txt"));
    QCOMPARE(RomDeTitulo(c, QStringLiteral("Ms. Pac-Man")), QStringLiteral("ERROR"));
    QCOMPARE(TituloDeRom(c, QStringLiteral("mspacman.zip")),
             QStringLiteral("ROM desconocida(mspacman.zip)"));
}

void TestGestor::laListaDeTitulosVaEnOrdenSinDistinguirMayusculas()
{
    CarpetaDePrueba carpeta;
    carpeta.Escribir(QStringLiteral("lista.txt"), "name      description\r\n"
                                                  "b         \"beta\"\r\n"
                                                  "a2        \"Alpha\"\r\n"
                                                  "c         \"Gamma\"\r\n"
                                                  "a1        \"alpha\"\r\n"
                                                  "short\r\n");
    QCOMPARE(ListasDelGestor::Titulos(carpeta.Carpeta()),
             QStringList({QStringLiteral("Alpha"), QStringLiteral("alpha"), QStringLiteral("beta"),
                          QStringLiteral("Gamma")}));
}

void TestGestor::laPrimeraLineaDecideLaCompatibilidad_data()
{
    QTest::addColumn<QByteArray>("salida");
    QTest::addColumn<bool>("compatible");
    QTest::newRow("la forma del emulador")
            << QByteArray("romset pacman is good\\n1 romsets found") << true;
    QTest::newRow("mayusculas y blancos") << QByteArray("   ROMSET PacMan IS GOOD   ") << true;
    QTest::newRow("sin fin de linea") << QByteArray("romset pacman is good") << true;
    QTest::newRow("otro juego") << QByteArray("romset puckman is good") << false;
    QTest::newRow("un clon con su padre") << QByteArray("romset pacman [puckman] is good") << false;
    QTest::newRow("mala") << QByteArray("romset pacman is bad") << false;
    QTest::newRow("lo mejor disponible") << QByteArray("romset pacman is best available") << false;
    QTest::newRow("no la primera linea")
            << QByteArray("pacman.1 : NOT FOUND\\nromset pacman is good") << false;
    QTest::newRow("tabulador") << QByteArray("\tromset pacman is good") << false;
    QTest::newRow("entre comillas") << QByteArray("romset \"pacman\" is good") << false;
}

void TestGestor::laPrimeraLineaDecideLaCompatibilidad()
{
    QFETCH(QByteArray, salida);
    QFETCH(bool, compatible);
    CarpetaDePrueba carpeta;
    carpeta.Archivo(QStringLiteral("oldname.zip"), "set=pacman");
    carpeta.Control("verifysets.output=" + salida + "\n");
    const Compatibilidad prueba(carpeta.Carpeta());
    QCOMPARE(prueba.EsRomCompatible(QStringLiteral("oldname.zip"), QStringLiteral("pacman.zip")),
             compatible);
    QCOMPARE(carpeta.Llamadas(),
             QList<QStringList>({{QStringLiteral("pacman"), QStringLiteral("-verifysets")}}));
    QVERIFY(carpeta.Existe(QStringLiteral("roms/oldname.zip")));
    QVERIFY(!carpeta.Existe(QStringLiteral("roms/pacman.zip")));
    // The emulator's output stays until Corvala closes.
    QVERIFY(carpeta.Existe(QStringLiteral("1.p")));
}

void TestGestor::elArchivoRecuperaSuNombrePaseLoQuePase_data()
{
    QTest::addColumn<QByteArray>("conf");
    QTest::addColumn<bool>("salidaBloqueada");
    QTest::newRow("bien") << QByteArray() << false;
    QTest::newRow("falla") << QByteArray("verifysets.fail=1\n") << false;
    QTest::newRow("revienta") << QByteArray("verifysets.crash=1\n") << false;
    QTest::newRow("no dice nada") << QByteArray("verifysets.silent=1\n") << false;
    QTest::newRow("se cuelga") << QByteArray("verifysets.delay_ms=20000\n") << false;
    QTest::newRow("1.p no se puede escribir") << QByteArray() << true;
}

void TestGestor::elArchivoRecuperaSuNombrePaseLoQuePase()
{
    QFETCH(QByteArray, conf);
    QFETCH(bool, salidaBloqueada);
    CarpetaDePrueba carpeta;
    carpeta.Archivo(QStringLiteral("oldname.zip"), "set=pacman");
    // Long enough for a look at the folder while the emulator runs.
    carpeta.Control("verifysets.delay_ms=100\n" + conf);
    if (salidaBloqueada)
        carpeta.Bloquear(QStringLiteral("1.p"));
    const Compatibilidad prueba(carpeta.Carpeta(), 500);

    // While the emulator runs the archive carries the candidate's name, and the record says so.
    QStringList duranteLaPrueba;
    QTimer mirar;
    mirar.setSingleShot(true);
    connect(&mirar, &QTimer::timeout, this, [&] {
        duranteLaPrueba = QDir(carpeta.Ruta(QStringLiteral("roms"))).entryList(QDir::Files);
        if (carpeta.Existe(Compatibilidad::Registro()))
            duranteLaPrueba << QString::fromUtf8(carpeta.Leer(Compatibilidad::Registro()));
    });
    const int abiertos = ArchivosAbiertos();
    mirar.start(0);
    QElapsedTimer reloj;
    reloj.start();
    const bool compatible
            = prueba.EsRomCompatible(QStringLiteral("oldname.zip"), QStringLiteral("pacman.zip"));
    QCOMPARE(compatible, conf.isEmpty() && !salidaBloqueada);
    QVERIFY2(reloj.elapsed() < 15000, "a hanging emulator is stopped at the limit");

    QCOMPARE(QDir(carpeta.Ruta(QStringLiteral("roms"))).entryList(QDir::Files),
             QStringList{QStringLiteral("oldname.zip")});
    QCOMPARE(carpeta.Leer(QStringLiteral("roms/oldname.zip")), QByteArray("set=pacman"));
    QVERIFY(!carpeta.Existe(Compatibilidad::Registro()));
    QCOMPARE(ArchivosAbiertos(), abiertos);
    if (!salidaBloqueada) {
        QCOMPARE(duranteLaPrueba, QStringList({QStringLiteral("pacman.zip"),
                                               QStringLiteral("oldname.zip\r\npacman.zip\r\n")}));
    }
}

void TestGestor::sinEmuladorLaPruebaEsNegativaYElArchivoNoSeMueve()
{
    CarpetaDePrueba carpeta;
    carpeta.Archivo(QStringLiteral("oldname.zip"), "set=pacman");
    carpeta.SinEmulador();
    QVERIFY(!Compatibilidad(carpeta.Carpeta())
                     .EsRomCompatible(QStringLiteral("oldname.zip"), QStringLiteral("pacman.zip")));
    QVERIFY(carpeta.Existe(QStringLiteral("roms/oldname.zip")));
    QVERIFY(!carpeta.Existe(QStringLiteral("roms/pacman.zip")));
    QVERIFY(!carpeta.Existe(Compatibilidad::Registro()));
}

void TestGestor::unEmuladorSinVerifysetsPruebaConVerifyroms()
{
    CarpetaDePrueba carpeta;
    carpeta.Control("unknown=verifysets\n");
    carpeta.Archivo(QStringLiteral("oldname.zip"), "set=pacman");
    const Compatibilidad prueba(carpeta.Carpeta());
    QVERIFY(prueba.EsRomCompatible(QStringLiteral("oldname.zip"), QStringLiteral("pacman.zip")));
    QVERIFY(!prueba.EsRomCompatible(QStringLiteral("oldname.zip"), QStringLiteral("galaga.zip")));
    QCOMPARE(carpeta.Llamadas(),
             QList<QStringList>({{QStringLiteral("pacman"), QStringLiteral("-verifyroms")},
                                 {QStringLiteral("galaga"), QStringLiteral("-verifyroms")}}));
    QCOMPARE(carpeta.Contenido().contains(Compatibilidad::Registro()), false);
    QVERIFY(carpeta.Existe(QStringLiteral("roms/oldname.zip")));
}

void TestGestor::candidatosQueNoSePruebanNiRenombran()
{
    CarpetaDePrueba carpeta;
    carpeta.Archivo(QStringLiteral("oldname.zip"), "set=pacman");
    carpeta.Archivo(QStringLiteral("pacman.zip"), "set=pacman");
    const Compatibilidad prueba(carpeta.Carpeta());
    // The game's archive already lies in roms; the archive is missing; the archive itself; no
    // ROM name at all (the emulator would verify every set).
    QVERIFY(!prueba.EsRomCompatible(QStringLiteral("oldname.zip"), QStringLiteral("pacman.zip")));
    QVERIFY(!prueba.EsRomCompatible(QStringLiteral("gone.zip"), QStringLiteral("galaga.zip")));
    QVERIFY(!prueba.EsRomCompatible(QStringLiteral("oldname.zip"), QStringLiteral("oldname.zip")));
    QVERIFY(!prueba.EsRomCompatible(QStringLiteral("oldname.zip"), QStringLiteral("ERROR")));
    QVERIFY(!prueba.EsRomCompatible(QStringLiteral("oldname.zip"),
                                    QStringLiteral("../oldname2.zip")));
    QVERIFY(carpeta.Llamadas().isEmpty());
    QCOMPARE(QDir(carpeta.Ruta(QStringLiteral("roms"))).entryList(QDir::Files),
             QStringList({QStringLiteral("oldname.zip"), QStringLiteral("pacman.zip")}));

    // Names that differ only in case are two files here: PACMAN.ZIP can be tested as pacman.
    carpeta.Borrar(QStringLiteral("roms/pacman.zip"));
    carpeta.Borrar(QStringLiteral("roms/oldname.zip"));
    carpeta.Archivo(QStringLiteral("PACMAN.ZIP"), "set=pacman");
    QVERIFY(prueba.EsRomCompatible(QStringLiteral("PACMAN.ZIP"), QStringLiteral("pacman.zip")));
    QVERIFY(carpeta.Existe(QStringLiteral("roms/PACMAN.ZIP")));
}

void TestGestor::unCorvalaMuertoDejaUnRegistroQueDevuelveElNombre()
{
    CarpetaDePrueba carpeta;
    const Compatibilidad prueba(carpeta.Carpeta());
    // Killed while the archive carried the candidate's name.
    carpeta.Archivo(QStringLiteral("pacman.zip"), "set=pacman");
    carpeta.Escribir(Compatibilidad::Registro(), "oldname.zip\r\npacman.zip\r\n");
    QVERIFY(prueba.DevolverNombrePendiente());
    QVERIFY(carpeta.Existe(QStringLiteral("roms/oldname.zip")));
    QVERIFY(!carpeta.Existe(QStringLiteral("roms/pacman.zip")));
    QVERIFY(!carpeta.Existe(Compatibilidad::Registro()));
    QVERIFY(!prueba.DevolverNombrePendiente());

    // Killed before the rename, or after the name came back: nothing is moved.
    carpeta.Escribir(Compatibilidad::Registro(), "oldname.zip\r\npacman.zip\r\n");
    QVERIFY(!prueba.DevolverNombrePendiente());
    QVERIFY(carpeta.Existe(QStringLiteral("roms/oldname.zip")));
    QVERIFY(!carpeta.Existe(Compatibilidad::Registro()));

    // Both names present: the candidate's archive is the player's own and stays.
    carpeta.Archivo(QStringLiteral("pacman.zip"), "mine");
    carpeta.Escribir(Compatibilidad::Registro(), "oldname.zip\r\npacman.zip\r\n");
    QVERIFY(!prueba.DevolverNombrePendiente());
    QCOMPARE(carpeta.Leer(QStringLiteral("roms/pacman.zip")), QByteArray("mine"));
    QCOMPARE(carpeta.Leer(QStringLiteral("roms/oldname.zip")), QByteArray("set=pacman"));
}

void TestGestor::elRegistroNoSaleDeLaCarpetaRoms()
{
    CarpetaDePrueba carpeta;
    carpeta.Escribir(QStringLiteral("fuera.txt"), "player's file");
    carpeta.Escribir(Compatibilidad::Registro(), "../elsewhere.txt\r\n../fuera.txt\r\n");
    QVERIFY(!Compatibilidad(carpeta.Carpeta()).DevolverNombrePendiente());
    QCOMPARE(carpeta.Leer(QStringLiteral("fuera.txt")), QByteArray("player's file"));
    QVERIFY(!carpeta.Existe(QStringLiteral("elsewhere.txt")));
    QVERIFY(!carpeta.Existe(Compatibilidad::Registro()));
}

void TestGestor::busquedaEncuentraNoEncuentraOSeCancela()
{
    CarpetaDePrueba carpeta;
    const QString lista = carpeta.Ruta(QStringLiteral("lista.txt"));
    carpeta.Escribir(QStringLiteral("lista.txt"), "name      description\r\n"
                                                  "dkong     \"Donkey Kong\"\r\n"
                                                  "galaga    \"Galaga\"\r\n"
                                                  "pacman    \" Pac-Man \"\r\n"
                                                  "puckman   \"Puck Man\"\r\n");
    carpeta.Archivo(QStringLiteral("galaga.zip"));
    carpeta.Archivo(QStringLiteral("oldname.zip"), "set=pacman");
    const Compatibilidad prueba(carpeta.Carpeta());
    const auto archivo = [] { return QStringLiteral("oldname.zip"); };

    // Found: the header and the game whose archive lies in roms cost no emulator run.
    Busqueda busqueda(prueba);
    QList<qint32> avance;
    busqueda.Empezar();
    QCOMPARE(busqueda.Recorrer(lista, archivo, [&](qint32 n) { avance << n; }),
             Busqueda::Resultado::Encontrada);
    QCOMPARE(busqueda.TituloEncontrado(), QStringLiteral("Pac-Man"));
    QCOMPARE(avance, QList<qint32>({1, 2, 3, 4}));
    QCOMPARE(Verificaciones(carpeta),
             QStringList({QStringLiteral("dkong"), QStringLiteral("pacman")}));
    QCOMPARE(Busqueda::MensajeDeResultado(Busqueda::Resultado::Encontrada,
                                          busqueda.TituloEncontrado())
                     .texto,
             QStringLiteral(
                     "Se ha encontrado compatibilidad para el archivo seleccionado, el título del "
                     "juego es Pac-Man."));

    // Not found: every line is read; the counter reaches one beyond the games.
    carpeta.Archivo(QStringLiteral("oldname.zip"), "set=nothing");
    carpeta.OlvidarLlamadas();
    avance.clear();
    QCOMPARE(busqueda.Recorrer(lista, archivo, [&](qint32 n) { avance << n; }),
             Busqueda::Resultado::NoEncontrada);
    QCOMPARE(avance, QList<qint32>({1, 2, 3, 4, 5}));
    QCOMPARE(Verificaciones(carpeta).size(), 3);

    // Cancelled during the first test: the search ends after it.
    carpeta.Control("verifysets.delay_ms=150\n");
    carpeta.OlvidarLlamadas();
    // The cancel comes once the emulator is testing, however fast this build runs.
    QTimer vigia;
    vigia.setInterval(5);
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        if (!Verificaciones(carpeta).isEmpty()) {
            vigia.stop();
            busqueda.Cancelar();
        }
    });
    vigia.start();
    busqueda.Empezar();
    QCOMPARE(busqueda.Recorrer(lista, archivo, [](qint32) {}), Busqueda::Resultado::Cancelada);
    QCOMPARE(Verificaciones(carpeta), QStringList{QStringLiteral("dkong")});

    // A cancel during the test that turns out positive: the find wins.
    carpeta.Archivo(QStringLiteral("oldname.zip"), "set=pacman");
    carpeta.Escribir(QStringLiteral("lista.txt"), "pacman    \"Pac-Man\"\r\n");
    busqueda.Empezar();
    carpeta.OlvidarLlamadas();
    vigia.start();
    QCOMPARE(busqueda.Recorrer(lista, archivo, [](qint32) {}), Busqueda::Resultado::Encontrada);

    // The archive is asked for before every test: a selection that moved to nothing tests
    // nothing.
    carpeta.Control("");
    carpeta.OlvidarLlamadas();
    busqueda.Empezar();
    QCOMPARE(busqueda.Recorrer(
                     lista, [] { return QString(); }, [](qint32) {}),
             Busqueda::Resultado::NoEncontrada);
    QVERIFY(carpeta.Llamadas().isEmpty());
    QVERIFY(carpeta.Existe(QStringLiteral("roms/oldname.zip")));

    // No list at all: nothing found.
    QCOMPARE(busqueda.Recorrer(carpeta.Ruta(QStringLiteral("none.txt")), archivo,
                               [](qint32) { QFAIL("no line"); }),
             Busqueda::Resultado::NoEncontrada);
}

void TestGestor::comparacionYActualizacionSeNieganConSusMotivos()
{
    CarpetaDePrueba carpeta;
    carpeta.Archivo(QStringLiteral("oldname.zip"), "set=pacman");
    carpeta.Archivo(QStringLiteral("galaga.zip"));
    const Compatibilidad prueba(carpeta.Carpeta());
    using C = Compatibilidad::Comparacion;
    using A = Compatibilidad::Actualizacion;

    QCOMPARE(prueba.Comparar(QStringLiteral("oldname.zip"), QStringLiteral("galaga.zip")),
             C::ExisteArchivoDelJuego);
    QCOMPARE(prueba.Actualizar(QStringLiteral("oldname.zip"), QStringLiteral("galaga.zip")),
             A::ExisteArchivoDelJuego);
    QCOMPARE(prueba.Actualizar(QStringLiteral("gone.zip"), QStringLiteral("pacman.zip")),
             A::ArchivoDesaparecido);
    QVERIFY(carpeta.Llamadas().isEmpty());

    QCOMPARE(prueba.Comparar(QStringLiteral("oldname.zip"), QStringLiteral("dkong.zip")),
             C::Incompatibles);
    QCOMPARE(prueba.Actualizar(QStringLiteral("oldname.zip"), QStringLiteral("dkong.zip")),
             A::Incompatible);
    QCOMPARE(prueba.Comparar(QStringLiteral("oldname.zip"), QStringLiteral("pacman.zip")),
             C::Compatibles);
    QVERIFY(carpeta.Existe(QStringLiteral("roms/oldname.zip")));
    QCOMPARE(prueba.Actualizar(QStringLiteral("oldname.zip"), QStringLiteral("pacman.zip")),
             A::Actualizada);
    QVERIFY(!carpeta.Existe(QStringLiteral("roms/oldname.zip")));
    // A 7z stays a 7z, a folder a folder.
    carpeta.Archivo(QStringLiteral("otro.7z"), "set=galaxian");
    carpeta.Escribir(QStringLiteral("roms/suelto/set"), "set=dkong");
    QCOMPARE(prueba.Actualizar(QStringLiteral("otro.7z"), QStringLiteral("galaxian.zip")),
             A::Actualizada);
    QCOMPARE(prueba.Actualizar(QStringLiteral("suelto/"), QStringLiteral("dkong.zip")),
             A::Actualizada);
    QVERIFY(carpeta.Existe(QStringLiteral("roms/galaxian.7z")));
    QVERIFY(carpeta.Existe(QStringLiteral("roms/dkong/set")));
    QCOMPARE(carpeta.Leer(QStringLiteral("roms/pacman.zip")), QByteArray("set=pacman"));

    QCOMPARE(Compatibilidad::MensajeDeComparacion(C::ExisteArchivoDelJuego).titulo,
             QStringLiteral("No es posible la comparación"));
    QVERIFY(!Compatibilidad::MensajeDeActualizacion(A::Actualizada, {}, {}));
    QCOMPARE(Compatibilidad::MensajeDeActualizacion(A::ArchivoDesaparecido, {}, {})->titulo,
             QStringLiteral("No es posible continuar"));
    // The question joins the title and the archive name without a blank.
    QCOMPARE(Compatibilidad::PreguntaActualizar(QStringLiteral("oldname.zip"),
                                                QStringLiteral("Pac-Man"),
                                                QStringLiteral("pacman.zip"))
                     .texto,
             QStringLiteral(
                     "¿Deseas actualizar el archivo de ROM oldname.zip al archivo para el juego "
                     "Pac-Man(pacman.zip)?"));
}

void TestGestor::informeDelArchivoConSusCuatroSecciones()
{
    CarpetaDePrueba carpeta;
    carpeta.ListaCompleta(ListaClasica());
    carpeta.Archivo(QStringLiteral("my pacman.zip"), "set=pacman");
    QVERIFY(Informes::InformeDeArchivo(carpeta.Carpeta(), QStringLiteral("my pacman.zip")));
    QCOMPARE(carpeta.Llamadas(),
             QList<QStringList>(
                     {{QStringLiteral("roms/my pacman.zip"), QStringLiteral("-romident")},
                      {QStringLiteral("my pacman"), QStringLiteral("-listroms")},
                      {QStringLiteral("my pacman"), QStringLiteral("-verifyroms")},
                      {QStringLiteral("roms/my pacman.zip"), QStringLiteral("-isknown")}}));
    QCOMPARE(
            QString::fromUtf8(carpeta.Leer(QStringLiteral("comparacion.log"))),
            QStringLiteral(
                    "/* COMPROBACIÓN DE LOS ARCHIVOS DE LA ROM */\r\n"
                    "\r\n"
                    "Identifying roms/my pacman.zip....\r\n"
                    "pacman.1        = pacman.1  Pac-Man\r\n"
                    "\r\n"
                    "/* ROMS QUE DEBERÍA TENER EL ARCHIVO PARA QUE FUNCIONE */\r\n"
                    "\r\n"
                    "No matching systems found for 'my pacman'\r\n"
                    "\r\n"
                    "/* COMPROBACIÓN DE LA INTEGRIDAD DEL ARCHIVO */\r\n"
                    "\r\n"
                    "my pacman.1       : NOT FOUND\r\n"
                    "romset my pacman is bad\r\n"
                    "1 romsets found, 0 were OK.\r\n"
                    "\r\n"
                    "/* ¿RECONOCE M.A.M.E. ESTA ROM? */\r\n"
                    "/* NOTA: Que M.A.M.E. reconozca al completo(KNOWN) o en parte(PARTKNOWN) esta "
                    "ROM no implica que la emule. */\r\n"
                    "\r\n"
                    "my pacman.zip KNOWN\r\n"));
    for (const char *salida : {"1.p", "2.p", "3.p", "4.p"})
        QVERIFY(!carpeta.Existe(QLatin1String(salida)));

    // An emulator that prints nothing leaves the headings alone; a second report replaces the
    // first; the close removes it.
    carpeta.Control("silent=1\n");
    QVERIFY(Informes::InformeDeArchivo(carpeta.Carpeta(), QStringLiteral("my pacman.zip")));
    QCOMPARE(carpeta.Leer(QStringLiteral("comparacion.log")).count("\r\n"), 12);
    Arranque::LimpiarAlCerrar(carpeta.Carpeta());
    QVERIFY(!carpeta.Existe(QStringLiteral("comparacion.log")));

    // An emulator without -isknown: its section keeps its heading and says so in one line.
    carpeta.Control("unknown=isknown\n");
    carpeta.OlvidarLlamadas();
    QVERIFY(Informes::InformeDeArchivo(carpeta.Carpeta(), QStringLiteral("my pacman.zip")));
    QCOMPARE(carpeta.Llamadas().size(), 3);
    QVERIFY(carpeta.Leer(QStringLiteral("comparacion.log"))
                    .endsWith("esta ROM no implica que la emule. */\r\n\r\n"
                              + Informes::SinReconocer().toUtf8() + "\r\n"));
    carpeta.Borrar(QStringLiteral("comparacion.log"));

    // A report that cannot be written says so.
    carpeta.Bloquear(QStringLiteral("comparacion.log"));
    QVERIFY(!Informes::InformeDeArchivo(carpeta.Carpeta(), QStringLiteral("my pacman.zip")));
}

void TestGestor::informeDelJuegoYSuNombreVacio()
{
    CarpetaDePrueba carpeta;
    carpeta.ListaCompleta(ListaClasica());
    QVERIFY(Informes::InformeDeJuego(carpeta.Carpeta(), QStringLiteral("Pac-Man"),
                                     QStringLiteral(" pacman.zip ")));
    QCOMPARE(QString::fromUtf8(carpeta.Leer(QStringLiteral("comparacion.log"))),
             QStringLiteral("\r\n"
                            "/* PAC-MAN */\r\n"
                            "/* ARCHIVOS QUE DEBE TENER SU .ZIP */\r\n"
                            "\r\n"
                            "ROMs required for driver \"pacman\".\r\n"
                            "Name                                   Size Checksum\r\n"
                            "pacman.1                                 4096 CRC(12345678)\r\n"
                            "pacman.2                                 4096 CRC(9abcdef0)\r\n"));
    QVERIFY(!carpeta.Existe(QStringLiteral("1.p")));

    // "ERROR" has no ROM name, and a name could be an option: the emulator is not asked (it
    // would dump every set, or take the name for an option), and the section says why.
    for (const char *archivo : {"ERROR", "-listxml.zip"}) {
        carpeta.OlvidarLlamadas();
        QVERIFY(Informes::InformeDeJuego(carpeta.Carpeta(), QStringLiteral("Gone"),
                                         QLatin1String(archivo)));
        QCOMPARE(carpeta.Llamadas(), QList<QStringList>());
        const QString informe = QString::fromUtf8(carpeta.Leer(QStringLiteral("comparacion.log")));
        QVERIFY(informe.startsWith(QStringLiteral("\r\n/* GONE */\r\n")));
        QVERIFY(informe.endsWith(Informes::NoPreguntado(QuitarExtension(QLatin1String(archivo)))
                                 + QStringLiteral("\r\n")));
    }

    // An archive named like an option: only the commands that take its path are run.
    carpeta.Archivo(QStringLiteral("-noreadconfig.zip"));
    carpeta.OlvidarLlamadas();
    QVERIFY(Informes::InformeDeArchivo(carpeta.Carpeta(), QStringLiteral("-noreadconfig.zip")));
    for (const QStringList &llamada : carpeta.Llamadas())
        QVERIFY(llamada.first().startsWith(QLatin1String("roms/")));
    QVERIFY(QString::fromUtf8(carpeta.Leer(QStringLiteral("comparacion.log")))
                    .contains(Informes::NoPreguntado(QStringLiteral("-noreadconfig"))));
}

void TestGestor::unInformeTieneUnSoloLimite()
{
    // An emulator that hangs on every command, and ignores SIGTERM: the report's four commands
    // share one limit, so the ROM manager is held no longer than that.
    Emulador::Limites &limites = Emulador::LimitesEnUso();
    const Emulador::Limites antes = limites;
    limites.informeMs = 600;
    CarpetaDePrueba carpeta;
    carpeta.Archivo(QStringLiteral("pacman.zip"), "set=pacman");
    carpeta.Control("ignore_term=1\nromident.delay_ms=60000\nlistroms.delay_ms=60000\n"
                    "verifyroms.delay_ms=60000\nisknown.delay_ms=60000\n");
    QElapsedTimer reloj;
    reloj.start();
    QVERIFY(Informes::InformeDeArchivo(carpeta.Carpeta(), QStringLiteral("pacman.zip")));
    const qint64 ms = reloj.elapsed();
    limites = antes;
    QVERIFY2(ms < 3000, qPrintable(QString::number(ms)));
    QVERIFY(carpeta.Leer(QStringLiteral("comparacion.log")).startsWith("/* COMPROBACI"));
}

void TestGestor::unMameIniQueHablaNoCambiaElVeredicto()
{
    CarpetaDePrueba carpeta;
    carpeta.Escribir(QStringLiteral("mame.ini"), "rompath roms\r\nverbose                   1\r\n");
    carpeta.Archivo(QStringLiteral("oldname.zip"), "set=pacman");
    QVERIFY(Compatibilidad(carpeta.Carpeta())
                    .EsRomCompatible(QStringLiteral("oldname.zip"), QStringLiteral("pacman.zip")));
}

void TestGestor::sinPoderRenombrarNoHayPrueba()
{
    CarpetaDePrueba carpeta;
    carpeta.Archivo(QStringLiteral("oldname.zip"), "set=pacman");
    carpeta.Escribir(QStringLiteral("lista.txt"), ListaClasica());
    const QString roms = carpeta.Ruta(QStringLiteral("roms"));
    // A roms folder that cannot be written, even by root.
    if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), roms}) != 0)
        QSKIP("chattr +i is not possible here: a read-only roms folder cannot be made");
    const Compatibilidad prueba(carpeta.Carpeta());
    const Compatibilidad::Comparacion comparacion
            = prueba.Comparar(QStringLiteral("oldname.zip"), QStringLiteral("pacman.zip"));
    const Compatibilidad::Actualizacion actualizacion
            = prueba.Actualizar(QStringLiteral("oldname.zip"), QStringLiteral("pacman.zip"));
    Busqueda busqueda(prueba);
    busqueda.Empezar();
    const Busqueda::Resultado resultado = busqueda.Recorrer(
            carpeta.Ruta(QStringLiteral("lista.txt")), [] { return QStringLiteral("oldname.zip"); },
            [](qint32) {});
    QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), roms});

    QCOMPARE(comparacion, Compatibilidad::Comparacion::SinPrueba);
    QCOMPARE(actualizacion, Compatibilidad::Actualizacion::SinPrueba);
    QCOMPARE(resultado, Busqueda::Resultado::SinPrueba);
    QCOMPARE(Busqueda::MensajeDeResultado(resultado, QString()).titulo,
             QStringLiteral("No es posible la prueba"));
    QCOMPARE(Compatibilidad::MensajeDeComparacion(comparacion).texto,
             Compatibilidad::MensajeSinPrueba().texto);
    QVERIFY(carpeta.Llamadas().isEmpty());
    QVERIFY(!carpeta.Existe(Compatibilidad::Registro()));
    QVERIFY(carpeta.Existe(QStringLiteral("roms/oldname.zip")));
}

QTEST_GUILESS_MAIN(TestGestor)
#include "test_gestor.moc"

void TestGestor::conCatalogoElVeredictoMiraElContenido_data()
{
    QTest::addColumn<Roms>("roms");
    QTest::addColumn<QString>("candidato");
    QTest::addColumn<bool>("compatible");
    QTest::addColumn<int>("pruebas");
    const auto juego = ZipDePrueba::Juego;
    const ZipDePrueba::Archivos basura{{QStringLiteral("a"), QByteArray(64, 'a')}};
    QTest::newRow("un padre con otro nombre")
            << Roms{{QStringLiteral("x.zip"), juego(QStringLiteral("puckman"))}}
            << QStringLiteral("puckman") << true << 1;
    // The emulator answers "romset pacman [puckman] is best available": a clone, with a ROM
    // nobody has dumped.
    QTest::newRow("un clon") << Roms{{QStringLiteral("x.zip"), juego(QStringLiteral("pacman"))}}
                             << QStringLiteral("pacman") << true << 1;
    // The emulator would find every file of pacman in puckman.zip.
    QTest::newRow("basura junto al padre fusionado")
            << Roms{{QStringLiteral("puckman.zip"),
                     juego(QStringLiteral("puckman")) + juego(QStringLiteral("pacman")).mid(0, 1)},
                    {QStringLiteral("x.zip"), basura}}
            << QStringLiteral("pacman") << false << 0;
    QTest::newRow("otro juego") << Roms{{QStringLiteral("x.zip"), juego(QStringLiteral("puckman"))}}
                                << QStringLiteral("galaga") << false << 0;
    QTest::newRow("sin la BIOS que necesita")
            << Roms{{QStringLiteral("x.zip"), juego(QStringLiteral("mslug"))}}
            << QStringLiteral("mslug") << false << 1;
    QTest::newRow("no es un zip") << Roms{{QStringLiteral("x.zip"), {}}}
                                  << QStringLiteral("puckman") << false << 0;
}

void TestGestor::conCatalogoElVeredictoMiraElContenido()
{
    QFETCH(Roms, roms);
    QFETCH(QString, candidato);
    QFETCH(bool, compatible);
    QFETCH(int, pruebas);
    CarpetaDePrueba carpeta;
    carpeta.ConCatalogo();
    PonerRoms(carpeta, roms);
    Compatibilidad prueba(carpeta.Carpeta());
    prueba.PonerCatalogo(ZipDePrueba::Catalogo());
    QCOMPARE(prueba.EsRomCompatible(QStringLiteral("x.zip"), candidato + QStringLiteral(".zip")),
             compatible);
    QCOMPARE(Verificaciones(carpeta).size(), pruebas);
    QVERIFY(carpeta.Existe(QStringLiteral("roms/x.zip")));
    QVERIFY(!carpeta.Existe(QStringLiteral("roms/") + candidato + QStringLiteral(".zip"))
            || candidato == QStringLiteral("puckman"));
}

void TestGestor::conCatalogoLaBusquedaPruebaSoloSusCandidatos()
{
    CarpetaDePrueba carpeta;
    carpeta.ConCatalogo();
    // A merged parent: puckman and pacman both whole in it, the parent tried first.
    PonerRoms(carpeta,
              {{QStringLiteral("fusion.zip"),
                ZipDePrueba::Juego(QStringLiteral("puckman"))
                        + ZipDePrueba::Juego(QStringLiteral("pacman")).mid(0, 1)},
               {QStringLiteral("nada.zip"), {{QStringLiteral("a"), QByteArray(64, 'a')}}}});
    const std::shared_ptr<const Catalogo> catalogo = ZipDePrueba::Catalogo();
    Compatibilidad prueba(carpeta.Carpeta());
    prueba.PonerCatalogo(catalogo);
    Busqueda busqueda(prueba);

    const Busqueda::Juegos juegos = Busqueda::JuegosAProbar(carpeta.Carpeta(), catalogo.get(),
                                                            QStringLiteral("fusion.zip"), 12);
    QCOMPARE(juegos.total, 2);
    QList<qint32> avance;
    busqueda.Empezar();
    QCOMPARE(busqueda.Recorrer(
                     juegos.juegos, [] { return QStringLiteral("fusion.zip"); },
                     [&](qint32 n) { avance << n; }),
             Busqueda::Resultado::Encontrada);
    QCOMPARE(busqueda.TituloEncontrado(), QStringLiteral("Puck Man (Japan set 1)"));
    QCOMPARE(avance, QList<qint32>{1});
    QCOMPARE(carpeta.Llamadas().size(), 1);

    // Nothing in the catalogue has these files: no emulator run at all, not even for the list.
    carpeta.OlvidarLlamadas();
    const Busqueda::Juegos ninguno = Busqueda::JuegosAProbar(carpeta.Carpeta(), catalogo.get(),
                                                             QStringLiteral("nada.zip"), 12);
    QCOMPARE(ninguno.total, 0);
    QCOMPARE(busqueda.Recorrer(
                     ninguno.juegos, [] { return QStringLiteral("nada.zip"); },
                     [](qint32) { QFAIL("nothing to try"); }),
             Busqueda::Resultado::NoEncontrada);
    QVERIFY(carpeta.Llamadas().isEmpty());
}

void TestGestor::conCatalogoElInformeDiceAQueJuegosSirve()
{
    CarpetaDePrueba carpeta;
    carpeta.ConCatalogo();
    PonerRoms(carpeta, {{QStringLiteral("x.zip"), ZipDePrueba::Juego(QStringLiteral("puckman"))},
                        {QStringLiteral("roto.zip"), {}}});
    const std::shared_ptr<const Catalogo> catalogo = ZipDePrueba::Catalogo();
    const auto Final = [&](const QString &archivo) {
        Informes::InformeDeArchivo(carpeta.Carpeta(), archivo, catalogo.get());
        const QStringList lineas
                = QString::fromUtf8(carpeta.Leer(QStringLiteral("comparacion.log")))
                          .split(QStringLiteral("\r\n"));
        return lineas.mid(
                lineas.indexOf(QStringLiteral("/* JUEGOS CUYAS ROMS CONTIENE EL ARCHIVO */")) - 1);
    };
    QCOMPARE(Final(QStringLiteral("x.zip")),
             QStringList(
                     {QString(), QStringLiteral("/* JUEGOS CUYAS ROMS CONTIENE EL ARCHIVO */"),
                      QString(),
                      QStringLiteral("puckman           Puck Man (Japan set 1): 3 de sus 3 ROMs"),
                      QStringLiteral("pacman            Pac-Man (Midway): 2 de sus 3 ROMs, le "
                                     "faltan ROMs propias"),
                      QString()}));
    QCOMPARE(Final(QStringLiteral("roto.zip")).value(3),
             QStringLiteral("No se puede leer el archivo: no es un .zip o está dañado."));
}
