// The audit of a collection: small collections forged from the fake emulator's catalogue, each
// machine judged and its reason told as the emulator's own check would.

#include "catalogue/logic/Catalogo.h"
#include "collection/logic/Auditoria.h"

#include "rommanager/logic/Informes.h"

#include "apoyo/CarpetaDePrueba.h"
#include "apoyo/ConsultaSqlite.h"
#include "apoyo/ZipDePrueba.h"

#include <QtTest>

using namespace Corvala;

namespace {

using Archivos = ZipDePrueba::Archivos;

// A file of a set, with its real bytes (those of the set it is first dumped in).
QPair<QString, QByteArray> Rom(const char *juego, const char *rom, const char *como = nullptr)
{
    return {QLatin1String(como ? como : rom),
            ZipDePrueba::Rom(QLatin1String(juego), QLatin1String(rom))};
}

// A disk image's header, version 5, with the SHA-1 of its data and metadata.
QByteArray Disco(const QByteArray &sha1)
{
    QByteArray cabecera("MComprHD", 8);
    cabecera += QByteArray::fromHex("0000007c00000005");
    cabecera += QByteArray(84 - cabecera.size(), '\0') + QByteArray::fromHex(sha1)
                + QByteArray(20, '\0');
    return cabecera;
}

const QByteArray kSha1Kinst = "81d833236e994528d1482979261401b198d1ca53";

struct Caso
{
    const char *nombre;
    // Archives by name (NAME.zip) and files of folders (NAME/FILE).
    QList<QPair<const char *, Archivos>> zips;
    QList<QPair<const char *, QByteArray>> sueltos;
    const char *maquina;
    const char *estado; // nullptr: no verdict, none of its files is there
    const char *motivo;
};

} // namespace

