// The controller files and the emulator's configuration: the line helpers, both controller
// files to the byte, their loader, the ctrlr option of mame.ini, the check box's behaviour
// and the save with its failures.

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/LineasIni.h"
#include "comun/logic/Sesion.h"
#include "controls/logic/ArchivosControlador.h"
#include "controls/logic/TeclasPorDefecto.h"
#include "controls/logic/UsoDeTeclas.h"
#include "emulator/logic/OpcionMameIni.h"
#include "frontend/logic/Arranque.h"
#include "input/logic/TablaTeclas.h"

#include "apoyo/CarpetaDePrueba.h"
#include "apoyo/DiscoLleno.h"
#include "apoyo/MensajesDePrueba.h"

#include <QSignalSpy>
#include <QtTest>

using namespace Corvala;

namespace {

const QByteArray kIniSinFijar = "#\r\n# CORE CONFIGURATION OPTIONS\r\n#\r\n"
                                "rompath                   roms\r\n"
                                "# ctrlr                 <NULL> (Not Set)\r\n"
                                "cfg_directory             cfg\r\n";
const QByteArray kLineaFijada = "ctrlr                   Corvala";

TablaTeclas TablaPorDefecto(const CarpetaDePrueba &carpeta)
{
    CrearTablaTeclas(carpeta.Carpeta());
    return TablaTeclas(carpeta.Carpeta());
}

// A MAME folder with the default key table, mame.ini as the emulator writes it and the
// session over it.
struct Entorno
{
    Entorno() { carpeta.Escribir(QStringLiteral("mame.ini"), kIniSinFijar); }
    QByteArray Ini() const { return carpeta.Leer(QStringLiteral("mame.ini")); }

    CarpetaDePrueba carpeta;
    Sesion sesion{carpeta.Carpeta()};
    TablaTeclas tabla{TablaPorDefecto(carpeta)};
    UsoDeTeclas uso{sesion};
};

// Player 1's coin on "5" (label 21) and "Arriba" on the up arrow (label 80).
TeclasAsignadas MonedaYArriba()
{
    TeclasAsignadas teclas = TeclasSinAsignar();
    teclas[0][0] = 21;
    teclas[0][2] = 80;
    return teclas;
}

} // namespace

