// The controls window: the choice of player and control, the keys given to them, the advance,
// the rule that a key serves one control, the colours that show all this, and the window
// itself opened from the main window, saving or leaving.

#include "comun/windows/BotonEtiqueta.h"
#include "comun/windows/EtiquetaPulsable.h"
#include "controls/logic/ArchivosControlador.h"
#include "controls/logic/EdicionDeTeclas.h"
#include "controls/logic/Teclado.h"
#include "controls/logic/TeclasPorDefecto.h"
#include "controls/windows/frmTeclas.h"

#include "input/logic/Mandos.h"
#include "input/logic/TablaTeclas.h"

#include "apoyo/CarpetaDePrueba.h"
#include "apoyo/Controles.h"
#include "apoyo/MensajesDePrueba.h"
#include "apoyo/VentanaDePrueba.h"
#include "apoyo/VentanaModal.h"

#include <QCheckBox>
#include <QDirIterator>
#include <QSignalSpy>
#include <QtTest>

#include <SDL.h>

#include <functional>

using namespace Corvala;
using Tipo = EdicionDeTeclas::Etiqueta;

namespace {

// Sixteen enabled keys, all different: Q to + and A to F.
const int kDieciseis[kControles] = {30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 43, 44, 45, 46};

// The keys shown as the chosen control's.
QList<int> Resaltadas(const EdicionDeTeclas &edicion)
{
    QList<int> teclas;
    for (int k = 0; k < kTeclas; ++k) {
        if (edicion.ColorDe(Tipo::Tecla, k) == EdicionDeTeclas::kAsignada)
            teclas << k;
    }
    return teclas;
}

// Every file under the folder with its bytes.
QMap<QString, QByteArray> Archivos(const QString &carpeta)
{
    QMap<QString, QByteArray> archivos;
    QDirIterator it(carpeta, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile archivo(it.next());
        archivo.open(QIODevice::ReadOnly);
        archivos.insert(it.filePath(), archivo.readAll());
    }
    return archivos;
}

// The main window loaded with an emulator of the given version.
struct Principal : Ventana
{
    explicit Principal(const QByteArray &version = "0.251")
    {
        carpeta.Escribir(QStringLiteral("whatsnew.txt"), version + "\r\n");
        ventana.Form_Load();
        ventana.show();
    }
};

void Clic(QWidget *etiqueta)
{
    QTest::mouseClick(etiqueta, Qt::LeftButton);
}

} // namespace