class TestAuditoria : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cadaMaquinaSeJuzgaComoLaJuzgaElEmulador_data()
    {
        QTest::addColumn<int>("caso");
        for (int k = 0; k < int(Casos().size()); ++k)
            QTest::newRow(Casos()[k].nombre) << k;
    }

    void cadaMaquinaSeJuzgaComoLaJuzgaElEmulador()
    {
        QFETCH(int, caso);
        const Caso &c = Casos()[caso];
        CarpetaDePrueba carpeta;
        QVERIFY(ZipDePrueba::EscribirCatalogo(Catalogo::Ruta(carpeta.Carpeta())));
        for (const auto &[nombre, archivos] : c.zips) {
            const QString ruta = carpeta.Ruta(QStringLiteral("roms/") + QLatin1String(nombre));
            QVERIFY(ruta.endsWith(QLatin1String(".7z")) ? ZipDePrueba::Escribir7z(ruta, archivos)
                                                        : ZipDePrueba::Escribir(ruta, archivos));
        }
        for (const auto &[ruta, bytes] : c.sueltos)
            carpeta.Escribir(QStringLiteral("roms/") + QLatin1String(ruta), bytes);
        const ResultadoAuditoria auditoria = Auditoria::Auditar(carpeta.Carpeta());
        QVERIFY2(auditoria.motivo.isEmpty(), qPrintable(auditoria.motivo));
        const Veredicto *v = auditoria.De(QLatin1String(c.maquina));
        if (!c.estado) {
            QVERIFY2(!v, qPrintable(v ? v->motivo : QString()));
            return;
        }
        QVERIFY(v);
        QCOMPARE(Veredicto::Palabra(v->estado), QLatin1String(c.estado));
        QCOMPARE(v->motivo, QString::fromUtf8(c.motivo));
    }

    void seGuardaYNoSeLeeDosVeces()
    {
        CarpetaDePrueba carpeta;
        const QString base = Catalogo::Ruta(carpeta.Carpeta());
        QVERIFY(ZipDePrueba::EscribirCatalogo(base));
        QVERIFY(ZipDePrueba::Escribir(carpeta.Ruta(QStringLiteral("roms/galaga.zip")),
                                      ZipDePrueba::Juego(QStringLiteral("galaga"))));
        QVERIFY(ZipDePrueba::Escribir(carpeta.Ruta(QStringLiteral("roms/dkong.zip")),
                                      {Rom("dkong", "c_5et_g.bin"), Rom("dkong", "c_5ct_g.bin")}));
        ResultadoAuditoria a = Auditoria::Auditar(carpeta.Carpeta());
        QCOMPARE(a.leidos, 2);
        QVERIFY(!a.guardado);
        // Samples are said apart: the game runs without them.
        QCOMPARE(a.De(QStringLiteral("dkong"))->muestras,
                 QStringLiteral("Faltan las muestras de sonido (dkong.zip); el juego funciona sin "
                                "ellas."));
        QCOMPARE(ConsultaSqlite(base, "SELECT maquina, estado, motivo FROM auditoria ORDER BY 1"),
                 (QList<QVariantList>{
                         {QStringLiteral("dkong"), QStringLiteral("correcto"), QStringLiteral("")},
                         {QStringLiteral("galaga"), QStringLiteral("correcto"),
                          QStringLiteral("")}}));

        // Nothing changed: nothing read, the verdicts as they were kept.
        a = Auditoria::Auditar(carpeta.Carpeta());
        QVERIFY(a.guardado);
        QCOMPARE(a.leidos, 0);
        QCOMPARE(a.veredictos.size(), 2);
        QVERIFY(!a.De(QStringLiteral("dkong"))->muestras.isEmpty());

        // One archive more: that one is read, and the table replaced whole.
        QVERIFY(ZipDePrueba::Escribir(carpeta.Ruta(QStringLiteral("roms/puckman.zip")),
                                      ZipDePrueba::Juego(QStringLiteral("puckman"))));
        QFile::remove(carpeta.Ruta(QStringLiteral("roms/dkong.zip")));
        a = Auditoria::Auditar(carpeta.Carpeta());
        QCOMPARE(a.leidos, 1);
        QCOMPARE(ConsultaSqlite(base, "SELECT maquina FROM auditoria ORDER BY 1"),
                 (QList<QVariantList>{{QStringLiteral("galaga")}, {QStringLiteral("puckman")}}));
        QCOMPARE(ConsultaSqlite(base, "SELECT count(*) FROM directorios"),
                 QList<QVariantList>{{QStringLiteral("2")}});

        // A catalogue being rebuilt meanwhile, or none: no audit, and why.
        QFile::remove(base);
        QVERIFY(!Auditoria::Auditar(carpeta.Carpeta()).motivo.isEmpty());
    }

    // A light audit looks at the folder's own entries only; a file of a set's folder rewritten
    // in place is found by the full look that must follow it.
    void unaCarpetaCambiadaPorDentro()
    {
        CarpetaDePrueba carpeta;
        QVERIFY(ZipDePrueba::EscribirCatalogo(Catalogo::Ruta(carpeta.Carpeta())));
        for (const char *rom : {"gg1_1b.3p", "gg1_2b.3m"})
            carpeta.Escribir(QStringLiteral("roms/galaga/") + QLatin1String(rom),
                             ZipDePrueba::Rom(QStringLiteral("galaga"), QLatin1String(rom)));
        QCOMPARE(Auditoria::Auditar(carpeta.Carpeta()).De(QStringLiteral("galaga"))->estado,
                 Veredicto::Estado::Correcto);
        QFile archivo(carpeta.Ruta(QStringLiteral("roms/galaga/gg1_2b.3m")));
        QVERIFY(archivo.open(QIODevice::ReadWrite) && archivo.write("otro") == 4
                && archivo.flush());
        // Its date moves on, as a copy over it would move it, whatever the clock's grain.
        QVERIFY(archivo.setFileTime(archivo.fileTime(QFileDevice::FileModificationTime).addSecs(5),
                                    QFileDevice::FileModificationTime));
        archivo.close();
        const ResultadoAuditoria ligera
                = Auditoria::Auditar(carpeta.Carpeta(), false, nullptr, true);
        QVERIFY(ligera.guardado && ligera.carpetasPorComprobar);
        const ResultadoAuditoria completa = Auditoria::Auditar(carpeta.Carpeta());
        QVERIFY(!completa.guardado);
        QCOMPARE(completa.De(QStringLiteral("galaga"))->estado, Veredicto::Estado::Incorrecto);
    }

    void elInformeDeLaColeccion()
    {
        CarpetaDePrueba carpeta;
        QVERIFY(ZipDePrueba::EscribirCatalogo(Catalogo::Ruta(carpeta.Carpeta())));
        for (const auto &[nombre, archivos] : QList<QPair<const char *, Archivos>>{
                     {"puckman.zip", ZipDePrueba::Juego(QStringLiteral("puckman"))},
                     {"galaga.zip", {Rom("galaga", "gg1_1b.3p")}},
                     {"otro.zip", {Rom("galaga", "gg1_2b.3m", "suelto.bin")}},
                     {"mslug.zip", ZipDePrueba::Juego(QStringLiteral("mslug"))},
                     {"digdug.zip", {Rom("digdug", "dd1a.1")}},
                     {"dkong.zip", {Rom("dkong", "c_5et_g.bin"), Rom("dkong", "c_5ct_g.bin")}}})
            QVERIFY(ZipDePrueba::Escribir(
                    carpeta.Ruta(QStringLiteral("roms/") + QLatin1String(nombre)), archivos));
        // dkong held twice: its folder, looked at first, has a wrong file its zip has right.
        carpeta.Escribir(QStringLiteral("roms/dkong/c_5et_g.bin"), "malo");
        QVERIFY(Informes::InformeDeColeccion(carpeta.Carpeta(), *ZipDePrueba::Catalogo()));
        const QList<QByteArray> lineas
                = carpeta.Leer(QStringLiteral("comparacion.log")).split('\n');
        for (const char *linea :
             {"Se pueden jugar: 1 juego.\r", "No se pueden jugar: 4 juegos.\r",
              "/* LO QUE MÁS AYUDARÍA */\r",
              "namco51 (ni .zip, ni .7z, ni carpeta): la necesita 1 juego.\r",
              "neogeo (ni .zip, ni .7z, ni carpeta): la necesita 1 juego.\r",
              "gg1_2b.3m está en otro.zip (lo necesita Galaga (Namco rev. B) (galaga)).\r",
              "Galaga (Namco rev. B) (galaga): Falta el archivo gg1_2b.3m.\r",
              "Metal Slug - Super Vehicle-001 (mslug): Falta la BIOS neogeo (ni .zip, ni .7z, ni "
              "carpeta).\r"})
            QVERIFY2(lineas.contains(QByteArray(linea)), linea);
        // The advice never sends a set back to its own files.
        for (const QByteArray &linea : lineas)
            QVERIFY2(!linea.contains("en dkong.zip"), linea.constData());
    }

