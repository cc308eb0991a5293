// The software lists: read into corvala.db, the player's items listed, audited as the
// emulator's -verifysoftlist judges them, and started on a machine of their list.

#include "catalogue/logic/Catalogo.h"
#include "catalogue/logic/CatalogoSoftware.h"
#include "collection/logic/Auditoria.h"
#include "collection/logic/AuditoriaSoftware.h"
#include "collection/logic/SistemaDeSoftware.h"
#include "comun/logic/Sesion.h"
#include "frontend/logic/DatosDelJugador.h"
#include "frontend/logic/FiltroDeJuegos.h"
#include "frontend/logic/Lanzamiento.h"
#include "frontend/logic/ListaDeJuegos.h"
#include "frontend/logic/ModeloDeJuegos.h"
#include "frontend/logic/Partida.h"
#include "rommanager/logic/Informes.h"

#include "apoyo/CarpetaDePrueba.h"
#include "apoyo/MensajesDePrueba.h"
#include "apoyo/ZipDePrueba.h"

#include <QTest>

using namespace Corvala;

namespace {

const QByteArray kNes = R"(<?xml version="1.0"?>
<!DOCTYPE softwarelist SYSTEM "softwarelist.dtd">
<softwarelist name="nes" description="Nintendo Entertainment System cartridges">
	<software name="smb">
		<description>Super Mario Bros.</description>
		<year>1985</year>
		<publisher>Nintendo</publisher>
		<part name="cart" interface="nes_cart">
			<dataarea name="prg" size="16"><rom name="a.prg" size="16" crc="11111111" sha1="1"/></dataarea>
			<dataarea name="chr" size="16"><rom name="a.chr" size="16" crc="22222222" sha1="2"/></dataarea>
		</part>
	</software>
	<software name="smb1" cloneof="smb">
		<description>Super Mario Bros. (World)</description>
		<year>1985</year>
		<publisher>Nintendo</publisher>
		<part name="cart" interface="nes_cart">
			<dataarea name="prg" size="16"><rom name="b.prg" size="16" crc="33333333" sha1="3"/></dataarea>
			<dataarea name="chr" size="16"><rom name="a.chr" size="16" crc="22222222" sha1="2"/></dataarea>
		</part>
	</software>
	<software name="zelda">
		<description>The Legend of Zelda</description>
		<year>1987</year>
		<publisher>Nintendo</publisher>
		<sharedfeat name="compatibility" value="PAL"/>
		<part name="cart" interface="nes_cart">
			<dataarea name="prg" size="16"><rom name="z.prg" size="16" crc="44444444" sha1="4"/></dataarea>
			<dataarea name="chr" size="16"><rom name="z.chr" size="16" status="nodump"/></dataarea>
		</part>
	</software>
	<software name="metroid" supported="no">
		<description>Metroid</description>
		<year>1987</year>
		<publisher>Nintendo</publisher>
		<part name="cart" interface="nes_cart">
			<dataarea name="prg" size="16"><rom name="m.prg" size="16" crc="55555555" sha1="5"/></dataarea>
		</part>
	</software>
</softwarelist>
)";

const QByteArray kMegadriv = R"(<?xml version="1.0"?>
<softwarelist name="megadriv" description="Sega Mega Drive / Genesis cartridges">
	<software name="sonic">
		<description>Sonic The Hedgehog</description>
		<year>1991</year>
		<publisher>Sega</publisher>
		<part name="cart" interface="megadriv_cart">
			<dataarea name="rom" size="16"><rom name="s.bin" size="16" crc="66666666" sha1="6"/></dataarea>
		</part>
	</software>
</softwarelist>
)";

// A MAME folder with the fake emulator's catalogue, two software lists and a broken one, and the
// player's software.
struct ConSoftware
{
    CarpetaDePrueba carpeta;
    QStringList omitidas;
    Resultado leidas;

