// The key table Corvala.tlc: its default content to the byte, the INI lookup, and the
// translation between key labels, key codes, controls and port names.

#include "comun/logic/GetINIs.h"
#include "input/logic/TablaTeclas.h"

#include "apoyo/CarpetaDePrueba.h"

#include <QRegularExpression>
#include <QtTest>

using namespace Corvala;

class TestTablaTeclas : public QObject
{
    Q_OBJECT

private:
    static TablaTeclas TablaPorDefecto(const CarpetaDePrueba &carpeta)
    {
        if (!CrearTablaTeclas(carpeta.Carpeta()))
            qFatal("Corvala.tlc not written");
        return TablaTeclas(carpeta.Carpeta());
    }

private Q_SLOTS:
    void tablaPorDefectoAlByte()
    {
        CarpetaDePrueba carpeta;
        QVERIFY(CrearTablaTeclas(carpeta.Carpeta()));
        const QByteArray bytes = carpeta.Leer(QStringLiteral("Corvala.tlc"));

        QVERIFY(bytes.startsWith("[teclas]\r\n\r\n\r\nt43 = KEYCODE_A\r\nt61 = KEYCODE_B\r\n"));
        QVERIFY(bytes.contains("t57 = KEYCODE_Z\r\nt26 = KEYCODE_0\r\nt17 = KEYCODE_1\r\n"));
        QVERIFY(bytes.contains(
                "t90 = KEYCODE_9_PAD\r\n?t = KEYCODE_TILDE\r\nt27 = KEYCODE_MINUS\r\n"
                "t101 = KEYCODE_EQUALS\r\nt28 = KEYCODE_BACKSPACE\r\n?t = KEYCODE_TAB\r\n"));
        QVERIFY(bytes.contains(
                "t72 = KEYCODE_RALT\r\n?t = KEYCODE_SCRLOCK\r\n?t = KEYCODE_NUMLOCK\r\n"
                "?t = KEYCODE_CAPSLOCK\r\n?t = KEYCODE_LWIN\r\n?t = KEYCODE_RWIN\r\n"
                "?t = KEYCODE_MENU\r\n?t = JOYCODE_1_LEFT\r\n"));
        QVERIFY(bytes.endsWith(
                "?t = JOYCODE_1_START\r\n?t = JOYCODE_1_SELECT\r\n"
                "\r\n\r\n[comienzo]\r\n\r\n\r\nc0 = COIN\r\nc1 = START\r\n"
                "\r\n\r\n[Control]\r\n\r\n\r\nc2 = _JOYSTICK_UP\r\nc3 = _JOYSTICK_DOWN\r\n"
                "c4 = _JOYSTICK_LEFT\r\nc5 = _JOYSTICK_RIGHT\r\nc6 = _BUTTON1\r\n"
                "c7 = _BUTTON2\r\nc8 = _BUTTON3\r\nc9 = _BUTTON4\r\nc10 = _BUTTON5\r\n"
                "c11 = _BUTTON6\r\nc12 = _BUTTON7\r\nc13 = _BUTTON8\r\nc14 = _BUTTON9\r\n"
                "c15 = _BUTTON10\r\n"));
        QCOMPARE(bytes.count("\r\n"), 133);
        QCOMPARE(bytes.count("\n"), 133); // no line ends in a bare LF
    }

