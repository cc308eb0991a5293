// The emulator's catalogue: its -listxml read as it streams, the database built from it in the
// background and put in place only when whole, and the game list's filters, search and the
// player's own data over it.

#include "catalogue/logic/Catalogo.h"
#include "catalogue/logic/ConstruccionCatalogo.h"
#include "catalogue/logic/LectorListaXml.h"
#include "collection/logic/DirectorioZip.h"
#include "collection/logic/Identificacion.h"
#include "comun/logic/ArchivoTexto.h"
#include "emulator/logic/Ejecucion.h"
#include "emulator/logic/Emulador.h"
#include "frontend/logic/DatosDelJugador.h"
#include "frontend/logic/FiltroDeJuegos.h"
#include "frontend/logic/InformacionJuego.h"
#include "frontend/logic/ListaDeJuegos.h"

#include "apoyo/CarpetaDePrueba.h"
#include "apoyo/ConsultaSqlite.h"
#include "apoyo/ProcesoMatado.h"
#include "apoyo/ZipDePrueba.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace Corvala;

Q_DECLARE_METATYPE(Corvala::Filtros)
Q_DECLARE_METATYPE(Corvala::LimitesConstruccion)

namespace {

QByteArray Fijo()
{
    QFile archivo(QStringLiteral(CORVALA_LISTXML));
    archivo.open(QIODevice::ReadOnly);
    return archivo.readAll();
}

// Builds the folder's catalogue and waits for the end of the build, and for why it failed.
std::shared_ptr<const Catalogo> Construir(const CarpetaDePrueba &carpeta,
                                          ConstruccionCatalogo &construccion,
                                          LimitesConstruccion limites = {},
                                          QString *motivo = nullptr)
{
    QSignalSpy fin(&construccion, &ConstruccionCatalogo::terminada);
    construccion.Iniciar(carpeta.Carpeta(), *Emulador(carpeta.Carpeta()).OrdenCatalogo(),
                         {QStringLiteral("0.251"), Catalogo::Huella(carpeta.Carpeta())}, limites);
    if (!fin.wait(20000))
        return nullptr;
    if (motivo)
        *motivo = fin.first().at(1).toString();
    return fin.first().first().value<std::shared_ptr<const Catalogo>>();
}

const QString kDesconocida = QStringLiteral("ROM desconocida(junk.zip)");

// The list of the filters' folder, less some titles.
QStringList Todos(const QStringList &quitar = {})
{
    QStringList lista = {QStringLiteral("Breakout"),
                         QStringLiteral("Fruit Box (mechanical)"),
                         QStringLiteral("Galaga (Namco rev. B)"),
                         QStringLiteral("Neo-Geo MV-6F"),
                         QStringLiteral("Pac-Man (Midway)"),
                         QStringLiteral("Puck Man (Japan set 1)"),
                         QStringLiteral("Zilog Z80"),
                         kDesconocida};
    for (const QString &titulo : quitar)
        lista.removeAll(titulo);
    return lista;
}

// The candidates of an archive, each as "name presentes/roms" with "+" when complete.
QStringList Resumen(const QVector<Candidato> &candidatos)
{
    QStringList resumen;
    for (const Candidato &candidato : candidatos)
        resumen << QStringLiteral("%1 %2/%3%4")
                           .arg(candidato.nombre)
                           .arg(candidato.presentes)
                           .arg(candidato.roms)
                           .arg(candidato.completo ? QStringLiteral("+") : QString());
    return resumen;
}

// A zip of one stored file whose directory claims it holds 4,000,000,000 bytes.
QByteArray DirectorioDeBomba()
{
    QTemporaryDir temporal;
    const QString ruta = temporal.filePath(QStringLiteral("b.zip"));
    ZipDePrueba::Escribir(ruta, {{QStringLiteral("bomba"), QByteArray(64, 'b')}});
    QFile archivo(ruta);
    archivo.open(QIODevice::ReadOnly);
    QByteArray bytes = archivo.readAll();
    const QByteArray enorme("\x00\x28\x6b\xee", 4);
    // The uncompressed size, in the local header and in the central directory.
    bytes.replace(bytes.indexOf("PK\x03\x04") + 22, 4, enorme);
    bytes.replace(bytes.indexOf("PK\x01\x02") + 24, 4, enorme);
    return bytes;
}

QStringList Visibles(const FiltroDeJuegos &filtro)
{
    QStringList textos;
    for (int fila = 0; fila < filtro.rowCount(); ++fila)
        textos << filtro.index(fila, 0).data().toString();
    return textos;
}

} // namespace