    ConSoftware()
    {
        carpeta.ConCatalogo();
        ZipDePrueba::EscribirCatalogo(carpeta.Ruta(QStringLiteral("corvala.db")));
        carpeta.Escribir(QStringLiteral("hash/nes.xml"), kNes);
        carpeta.Escribir(QStringLiteral("hash/megadriv.xml"), kMegadriv);
        carpeta.Escribir(QStringLiteral("hash/roto.xml"), "<softwarelist name=\"roto\"><software");
        const auto zip = [this](const char *ruta,
                                const QList<std::pair<const char *, quint32>> &roms) {
            ZipDePrueba::Archivos archivos;
            for (const auto &[nombre, crc] : roms)
                archivos.append({QLatin1String(nombre), ZipDePrueba::ConCrc(16, crc)});
            QVERIFY(ZipDePrueba::Escribir(
                    carpeta.Ruta(QStringLiteral("roms/") + QLatin1String(ruta)), archivos));
        };
        QDir(carpeta.Ruta()).mkpath(QStringLiteral("roms/nes"));
        QDir(carpeta.Ruta()).mkpath(QStringLiteral("roms/megadriv"));
        zip("nes/smb.zip", {{"a.prg", 0x11111111}, {"a.chr", 0x22222222}});
        zip("nes/zelda.zip", {{"z.prg", 0x44444444}});
        zip("nes/metroid.zip", {{"m.prg", 0x55555556}});
        zip("nes/mario.zip", {{"x", 0x11111111}, {"y", 0x22222222}});
        zip("megadriv/sonic.zip", {{"s.bin", 0x66666666}});
        const QHash<QString, QString> archivos
                = CatalogoSoftware::Archivos(CatalogoSoftware::Carpetas(carpeta.Carpeta()));
        leidas = CatalogoSoftware::Construir(carpeta.Ruta(QStringLiteral("corvala.db")), archivos,
                                             CatalogoSoftware::Huella(archivos), &omitidas);
    }
};

} // namespace