private:
    static const std::vector<Caso> &Casos()
    {
        const Archivos puckman = ZipDePrueba::Juego(QStringLiteral("puckman"));
        const Archivos galaga = ZipDePrueba::Juego(QStringLiteral("galaga"));
        const Archivos kinst{Rom("kinst", "u98-l15d"), Rom("kinst", "kinst.dudosa")};
        static const std::vector<Caso> casos{
                {"completo", {{"galaga.zip", galaga}}, {}, "galaga", "correcto", ""},
                {"otros nombres",
                 {{"galaga.zip",
                   {Rom("galaga", "gg1_1b.3p", "a"), Rom("galaga", "gg1_2b.3m", "b")}}},
                 {},
                 "galaga",
                 "correcto",
                 ""},
                {"en una carpeta",
                 {},
                 {{"galaga/gg1_1b.3p", Rom("galaga", "gg1_1b.3p").second},
                  {"galaga/gg1_2b.3m", Rom("galaga", "gg1_2b.3m").second}},
                 "galaga",
                 "correcto",
                 ""},
                {"en un 7z", {{"galaga.7z", galaga}}, {}, "galaga", "correcto", ""},
                {"clon con su padre en un 7z",
                 {{"puckman.7z", puckman}, {"pacman.zip", {Rom("pacman", "pacman.6f")}}},
                 {},
                 "pacman",
                 "mejor_disponible",
                 "Le faltan archivos de los que no se conoce un volcado bueno: pacman.nodump."},
                {"una carpeta con subcarpetas",
                 {},
                 {{"galaga/gg1_1b.3p", Rom("galaga", "gg1_1b.3p").second},
                  {"galaga/gg1_2b.3m", Rom("galaga", "gg1_2b.3m").second},
                  {"galaga/extra/leeme.txt", QByteArray("x")}},
                 "galaga",
                 "correcto",
                 ""},
                {"su carpeta antes que su zip",
                 {{"galaga.zip", galaga}},
                 {{"galaga/gg1_1b.3p", Rom("galaga", "gg1_1b.3p").second},
                  {"galaga/gg1_2b.3m", QByteArray("otro")}},
                 "galaga",
                 "incorrecto",
                 "El archivo gg1_2b.3m no es el bueno (otro tamaño o CRC)."},
                {"falta un archivo",
                 {{"galaga.zip", {Rom("galaga", "gg1_1b.3p")}}},
                 {},
                 "galaga",
                 "incorrecto",
                 "Falta el archivo gg1_2b.3m."},
                {"un archivo que no es el bueno",
                 {{"galaga.zip",
                   {Rom("galaga", "gg1_1b.3p"), Rom("galaga", "gg1_1b.3p", "gg1_2b.3m")}}},
                 {},
                 "galaga",
                 "incorrecto",
                 "El archivo gg1_2b.3m no es el bueno (otro tamaño o CRC)."},
                {"un nombre que imita una línea del directorio no es un archivo más",
                 {{"mspacman.zip",
                   {Rom("mspacman", "boot1"),
                    {QStringLiteral("readme\n16687ab5\t64\tboot2"), QByteArray("léeme")}}}},
                 {},
                 "mspacman",
                 "incorrecto",
                 "Falta el archivo boot2."},
                {"un archivo vacío no es el juego",
                 {{"galaga.zip", {}}},
                 {},
                 "galaga",
                 nullptr,
                 ""},
                {"clon con su padre",
                 {{"puckman.zip", puckman}, {"pacman.zip", {Rom("pacman", "pacman.6f")}}},
                 {},
                 "pacman",
                 "mejor_disponible",
                 "Le faltan archivos de los que no se conoce un volcado bueno: pacman.nodump."},
                {"clon dentro del archivo del padre",
                 {{"puckman.zip", puckman + Archivos{Rom("pacman", "pacman.6f")}}},
                 {},
                 "pacman",
                 "mejor_disponible",
                 "Le faltan archivos de los que no se conoce un volcado bueno: pacman.nodump."},
                {"clon sin su padre",
                 {{"pacman.zip", {Rom("pacman", "pacman.6f")}}},
                 {},
                 "pacman",
                 "incorrecto",
                 "Falta puckman (ni .zip, ni .7z, ni carpeta), el juego original del que es clon."},
                {"clon sin archivos propios",
                 {{"puckman.zip", puckman}},
                 {},
                 "pacman",
                 nullptr,
                 ""},
                {"sin su BIOS",
                 {{"mslug.zip", ZipDePrueba::Juego(QStringLiteral("mslug"))}},
                 {},
                 "mslug",
                 "incorrecto",
                 "Falta la BIOS neogeo (ni .zip, ni .7z, ni carpeta)."},
                {"con su BIOS",
                 {{"mslug.zip", ZipDePrueba::Juego(QStringLiteral("mslug"))},
                  {"neogeo.zip", ZipDePrueba::Juego(QStringLiteral("neogeo"))}},
                 {},
                 "mslug",
                 "mejor_disponible",
                 "Le faltan archivos opcionales: mslugcd."},
                {"con sólo la opción por defecto de su BIOS",
                 {{"mslug.zip", ZipDePrueba::Juego(QStringLiteral("mslug"))},
                  {"neogeo.zip", ZipDePrueba::Juego(QStringLiteral("neogeo")).mid(0, 1)
                                         + ZipDePrueba::Juego(QStringLiteral("neogeo")).mid(2)}},
                 {},
                 "mslug",
                 "incorrecto",
                 "Faltan 1 archivos de la BIOS neogeo.zip: vs-bios.rom."},
                {"sin su dispositivo",
                 {{"digdug.zip", {Rom("digdug", "dd1a.1")}}},
                 {},
                 "digdug",
                 "incorrecto",
                 "Faltan las ROMs del dispositivo namco51."},
                {"con su dispositivo",
                 {{"digdug.zip", {Rom("digdug", "dd1a.1")}},
                  {"namco51.zip", {Rom("namco51", "51xx.bin")}}},
                 {},
                 "digdug",
                 "correcto",
                 ""},
                {"sólo el dispositivo",
                 {{"namco51.zip", {Rom("namco51", "51xx.bin")}}},
                 {},
                 "digdug",
                 nullptr,
                 ""},
                {"con su disco",
                 {{"kinst.zip", kinst}},
                 {{"kinst/kinst.chd", Disco(kSha1Kinst)}},
                 "kinst",
                 "mejor_disponible",
                 "Tiene archivos de los que se espera un volcado mejor: kinst.dudosa."},
                {"sin su disco",
                 {{"kinst.zip", kinst}},
                 {},
                 "kinst",
                 "incorrecto",
                 "Falta el disco (CHD) kinst."},
                {"con otro disco",
                 {{"kinst.zip", kinst}},
                 {{"kinst/kinst.chd", Disco(QByteArray(40, '0'))}},
                 "kinst",
                 "incorrecto",
                 "El disco (CHD) kinst no es el bueno."},
        };
        return casos;
    }
};

QTEST_MAIN(TestAuditoria)
#include "test_auditoria.moc"