    void lasLineasDeTeclas()
    {
        CarpetaDePrueba carpeta;
        QVERIFY(CrearTablaTeclas(carpeta.Carpeta()));
        const QString texto = QString::fromLatin1(carpeta.Leer(QStringLiteral("Corvala.tlc")));
        const QString teclas = texto.section(QStringLiteral("[comienzo]"), 0, 0);

        QSet<int> numeradas;
        int marcadores = 0;
        static const QRegularExpression linea(QStringLiteral("^(t(\\d+)|\\?t) = ([A-Z0-9_]+)$"),
                                              QRegularExpression::MultilineOption);
        for (auto coincidencia = linea.globalMatch(QString(teclas).remove(QLatin1Char('\r')));
             coincidencia.hasNext();) {
            const auto c = coincidencia.next();
            if (c.captured(2).isEmpty())
                ++marcadores;
            else
                numeradas.insert(c.captured(2).toInt());
        }
        QSet<int> esperadas;
        for (int k = 17; k <= 101; ++k) {
            if (k != 29 && k != 42 && k != 56 && k != 84)
                esperadas.insert(k);
        }
        QCOMPARE(numeradas, esperadas);
        QCOMPARE(numeradas.size(), 81);
        QCOMPARE(marcadores, 23);

        // Digit d on label 16 + d; the keypad and the arrows as the keyboard picture has them.
        const TablaTeclas tabla(carpeta.Carpeta());
        for (int d = 1; d <= 9; ++d)
            QCOMPARE(tabla.CodigoDeTecla(16 + d), QStringLiteral("KEYCODE_%1").arg(d));
        QCOMPARE(tabla.CodigoDeTecla(80), QStringLiteral("KEYCODE_UP"));
        QCOMPARE(tabla.CodigoDeTecla(97), QStringLiteral("KEYCODE_0_PAD"));
        QCOMPARE(tabla.CodigoDeTecla(100), QStringLiteral("KEYCODE_ENTER_PAD"));
        // Two labels without a line in the table still have their codes.
        QCOMPARE(tabla.CodigoDeTecla(42), QStringLiteral("KEYCODE_CAPSLOCK"));
        QCOMPARE(tabla.CodigoDeTecla(56), QStringLiteral("KEYCODE_BACKSLASH2"));
    }

    void busquedaComoLaDeWindows()
    {
        const ArchivoIni ini
                = ArchivoIni::DesdeTexto(QStringLiteral("suelta = antes\r\n"
                                                        "[Uno]\r\n"
                                                        "  Clave  =   valor con blancos   \r\n"
                                                        "clave = segundo\r\n"
                                                        "vacia =\r\n"
                                                        "sinigual\r\n"
                                                        "; comentario = no\r\n"
                                                        "larga = %1\r\n"
                                                        "[uno]\r\n"
                                                        "otra = en la segunda\r\n"
                                                        "[Dos]\r\n"
                                                        "clave=dos\r\n")
                                                 .arg(QString(300, QLatin1Char('x'))));
        QCOMPARE(ini.Valor(QStringLiteral("UNO"), QStringLiteral("clave")),
                 QStringLiteral("valor con blancos"));
        QCOMPARE(ini.Valor(QStringLiteral("dos"), QStringLiteral("CLAVE")), QStringLiteral("dos"));
        // Only the first section of a name is searched.
        QCOMPARE(ini.Valor(QStringLiteral("uno"), QStringLiteral("otra"), QStringLiteral("d")),
                 QStringLiteral("d"));
        QCOMPARE(ini.Valor(QStringLiteral("uno"), QStringLiteral("vacia"), QStringLiteral("d")),
                 QStringLiteral("d"));
        QCOMPARE(ini.Valor(QStringLiteral("uno"), QStringLiteral("sinigual"), QStringLiteral("d")),
                 QStringLiteral("d"));
        QCOMPARE(ini.Valor(QStringLiteral("uno"), QStringLiteral("; comentario"),
                           QStringLiteral("d")),
                 QStringLiteral("d"));
        QCOMPARE(ini.Valor(QStringLiteral("uno"), QStringLiteral("larga")).size(), 254);
        QCOMPARE(ini.Valor(QStringLiteral("tres"), QStringLiteral("clave"), QStringLiteral("d")),
                 QStringLiteral("d"));
        QCOMPARE(ini.Valor(QString(), QStringLiteral("suelta")), QStringLiteral("antes"));

        CarpetaDePrueba carpeta;
        QCOMPARE(LeerValorINI(carpeta.Ruta(QStringLiteral("falta.ini")), QStringLiteral("a"),
                              QStringLiteral("b"), QStringLiteral("def")),
                 QStringLiteral("def"));
    }