class TestSoftware : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lasListasSeLeenEnElCatalogo()
    {
        ConSoftware c;
        QVERIFY2(c.leidas, qPrintable(c.leidas.Motivo()));
        // A list that cannot be read is passed over with why; the others stand.
        QCOMPARE(c.omitidas.size(), 1);
        QVERIFY(c.omitidas.first().startsWith(QStringLiteral("roto.xml: no está bien formada")));
        const QString base = c.carpeta.Ruta(QStringLiteral("corvala.db"));
        QCOMPARE(CatalogoSoftware::HuellaGuardada(base),
                 CatalogoSoftware::Huella(
                         CatalogoSoftware::Archivos({c.carpeta.Ruta(QStringLiteral("hash"))})));
        const auto software = CatalogoSoftware::Abrir(base, {QStringLiteral("nes")});
        QVERIFY(software);
        QCOMPARE(software->Descripcion(QStringLiteral("megadriv")),
                 QStringLiteral("Sega Mega Drive / Genesis cartridges"));
        QCOMPARE(software->Items(), 4); // the lists asked for only
        const FichaSoftware *zelda = software->Item(QStringLiteral("nes"), QStringLiteral("zelda"));
        QVERIFY(zelda);
        QCOMPARE(zelda->compatibilidad, QStringLiteral("PAL"));
        QCOMPARE(software->Item(QStringLiteral("nes"), QStringLiteral("smb1"))->clonDe,
                 QStringLiteral("smb"));
        // Read again, the lists are replaced, not doubled.
        QVERIFY(CatalogoSoftware::Construir(
                base, CatalogoSoftware::Archivos({c.carpeta.Ruta(QStringLiteral("hash"))}),
                QStringLiteral("otra")));
        QCOMPARE(CatalogoSoftware::Abrir(base, {QStringLiteral("nes")})->Items(), 4);
    }

    void cadaProgramaSeJuzgaComoElEmulador()
    {
        ConSoftware c;
        const ResultadoAuditoriaSoftware r = AuditoriaSoftware::Auditar(
                c.carpeta.Carpeta(), {QStringLiteral("nes"), QStringLiteral("megadriv")});
        QVERIFY2(r.motivo.isEmpty(), qPrintable(r.motivo));
        using E = Veredicto::Estado;
        const struct
        {
            const char *item;
            E estado;
            const char *motivo;
        } casos[] = {
                {"nes/smb", E::Correcto, ""},
                // No archive of its own, but a file in its parent's: the emulator names it.
                {"nes/smb1", E::Incorrecto, "Falta el archivo b.prg."},
                {"nes/zelda", E::MejorDisponible,
                 "Le faltan archivos de los que no se conoce un volcado bueno: z.chr."},
                {"nes/metroid", E::Incorrecto,
                 "El archivo m.prg no es el bueno (otro tamaño o CRC)."},
                {"megadriv/sonic", E::Correcto, ""},
        };
        QCOMPARE(r.veredictos.size(), int(std::size(casos)));
        for (const auto &caso : casos) {
            const auto v = r.veredictos.constFind(QLatin1String(caso.item));
            QVERIFY2(v != r.veredictos.cend(), caso.item);
            QCOMPARE(v->estado, caso.estado);
            QCOMPARE(v->motivo, QString::fromUtf8(caso.motivo));
        }
        // What the list does not know is found by its files.
        QCOMPARE(r.parecidos.value(QStringLiteral("nes/mario.zip")).nombre,
                 QStringLiteral("nes/smb"));
        QVERIFY(r.motivoAlGuardar.isEmpty());
    }

    void laMaquinaQueLoCarga()
    {
        const struct
        {
            const char *filtro, *compatibilidad;
            bool si;
        } casos[] = {{"", "PAL", true},         {"NTSC", "", true},     {"NTSC", "NTSC,PAL", true},
                     {"NTSC", "PAL", false},    {"!PAL", "PAL", false}, {"!PAL", "NTSC", true},
                     {"PAL,NTSC", "NTSC", true}};
        for (const auto &caso : casos)
            QVERIFY2(SistemaDeSoftware::Compatible(QLatin1String(caso.filtro),
                                                   QLatin1String(caso.compatibilidad))
                             == caso.si,
                     caso.filtro);
        // Among parents that run, the one named as the list, whatever the catalogue's order.
        Catalogo catalogo;
        for (const char *nombre : {"famicom", "nes"}) {
            FichaMaquina maquina;
            maquina.nombre = QLatin1String(nombre);
            maquina.listasDeSoftware
                    = {{QStringLiteral("nes"), {}, QStringLiteral("original"), {}}};
            catalogo.Agregar(maquina);
        }
        catalogo.Sellar({});
        FichaSoftware item;
        item.lista = QStringLiteral("nes");
        QCOMPARE(SistemaDeSoftware::Maquinas(catalogo, nullptr, item),
                 QStringList({QStringLiteral("nes"), QStringLiteral("famicom")}));
    }

    void lasFilasSeListanSeFiltranYSeCargan()
    {
        MensajesDePrueba mensajes;
        ConSoftware c;
        const CarpetaMame &carpeta = c.carpeta.Carpeta();
        const ListaCargada lista = *ListaDeJuegos::CargarDatos(carpeta, false);
        QVERIFY(lista.juegos.contains(
                QStringLiteral("Super Mario Bros. · Nintendo Entertainment System cartridges")));
        QVERIFY(lista.juegos.contains(QStringLiteral("ROM desconocida(nes/mario.zip)")));
        // A list folder holding nothing but software is no set of its own.
        QVERIFY(!lista.ROMs.contains(QStringLiteral("nes/")));

        DatosDelJugador jugador;
        ModeloDeJuegos modelo;
        modelo.Cargar(lista, ZipDePrueba::Catalogo(), jugador);
        QCOMPARE(modelo.ListasDeSoftware(),
                 QSet<QString>({QStringLiteral("nes"), QStringLiteral("megadriv")}));
        auto arcade = std::make_shared<ResultadoAuditoria>(Auditoria::Auditar(carpeta));
        modelo.PonerAuditoria(arcade);
        modelo.PonerAuditoriaSoftware(std::make_shared<ResultadoAuditoriaSoftware>(
                AuditoriaSoftware::Auditar(carpeta, modelo.ListasDeSoftware())));
        const auto fila = [&modelo](const char *juego) -> const JuegoDeLista & {
            return modelo.Fila(modelo.FilaDeJuego(QLatin1String(juego)));
        };
        // A parent before its clone; a PAL cartridge on the machine whose filter takes it.
        QCOMPARE(fila("nes:smb").sistema, QStringLiteral("nes"));
        QCOMPARE(fila("nes:zelda").sistema, QStringLiteral("nespal"));
        QCOMPARE(fila("nes:smb").jugable, JuegoDeLista::Jugable::Correcto);
        // Its own file is right, but its console lacks its BIOS.
        QCOMPARE(fila("megadriv:sonic").jugable, JuegoDeLista::Jugable::Incorrecto);
        QVERIFY(fila("megadriv:sonic").Motivo().contains(QStringLiteral("(genesis): ")));
        QCOMPARE(fila("nes:metroid").jugable, JuegoDeLista::Jugable::Incorrecto);

        // The collection report counts the items as the list draws them.
        const QStringList informe = Informes::LineasDeSoftware(*modelo.AuditoriaSoftwareEnUso(),
                                                               modelo.SoftwareEnUso(),
                                                               *modelo.CatalogoEnUso(), *arcade);
        for (const char *linea :
             {"Se pueden jugar: 1 programa.", "Se pueden jugar con lo mejor que hay: 1 programa.",
              "No se pueden jugar: 3 programas."})
            QVERIFY2(informe.contains(QString::fromUtf8(linea)), linea);
        QVERIFY(informe.filter(QStringLiteral("(genesis): ")).size() == 2);

        // The player's machine for a list, remembered in jugador.txt.
        jugador.ElegirSistema(QStringLiteral("nes"), QStringLiteral("nespal"));
        QVERIFY(jugador.Guardar(carpeta));
        modelo.PonerFavoritos(DatosDelJugador::Leer(carpeta));
        QCOMPARE(fila("nes:smb").sistema, QStringLiteral("nespal"));

        // The filters: software alone, arcade alone.
        CriteriosDeLista criterios;
        criterios.filtros.Poner(&Filtros::soloSoftware, true);
        QVERIFY(criterios.Muestra(fila("nes:smb"), true));
        QVERIFY(!criterios.Muestra(JuegoDeLista{}, true));
        criterios.filtros.Poner(&Filtros::soloRecreativas, true);
        QVERIFY(!criterios.filtros.soloSoftware);
        QVERIFY(!criterios.Muestra(fila("nes:smb"), true));
        criterios.filtros = {};
        criterios.busqueda = ModeloDeJuegos::Plegar(QStringLiteral("MARIO"));
        QVERIFY(criterios.Muestra(fila("nes:smb"), true));

        // Started as mame SYSTEM ITEM, counted as a play of the item.
        Sesion sesion{carpeta};
        const std::optional<QString> sistema = Lanzamiento::ArchivoDeFila(sesion, fila("nes:smb"));
        QCOMPARE(sistema, QStringLiteral("nespal"));
        c.carpeta.OlvidarLlamadas();
        Partida partida(sesion, [] { return false; });
        partida.Jugar(*sistema, Lanzamiento::SoftwareDeFila(fila("nes:smb")));
        QCOMPARE(c.carpeta.Llamadas(),
                 QList<QStringList>({{QStringLiteral("nespal"), QStringLiteral("smb"),
                                      QStringLiteral("-soundcard"), QStringLiteral("0")}}));
        QVERIFY(!Lanzamiento::RenombraFila(fila("nes:smb"), *sistema));
        QVERIFY(mensajes.Vistos().isEmpty());
    }
};

QTEST_MAIN(TestSoftware)
#include "test_software.moc"