class TestControladores : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ayudantesDeLinea_data()
    {
        QTest::addColumn<QString>("linea");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("valor");
        QTest::newRow("línea de controlador") << "COIN1                   \"KEYCODE_5\""
                                              << "COIN1"
                                              << "\"KEYCODE_5";
        QTest::newRow("sin blanco") << "ctrlr"
                                    << ""
                                    << "";
        QTest::newRow("vacía") << ""
                               << ""
                               << "";
        QTest::newRow("blanco al principio") << " ctrlr Corvala"
                                             << ""
                                             << "ctrlr Corval";
        QTest::newRow("un tabulador no es blanco") << "a\tb c"
                                                   << "a\tb"
                                                   << "";
    }
    void ayudantesDeLinea()
    {
        QFETCH(QString, linea);
        QFETCH(QString, nombre);
        QFETCH(QString, valor);
        QCOMPARE(NombreDeLinea(linea), nombre);
        QCOMPARE(ValorDeLinea(linea), valor);
        QCOMPARE(RellenarEspacios(QStringLiteral("COIN1"), 8), QStringLiteral("COIN1   "));
        QCOMPARE(RellenarEspacios(QStringLiteral("P1_JOYSTICK_RIGHT_LONG_NAME"), 24),
                 QStringLiteral("P1_JOYSTICK_RIGHT_LONG_NAME"));
    }

    void archivosDeControladorAlByte()
    {
        Entorno e;
        const QStringList ini = LineasDefaultIni(MonedaYArriba(), e.tabla);
        QCOMPARE(ini, QStringList({QStringLiteral("#   Teclas configuradas para el Corvala"),
                                   QStringLiteral("#"),
                                   QStringLiteral("COIN1                   \"KEYCODE_5\""),
                                   QStringLiteral("P1_JOYSTICK_UP          \"KEYCODE_UP\"")}));
        const QStringList cfg = LineasCorvalaCfg(MonedaYArriba(), e.tabla);
        QCOMPARE(cfg,
                 QStringList(
                         {QStringLiteral("<mameconfig version=\"10\">"),
                          QStringLiteral("\t<system name=\"default\">"), QString(),
                          QStringLiteral("\t\t<!-- Configuracion del teclado para Corvala -->"),
                          QStringLiteral("\t\t<input>"),
                          QStringLiteral("\t\t\t<port type=\"COIN1\">"),
                          QStringLiteral("\t\t\t\t<newseq type=\"standard\">KEYCODE_5</newseq>"),
                          QStringLiteral("\t\t\t</port>"),
                          QStringLiteral("\t\t\t<port type=\"P1_JOYSTICK_UP\">"),
                          QStringLiteral("\t\t\t\t<newseq type=\"standard\">KEYCODE_UP</newseq>"),
                          QStringLiteral("\t\t\t</port>"), QStringLiteral("\t\t</input>"),
                          QStringLiteral("\t</system>"), QStringLiteral("</mameconfig>")}));
        // Nothing assigned: the frames alone.
        QCOMPARE(LineasDefaultIni(TeclasSinAsignar(), e.tabla).size(), 2);
        QCOMPARE(LineasCorvalaCfg(TeclasSinAsignar(), e.tabla).size(), 8);
    }

    void codigosDelTecladoNumerico_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("escrito");
        QTest::newRow("0.251") << "KEYCODE_0_PAD"
                               << "0.251"
                               << "KEYCODE_0PAD";
        QTest::newRow("0.116") << "KEYCODE_ENTER_PAD"
                               << "0.116"
                               << "KEYCODE_ENTERPAD";
        QTest::newRow("0.106") << "KEYCODE_0_PAD"
                               << "0.106"
                               << "KEYCODE_0_PAD";
        QTest::newRow("sin versión") << "KEYCODE_SLASH_PAD"
                                     << ""
                                     << "KEYCODE_SLASH_PAD";
        QTest::newRow("otra tecla") << "KEYCODE_A"
                                    << "0.251"
                                    << "KEYCODE_A";
    }
    void codigosDelTecladoNumerico()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, version);
        QTEST(CodigoParaEmulador(codigo, version), "escrito");
        QFETCH(QString, escrito);
        QCOMPARE(CodigoDeLaTabla(escrito), codigo);

        // A controller file in the current names reads back onto the same labels.
        Entorno e;
        e.sesion.versionMame = QStringLiteral("0.251");
        TeclasAsignadas teclas = TeclasSinAsignar();
        teclas[0][0] = 97;  // keypad 0
        teclas[1][2] = 100; // keypad Enter
        QVERIFY(e.uso.Guardar(teclas, e.tabla));
        QVERIFY(e.carpeta.Leer(QStringLiteral("ctrlr/Corvala/default.ini"))
                        .contains("\"KEYCODE_0PAD\""));
        QVERIFY(e.carpeta.Leer(QStringLiteral("ctrlr/Corvala.cfg")).contains(">KEYCODE_ENTERPAD<"));
        QCOMPARE(CargarTeclasDeControlador(
                         e.carpeta.Ruta(QStringLiteral("ctrlr/Corvala/default.ini")), e.tabla),
                 teclas);
    }

    void celdasEspeciales()
    {
        Entorno e;
        TeclasAsignadas teclas = TeclasSinAsignar();
        teclas[1][0] = 0;   // a code that was not in the table: dropped
        teclas[1][1] = 10;  // an empty code read back: written again, empty
        teclas[3][15] = 42; // caps lock, which the table as first written has no line for
        const QStringList ini = LineasDefaultIni(teclas, e.tabla);
        QCOMPARE(ini.mid(2),
                 QStringList({QStringLiteral("START2                  \"\""),
                              QStringLiteral("P4_BUTTON10             \"KEYCODE_CAPSLOCK\"")}));
        const QStringList cfg = LineasCorvalaCfg(teclas, e.tabla);
        QCOMPARE(cfg.at(5), QStringLiteral("\t\t\t<port type=\"START2\">"));
        QCOMPARE(cfg.at(6), QStringLiteral("\t\t\t\t<newseq type=\"standard\"></newseq>"));
        QCOMPARE(cfg.at(9),
                 QStringLiteral("\t\t\t\t<newseq type=\"standard\">KEYCODE_CAPSLOCK</newseq>"));
    }

    void cargarLoQueSeGuardo()
    {
        Entorno e;
        TeclasAsignadas teclas = MonedaYArriba();
        teclas[3][15] = 61; // P4_BUTTON10 on "B"
        teclas[2][1] = 10;  // an empty code comes back as label 10
        const QString ruta = e.carpeta.Ruta(QStringLiteral("ctrlr/Corvala/default.ini"));
        QVERIFY(QDir().mkpath(QFileInfo(ruta).path()));
        QStringList lineas = LineasDefaultIni(teclas, e.tabla);
        // Lines that name no port are skipped, not taken for a coin.
        lineas << QString() << QStringLiteral("P1_PEDAL          \"KEYCODE_Q\"")
               << QStringLiteral("sinblanco") << QStringLiteral("P9_BUTTON1 \"KEYCODE_W\"");
        QVERIFY(ArchivoTexto::EscribirLineas(ruta, lineas));
        QCOMPARE(CargarTeclasDeControlador(ruta, e.tabla), teclas);

        // A code the table does not hold reads back as 0; a missing file leaves every cell -1.
        QVERIFY(ArchivoTexto::EscribirLineas(ruta, {QStringLiteral("COIN2 \"KEYCODE_NADA\"")}));
        QCOMPARE(CargarTeclasDeControlador(ruta, e.tabla)[1][0], 0);
        QCOMPARE(CargarTeclasDeControlador(e.carpeta.Ruta(QStringLiteral("no.ini")), e.tabla),
                 TeclasSinAsignar());
    }

    // Whatever the player chose for a cell, a key or its default (whole or less its key) and a
    // pad input or none, reads back exactly and is written again byte for byte.
    void cadaCeldaIdaYVuelta()
    {
        Entorno e;
        const QString ruta = e.carpeta.Ruta(QStringLiteral("ctrlr/Corvala/default.ini"));
        QVERIFY(QDir().mkpath(QFileInfo(ruta).path()));
        // Every control at once, the cells being independent: one file for each state and pad.
        for (const std::int16_t estado : {std::int16_t(-1), std::int16_t(61), kDefectoSinTecla,
                                          kDefectoSinMando, kDefectoSinNada}) {
            for (const int clase : {0, 1, 2}) {
                TeclasAsignadas teclas = TeclasSinAsignar();
                MandosAsignados mandos;
                for (int p = 0; p < kJugadores; ++p) {
                    for (int c = 0; c < kControles; ++c) {
                        teclas[p][c] = estado;
                        mandos[p][c] = clase == 0 ? QString()
                                       : clase == 1
                                               ? TeclasPorDefecto::Mando(p, c)
                                               : QStringLiteral("JOYCODE_%1_BUTTON12").arg(p + 1);
                    }
                }
                const QStringList ini = LineasDefaultIni(teclas, e.tabla, {}, &mandos);
                QVERIFY(ArchivoTexto::EscribirLineas(ruta, ini));
                MandosAsignados leidos;
                const TeclasAsignadas vueltas = CargarTeclasDeControlador(ruta, e.tabla, &leidos);
                const QString caso = QStringLiteral("%1 %2").arg(estado).arg(clase);
                QVERIFY2(vueltas == teclas && leidos == mandos, qPrintable(caso));
                QCOMPARE(LineasDefaultIni(vueltas, e.tabla, {}, &leidos), ini);
                // No code twice in a sequence.
                for (const QString &linea : LineasCorvalaCfg(teclas, e.tabla, {}, &mandos)) {
                    const QStringList codigos = linea.trimmed().split(QStringLiteral(" OR "));
                    QVERIFY2(QSet<QString>(codigos.cbegin(), codigos.cend()).size()
                                     == codigos.size(),
                             qPrintable(caso));
                }
            }
        }
    }

    // A file Corvala 0.22 wrote, a default's own pad input written after the default's codes,
    // reads back as the player meant it.
    void unArchivoDeAntesSeLeeComoSeQuiso()
    {
        Entorno e;
        const QString ruta = e.carpeta.Ruta(QStringLiteral("ctrlr/Corvala/default.ini"));
        QVERIFY(QDir().mkpath(QFileInfo(ruta).path()));
        QVERIFY(ArchivoTexto::EscribirLineas(
                ruta, {QStringLiteral("P1_BUTTON1 \"KEYCODE_LCONTROL OR JOYCODE_1_BUTTON1 OR "
                                      "MOUSECODE_1_BUTTON1 OR GUNCODE_1_BUTTON1 OR "
                                      "JOYCODE_1_BUTTON1\""),
                       QStringLiteral("P1_JOYSTICK_UP \"KEYCODE_UP OR JOYCODE_1_YAXIS_UP_SWITCH OR "
                                      "JOYCODE_1_YAXIS_UP_SWITCH\""),
                       QStringLiteral("P2_BUTTON4 \"JOYCODE_2_BUTTON4 OR JOYCODE_2_BUTTON4\""),
                       QStringLiteral("P2_BUTTON1 \"JOYCODE_2_BUTTON1 OR MOUSECODE_2_BUTTON1 OR "
                                      "GUNCODE_2_BUTTON1\""),
                       QStringLiteral("COIN1 \"KEYCODE_B OR JOYCODE_1_SELECT\"")}));
        MandosAsignados mandos;
        const TeclasAsignadas teclas = CargarTeclasDeControlador(ruta, e.tabla, &mandos);
        const struct
        {
            int p, c;
            std::int16_t estado;
            const char *mando;
        } celdas[] = {{0, 6, -1, "JOYCODE_1_BUTTON1"},
                      {0, 2, -1, "JOYCODE_1_YAXIS_UP_SWITCH"},
                      {1, 9, kDefectoSinTecla, "JOYCODE_2_BUTTON4"},
                      {1, 6, kDefectoSinTecla, ""},
                      {0, 0, std::int16_t(e.tabla.TeclaDeCodigo(QStringLiteral("KEYCODE_B"))),
                       "JOYCODE_1_SELECT"}};
        for (const auto &celda : celdas) {
            QCOMPARE(teclas[celda.p][celda.c], celda.estado);
            QCOMPARE(mandos[celda.p][celda.c], QLatin1String(celda.mando));
        }
    }

    void opcionCtrlrIdaYVuelta()
    {
        Entorno e;
        QString guardada;
        QCOMPARE(FijarOpcionMameIni(e.carpeta.Carpeta(), QStringLiteral("ctrlr"),
                                    QStringLiteral("Corvala"), false, guardada),
                 ResultadoMameIni::Cambiado);
        QByteArray esperado = kIniSinFijar;
        esperado.replace("# ctrlr                 <NULL> (Not Set)", kLineaFijada);
        QCOMPARE(e.Ini(), esperado);
        QCOMPARE(guardada, QStringLiteral("# ctrlr                 <NULL> (Not Set)"));
        QVERIFY(!e.carpeta.Existe(QStringLiteral("mame.in")));

        // The same value again: mame.ini untouched, the saved line kept.
        e.carpeta.Escribir(QStringLiteral("mame.ini"), esperado + "ctrlr Corvala\r\n");
        QCOMPARE(FijarOpcionMameIni(e.carpeta.Carpeta(), QStringLiteral("ctrlr"),
                                    QStringLiteral("Corvala"), false, guardada),
                 ResultadoMameIni::SinCambios);
        QCOMPARE(e.Ini(), esperado + "ctrlr Corvala\r\n");
        QCOMPARE(guardada, QStringLiteral("# ctrlr                 <NULL> (Not Set)"));
        QVERIFY(!e.carpeta.Existe(QStringLiteral("mame.in")));

        // Restoring writes the saved line over every active ctrlr line.
        e.carpeta.Escribir(QStringLiteral("mame.ini"), esperado);
        QCOMPARE(FijarOpcionMameIni(e.carpeta.Carpeta(), QStringLiteral("ctrlr"), QString(), true,
                                    guardada),
                 ResultadoMameIni::Cambiado);
        QCOMPARE(e.Ini(), kIniSinFijar);

        // Unsetting an active line writes the unset form and keeps the line it replaced.
        e.carpeta.Escribir(QStringLiteral("mame.ini"), "ctrlr        hotrod\r\n");
        QCOMPARE(FijarOpcionMameIni(e.carpeta.Carpeta(), QStringLiteral("ctrlr"), QString(), false,
                                    guardada),
                 ResultadoMameIni::Cambiado);
        QCOMPARE(e.Ini(), QByteArray("# ctrlr                 <NULL> (Not Set)\r\n"));
        QCOMPARE(guardada, QStringLiteral("ctrlr        hotrod"));
    }

    void opcionEnLineasComentadas()
    {
        Entorno e;
        QString guardada = QStringLiteral("antes");
        // A commented option with the wanted value becomes active with it; other comments stay.
        e.carpeta.Escribir(QStringLiteral("mame.ini"),
                           "# ctrlr   Corvala\r\n#\r\n# video soft\r\nctrlrs x\r\n");
        QCOMPARE(FijarOpcionMameIni(e.carpeta.Carpeta(), QStringLiteral("ctrlr"),
                                    QStringLiteral("Corvala"), false, guardada),
                 ResultadoMameIni::Cambiado);
        QCOMPARE(e.Ini(), QByteArray("ctrlr   Corvala\r\n#\r\n# video soft\r\nctrlrs x\r\n"));
        QCOMPARE(guardada, QStringLiteral("# ctrlr   Corvala"));

        // No ctrlr line: nothing added, the same content written again.
        e.carpeta.Escribir(QStringLiteral("mame.ini"), "rompath roms\r\n");
        QCOMPARE(FijarOpcionMameIni(e.carpeta.Carpeta(), QStringLiteral("ctrlr"),
                                    QStringLiteral("Corvala"), false, guardada),
                 ResultadoMameIni::Cambiado);
        QCOMPARE(e.Ini(), QByteArray("rompath roms\r\n"));
    }

    void opcionCambiaSoloSuLinea_data()
    {
        QTest::addColumn<QByteArray>("antes");
        QTest::addColumn<QByteArray>("despues");
        // One Windows-1252 byte in a comment of a UTF-8 file; lines that end in LF alone; a
        // last line without its end.
        QTest::newRow("utf-8 con un byte de windows-1252")
                << QByteArray("# configuraci\xf3n\r\nrompath /home/a\xc3\xb1o/roms\r\nctrlr "
                              "hotrod\r\n")
                << QByteArray("# configuraci\xf3n\r\nrompath /home/a\xc3\xb1o/roms\r\nctrlr        "
                              "           Corvala\r\n");
        QTest::newRow("fin de linea LF")
                << QByteArray("rompath roms\n# ctrlr <NULL>\nvideo soft")
                << QByteArray("rompath roms\nctrlr                   Corvala\nvideo soft");
        QTest::newRow("la ultima linea, sin fin")
                << QByteArray("rompath roms\r\nctrlr hotrod")
                << QByteArray("rompath roms\r\nctrlr                   Corvala");
    }
    void opcionCambiaSoloSuLinea()
    {
        QFETCH(QByteArray, antes);
        Entorno e;
        e.carpeta.Escribir(QStringLiteral("mame.ini"), antes);
        QString guardada;
        QCOMPARE(FijarOpcionMameIni(e.carpeta.Carpeta(), QStringLiteral("ctrlr"),
                                    QStringLiteral("Corvala"), false, guardada),
                 ResultadoMameIni::Cambiado);
        QTEST(e.Ini(), "despues");
        // Put back, the file is again what it was but for the option's own line.
        QCOMPARE(FijarOpcionMameIni(e.carpeta.Carpeta(), QStringLiteral("ctrlr"), QString(), true,
                                    guardada),
                 ResultadoMameIni::Cambiado);
        QCOMPARE(e.Ini().split('\n').size(), antes.split('\n').size());
        QVERIFY(e.Ini().startsWith(antes.left(antes.indexOf("ctrl"))));
    }

    void mameIniEnUtf16SeDejaComoEsta()
    {
        MensajesDePrueba mensajes;
        Entorno e;
        const QString texto = QStringLiteral("rompath roms\r\nctrlr hotrod\r\n");
        QByteArray utf16("\xff\xfe");
        utf16.append(reinterpret_cast<const char *>(texto.utf16()), texto.size() * 2);
        e.carpeta.Escribir(QStringLiteral("mame.ini"), utf16);
        QVERIFY(!e.uso.FijarOpcion(QStringLiteral("ctrlr"), QStringLiteral("Corvala"), false));
        QCOMPARE(e.Ini(), utf16);
        QVERIFY(!e.carpeta.Existe(QStringLiteral("mame.in")));
        QCOMPARE(mensajes.Vistos().size(), 1);
        QCOMPARE(mensajes.Vistos().constFirst().texto, MensajeMameIniNoEditable().texto);
        // The close finds no ctrlr of Corvala's in it, and leaves it alone.
        QVERIFY(!Arranque::Cerrar(e.sesion).error);
        QCOMPARE(e.Ini(), utf16);
    }

    void opcionQueNoSePuedeEscribir()
    {
        Entorno e;
        QString guardada = QStringLiteral("antes");
        // mame.in cannot be written: mame.ini and the saved line stay as they were.
        e.carpeta.Bloquear(QStringLiteral("mame.in"));
        QCOMPARE(FijarOpcionMameIni(e.carpeta.Carpeta(), QStringLiteral("ctrlr"),
                                    QStringLiteral("Corvala"), false, guardada),
                 ResultadoMameIni::NoSeLee);
        QCOMPARE(e.Ini(), kIniSinFijar);
        QCOMPARE(guardada, QStringLiteral("antes"));
        // No mame.ini at all: nothing is made.
        e.carpeta.Borrar(QStringLiteral("mame.ini"));
        QCOMPARE(FijarOpcionMameIni(e.carpeta.Carpeta(), QStringLiteral("ctrlr"),
                                    QStringLiteral("Corvala"), false, guardada),
                 ResultadoMameIni::NoSeLee);
        QVERIFY(!e.carpeta.Existe(QStringLiteral("mame.ini")));
    }

    void guardarYVolverAGuardar()
    {
        MensajesDePrueba mensajes;
        Entorno e;
        e.carpeta.Escribir(QStringLiteral("cfg/default.cfg"), "propio del emulador");
        QSignalSpy cambios(&e.uso, &UsoDeTeclas::marcadaCambiada);
        QVERIFY(e.uso.Guardar(MonedaYArriba(), e.tabla));

        QCOMPARE(e.carpeta.Leer(QStringLiteral("ctrlr/Corvala/default.ini")),
                 QByteArray("#   Teclas configuradas para el Corvala\r\n#\r\n"
                            "COIN1                   \"KEYCODE_5\"\r\n"
                            "P1_JOYSTICK_UP          \"KEYCODE_UP\"\r\n"));
        const QByteArray cfg = e.carpeta.Leer(QStringLiteral("ctrlr/Corvala.cfg"));
        QVERIFY(cfg.startsWith(
                "<mameconfig version=\"10\">\r\n\t<system name=\"default\">\r\n\r\n"));
        QVERIFY(cfg.endsWith("\t\t\t</port>\r\n\t\t</input>\r\n\t</system>\r\n</mameconfig>\r\n"));
        QCOMPARE(cfg.count("\r\n"), 14);
        QCOMPARE(e.carpeta.Leer(QStringLiteral("cfg/default.bak")),
                 QByteArray("propio del emulador"));
        QVERIFY(!e.carpeta.Existe(QStringLiteral("cfg/default.cfg")));
        QVERIFY(e.Ini().contains(kLineaFijada + "\r\n"));
        QVERIFY(e.uso.Marcada());
        QCOMPARE(cambios.size(), 1);
        QVERIFY(mensajes.Vistos().isEmpty());

        // The second save leaves mame.ini alone and keeps the line saved by the first.
        const QByteArray ini = e.Ini();
        QVERIFY(e.uso.Guardar(TeclasSinAsignar(), e.tabla));
        QCOMPARE(e.Ini(), ini);
        QCOMPARE(e.sesion.lineaCtrlrGuardada,
                 QStringLiteral("# ctrlr                 <NULL> (Not Set)"));
        QCOMPARE(e.carpeta.Leer(QStringLiteral("ctrlr/Corvala/default.ini")).count("\r\n"), 2);

        // Clearing the box puts both back.
        e.uso.Pulsar(false);
        QCOMPARE(e.Ini(), kIniSinFijar);
        QCOMPARE(e.carpeta.Leer(QStringLiteral("cfg/default.cfg")),
                 QByteArray("propio del emulador"));
        QVERIFY(!e.carpeta.Existe(QStringLiteral("cfg/default.bak")));
        QVERIFY(e.sesion.lineaCtrlrGuardada.isEmpty());
    }

    void fallosDelGuardado()
    {
        MensajesDePrueba mensajes;
        {
            Entorno e;
            e.carpeta.Bloquear(QStringLiteral("ctrlr/Corvala/default.ini"));
            QVERIFY(!e.uso.Guardar(MonedaYArriba(), e.tabla));
            QCOMPARE(mensajes.Vistos().constLast().texto, e.uso.TextoErrorTeclado());
            QVERIFY(mensajes.Vistos().constLast().texto.contains(
                    e.carpeta.Ruta(QStringLiteral("ctrlr/Corvala")) + QStringLiteral(" no tiene")));
            QCOMPARE(e.Ini(), kIniSinFijar);
            QVERIFY(!e.uso.Marcada());
        }
        {
            Entorno e;
            e.carpeta.Escribir(QStringLiteral("cfg/default.cfg"), "propio");
            e.carpeta.Bloquear(QStringLiteral("cfg/default.bak"));
            QVERIFY(!e.uso.Guardar(MonedaYArriba(), e.tabla));
            QCOMPARE(mensajes.Vistos().constLast().texto, e.uso.TextoErrorCfg());
            QCOMPARE(e.carpeta.Leer(QStringLiteral("cfg/default.cfg")), QByteArray("propio"));
            QCOMPARE(e.Ini(), kIniSinFijar);
            QVERIFY(!e.uso.Marcada());
        }
        {
            Entorno e;
            e.carpeta.Borrar(QStringLiteral("mame.ini"));
            QVERIFY(!e.uso.Guardar(MonedaYArriba(), e.tabla));
            QCOMPARE(mensajes.Vistos().constLast().texto, UsoDeTeclas::TextoErrorMameIni());
            QVERIFY(!e.uso.Marcada());
            QVERIFY(!e.carpeta.Existe(QStringLiteral("mame.ini")));
        }
        QCOMPARE(mensajes.Titulos(), QStringList(3, QStringLiteral("Error")));
        QVERIFY(mensajes.Vistos().constFirst().icono == Mensaje::Icono::Critico);
    }

    void unDiscoLlenoNoCambiaNada()
    {
        DiscoLleno disco;
        if (!disco.Montado())
            QSKIP(qPrintable(disco.Motivo()));
        const CarpetaMame carpeta(disco.Ruta());
        const auto leer = [&](const char *relativa) {
            QFile archivo(carpeta.Ruta(QLatin1String(relativa)));
            return archivo.open(QIODevice::ReadOnly) ? archivo.readAll()
                                                     : QByteArray("(no existe)");
        };
        // A mame.ini larger than the room left when the disk is nearly full.
        const QByteArray ini = kIniSinFijar + QByteArray(9000, '#') + "\r\n";
        QVERIFY(ArchivoTexto::EscribirBytes(carpeta.Ruta(QStringLiteral("mame.ini")), ini));
        QVERIFY(QDir(disco.Ruta()).mkpath(QStringLiteral("cfg")));
        QVERIFY(ArchivoTexto::EscribirBytes(carpeta.Ruta(QStringLiteral("cfg/default.cfg")),
                                            "propio"));
        CrearTablaTeclas(carpeta);
        const TablaTeclas tabla(carpeta);

        // Full, and with room for the controller files but not for mame.ini.
        for (const qint64 libres : {qint64(0), qint64(8 * 1024)}) {
            MensajesDePrueba mensajes;
            Sesion sesion(carpeta);
            UsoDeTeclas uso(sesion);
            disco.Llenar(libres);
            QVERIFY(!uso.Guardar(MonedaYArriba(), tabla));
            QCOMPARE(mensajes.Titulos(), QStringList({QStringLiteral("Error")}));
            QVERIFY(!uso.Marcada());
            QCOMPARE(leer("mame.ini"), ini);
            QCOMPARE(leer("cfg/default.cfg"), QByteArray("propio"));
            QCOMPARE(leer("cfg/default.bak"), QByteArray("(no existe)"));
            QCOMPARE(leer("ctrlr/Corvala/default.ini"), QByteArray("(no existe)"));
            QCOMPARE(leer("ctrlr/Corvala.cfg"), QByteArray("(no existe)"));

            // Nor can the close undo a ctrlr of Corvala's: it says so and leaves mame.ini whole.
            disco.Vaciar();
            QByteArray conCorvala = ini;
            conCorvala.replace("# ctrlr                 <NULL> (Not Set)", kLineaFijada);
            QVERIFY(ArchivoTexto::EscribirBytes(carpeta.Ruta(QStringLiteral("mame.ini")),
                                                conCorvala));
            disco.Llenar(libres);
            QVERIFY(Arranque::Cerrar(sesion).error);
            QCOMPARE(leer("mame.ini"), conCorvala);
            disco.Vaciar();
            QVERIFY(ArchivoTexto::EscribirBytes(carpeta.Ruta(QStringLiteral("mame.ini")), ini));
        }
    }

    void unaTablaDanadaNoGuardaNada_data()
    {
        QTest::addColumn<QByteArray>("tabla");
        QTest::newRow("vacía") << QByteArray();
        QTest::newRow("cortada") << QByteArray("[teclas]\r\n\r\n\r\nt17 = KEYCODE_1\r\nt18 = KEY");
        QTest::newRow("basura") << QByteArray("\x01\x02garbage\r\n[nada]\r\nc0 = \r\n");
    }
    void unaTablaDanadaNoGuardaNada()
    {
        QFETCH(QByteArray, tabla);
        MensajesDePrueba mensajes;
        Entorno e;
        e.carpeta.Escribir(QStringLiteral("Corvala.tlc"), tabla);
        e.carpeta.Escribir(QStringLiteral("cfg/default.cfg"), "propio");
        QVERIFY(!e.uso.Guardar(MonedaYArriba(), TablaTeclas(e.carpeta.Carpeta())));
        QCOMPARE(mensajes.Titulos(), QStringList({QStringLiteral("Error")}));
        QCOMPARE(mensajes.Vistos().constFirst().texto, e.uso.TextoTablaDanada());
        QVERIFY(mensajes.Vistos().constFirst().texto.contains(
                e.carpeta.Ruta(QStringLiteral("Corvala.tlc"))));
        QVERIFY(!e.carpeta.Existe(QStringLiteral("ctrlr")));
        QCOMPARE(e.carpeta.Leer(QStringLiteral("cfg/default.cfg")), QByteArray("propio"));
        QCOMPARE(e.Ini(), kIniSinFijar);
        QVERIFY(!e.uso.Marcada());
    }

    // A code of another device is no damage: the emulator takes it in a controller file.
    void unaTablaConCodigosDeMandoSeGuarda()
    {
        MensajesDePrueba mensajes;
        Entorno e;
        QVERIFY(CrearTablaTeclas(e.carpeta.Carpeta()));
        QByteArray tabla = e.carpeta.Leer(QStringLiteral("Corvala.tlc"));
        const qsizetype t21 = tabla.indexOf("t21 = ");
        QVERIFY(t21 >= 0);
        tabla.replace(t21, tabla.indexOf('\r', t21) - t21, "t21 = JOYCODE_1_BUTTON1");
        e.carpeta.Escribir(QStringLiteral("Corvala.tlc"), tabla);
        QVERIFY(e.uso.Guardar(MonedaYArriba(), TablaTeclas(e.carpeta.Carpeta())));
        QVERIFY(mensajes.Vistos().isEmpty());
        QVERIFY(e.carpeta.Leer(QStringLiteral("ctrlr/Corvala.cfg")).contains("JOYCODE_1_BUTTON1"));
    }

    void casillaSinTecladoGuardado()
    {
        MensajesDePrueba mensajes;
        Entorno e;
        e.carpeta.Escribir(QStringLiteral("cfg/default.cfg"), "propio");
        QSignalSpy cambios(&e.uso, &UsoDeTeclas::marcadaCambiada);
        e.uso.Pulsar(true);
        QVERIFY(!e.uso.Marcada());
        QCOMPARE(cambios.size(), 2);
        QCOMPARE(cambios.constLast().constFirst().toBool(), false);
        QCOMPARE(mensajes.Titulos(), QStringList({QStringLiteral("Todavía no.")}));
        QVERIFY(e.carpeta.Existe(QStringLiteral("cfg/default.cfg")));
        QCOMPARE(e.Ini(), kIniSinFijar);
    }

    void casillaConTecladoYOcupado()
    {
        MensajesDePrueba mensajes;
        Entorno e;
        e.carpeta.Escribir(QStringLiteral("ctrlr/Corvala/default.ini"), "#\r\n");
        e.carpeta.Escribir(QStringLiteral("cfg/default.cfg"), "propio");

        // While a game runs the click is refused and the box shows its old state again.
        e.sesion.ocupado = true;
        QSignalSpy cambios(&e.uso, &UsoDeTeclas::marcadaCambiada);
        e.uso.Pulsar(true);
        QVERIFY(!e.uso.Marcada());
        QCOMPARE(cambios.size(), 1);
        QCOMPARE(cambios.constFirst().constFirst().toBool(), false);
        QCOMPARE(e.Ini(), kIniSinFijar);

        e.sesion.ocupado = false;
        e.uso.Pulsar(true);
        QVERIFY(e.uso.Marcada());
        QVERIFY(e.Ini().contains(kLineaFijada));
        QVERIFY(e.carpeta.Existe(QStringLiteral("cfg/default.bak")));

        // A tick that cannot set mame.ini leaves the box clear and default.cfg in place.
        e.uso.Pulsar(false);
        e.carpeta.Bloquear(QStringLiteral("mame.in"));
        e.uso.Pulsar(true);
        QVERIFY(!e.uso.Marcada());
        QCOMPARE(e.carpeta.Leer(QStringLiteral("cfg/default.cfg")), QByteArray("propio"));
        QCOMPARE(mensajes.Titulos(), QStringList({QStringLiteral("Error")}));
    }
};

QTEST_GUILESS_MAIN(TestControladores)
#include "test_controladores.moc"