    void teclaDeCodigo()
    {
        CarpetaDePrueba carpeta;
        const TablaTeclas tabla = TablaPorDefecto(carpeta);
        QCOMPARE(tabla.TeclaDeCodigo(QStringLiteral("KEYCODE_EQUALS")), 101);
        QCOMPARE(tabla.TeclaDeCodigo(QStringLiteral("KEYCODE_A")), 43);
        QCOMPARE(tabla.TeclaDeCodigo(QStringLiteral("KEYCODE_TAB")), 0);
        QCOMPARE(tabla.TeclaDeCodigo(QStringLiteral("keycode_a")), 0);
        // Key t10 has no entry: an empty code matches it first.
        QCOMPARE(tabla.TeclaDeCodigo(QString()), 10);
    }

    void puertosYControles()
    {
        CarpetaDePrueba carpeta;
        const TablaTeclas tabla = TablaPorDefecto(carpeta);
        QCOMPARE(tabla.NombreDePuerto(0, 0), QStringLiteral("COIN1"));
        QCOMPARE(tabla.NombreDePuerto(3, 1), QStringLiteral("START4"));
        QCOMPARE(tabla.NombreDePuerto(1, 5), QStringLiteral("P2_JOYSTICK_RIGHT"));
        QCOMPARE(tabla.NombreDePuerto(0, 15), QStringLiteral("P1_BUTTON10"));

        QCOMPARE(tabla.ControlDeNombre(QStringLiteral("P2_BUTTON3")), 8);
        QCOMPARE(tabla.ControlDeNombre(QStringLiteral("START1")), 1);
        QCOMPARE(tabla.ControlDeNombre(QStringLiteral("COIN3")), 0);
        QCOMPARE(tabla.ControlDeNombre(QStringLiteral("P1_PEDAL")), 0);

        QCOMPARE(TablaTeclas::JugadorDeNombre(QStringLiteral("P3_BUTTON1")), 3);
        QCOMPARE(TablaTeclas::JugadorDeNombre(QStringLiteral("COIN2")), 2);
        QCOMPARE(TablaTeclas::JugadorDeNombre(QStringLiteral("START4")), 4);
        QCOMPARE(TablaTeclas::JugadorDeNombre(QStringLiteral("PX_BUTTON1")), 0);
        QCOMPARE(TablaTeclas::JugadorDeNombre(QStringLiteral("COIN")), 0);
        QCOMPARE(TablaTeclas::JugadorDeNombre(QStringLiteral("UI_CANCEL")), 0);

        // Every port name reads back as its own player and control.
        for (int p = 0; p < kJugadores; ++p) {
            for (int c = 0; c < kControles; ++c) {
                const QString puerto = tabla.NombreDePuerto(p, c);
                QCOMPARE(TablaTeclas::JugadorDeNombre(puerto), p + 1);
                QCOMPARE(tabla.ControlDeNombre(puerto), c);
            }
        }
    }

    void tablaEditadaConOtrasMayusculas()
    {
        CarpetaDePrueba carpeta;
        carpeta.Escribir(QStringLiteral("Corvala.tlc"),
                         "[TECLAS]\r\nT80 = KEYCODE_UP\r\n[Comienzo]\r\nc0 = COIN\r\n"
                         "[control]\r\nc2 = _JOYSTICK_UP\r\n");
        const TablaTeclas tabla(carpeta.Carpeta());
        QCOMPARE(tabla.CodigoDeTecla(80), QStringLiteral("KEYCODE_UP"));
        QCOMPARE(tabla.NombreDePuerto(0, 0), QStringLiteral("COIN1"));
        QCOMPARE(tabla.NombreDePuerto(1, 2), QStringLiteral("P2_JOYSTICK_UP"));
    }
};

QTEST_GUILESS_MAIN(TestTablaTeclas)
#include "test_tabla_teclas.moc"