class TestTeclas : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tecladoCompleto()
    {
        const QVector<Teclado::Tecla> &teclas = Teclado::Teclas();
        QCOMPARE(teclas.size(), kTeclas);
        const QRect dibujo(QPoint(0, 0), Teclado::Tamano());
        for (int k = 0; k < kTeclas; ++k) {
            QCOMPARE(teclas[k].indice, k);
            QVERIFY2(!teclas[k].texto.isEmpty(), qPrintable(QString::number(k)));
            QVERIFY(dibujo.contains(teclas[k].lugar));
            for (int j = 0; j < k; ++j)
                QVERIFY2(!teclas[k].lugar.intersects(teclas[j].lugar),
                         qPrintable(QStringLiteral("%1 over %2").arg(k).arg(j)));
        }
        QCOMPARE(teclas[71].texto, QStringLiteral("Espacio"));
        QCOMPARE(teclas[71].lugar.width(), 1995);
        QCOMPARE(teclas[68].lugar.height(), 585);
        QCOMPARE(teclas[101].texto, QStringLiteral("¡"));
    }

    void coloresDeReposo()
    {
        using E = EdicionDeTeclas;
        for (int k : {0, 1, 12, 15, 16, 29, 84})
            QCOMPARE(E::ColorNormalTecla(k), E::kDeshabilitada);
        // Captions of 2 to 6 characters, the keypad's +, Enter and operators, and "<".
        for (int k : {28, 42, 68, 72, 80, 85, 86, 87, 99, 100, 56})
            QCOMPARE(E::ColorNormalTecla(k), E::kGrisTecla);
        for (int k : {17, 43, 71, 101, 97, 66})
            QCOMPARE(E::ColorNormalTecla(k), E::kBlanco);

        TeclasAsignadas teclas = TeclasSinAsignar();
        EdicionDeTeclas edicion(teclas);
        QCOMPARE(edicion.ColorDe(Tipo::Jugador, 0), E::kElegido);
        QCOMPARE(edicion.ColorDe(Tipo::Jugador, 1), E::kReposo);
        QCOMPARE(edicion.ColorDe(Tipo::Control, 0), E::kReposo);
        QCOMPARE(edicion.ColorDe(Tipo::PorDefecto), E::kBlanco);
        QVERIFY(Resaltadas(edicion).isEmpty());
    }

    void dieciseisTeclasSeguidas()
    {
        MensajesDePrueba mensajes;
        TeclasAsignadas teclas = TeclasSinAsignar();
        EdicionDeTeclas edicion(teclas);
        edicion.lblJugador_Click(0);
        edicion.lblControl_Click(0);
        for (int c = 0; c < kControles; ++c) {
            QCOMPARE(edicion.ControlActual(), c);
            edicion.lblTecla_Click(kDieciseis[c]);
        }
        for (int c = 0; c < kControles; ++c)
            QCOMPARE(teclas[0][c], kDieciseis[c]);
        QCOMPARE(teclas[1], TeclasSinAsignar()[1]);
        QVERIFY(mensajes.Vistos().isEmpty());

        // "Jugador 2" and "Moneda" are chosen, and player 2's empty Moneda shows the default.
        QCOMPARE(edicion.JugadorActual(), 1);
        QCOMPARE(edicion.ControlActual(), 0);
        QVERIFY(!edicion.MostrandoAsignacion());
        QCOMPARE(edicion.ColorDe(Tipo::Jugador, 1), EdicionDeTeclas::kElegido);
        QCOMPARE(edicion.ColorDe(Tipo::Jugador, 0), EdicionDeTeclas::kReposo);
        QCOMPARE(edicion.ColorDe(Tipo::Control, 0), EdicionDeTeclas::kElegido);
        QCOMPARE(edicion.ColorDe(Tipo::Control, 15), EdicionDeTeclas::kReposo);
        QCOMPARE(edicion.ColorDe(Tipo::PorDefecto), EdicionDeTeclas::kAsignada);
        QVERIFY(Resaltadas(edicion).isEmpty());

        // Back on player 1, each control shows its key without storing anything.
        edicion.lblJugador_Click(0);
        QCOMPARE(Resaltadas(edicion), QList<int>{kDieciseis[0]});
        edicion.lblControl_Click(7);
        QCOMPARE(Resaltadas(edicion), QList<int>{kDieciseis[7]});
        QCOMPARE(edicion.ColorDe(Tipo::PorDefecto), EdicionDeTeclas::kBlanco);
        QCOMPARE(edicion.ControlActual(), 7);
        QCOMPARE(teclas[0][7], kDieciseis[7]);
    }

    void laUltimaTeclaVuelveAlJugador1()
    {
        TeclasAsignadas teclas = TeclasSinAsignar();
        EdicionDeTeclas edicion(teclas);
        edicion.lblJugador_Click(3);
        edicion.lblControl_Click(15);
        edicion.lblTecla_Click(71);
        QCOMPARE(teclas[3][15], 71);
        QCOMPARE(edicion.JugadorActual(), 0);
        QCOMPARE(edicion.ControlActual(), 0);

        // "Default" clears the cell and advances as well.
        edicion.lblJugador_Click(3);
        edicion.lblControl_Click(15);
        QCOMPARE(Resaltadas(edicion), QList<int>{71});
        edicion.lblPorDefecto_Click();
        QCOMPARE(teclas[3][15], -1);
        QCOMPARE(edicion.JugadorActual(), 0);
        QVERIFY(Resaltadas(edicion).isEmpty());
    }

    void teclaDeOtroControl()
    {
        MensajesDePrueba mensajes;
        TeclasAsignadas teclas = TeclasSinAsignar();
        teclas[1][2] = 80; // player 2's "Arriba" has the up arrow
        teclas[0][0] = 21; // player 1's "Moneda" has the 5
        const TeclasAsignadas antes = teclas;
        EdicionDeTeclas edicion(teclas);
        edicion.lblControl_Click(0);
        QCOMPARE(Resaltadas(edicion), QList<int>{21});

        edicion.Pulsar(Tipo::Tecla, 80);
        edicion.Soltar(Tipo::Tecla, 80);
        edicion.lblTecla_Click(80);
        QCOMPARE(mensajes.Vistos().size(), 1);
        QCOMPARE(mensajes.Vistos().first().texto,
                 QStringLiteral("La tecla ya ha sido asignada a otro control."));
        QCOMPARE(mensajes.Titulos(), QStringList{QStringLiteral("Tecla no válida.")});
        QCOMPARE(mensajes.Vistos().first().icono, Mensaje::Icono::Exclamacion);
        QCOMPARE(teclas, antes);
        QCOMPARE(edicion.ControlActual(), 0);
        QCOMPARE(edicion.ColorDe(Tipo::Tecla, 80), EdicionDeTeclas::ColorNormalTecla(80));
        QCOMPARE(Resaltadas(edicion), QList<int>{21});

        // The key the chosen control already holds is its own: accepted.
        edicion.lblTecla_Click(21);
        QCOMPARE(mensajes.Vistos().size(), 1);
        QCOMPARE(teclas[0][0], 21);
        QCOMPARE(edicion.ControlActual(), 1);
    }

    // Giving a control its default key back while another control holds it, and giving a control
    // a pad input that another one left on its default answers to, ask first: yes takes it from
    // the other control, no leaves both as they were.
    void loQueOtroControlYaTienePregunta()
    {
        for (const Respuesta respuesta : {Respuesta::No, Respuesta::Si}) {
            const bool si = respuesta == Respuesta::Si;
            MensajesDePrueba mensajes;
            mensajes.Responder(respuesta);
            mensajes.Responder(respuesta);
            mensajes.Responder(respuesta);
            CarpetaDePrueba carpeta;
            CrearTablaTeclas(carpeta.Carpeta());
            TeclasAsignadas teclas;
            MandosAsignados mandos;
            EdicionDeTeclas edicion(teclas, &mandos);
            edicion.Abrir(carpeta.Carpeta());
            teclas[0][1] = 21; // player 1's "Comienzo" has the 5, "Moneda"'s default key
            teclas[0][0] = 61; // and "Moneda" the B
            edicion.lblControl_Click(0);
            edicion.lblPorDefecto_Click();
            QCOMPARE(teclas[0][0], si ? -1 : 61);
            QCOMPARE(teclas[0][1], si ? kDefectoSinTecla : 21);

            // Pad 1's first button, which player 1's "Botón 1" answers to by default.
            edicion.lblControl_Click(0);
            edicion.AsignarMando(QStringLiteral("JOYCODE_1_BUTTON1"));
            QCOMPARE(mandos[0][0], si ? QStringLiteral("JOYCODE_1_BUTTON1") : QString());
            QCOMPARE(teclas[0][6], si ? kDefectoSinMando : -1);

            // "Botón 1" given back its default: its pad input is "Moneda"'s now.
            edicion.lblControl_Click(6);
            edicion.lblPorDefecto_Click();
            QCOMPARE(mandos[0][0], QString());
            QCOMPARE(teclas[0][6], -1);
            QCOMPARE(mensajes.Titulos(),
                     QStringList(si ? 3 : 2, QStringLiteral("Tecla por defecto.")));
        }
    }

    void teclasDeshabilitadas()
    {
        MensajesDePrueba mensajes;
        TeclasAsignadas teclas = TeclasSinAsignar();
        EdicionDeTeclas edicion(teclas);
        edicion.lblControl_Click(3);
        for (int k = 0; k < kTeclas; ++k) {
            if (!Teclado::Deshabilitada(k))
                continue;
            // They flash while held, like any key, and then nothing happens.
            edicion.Pulsar(Tipo::Tecla, k);
            QCOMPARE(edicion.ColorDe(Tipo::Tecla, k), EdicionDeTeclas::kTeclaPulsada);
            edicion.Soltar(Tipo::Tecla, k);
            edicion.lblTecla_Click(k);
            QCOMPARE(edicion.ColorDe(Tipo::Tecla, k), EdicionDeTeclas::kDeshabilitada);
        }
        QCOMPARE(teclas, TeclasSinAsignar());
        QCOMPARE(edicion.ControlActual(), 3);
        QCOMPARE(edicion.ColorDe(Tipo::PorDefecto), EdicionDeTeclas::kAsignada);
        QVERIFY(mensajes.Vistos().isEmpty());
    }

    void celdasQueNoNombranTecla()
    {
        TeclasAsignadas teclas = TeclasSinAsignar();
        teclas[0][1] = 0;  // a code the table did not know
        teclas[0][2] = 10; // an empty code
        teclas[0][3] = 43;
        EdicionDeTeclas edicion(teclas);
        edicion.lblControl_Click(3);
        QCOMPARE(Resaltadas(edicion), QList<int>{43});
        // Neither highlights anything new: the last key shown stays.
        edicion.lblControl_Click(1);
        QCOMPARE(Resaltadas(edicion), QList<int>{43});
        edicion.lblControl_Click(2);
        QCOMPARE(Resaltadas(edicion), QList<int>{43});
        QCOMPARE(edicion.ColorDe(Tipo::Control, 2), EdicionDeTeclas::kElegido);
        // A cell of -1 shows the default and no key.
        edicion.lblControl_Click(4);
        QVERIFY(Resaltadas(edicion).isEmpty());
        QCOMPARE(edicion.ColorDe(Tipo::PorDefecto), EdicionDeTeclas::kAsignada);
    }

    void respuestaDelRaton()
    {
        TeclasAsignadas teclas = TeclasSinAsignar();
        EdicionDeTeclas edicion(teclas);
        edicion.lblJugador_Click(2);
        edicion.Pulsar(Tipo::Jugador, 1);
        QCOMPARE(edicion.ColorDe(Tipo::Jugador, 1), EdicionDeTeclas::kPulsado);
        edicion.Soltar(Tipo::Jugador, 1);
        QCOMPARE(edicion.ColorDe(Tipo::Jugador, 1), EdicionDeTeclas::kReposo);
        edicion.Pulsar(Tipo::Jugador, 2);
        edicion.Soltar(Tipo::Jugador, 2);
        QCOMPARE(edicion.ColorDe(Tipo::Jugador, 2), EdicionDeTeclas::kElegido);
        edicion.Pulsar(Tipo::Control, 5);
        QCOMPARE(edicion.ColorDe(Tipo::Control, 5), EdicionDeTeclas::kPulsado);
        edicion.Soltar(Tipo::Control, 5);
        QCOMPARE(edicion.ColorDe(Tipo::Control, 5), EdicionDeTeclas::kReposo);
        edicion.Pulsar(Tipo::PorDefecto);
        edicion.Soltar(Tipo::PorDefecto);
        QCOMPARE(edicion.ColorDe(Tipo::PorDefecto), EdicionDeTeclas::kTeclaPulsada);
    }

    void archivoConUnaTeclaDosVeces()
    {
        MensajesDePrueba mensajes;
        CarpetaDePrueba carpeta;
        QVERIFY(CrearTablaTeclas(carpeta.Carpeta()));
        carpeta.Escribir(QStringLiteral("ctrlr/Corvala/default.ini"),
                         "COIN1                   \"KEYCODE_5\"\r\n"
                         "P1_JOYSTICK_UP          \"KEYCODE_5\"\r\n");
        TeclasAsignadas teclas = TeclasSinAsignar();
        teclas[2][2] = 50; // the opening forgets what was there
        EdicionDeTeclas edicion(teclas);
        QVERIFY(edicion.Abrir(carpeta.Carpeta()));
        QCOMPARE(teclas[0][0], 21);
        QCOMPARE(teclas[0][2], 21);
        QCOMPARE(teclas[2][2], -1);
        const TeclasAsignadas cargadas = teclas;
        edicion.lblControl_Click(2);
        QCOMPARE(mensajes.Titulos(), QStringList{QStringLiteral("Tecla no válida.")});
        QCOMPARE(teclas, cargadas);
        QCOMPARE(edicion.ControlActual(), 2);

        carpeta.Borrar(QStringLiteral("ctrlr/Corvala/default.ini"));
        QVERIFY(!edicion.Abrir(carpeta.Carpeta()));
        QCOMPARE(teclas, TeclasSinAsignar());
    }

    void abrirDesdeLaVentanaPrincipal()
    {
        MensajesDePrueba mensajes;
        {
            // A version whose controls Corvala cannot set: the box, no window.
            Principal principal("0.52");
            bool abierta = false;
            AlAbrirseLaVentana([&abierta](QWidget *ventana) { abierta = ventana != nullptr; });
            Clic(Control<BotonEtiqueta>(principal.ventana, "lblTeclas"));
            QTest::qWait(20);
            QVERIFY(!abierta);
            QCOMPARE(mensajes.Titulos(), QStringList{QStringLiteral("No es posible.")});
            QCOMPARE(mensajes.Vistos().first().texto, EdicionDeTeclas::MensajeNoDisponible().texto);
        }
        {
            Principal principal;
            // While busy, nothing opens.
            principal.sesion.ocupado = true;
            bool abierta = false;
            AlAbrirseLaVentana([&abierta](QWidget *ventana) { abierta = ventana != nullptr; });
            Clic(Control<BotonEtiqueta>(principal.ventana, "lblTeclas"));
            QTest::qWait(20);
            QVERIFY(!abierta);
            principal.sesion.ocupado = false;
        }
    }

    void unaTeclaSeEligePulsandola()
    {
        MensajesDePrueba mensajes;
        Principal principal;
        AlAbrirseLaVentana([&](QWidget *ventana) {
            auto *teclas = qobject_cast<frmTeclas *>(ventana);
            if (!teclas)
                return;
            // Native scan codes (the kernel's key number plus 8), each with what a German or a
            // French keyboard prints there: Y (21) prints "z", F1 (59) is one the picture keeps
            // for the emulator, W (17) prints "z" too and is player 2's "Botón 4" by default,
            // which is asked about and answered yes.
            mensajes.Responder(Respuesta::Si);
            for (const auto &[codigo, texto] :
                 {std::pair{29u, "z"}, std::pair{67u, ""}, std::pair{25u, "z"}}) {
                for (const QEvent::Type tipo : {QEvent::KeyPress, QEvent::KeyRelease}) {
                    QKeyEvent evento(tipo, Qt::Key_unknown, Qt::NoModifier, codigo, 0, 0,
                                     QLatin1String(texto));
                    QCoreApplication::sendEvent(teclas, &evento);
                }
            }
            const TablaTeclas tabla(principal.carpeta.Carpeta());
            QCOMPARE(teclas->Edicion().Teclas()[0][0],
                     std::int16_t(tabla.TeclaDeCodigo(QStringLiteral("KEYCODE_Y"))));
            QCOMPARE(teclas->Edicion().Teclas()[0][1],
                     std::int16_t(tabla.TeclaDeCodigo(QStringLiteral("KEYCODE_W"))));
            QCOMPARE(teclas->Edicion().Teclas()[1][9], kDefectoSinTecla);
            QCOMPARE(teclas->Edicion().ControlActual(), 2);
            Clic(Control<BotonEtiqueta>(*teclas, "lblSalir"));
        });
        Clic(Control<BotonEtiqueta>(principal.ventana, "lblTeclas"));
        QCOMPARE(mensajes.Titulos(), QStringList{QStringLiteral("Tecla por defecto.")});
        QVERIFY(mensajes.Vistos().first().texto.contains(QStringLiteral("Botón 4 del jugador 2")));
    }

    void unMandoSeEligePorSuEntrada()
    {
        Mandos mandos;
        if (!mandos.Disponible())
            QSKIP("SDL cannot start its support of pads here");
        const int antes = mandos.Cuantos();
        // A pad that SDL makes itself, as one plugged in while Corvala runs.
        SDL_VirtualJoystickDesc descripcion;
        SDL_zero(descripcion);
        descripcion.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        descripcion.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        descripcion.naxes = 2;
        descripcion.nbuttons = 8;
        descripcion.nhats = 1;
        const int indice = SDL_JoystickAttachVirtualEx(&descripcion);
        QVERIFY2(indice >= 0, SDL_GetError());
        QTRY_COMPARE(mandos.Cuantos(), antes + 1);
        SDL_Joystick *virtual_ = SDL_JoystickOpen(indice);
        const QString n = QString::number(indice + 1);
        QSignalSpy entradas(&mandos, &Mandos::entrada);
        for (const auto &[cambio, codigo] :
             {std::pair<std::function<void(int)>, QString>{
                      [virtual_](int v) { SDL_JoystickSetVirtualButton(virtual_, 2, v != 0); },
                      QStringLiteral("JOYCODE_%1_BUTTON3").arg(n)},
              {[virtual_](int v) { SDL_JoystickSetVirtualHat(virtual_, 0, v ? SDL_HAT_UP : 0); },
               QStringLiteral("JOYCODE_%1_HAT1UP").arg(n)},
              {[virtual_](int v) { SDL_JoystickSetVirtualAxis(virtual_, 1, v ? 30000 : 0); },
               QStringLiteral("JOYCODE_%1_YAXIS_DOWN_SWITCH").arg(n)},
              {[virtual_](int v) { SDL_JoystickSetVirtualAxis(virtual_, 0, v ? -30000 : 0); },
               QStringLiteral("JOYCODE_%1_XAXIS_LEFT_SWITCH").arg(n)}}) {
            mandos.Esperar(5000);
            QTest::qWait(30);
            cambio(1);
            QTRY_VERIFY(!mandos.Esperando());
            QCOMPARE(entradas.takeFirst().value(0).toString(), codigo);
            cambio(0);
        }
        // "Usar Joystick" in the window: player 1's "Moneda" takes the pad's fifth button beside
        // its default, shows it, and saves both. Player n's "Botón 5", on its default, answered
        // to that button: it is asked, and gives it up.
        {
            MensajesDePrueba mensajes;
            mensajes.Responder(Respuesta::Si);
            Principal principal;
            AlAbrirseLaVentana([&](QWidget *ventana) {
                auto *teclas = qobject_cast<frmTeclas *>(ventana);
                QVERIFY(teclas);
                Clic(Control<EtiquetaPulsable>(*teclas, "lblControl", 0));
                Clic(Control<BotonEtiqueta>(*teclas, "lblJoystick"));
                QVERIFY(Control<QLabel>(*teclas, "lblMando")->isVisible());
                QTest::qWait(30);
                SDL_JoystickSetVirtualButton(virtual_, 4, 1);
                QTRY_VERIFY(!Control<QLabel>(*teclas, "lblMando")->isVisible());
                SDL_JoystickSetVirtualButton(virtual_, 4, 0);
                Clic(Control<EtiquetaPulsable>(*teclas, "lblControl", 0));
                const QString corto
                        = indice == 0 ? QStringLiteral("B5") : n + QStringLiteral(":B5");
                QCOMPARE(Control<EtiquetaPulsable>(*teclas, "lblControl", 0)->text(),
                         QStringLiteral("Moneda · ") + corto);
                Clic(Control<BotonEtiqueta>(*teclas, "lblGuardar"));
            });
            Clic(Control<BotonEtiqueta>(principal.ventana, "lblTeclas"));
            QCOMPARE(mensajes.Titulos(), QStringList{QStringLiteral("Tecla por defecto.")});
            const QByteArray cfg = principal.carpeta.Leer(QStringLiteral("ctrlr/Corvala.cfg"));
            QVERIFY(cfg.contains(QStringLiteral("KEYCODE_5 OR JOYCODE_1_SELECT OR "
                                                "JOYCODE_%1_BUTTON5</newseq>")
                                         .arg(n)
                                         .toUtf8()));
            QVERIFY(cfg.contains(QStringLiteral("<port type=\"P%1_BUTTON5\">").arg(n).toUtf8()));
            QCOMPARE(cfg.count(QStringLiteral("JOYCODE_%1_BUTTON5").arg(n).toUtf8()), 1);
        }

        // Nothing pressed: nothing, once the time is up.
        QSignalSpy ninguna(&mandos, &Mandos::ninguna);
        mandos.Esperar(50);
        QTRY_COMPARE(ninguna.size(), 1);
        SDL_JoystickClose(virtual_);
        SDL_JoystickDetachVirtual(indice);
        QTRY_COMPARE(mandos.Cuantos(), antes);
        QVERIFY(entradas.isEmpty());
    }

    void lasTeclasPorDefectoDelEmulador()
    {
        // As Debian's MAME 0.251 gives them (its Lua interface, ioport:type_seq).
        for (const auto &[p, c, codigos] :
             {std::tuple{0, 0, "KEYCODE_5 JOYCODE_1_SELECT"},
              std::tuple{1, 7, "KEYCODE_S JOYCODE_2_BUTTON2 MOUSECODE_2_BUTTON3 GUNCODE_2_BUTTON2"},
              std::tuple{2, 8, "KEYCODE_ENTER JOYCODE_3_BUTTON3"},
              std::tuple{3, 2, "KEYCODE_8_PAD JOYCODE_4_YAXIS_UP_SWITCH"},
              std::tuple{3, 15, "JOYCODE_4_BUTTON10"}})
            QCOMPARE(TeclasPorDefecto::Codigos(p, c).join(QLatin1Char(' ')),
                     QLatin1String(codigos));
        // A control whose key was taken is written with the rest; a pad's input goes beside a
        // key, or beside the default; all read back so.
        TeclasAsignadas teclas = TeclasSinAsignar();
        MandosAsignados mandos;
        teclas[1][7] = kDefectoSinTecla;
        CarpetaDePrueba carpeta;
        CrearTablaTeclas(carpeta.Carpeta());
        const TablaTeclas tabla(carpeta.Carpeta());
        teclas[0][0] = std::int16_t(tabla.TeclaDeCodigo(QStringLiteral("KEYCODE_5")));
        mandos[0][0] = QStringLiteral("JOYCODE_1_BUTTON7");
        mandos[3][2] = QStringLiteral("JOYCODE_2_HAT1UP");
        const QStringList ini = LineasDefaultIni(teclas, tabla, QStringLiteral("0.251"), &mandos);
        const QStringList cfg = LineasCorvalaCfg(teclas, tabla, QStringLiteral("0.251"), &mandos);
        for (const char *secuencia :
             {"JOYCODE_2_BUTTON2 OR MOUSECODE_2_BUTTON3 OR GUNCODE_2_BUTTON2",
              "KEYCODE_5 OR JOYCODE_1_BUTTON7",
              "KEYCODE_8PAD OR JOYCODE_4_YAXIS_UP_SWITCH OR JOYCODE_2_HAT1UP"})
            QVERIFY2(cfg.contains(QStringLiteral("\t\t\t\t<newseq type=\"standard\">%1</newseq>")
                                          .arg(QLatin1String(secuencia))),
                     secuencia);
        carpeta.Escribir(QStringLiteral("default.ini"), ini.join(QStringLiteral("\r\n")).toUtf8());
        MandosAsignados leidos;
        QCOMPARE(CargarTeclasDeControlador(carpeta.Ruta(QStringLiteral("default.ini")), tabla,
                                           &leidos),
                 teclas);
        QCOMPARE(leidos, mandos);
        QCOMPARE(EdicionDeTeclas::TextoCorto(mandos[3][2]), QStringLiteral("2:↑"));
        QCOMPARE(EdicionDeTeclas::TextoCorto(mandos[0][0]), QStringLiteral("B7"));
    }

    void salirSinGuardar()
    {
        MensajesDePrueba mensajes;
        Principal principal;
        const auto antes = Archivos(principal.carpeta.Ruta(QString()));
        const bool marcada = Control<QCheckBox>(principal.ventana, "chkUsaControles")->isChecked();
        bool abierta = false;
        AlAbrirseLaVentana([&](QWidget *ventana) {
            auto *teclas = qobject_cast<frmTeclas *>(ventana);
            abierta = teclas != nullptr;
            if (!teclas)
                return;
            QVERIFY(Control<QLabel>(*teclas, "lblAviso")->isVisible());
            QCOMPARE(teclas->size(), frmTeclas::TamanoDeDiseno());
            Clic(Control<EtiquetaPulsable>(*teclas, "lblTecla", 21));
            Clic(Control<EtiquetaPulsable>(*teclas, "lblTecla", 80));
            Clic(Control<BotonEtiqueta>(*teclas, "lblJoystick"));
            Clic(Control<BotonEtiqueta>(*teclas, "lblSalir"));
            QVERIFY(!teclas->isVisible());
        });
        Clic(Control<BotonEtiqueta>(principal.ventana, "lblTeclas"));
        QVERIFY(abierta);
        // The up arrow is player 1's "Arriba" by default: asked about, and left there. No pad
        // is connected here.
        QCOMPARE(mensajes.Titulos(),
                 (QStringList{QStringLiteral("Tecla por defecto."), QStringLiteral("Sin mando.")}));
        QCOMPARE(Archivos(principal.carpeta.Ruta(QString())), antes);
        QCOMPARE(Control<QCheckBox>(principal.ventana, "chkUsaControles")->isChecked(), marcada);
    }

    void guardarYVolverAAbrir()
    {
        MensajesDePrueba mensajes;
        Principal principal;
        QVERIFY(!Control<QCheckBox>(principal.ventana, "chkUsaControles")->isChecked());
        AlAbrirseLaVentana([](QWidget *ventana) {
            auto *teclas = qobject_cast<frmTeclas *>(ventana);
            QVERIFY(teclas);
            Clic(Control<EtiquetaPulsable>(*teclas, "lblControl", 0));
            Clic(Control<EtiquetaPulsable>(*teclas, "lblTecla", 21)); // "5"
            Clic(Control<EtiquetaPulsable>(*teclas, "lblControl", 2));
            Clic(Control<EtiquetaPulsable>(*teclas, "lblTecla", 80)); // the up arrow
            QCOMPARE(teclas->Edicion().ControlActual(), 3);
            Clic(Control<BotonEtiqueta>(*teclas, "lblGuardar"));
            QVERIFY(!teclas->isVisible());
        });
        Clic(Control<BotonEtiqueta>(principal.ventana, "lblTeclas"));
        QVERIFY(mensajes.Vistos().isEmpty());

        const CarpetaDePrueba &carpeta = principal.carpeta;
        QCOMPARE(carpeta.Leer(QStringLiteral("ctrlr/Corvala/default.ini")),
                 QByteArray("#   Teclas configuradas para el Corvala\r\n#\r\n"
                            "COIN1                   \"KEYCODE_5\"\r\n"
                            "P1_JOYSTICK_UP          \"KEYCODE_UP\"\r\n"));
        const QByteArray cfg = carpeta.Leer(QStringLiteral("ctrlr/Corvala.cfg"));
        QCOMPARE(cfg.count("<port "), 2);
        QVERIFY(cfg.contains("\t\t\t<port type=\"COIN1\">\r\n\t\t\t\t<newseq "
                             "type=\"standard\">KEYCODE_5</newseq>\r\n"));
        QVERIFY(cfg.contains("\t\t\t<port type=\"P1_JOYSTICK_UP\">\r\n\t\t\t\t<newseq "
                             "type=\"standard\">KEYCODE_UP</newseq>\r\n"));
        QVERIFY(carpeta.Leer(QStringLiteral("mame.ini"))
                        .contains("\r\nctrlr                   Corvala\r\n"));
        QVERIFY(Control<QCheckBox>(principal.ventana, "chkUsaControles")->isChecked());

        // Reopened, the window shows both keys again, and no warning.
        bool vistas = false;
        AlAbrirseLaVentana([&vistas](QWidget *ventana) {
            auto *teclas = qobject_cast<frmTeclas *>(ventana);
            QVERIFY(teclas);
            QVERIFY(!Control<QLabel>(*teclas, "lblAviso")->isVisible());
            auto fondo = [](QWidget *w) { return w->palette().color(QPalette::Window).rgba(); };
            Clic(Control<EtiquetaPulsable>(*teclas, "lblControl", 0));
            QCOMPARE(fondo(Control<EtiquetaPulsable>(*teclas, "lblTecla", 21)),
                     EdicionDeTeclas::kAsignada);
            QCOMPARE(fondo(Control<EtiquetaPulsable>(*teclas, "lblControl", 0)),
                     EdicionDeTeclas::kElegido);
            Clic(Control<EtiquetaPulsable>(*teclas, "lblControl", 2));
            QCOMPARE(fondo(Control<EtiquetaPulsable>(*teclas, "lblTecla", 80)),
                     EdicionDeTeclas::kAsignada);
            QCOMPARE(fondo(Control<EtiquetaPulsable>(*teclas, "lblTecla", 21)),
                     EdicionDeTeclas::ColorNormalTecla(21));
            Clic(Control<EtiquetaPulsable>(*teclas, "lblControl", 1));
            QCOMPARE(fondo(Control<EtiquetaPulsable>(*teclas, "lblPorDefecto")),
                     EdicionDeTeclas::kAsignada);
            vistas = true;
        });
        Clic(Control<BotonEtiqueta>(principal.ventana, "lblTeclas"));
        QVERIFY(vistas);
    }

    void guardadoFallidoDejaLaVentanaAbierta()
    {
        MensajesDePrueba mensajes;
        Principal principal;
        // The controller file's place is taken by a folder: the save cannot write it.
        principal.carpeta.Bloquear(QStringLiteral("ctrlr/Corvala/default.ini"));
        bool siguioAbierta = false;
        AlAbrirseLaVentana([&siguioAbierta](QWidget *ventana) {
            auto *teclas = qobject_cast<frmTeclas *>(ventana);
            QVERIFY(teclas);
            Clic(Control<EtiquetaPulsable>(*teclas, "lblTecla", 21));
            Clic(Control<BotonEtiqueta>(*teclas, "lblGuardar"));
            siguioAbierta = teclas->isVisible();
        });
        Clic(Control<BotonEtiqueta>(principal.ventana, "lblTeclas"));
        QVERIFY(siguioAbierta);
        QCOMPARE(mensajes.Vistos().size(), 1);
        QVERIFY(!Control<QCheckBox>(principal.ventana, "chkUsaControles")->isChecked());
    }
};

QTEST_MAIN(TestTeclas)
#include "test_teclas.moc"