class TestCatalogo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void laListaSeLeeEnTrozosDeCualquierTamano()
    {
        const QByteArray xml = Fijo();
        for (const int trozo : {1, 7, 4096, int(xml.size())}) {
            QList<FichaMaquina> maquinas;
            QList<QVector<FichaRom>> roms;
            LectorListaXml lector([&](const FichaMaquina &m, const QVector<FichaRom> &r) {
                maquinas << m;
                roms << r;
            });
            for (qsizetype i = 0; i < xml.size(); i += trozo)
                QVERIFY(lector.Anadir(
                        QByteArrayView(xml).sliced(i, std::min<qsizetype>(trozo, xml.size() - i))));
            QVERIFY(lector.Terminar());
            QCOMPARE(lector.Version(), QStringLiteral("0.251 (fake)"));
            QCOMPARE(maquinas.size(), 18);
            const FichaMaquina &pacman = maquinas[13];
            QCOMPARE(pacman.nombre, QStringLiteral("pacman"));
            QCOMPARE(pacman.descripcion, QStringLiteral("Pac-Man (Midway)"));
            QCOMPARE(pacman.anio, QStringLiteral("1980"));
            QCOMPARE(pacman.fabricante, QStringLiteral("Namco (Midway license)"));
            QCOMPARE(pacman.clonDe, QStringLiteral("puckman"));
            QCOMPARE(pacman.estado, QStringLiteral("good"));
            QCOMPARE(pacman.jugadores, 2);
            QCOMPARE(roms[13].size(), 4);
            QCOMPARE(roms[13][0].fusion, QStringLiteral("pm1_prg1.6e"));
            QCOMPARE(roms[13][3].estado, QStringLiteral("nodump"));
            QCOMPARE(maquinas[8].fabricante, QStringLiteral("Nazca & SNK"));
            QVERIFY(maquinas[10].esBios && maquinas[17].esDispositivo && maquinas[2].esMecanica);
            // The software lists a console takes, with their status and filter.
            const FichaMaquina &nes = maquinas[11];
            QCOMPARE(nes.listasDeSoftware.size(), 2);
            QCOMPARE(nes.listasDeSoftware[0].lista, QStringLiteral("nes"));
            QCOMPARE(nes.listasDeSoftware[0].filtro, QStringLiteral("NTSC"));
            QCOMPARE(nes.listasDeSoftware[1].estado, QStringLiteral("compatible"));
        }
        // A list written without line ends is read whole too, a piece at a time.
        {
            int maquinas = 0;
            LectorListaXml lector(
                    [&maquinas](const FichaMaquina &, const QVector<FichaRom> &) { ++maquinas; });
            const QByteArray seguido = QByteArray(xml).replace('\n', ' ').replace(
                    "</mame>", QByteArray(3 << 20, ' ') + "</mame>");
            for (qsizetype i = 0; i < seguido.size(); i += 65536)
                QVERIFY(lector.Anadir(QByteArrayView(seguido).sliced(
                        i, std::min<qsizetype>(65536, seguido.size() - i))));
            QVERIFY(lector.Terminar());
            QCOMPARE(maquinas, 18);
        }
    }

    void loQueNoEsUnaListaEntera_data()
    {
        QTest::addColumn<QByteArray>("salida");
        const QByteArray xml = Fijo();
        QTest::newRow("cortada") << xml.left(xml.size() / 2);
        QTest::newRow("sin raíz de MAME")
                << QByteArray("<?xml version=\"1.0\"?>\n<html><machine name=\"x\"/></html>\n");
        QTest::newRow("texto") << QByteArray("Error: unknown option: -listxml\n");
        QTest::newRow("mal formada") << QByteArray(xml).replace("</machine>", "</maquina>");
        QTest::newRow("vacía") << QByteArray();
    }
    void loQueNoEsUnaListaEntera()
    {
        QFETCH(QByteArray, salida);
        LectorListaXml lector({});
        const bool leido = lector.Anadir(salida);
        QVERIFY(!(leido && lector.Terminar()));
    }

    void seConstruyeConSusTablasYSeAbre()
    {
        CarpetaDePrueba carpeta;
        carpeta.ConCatalogo();
        QCOMPARE(Emulador(carpeta.Carpeta()).ListarJuegos(), FinEjecucion::Bien);
        ConstruccionCatalogo construccion;
        const std::shared_ptr<const Catalogo> construido = Construir(carpeta, construccion);
        QVERIFY(construido);
        QVERIFY(!carpeta.Existe(QStringLiteral("corvala.db.nuevo")));

        // The tables are the ones players and tools query.
        const QString base = Catalogo::Ruta(carpeta.Carpeta());
        const QList<QVariantList> rom = ConsultaSqlite(
                base, "SELECT m.anio, m.fabricante, m.clon_de, r.nombre, r.fusion FROM maquinas m "
                      "JOIN roms r ON r.maquina = m.nombre WHERE r.crc = (SELECT crc FROM roms "
                      "WHERE nombre = 'pacman.6f')");
        QVERIFY(!rom.isEmpty());
        QCOMPARE(rom[0][0].toString(), QStringLiteral("1980"));
        QCOMPARE(rom[0][2].toString(), QStringLiteral("puckman"));
        QVERIFY(rom[0][4].isNull());
        const QList<QVariantList> sello
                = ConsultaSqlite(base, "SELECT version, huella FROM catalogo");
        QVERIFY(!sello.isEmpty());
        QCOMPARE(sello[0][1].toString(), Catalogo::Huella(carpeta.Carpeta()));
        QCOMPARE(ConsultaSqlite(base, "SELECT count(*) FROM sqlite_master WHERE type = 'index' "
                                      "AND sql LIKE '%(crc)%'"),
                 QList<QVariantList>{{QStringLiteral("1")}});

        // What an audit of the archives needs: the devices a machine uses, its disks, its BIOS
        // options, its samples, whether it runs on its own.
        for (const auto &[sql, filas] :
             {std::pair{"SELECT dispositivo FROM dispositivos WHERE maquina = 'galaga'",
                        QList<QVariantList>{{QStringLiteral("z80")}}},
              std::pair{"SELECT nombre, opcional FROM discos ORDER BY 1",
                        QList<QVariantList>{{QStringLiteral("kinst"), QStringLiteral("0")},
                                            {QStringLiteral("mslugcd"), QStringLiteral("1")}}},
              std::pair{"SELECT m.muestras_de, s.nombre FROM maquinas m JOIN muestras s "
                        "ON s.maquina = m.nombre ORDER BY 2",
                        QList<QVariantList>{{QStringLiteral("dkong"), QStringLiteral("jump")},
                                            {QStringLiteral("dkong"), QStringLiteral("walk")}}},
              std::pair{"SELECT m.bios_por_defecto, r.bios FROM maquinas m JOIN roms r ON "
                        "r.maquina = m.nombre WHERE r.maquina = 'neogeo' AND r.bios IS NOT NULL",
                        QList<QVariantList>{{QStringLiteral("euro"), QStringLiteral("euro")},
                                            {QStringLiteral("euro"), QStringLiteral("japan")}}},
              std::pair{"SELECT nombre FROM maquinas WHERE ejecutable = 0 ORDER BY 1",
                        QList<QVariantList>{{QStringLiteral("namco51")}, {QStringLiteral("z80")}}}})
            QCOMPARE(ConsultaSqlite(base, sql), filas);

        const std::shared_ptr<const Catalogo> abierto
                = Catalogo::Abrir(Catalogo::Ruta(carpeta.Carpeta()));
        QVERIFY(abierto);
        QCOMPARE(abierto->Cantidad(), construido->Cantidad());
        QCOMPARE(abierto->SelloDe(), construido->SelloDe());
        QCOMPARE(abierto->Maquina(QStringLiteral("PONG"))->fabricante, QStringLiteral("Atari"));
        QCOMPARE(Catalogo::Abrir(carpeta.Ruta(QStringLiteral("lista.txt"))), nullptr);
        // A catalogue of an older layout is not read: it is built again.
        QFile::copy(Catalogo::Ruta(carpeta.Carpeta()), carpeta.Ruta(QStringLiteral("vieja.db")));
        sqlite3 *vieja = nullptr;
        QCOMPARE(sqlite3_open(
                         QFile::encodeName(carpeta.Ruta(QStringLiteral("vieja.db"))).constData(),
                         &vieja),
                 SQLITE_OK);
        QCOMPARE(sqlite3_exec(vieja, "PRAGMA user_version = 1", nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close(vieja);
        QString motivo;
        QCOMPARE(Catalogo::Abrir(carpeta.Ruta(QStringLiteral("vieja.db")), &motivo), nullptr);
        QVERIFY2(motivo.contains(u"disposición"), qPrintable(motivo));

        // Its ROMs come back from the file as they went in.
        QVERIFY(ZipDePrueba::Escribir(carpeta.Ruta(QStringLiteral("roms/x.zip")),
                                      ZipDePrueba::Juego(QStringLiteral("pacman"))));
        const DirectorioZip pacman
                = DirectorioZip::Leer(carpeta.Ruta(QStringLiteral("roms/x.zip")));
        QCOMPARE(Resumen(Identificacion::Candidatos(*abierto, pacman)),
                 QStringList({QStringLiteral("pacman 3/3+"), QStringLiteral("puckman 2/3")}));
    }

    // Bad input never crashes nor hangs the reading of an archive's directory.
    void elDirectorioDeUnZip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("legible");
        QTest::addColumn<quint64>("tamano");
        QTemporaryDir temporal;
        const QString ruta = temporal.filePath(QStringLiteral("z.zip"));
        ZipDePrueba::Escribir(ruta, ZipDePrueba::Juego(QStringLiteral("puckman")),
                              QByteArray(65535, 'c'));
        QFile archivo(ruta);
        archivo.open(QIODevice::ReadOnly);
        const QByteArray conComentario = archivo.readAll();
        QTest::newRow("comentario enorme") << conComentario << true << quint64(64);
        QTest::newRow("zip cortado")
                << conComentario.left(conComentario.size() / 2) << false << quint64(0);
        QTest::newRow("directorio de bomba") << DirectorioDeBomba() << true << quint64(4000000000);
        QTest::newRow("no es un zip") << QByteArray("set=pacman\n") << false << quint64(0);
        QTest::newRow("basura") << QByteArray(5000, '\xff') << false << quint64(0);
    }

    void elDirectorioDeUnZip()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, legible);
        QFETCH(quint64, tamano);
        QTemporaryDir temporal;
        QFile archivo(temporal.filePath(QStringLiteral("x.zip")));
        QVERIFY(archivo.open(QIODevice::WriteOnly) && archivo.write(bytes) == bytes.size());
        archivo.close();
        const DirectorioZip directorio = DirectorioZip::Leer(archivo.fileName());
        QCOMPARE(directorio.legible, legible);
        QCOMPARE(directorio.archivos.value(0).tamano, tamano);
        QVERIFY(!DirectorioZip::Leer(temporal.path()).legible);
        QVERIFY(!DirectorioZip::Leer(temporal.filePath(QStringLiteral("no.zip"))).legible);
    }

    // Every step that can fail says why, in the words of whatever failed.
    void cadaFalloDiceSuMotivo()
    {
        CarpetaDePrueba carpeta;
        carpeta.ConCatalogo();
        carpeta.Escribir(QStringLiteral("texto.db"), "no es una base de datos\n");
        carpeta.Escribir(QStringLiteral("roms/texto.zip"), "set=pacman\n");
        const struct
        {
            const char *paso;
            std::function<QString()> motivo;
            const char *dice;
        } fallos[] = {
                {"un catálogo que falta",
                 [&] {
                     QString motivo;
                     return Catalogo::Abrir(carpeta.Ruta(QStringLiteral("no.db")), &motivo)
                                    ? QString()
                                    : motivo;
                 },
                 "no existe"},
                {"un catálogo que no es una base",
                 [&] {
                     QString motivo;
                     return Catalogo::Abrir(carpeta.Ruta(QStringLiteral("texto.db")), &motivo)
                                    ? QString()
                                    : motivo;
                 },
                 "no es una base de datos"},
                {"un archivo en una carpeta que no existe",
                 [&] {
                     return ArchivoTexto::EscribirBytes(carpeta.Ruta(QStringLiteral("no/x.txt")),
                                                        "x")
                             .Motivo();
                 },
                 "no existe"},
                {"un zip que no es un zip",
                 [&] {
                     return DirectorioZip::Leer(carpeta.Ruta(QStringLiteral("roms/texto.zip")))
                             .motivo;
                 },
                 "no es un archivo zip"},
                {"un zip64 que dice tener tres millones de archivos",
                 [&] {
                     // Only the records at its end: a locator pointing at a zip64 record.
                     QByteArray zip64("PK\x06\x06", 4);
                     zip64 += QByteArray(28, '\0');
                     for (const quint64 valor : {quint64(3000000), quint64(3000000) * 46})
                         for (int b = 0; b < 8; ++b)
                             zip64 += char((valor >> (8 * b)) & 0xFF);
                     zip64 += QByteArray(56 - zip64.size(), '\0');
                     QByteArray localizador("PK\x06\x07\0\0\0\0", 8);
                     localizador += QByteArray(12, '\0'); // the zip64 record lies at 0
                     localizador[16] = 1;
                     QByteArray fin("PK\x05\x06", 4);
                     fin += QByteArray(4, '\0') + QByteArray(4, '\xFF') + QByteArray(8, '\xFF')
                            + QByteArray(2, '\0');
                     carpeta.Escribir(QStringLiteral("roms/enorme.zip"), zip64 + localizador + fin);
                     return DirectorioZip::Leer(carpeta.Ruta(QStringLiteral("roms/enorme.zip")))
                             .motivo;
                 },
                 "dice tener 3000000 archivos"},
                {"un XML mal formado",
                 [] {
                     LectorListaXml lector({});
                     lector.Anadir("<?xml version=\"1.0\"?>\n<mame "
                                   "build=\"0.251\">\n<machine>\n</mame>\n");
                     return lector.Error();
                 },
                 "línea 4 del XML"},
                {"un emulador que muere a medias",
                 [&] {
                     carpeta.Control("listxml.crash_after=5\n");
                     ConstruccionCatalogo construccion;
                     QSignalSpy fin(&construccion, &ConstruccionCatalogo::terminada);
                     construccion.Iniciar(carpeta.Carpeta(),
                                          *Emulador(carpeta.Carpeta()).OrdenCatalogo(), {});
                     return fin.wait(20000) ? fin.first().at(1).toString() : QString();
                 },
                 "-listxml"},
        };
        for (const auto &fallo : fallos) {
            const QString motivo = fallo.motivo();
            QVERIFY2(motivo.contains(QString::fromUtf8(fallo.dice), Qt::CaseInsensitive),
                     qPrintable(QLatin1String(fallo.paso) + QLatin1String(": ") + motivo));
        }
    }

    // The sets an archive's files belong to, best first.
    void unArchivoSeIdentificaPorSuContenido_data()
    {
        QTest::addColumn<ZipDePrueba::Archivos>("archivos");
        QTest::addColumn<QStringList>("candidatos");
        const auto juego = ZipDePrueba::Juego;
        QTest::newRow("un padre") << juego(QStringLiteral("puckman"))
                                  << QStringList{QStringLiteral("puckman 3/3+"),
                                                 QStringLiteral("pacman 2/3")};
        QTest::newRow("un clon") << juego(QStringLiteral("pacman"))
                                 << QStringList{QStringLiteral("pacman 3/3+"),
                                                QStringLiteral("puckman 2/3")};
        QTest::newRow("un padre con su clon")
                << juego(QStringLiteral("puckman")) + juego(QStringLiteral("pacman")).mid(0, 1)
                << QStringList{QStringLiteral("puckman 3/3+"), QStringLiteral("pacman 3/3+")};
        QTest::newRow("una BIOS") << juego(QStringLiteral("neogeo"))
                                  << QStringList{QStringLiteral("neogeo 3/3+"),
                                                 QStringLiteral("mslug 2/4")};
        QTest::newRow("un juego sin su BIOS")
                << juego(QStringLiteral("mslug")) << QStringList{QStringLiteral("mslug 2/4+")};
        QTest::newRow("basura") << ZipDePrueba::Archivos{{QStringLiteral("a"), QByteArray(64, 'a')}}
                                << QStringList();
        // The right CRC with another size is another file.
        ZipDePrueba::Archivos largo = juego(QStringLiteral("puckman")).mid(0, 1);
        largo.first().second += largo.first().second;
        QTest::newRow("otro tamaño") << largo << QStringList();
    }

    void unArchivoSeIdentificaPorSuContenido()
    {
        QFETCH(ZipDePrueba::Archivos, archivos);
        QFETCH(QStringList, candidatos);
        QTemporaryDir temporal;
        const QString ruta = temporal.filePath(QStringLiteral("cualquiera.zip"));
        QVERIFY(ZipDePrueba::Escribir(ruta, archivos));
        const std::shared_ptr<const Catalogo> catalogo = ZipDePrueba::Catalogo();
        QVERIFY(catalogo);
        const QVector<Candidato> encontrados
                = Identificacion::Candidatos(*catalogo, DirectorioZip::Leer(ruta));
        QCOMPARE(Resumen(encontrados), candidatos);
        if (!encontrados.isEmpty())
            QCOMPARE(encontrados.first().titulo,
                     catalogo->Maquina(encontrados.first().nombre)->descripcion);
    }

    // A build that fails, is cancelled or is killed leaves the old catalogue whole and in use.
    void elCatalogoAnteriorSigueSiLaConstruccionNoTermina_data()
    {
        QTest::addColumn<QByteArray>("control");
        QTest::addColumn<int>("como"); // 0: the emulator dies, 1: cancelled, 2: Corvala killed
        QTest::newRow("el emulador muere") << QByteArray("listxml.crash_after=5\n") << 0;
        QTest::newRow("cancelada") << QByteArray("listxml.stall_after=5\n") << 1;
        QTest::newRow("Corvala matado") << QByteArray("listxml.stall_after=5\n") << 2;
    }
    void elCatalogoAnteriorSigueSiLaConstruccionNoTermina()
    {
        QFETCH(QByteArray, control);
        QFETCH(int, como);
        CarpetaDePrueba carpeta;
        carpeta.ConCatalogo();
        ConstruccionCatalogo construccion;
        QVERIFY(Construir(carpeta, construccion));
        const QByteArray anterior = carpeta.Leer(QStringLiteral("corvala.db"));
        carpeta.Control(control);

        if (como == 0) {
            QCOMPARE(Construir(carpeta, construccion), nullptr);
        } else if (como == 1) {
            QSignalSpy fin(&construccion, &ConstruccionCatalogo::terminada);
            construccion.Iniciar(carpeta.Carpeta(), *Emulador(carpeta.Carpeta()).OrdenCatalogo(),
                                 {});
            QTRY_VERIFY(construccion.Leidas() == 5);
            QElapsedTimer reloj;
            reloj.start();
            construccion.Cancelar();
            QVERIFY(reloj.elapsed() < 5000); // the emulator is stopped, not waited for
            QVERIFY(!construccion.EnCurso());
            QVERIFY(fin.isEmpty());
        } else {
            QProcess proceso;
            proceso.start(QStringLiteral(CORVALA_PROCESO_DE_PRUEBA),
                          {QStringLiteral("--catalogo"), carpeta.Ruta()});
            QTRY_VERIFY_WITH_TIMEOUT(carpeta.Existe(QStringLiteral("corvala.db.nuevo")), 10000);
            proceso.kill();
            proceso.waitForFinished();
        }
        QCOMPARE(carpeta.Leer(QStringLiteral("corvala.db")), anterior);
        QVERIFY(Catalogo::Abrir(Catalogo::Ruta(carpeta.Carpeta())));
        if (como != 2)
            QVERIFY(!carpeta.Existe(QStringLiteral("corvala.db.nuevo")));
        // What a killed build left goes with the next one.
        carpeta.Control("");
        QVERIFY(Construir(carpeta, construccion));
        QVERIFY(!carpeta.Existe(QStringLiteral("corvala.db.nuevo")));
    }

    // An emulator that prints too slowly or without end is stopped for good, nothing of its
    // output kept.
    void laConstruccionTieneLimites_data()
    {
        QTest::addColumn<QByteArray>("control");
        QTest::addColumn<LimitesConstruccion>("limites");
        QTest::addColumn<QString>("dice");
        LimitesConstruccion tiempo, maquinas, bytes;
        tiempo.tiempoMs = 1500;
        maquinas.maquinas = 100;
        bytes.bytes = 64 * 1024;
        QTest::newRow("gota a gota")
                << QByteArray("listxml.drip_ms=200\n") << tiempo << "más de 1 s";
        QTest::newRow("maquinas sin fin")
                << QByteArray("listxml.endless=1\n") << maquinas << "más de 100 máquinas";
        QTest::newRow("bytes sin fin")
                << QByteArray("listxml.endless=1\n") << bytes << "más de 0 MB";
    }
    void laConstruccionTieneLimites()
    {
        QFETCH(QByteArray, control);
        QFETCH(LimitesConstruccion, limites);
        QFETCH(QString, dice);
        CarpetaDePrueba carpeta;
        carpeta.ConCatalogo();
        carpeta.Control(control);
        ConstruccionCatalogo construccion;
        QString motivo;
        QCOMPARE(Construir(carpeta, construccion, limites, &motivo), nullptr);
        QVERIFY2(motivo.contains(dice), qPrintable(motivo));
        QVERIFY(!carpeta.Existe(QStringLiteral("corvala.db")));
        QVERIFY(!carpeta.Existe(QStringLiteral("corvala.db.nuevo")));
    }

    // Two elements on one line ("<chip/><rom/>", "</port></machine>") lose nothing.
    void otraDisposicionDelXmlSeLeeEntera()
    {
        CarpetaDePrueba carpeta;
        carpeta.ConCatalogo();
        ConstruccionCatalogo construccion;
        const auto normal = Construir(carpeta, construccion);
        carpeta.Control("listxml.compact=1\n");
        const auto compacto = Construir(carpeta, construccion);
        QVERIFY(normal && compacto);
        QCOMPARE(compacto->Cantidad(), normal->Cantidad());
        const auto roms = [&carpeta] {
            return ConsultaSqlite(Catalogo::Ruta(carpeta.Carpeta()),
                                  "SELECT maquina, nombre, crc FROM roms ORDER BY 1, 2");
        };
        const auto compactas = roms();
        QVERIFY(!compactas.isEmpty());
        carpeta.Control("");
        QVERIFY(Construir(carpeta, construccion));
        QCOMPARE(compactas, roms());
    }

    void unaConstruccionNuevaTrasCancelarLaAnterior()
    {
        CarpetaDePrueba carpeta;
        carpeta.ConCatalogo();
        ConstruccionCatalogo construccion;
        QSignalSpy fin(&construccion, &ConstruccionCatalogo::terminada);
        for (int vez = 0; vez < 3; ++vez)
            construccion.Iniciar(carpeta.Carpeta(), *Emulador(carpeta.Carpeta()).OrdenCatalogo(),
                                 {});
        QVERIFY(fin.wait(20000));
        QVERIFY(fin.first().first().value<std::shared_ptr<const Catalogo>>());
        QTest::qWait(200);
        QCOMPARE(fin.size(), 1);
    }

    void losFiltrosYLaBusqueda_data()
    {
        QTest::addColumn<Filtros>("filtros");
        QTest::addColumn<QString>("busqueda");
        QTest::addColumn<QStringList>("visibles");
        const QString desconocida = kDesconocida;
        const auto todos = [](const QStringList &quitar) { return Todos(quitar); };
        QTest::newRow("sin filtros") << Filtros() << QString() << todos({});
        QTest::newRow("ocultar clones") << Filtros{true, false, false, false} << QString()
                                        << todos({QStringLiteral("Pac-Man (Midway)")});
        QTest::newRow("sólo los que funcionan")
                << Filtros{false, true, false, false} << QString()
                << todos({QStringLiteral("Breakout"), QStringLiteral("Fruit Box (mechanical)"),
                          QStringLiteral("Zilog Z80"), desconocida});
        QTest::newRow("sin BIOS ni dispositivos")
                << Filtros{false, false, true, false} << QString()
                << todos({QStringLiteral("Neo-Geo MV-6F"), QStringLiteral("Zilog Z80")});
        QTest::newRow("sólo favoritos") << Filtros{false, false, false, true} << QString()
                                        << QStringList{QStringLiteral("Galaga (Namco rev. B)")};
        QTest::newRow("sin mayúsculas ni acentos")
                << Filtros() << QStringLiteral("PÁC")
                << QStringList{QStringLiteral("Pac-Man (Midway)")};
        QTest::newRow("dentro del título") << Filtros() << QStringLiteral("man")
                                           << QStringList{QStringLiteral("Pac-Man (Midway)"),
                                                          QStringLiteral("Puck Man (Japan set 1)")};
        QTest::newRow("por el archivo")
                << Filtros() << QStringLiteral("JUNK") << QStringList{desconocida};
        QTest::newRow("búsqueda y filtro")
                << Filtros{true, false, false, false} << QStringLiteral("man")
                << QStringList{QStringLiteral("Puck Man (Japan set 1)")};
    }
    void losFiltrosYLaBusqueda()
    {
        QFETCH(Filtros, filtros);
        QFETCH(QString, busqueda);
        QFETCH(QStringList, visibles);
        CarpetaDePrueba carpeta;
        carpeta.ConCatalogo();
        for (const char *archivo : {"breakout.zip", "fruitbox.zip", "galaga.zip", "neogeo.zip",
                                    "pacman.zip", "puckman.zip", "z80.zip", "junk.zip"})
            carpeta.Archivo(QString::fromLatin1(archivo));
        const std::optional<ListaCargada> lista
                = ListaDeJuegos::CargarDatos(carpeta.Carpeta(), false);
        ConstruccionCatalogo construccion;
        const std::shared_ptr<const Catalogo> catalogo = Construir(carpeta, construccion);
        QVERIFY(lista && catalogo);
        DatosDelJugador jugador;
        jugador.Favorito(QStringLiteral("galaga"), true);
        jugador.Favorito(QStringLiteral("junk"), true); // an unknown archive is no favourite

        ModeloDeJuegos modelo;
        modelo.Cargar(*lista, catalogo, jugador);
        FiltroDeJuegos filtro;
        filtro.PonerModelo(&modelo);
        filtro.PonerFiltros(filtros);
        filtro.Buscar(busqueda);
        QCOMPARE(Visibles(filtro), visibles);
        // Without a catalogue only the search and the favourites leave rows out.
        modelo.Cargar(*lista, nullptr, jugador);
        if (!filtros.soloFavoritos && busqueda.isEmpty())
            QCOMPARE(Visibles(filtro), Todos());
    }

    void losDatosDelJugadorSeGuardanYSeLeen()
    {
        CarpetaDePrueba carpeta;
        DatosDelJugador datos;
        datos.filtros.ocultarClones = true;
        datos.Favorito(QStringLiteral("pacman"), true);
        const QDateTime ayer = QDateTime(QDate(2026, 12, 7), QTime(21, 30));
        for (int dia = 0; dia < 12; ++dia)
            datos.Jugar(QStringLiteral("juego%1").arg(dia), ayer.addDays(-dia));
        datos.Jugar(QStringLiteral("galaga"), ayer.addSecs(60));
        datos.Jugar(QStringLiteral("galaga"), ayer.addSecs(120));
        QVERIFY(datos.Guardar(carpeta.Carpeta()));

        const DatosDelJugador leidos = DatosDelJugador::Leer(carpeta.Carpeta());
        QVERIFY(leidos.filtros.ocultarClones && !leidos.filtros.soloFavoritos);
        QVERIFY(leidos.EsFavorito(QStringLiteral("pacman")));
        QCOMPARE(leidos.Historial(QStringLiteral("galaga")).veces, 2);
        QCOMPARE(leidos.Historial(QStringLiteral("galaga")).ultima, ayer.addSecs(120));
        const QStringList recientes = leidos.Recientes(10);
        QCOMPARE(recientes.size(), 10);
        QCOMPARE(recientes.first(), QStringLiteral("galaga"));
        QCOMPARE(recientes.last(), QStringLiteral("juego8"));
        QCOMPARE(DatosDelJugador::Juego(QStringLiteral("PACMAN.ZIP")), QStringLiteral("pacman"));
    }

    void laInformacionDelJuego()
    {
        Catalogo catalogo;
        FichaMaquina padre;
        padre.nombre = QStringLiteral("puckman");
        padre.descripcion = QStringLiteral("Puck Man (Japan set 1)");
        catalogo.Agregar(padre);
        FichaMaquina clon;
        clon.anio = QStringLiteral("1980");
        clon.fabricante = QStringLiteral("Namco");
        clon.clonDe = QStringLiteral("puckman");
        clon.estado = QStringLiteral("imperfect");
        QCOMPARE(InformacionJuego::LineaDeAyuda(&clon, &catalogo),
                 QStringLiteral("Año: 1980 · Fabricante: Namco · Clon de: Puck Man (Japan set 1) · "
                                "Estado: Funciona con fallos"));
        QCOMPARE(InformacionJuego::LineaDeAyuda(nullptr, &catalogo), QString());
        const auto filas = InformacionJuego::Filas(
                QStringLiteral("Pac-Man (Midway)"), QStringLiteral("pacman.zip"), &clon, &catalogo,
                {3, QDateTime(QDate(2026, 12, 8), QTime(15, 20))}, true);
        QVERIFY(filas.contains(qMakePair(QStringLiteral("Partidas:"),
                                         QStringLiteral("3, la última el 08/12/2026 15:20"))));
        QVERIFY(filas.contains(qMakePair(QStringLiteral("Favorito:"), QStringLiteral("Sí"))));

        // An archive the emulator does not know, identified from its files.
        Candidato parecido;
        parecido.nombre = QStringLiteral("puckman");
        parecido.titulo = QStringLiteral("Puck Man (Japan set 1)");
        QVERIFY(InformacionJuego::Filas(QStringLiteral("ROM desconocida(junk.zip)"),
                                        QStringLiteral("junk.zip"), nullptr, &catalogo, {}, false,
                                        &parecido)
                        .contains(qMakePair(QStringLiteral("Parece ser:"),
                                            QStringLiteral("Puck Man (Japan set 1), cuyo archivo "
                                                           "es puckman.zip"))));
    }
};

QTEST_GUILESS_MAIN(TestCatalogo)
#include "test_catalogo.moc"
