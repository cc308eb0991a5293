// Judging a machine from the catalogue's details and what the folder holds, in memory: no
// folder, no database.

#include "collection/logic/JuicioDeMaquinas.h"

#include <QtTest>

using namespace Corvala;

namespace {

using Rom = DetallesDeAuditoria::Rom;
using Maquina = DetallesDeAuditoria::Maquina;

Rom R(const char *nombre, quint32 crc, const char *fusion = "", const char *estado = "")
{
    Rom rom;
    rom.nombre = QLatin1String(nombre);
    rom.fusion = QLatin1String(fusion);
    rom.crc = crc;
    rom.tamano = 16;
    rom.conCrc = qstrcmp(estado, "nodump") != 0;
    rom.sinVolcado = !rom.conCrc;
    rom.dudoso = qstrcmp(estado, "baddump") == 0;
    return rom;
}

// A parent with a clone, a BIOS with a game, a device with a machine that uses it, and a game
// that plays samples.
DetallesDeAuditoria Catalogo()
{
    DetallesDeAuditoria d;
    const auto agregar = [&d](const char *nombre, const char *romDe, QVector<Rom> roms) {
        Maquina m;
        m.nombre = QLatin1String(nombre);
        m.romDe = QLatin1String(romDe);
        m.roms = std::move(roms);
        return d.Agregar(std::move(m));
    };
    agregar("padre", "", {R("p1", 1), R("p2", 2)});
    agregar("clon", "padre", {R("p1", 1, "p1"), R("c2", 3)});
    d.maquinas[agregar("bios", "", {R("b1", 4)})].esBios = true;
    agregar("juego", "bios",
            {R("b1", 4, "b1"), R("j1", 5), R("j2", 6, "", "baddump"), R("j3", 7, "", "nodump")});
    d.maquinas[agregar("disp", "", {R("d1", 8)})].esDispositivo = true;
    const int usa = agregar("usa", "", {R("u1", 9)});
    d.maquinas[usa].dispositivos = {d.numeros.value(QStringLiteral("disp"))};
    const int suena = agregar("suena", "", {R("s1", 10)});
    d.maquinas[suena].muestras = QStringList{QStringLiteral("bang"), QStringLiteral("boom")};
    d.Enlazar();
    return d;
}

} // namespace

class TestJuicio : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void juzga_data()
    {
        QTest::addColumn<QString>("sets");
        QTest::addColumn<QString>("maquina");
        QTest::addColumn<QString>("estado");
        QTest::addColumn<QString>("motivo");
        // sets: "set:file=crc,file=crc;..." with "/" before a folder's name.
        QTest::newRow("whole") << "padre:p1=1,p2=2"
                               << "padre"
                               << "correcto"
                               << "";
        QTest::newRow("renamed files in an archive") << "padre:x=1,y=2"
                                                     << "padre"
                                                     << "correcto"
                                                     << "";
        // In a folder a file is found by its name only: none found is no set at all.
        QTest::newRow("renamed files in a folder") << "/padre:x=1,y=2"
                                                   << "padre"
                                                   << ""
                                                   << "";
        QTest::newRow("wrong CRC") << "padre:p1=1,p2=9"
                                   << "padre"
                                   << "incorrecto"
                                   << "El archivo p2 no es el bueno";
        QTest::newRow("clone with its parent") << "padre:p1=1,p2=2;clon:c2=3"
                                               << "clon"
                                               << "correcto"
                                               << "";
        QTest::newRow("clone without its parent")
                << "clon:c2=3"
                << "clon"
                << "incorrecto"
                << "Falta padre (ni .zip, ni .7z, ni carpeta), el juego original del que es clon";
        QTest::newRow("game without its BIOS")
                << "juego:j1=5,j2=6"
                << "juego"
                << "incorrecto"
                << "Falta la BIOS bios (ni .zip, ni .7z, ni carpeta)";
        QTest::newRow("bad dump, no dump: best available")
                << "bios:b1=4;juego:j1=5,j2=6"
                << "juego"
                << "mejor_disponible"
                << "Tiene archivos de los que se espera un volcado mejor: j2";
        QTest::newRow("device missing") << "usa:u1=9"
                                        << "usa"
                                        << "incorrecto"
                                        << "Faltan las ROMs del dispositivo disp";
        QTest::newRow("device there") << "usa:u1=9;disp:d1=8"
                                      << "usa"
                                      << "correcto"
                                      << "";
        QTest::newRow("nothing of it") << "padre:p1=1"
                                       << "usa"
                                       << ""
                                       << "";
        QTest::newRow("samples said apart") << "suena:s1=10"
                                            << "suena"
                                            << "correcto"
                                            << "Faltan 1 de sus 2 muestras";
    }

    void juzga()
    {
        QFETCH(QString, sets);
        QFETCH(QString, maquina);
        QFETCH(QString, estado);
        QFETCH(QString, motivo);
        ContenidoDeRoms contenido;
        for (const QString &set : sets.split(QLatin1Char(';'))) {
            ContenidoDeRoms::Conjunto conjunto;
            conjunto.carpeta = set.startsWith(QLatin1Char('/'));
            conjunto.nombre = set.section(QLatin1Char(':'), 0, 0).remove(QLatin1Char('/'));
            for (const QString &a : set.section(QLatin1Char(':'), 1).split(QLatin1Char(',')))
                conjunto.archivos.append({a.section(QLatin1Char('='), 0, 0), 16,
                                          a.section(QLatin1Char('='), 1).toUInt()});
            contenido.conjuntos.append(conjunto);
        }
        const DetallesDeAuditoria detalles = Catalogo();
        QStringList pedidas;
        JuicioDeMaquinas juicio(detalles, contenido, [&pedidas](const QString &conjunto) {
            pedidas << conjunto;
            return QSet<QString>{QStringLiteral("bang.wav")};
        });
        const int m = detalles.numeros.value(maquina);
        const std::optional<Veredicto> v = juicio.Candidata(m) ? juicio.Juzgado(m) : std::nullopt;
        QCOMPARE(v ? Veredicto::Palabra(v->estado) : QString(), estado);
        if (v)
            QVERIFY2((v->motivo + v->muestras).contains(motivo), qPrintable(v->motivo));
        // The samples of a set are asked for once, and only of a machine that plays them.
        QCOMPARE(pedidas, maquina == u"suena" ? QStringList{maquina} : QStringList());
    }
};

QTEST_GUILESS_MAIN(TestJuicio)
#include "test_juicio.moc"
