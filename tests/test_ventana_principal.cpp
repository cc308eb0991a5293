// The main window over a MAME folder with the fake emulator: the first start in a fresh folder,
// the list and its order, the list renewal and its countdown, the CD-ROM check, the log viewer,
// the label buttons and the resize rule.

#include "comun/logic/Sesion.h"
#include "comun/windows/BotonEtiqueta.h"
#include "comun/windows/Colores.h"
#include "comun/windows/MensajesQt.h"
#include "comun/windows/Ocupacion.h"
#include "comun/windows/Twips.h"
#include "frontend/logic/SenalesDeCierre.h"
#include "frontend/windows/frmCargador.h"
#include "frontend/windows/frmInformacion.h"
#include "rommanager/windows/frmGestionar.h"

#include "apoyo/CarpetaDePrueba.h"
#include "apoyo/Controles.h"
#include "apoyo/MensajesDePrueba.h"
#include "apoyo/VentanaDePrueba.h"
#include "apoyo/VentanaModal.h"

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>

using namespace Corvala;

class TestVentanaPrincipal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void primerArranqueEnUnaCarpetaNueva()
    {
        MensajesDePrueba mensajes;
        Ventana v;
        auto &[carpeta, sesion, ventana] = v;
        ventana.Form_Load();

        QCOMPARE(carpeta.Llamadas(), QList<QStringList>({{QStringLiteral("-listfull")}}));
        QCOMPARE(carpeta.Contenido(),
                 QStringList({QStringLiteral("Corvala.tlc"), QStringLiteral("all.bat"),
                              QStringLiteral("lista.txt"), QStringLiteral("roms"),
                              QStringLiteral("snaps")}));
        QCOMPARE(carpeta.Leer(QStringLiteral("all.bat")),
                 QByteArray("mame -listfull > lista.txt\r\n"));
        QVERIFY(carpeta.Leer(QStringLiteral("Corvala.tlc")).startsWith("[teclas]\r\n\r\n\r\n"));
        QCOMPARE(Filas(ventana), kFilasDelEjemplo);
        // Each row with its own archive: galaga.zip, pacman.zip, junk.zip.
        QCOMPARE(Archivos(ventana),
                 QStringList({QStringLiteral("galaga.zip"), QStringLiteral("pacman.zip"),
                              QStringLiteral("junk.zip")}));
        QVERIFY(!Control<QTimer>(ventana, "Timer1")->isActive());
        QVERIFY(mensajes.Vistos().isEmpty());

        // The next load reuses lista.txt: the emulator is not run again.
        ventana.lblDirectorio_Click();
        QCOMPARE(carpeta.Llamadas().size(), 1);
        QCOMPARE(Filas(ventana), kFilasDelEjemplo);
        QCOMPARE(Control<QLabel>(ventana, "lblEstado")->text(), QStringLiteral("Lista cargada."));
        QCOMPARE(ColorDeEstado(ventana), Colores::kVerde);
    }

    void listaDelEmuladorActual()
    {
        Ventana v(false);
        auto &[carpeta, sesion, ventana] = v;
        carpeta.ListaCompleta(ListaAncha());
        for (const char *nombre : {"pacman.zip", "1943mii.zip", "pacmanbootleg.zip", "zzz.zip"})
            carpeta.Archivo(QLatin1String(nombre));
        ventana.Form_Load();
        // Ordinal order: "Pac-Man (M" before "Pac-Man (b".
        QCOMPARE(Filas(ventana),
                 QStringList({QStringLiteral("1943: The Battle of Midway Mark II (US)"),
                              QStringLiteral("Pac-Man (Midway)"),
                              QStringLiteral("Pac-Man (bootleg \"quoted\" set)"),
                              QStringLiteral("ROM desconocida(zzz.zip)")}));
    }

    void actualizarRomsReleeLaCarpeta()
    {
        Ventana v;
        auto &[carpeta, sesion, ventana] = v;
        ventana.Form_Load();
        carpeta.Archivo(QStringLiteral("aaa.zip"));

        sesion.ocupado = true;
        ventana.lblDirectorio_Click();
        QCOMPARE(Filas(ventana), kFilasDelEjemplo);

        sesion.ocupado = false;
        ventana.lblDirectorio_Click();
        QCOMPARE(Filas(ventana).constLast(), QStringLiteral("ROM desconocida(aaa.zip)"));
        QCOMPARE(carpeta.Llamadas().size(), 1);
    }

    void sinListaNiEmuladorLaListaQuedaVacia()
    {
        Ventana v(false);
        auto &[carpeta, sesion, ventana] = v;
        carpeta.Archivo(QStringLiteral("pacman.zip"));
        carpeta.SinEmulador();
        ventana.CargarDatos();
        // No list is made up from a run that failed: the next load tries again.
        QVERIFY(Filas(ventana).isEmpty());
        QVERIFY(!carpeta.Existe(QStringLiteral("lista.txt")));
        QCOMPARE(Control<QLabel>(ventana, "lblEstado")->text(),
                 QStringLiteral("No se ha podido crear la lista de juegos."));
        QCOMPARE(ColorDeEstado(ventana), Colores::kRojo);
    }

    void renovarLaListaConSuCuentaAtras()
    {
        Ventana v;
        auto &[carpeta, sesion, ventana] = v;
        ventana.Form_Load();
        carpeta.ListaCompleta("galaga    \"Galaga 2\"\r\n");

        ventana.lblLista_Click();
        QVERIFY(!carpeta.Existe(QStringLiteral("lista.txt")));
        QCOMPARE(Control<QLabel>(ventana, "lblEstado")->text(),
                 QStringLiteral("Borrando lista antigua."));
        QCOMPARE(ColorDeEstado(ventana), Colores::kRojo);
        QVERIFY(Control<QTimer>(ventana, "Timer1")->isActive());
        QCOMPARE(Control<QTimer>(ventana, "Timer1")->interval(), 1);

        ventana.Timer1_Timer(); // 6 -> 7
        QCOMPARE(Control<QTimer>(ventana, "Timer1")->interval(), 1000);
        ventana.Timer1_Timer(); // 7 -> 8
        QCOMPARE(carpeta.Llamadas().size(), 1);
        ventana.Timer1_Timer(); // the renewal
        QCOMPARE(carpeta.Llamadas().size(), 2);
        QVERIFY(!Control<QTimer>(ventana, "Timer1")->isActive());
        QCOMPARE(Filas(ventana).constFirst(), QStringLiteral("Galaga 2"));
        QCOMPARE(Control<QLabel>(ventana, "lblEstado")->text(), QStringLiteral("Lista cargada."));
    }

    void laCuentaAtrasCorreSola()
    {
        Ventana v;
        auto &[carpeta, sesion, ventana] = v;
        ventana.Form_Load();
        ventana.lblLista_Click();
        QTRY_COMPARE_WITH_TIMEOUT(Control<QLabel>(ventana, "lblEstado")->text(),
                                  QStringLiteral("Lista cargada."), 6000);
        QCOMPARE(carpeta.Llamadas().size(), 2);
        QVERIFY(carpeta.Existe(QStringLiteral("lista.txt")));
    }

    // Whatever comes within the renewal's countdown, the pointer is normal once nothing runs,
    // and nothing of the old list stays behind.
    void laCuentaAtrasYOtraOrden_data()
    {
        QTest::addColumn<int>("orden");
        QTest::newRow("Actualizar ROMs") << 0;
        QTest::newRow("otra renovacion") << 1;
        QTest::newRow("una partida") << 2;
        QTest::newRow("el gestor") << 3;
    }
    void laCuentaAtrasYOtraOrden()
    {
        QFETCH(int, orden);
        MensajesDePrueba mensajes;
        Ventana v;
        v.ventana.Form_Load();
        v.ventana.show();
        v.ventana.lblLista_Click();
        QCOMPARE(v.ventana.cursor().shape(), Qt::WaitCursor);
        if (orden == 0) {
            v.ventana.lblDirectorio_Click();
        } else if (orden == 1) {
            v.ventana.lblLista_Click();
        } else if (orden == 2) {
            DobleClic(v.ventana, 0);
        } else {
            AlMostrarse<frmGestionar>([](frmGestionar *gestor) { gestor->lblSalir_Click(); });
            v.ventana.lblGestionar_Click();
        }
        QTRY_VERIFY_WITH_TIMEOUT(v.ventana.cursor().shape() != Qt::WaitCursor, 6000);
        QVERIFY(!Control<QTimer>(v.ventana, "Timer1")->isActive());
        QVERIFY(v.carpeta.Existe(QStringLiteral("lista.txt")));
        QVERIFY(!v.carpeta.Existe(QStringLiteral("lista.anterior")));
    }

    void renovarSinListaOOcupado()
    {
        Ventana v;
        auto &[carpeta, sesion, ventana] = v;
        ventana.Form_Load();

        sesion.ocupado = true;
        ventana.lblLista_Click();
        QVERIFY(carpeta.Existe(QStringLiteral("lista.txt")));
        QVERIFY(!Control<QTimer>(ventana, "Timer1")->isActive());

        // Without lista.txt the list is rebuilt at once.
        sesion.ocupado = false;
        carpeta.Borrar(QStringLiteral("lista.txt"));
        ventana.lblLista_Click();
        QVERIFY(!Control<QTimer>(ventana, "Timer1")->isActive());
        QCOMPARE(carpeta.Llamadas().size(), 2);
        QCOMPARE(Filas(ventana), kFilasDelEjemplo);
    }

    void unaListaQueNoSePuedeBorrar()
    {
        Ventana v;
        auto &[carpeta, sesion, ventana] = v;
        ventana.Form_Load();
        // lista.txt turned into a folder with a file in it cannot be deleted.
        carpeta.Borrar(QStringLiteral("lista.txt"));
        carpeta.Escribir(QStringLiteral("lista.txt/dentro"), "x");

        MensajesDePrueba mensajes;
        ventana.lblLista_Click();
        QCOMPARE(mensajes.Titulos(), QStringList({QStringLiteral("Error.")}));
        QCOMPARE(
                mensajes.Vistos().constFirst().texto,
                QStringLiteral("Se ha producido un error, comprueba si el archivo 'Lista.txt' está "
                               "cómo sólo lectura ya que si es así es imposible seguir."));
        QCOMPARE(mensajes.Vistos().constFirst().icono, Mensaje::Icono::Critico);
        QCOMPARE(Filas(ventana), kFilasDelEjemplo);
        QVERIFY(!Control<QTimer>(ventana, "Timer1")->isActive());
    }

    void desdeUnCdSinSusArchivos()
    {
        MensajesDePrueba mensajes;
        Ventana v;
        auto &[carpeta, sesion, ventana] = v;
        sesion.esUnidadCD = [](const QString &) { return true; };
        ventana.Form_Load();
        QVERIFY(ventana.Terminado());
        QCOMPARE(mensajes.Titulos(), QStringList({QStringLiteral("Error Crítico.")}));
        QVERIFY(mensajes.Vistos().constFirst().texto.contains(
                QLatin1String("imposible.\r\nSi quieres ejecutar Corvala desde un CD-ROM")));
        QCOMPARE(carpeta.Contenido(), QStringList({QStringLiteral("roms")}));
        QVERIFY(carpeta.Llamadas().isEmpty());
    }

    void desdeUnCdPreparado()
    {
        MensajesDePrueba mensajes;
        Ventana v;
        auto &[carpeta, sesion, ventana] = v;
        carpeta.Escribir(QStringLiteral("all.bat"), "mame -listfull > lista.txt\r\n");
        carpeta.Escribir(QStringLiteral("lista.txt"), ListaClasica());
        carpeta.Escribir(QStringLiteral("Corvala.tlc"), "[teclas]\r\n");
        carpeta.ConCatalogo();
        sesion.esUnidadCD = [](const QString &) { return true; };
        ventana.Form_Load();
        QVERIFY(!ventana.Terminado());
        QVERIFY(!carpeta.Existe(QStringLiteral("snaps")));
        // A CD-ROM keeps no catalogue, even from an emulator that could give one.
        QVERIFY(!ventana.Construccion().EnCurso() && !sesion.catalogo);
        QCOMPARE(Filas(ventana), kFilasDelEjemplo);
        QVERIFY(mensajes.Vistos().isEmpty());
    }

    // A folder nothing can be written in still lists its games (the emulator's list, kept in
    // memory) and starts them; the player is told once what is not kept.
    void enUnaCarpetaDeSoloLectura()
    {
        MensajesDePrueba mensajes;
        Ventana v;
        auto &[carpeta, sesion, ventana] = v;
        carpeta.ConCatalogo();
        sesion.esSoloLectura = [](const QString &) { return true; };
        ventana.Form_Load();
        QCOMPARE(Filas(ventana), kFilasDelEjemplo);
        QTRY_COMPARE(mensajes.Titulos(), QStringList{QStringLiteral("Carpeta de sólo lectura")});
        carpeta.OlvidarLlamadas();
        DobleClic(ventana, 1);
        QCOMPARE(carpeta.Llamadas().value(0).value(0), QStringLiteral("pacman"));
        QVERIFY(!Control<QWidget>(ventana, "lblGestionar")->isEnabled());
        QVERIFY(!Control<QWidget>(ventana, "chkUsaControles")->isEnabled());
        QCOMPARE(carpeta.Contenido(), QStringList({QStringLiteral("roms")}));
        QCOMPARE(mensajes.Vistos().size(), 1);
    }

    void arranquePintado_data()
    {
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<bool>("cd");
        QTest::addColumn<QString>("estado");
        QTest::addColumn<QRgb>("color");
        QTest::addColumn<bool>("sinControles");
        const QString v251 = QStringLiteral("Versión de M.A.M.E. (0.251)");
        QTest::newRow("actual") << QByteArray("0.251") << false << v251 << Colores::kTurquesa
                                << false;
        QTest::newRow("0.59 sin controles")
                << QByteArray("0.59") << false
                << QStringLiteral("Versión de M.A.M.E. (0.59) (Controles no configurables)")
                << Colores::kRojo << true;
        QTest::newRow("desconocida")
                << QByteArray() << false << QStringLiteral("(Versión de M.A.M.E desconocida)")
                << Colores::kRojo << true;
        QTest::newRow("desde un CD") << QByteArray("0.251") << true
                                     << QStringLiteral("Ejecutando desde CD (Modo deshabilitado)")
                                     << Colores::kRojo << false;
    }
    void arranquePintado()
    {
        QFETCH(QByteArray, version);
        QFETCH(bool, cd);
        QFETCH(bool, sinControles);
        MensajesDePrueba mensajes;
        Ventana v;
        auto &[carpeta, sesion, ventana] = v;
        if (!version.isEmpty())
            carpeta.Escribir(QStringLiteral("whatsnew.txt"), version + "\r\n");
        if (cd) {
            carpeta.Escribir(QStringLiteral("all.bat"), "mame -listfull > lista.txt\r\n");
            carpeta.Escribir(QStringLiteral("lista.txt"), ListaClasica());
            carpeta.Escribir(QStringLiteral("Corvala.tlc"), "[teclas]\r\n");
            sesion.esUnidadCD = [](const QString &) { return true; };
        }
        ventana.Form_Load();
        ventana.show();
        QVERIFY(!ventana.Terminado());
        QCOMPARE(Filas(ventana), kFilasDelEjemplo);
        QTEST(Control<QLabel>(ventana, "lblEstado")->text(), "estado");
        QTEST(ColorDeEstado(ventana), "color");
        // The whole text fits the line, however long.
        auto *estado = Control<QLabel>(ventana, "lblEstado");
        QVERIFY(QFontMetrics(estado->font()).horizontalAdvance(estado->text()) <= estado->width());

        auto *teclas = Control<BotonEtiqueta>(ventana, "lblTeclas");
        auto *casilla = Control<QCheckBox>(ventana, "chkUsaControles");
        auto *franja = Control<QLabel>(ventana, "Shape1");
        const auto fondos = [&] {
            return QPair<QRgb, QRgb>(casilla->palette().color(QPalette::Window).rgb(),
                                     franja->palette().color(QPalette::Window).rgb());
        };
        const QRgb reposo = sinControles ? Colores::kGris : Colores::kBotonReposo;
        QCOMPARE(teclas->EsGris(), sinControles);
        QCOMPARE(fondos(), qMakePair(reposo, reposo));
        QCOMPARE(teclas->toolTip(),
                 sinControles ? QStringLiteral("Función no habilitada.")
                              : QStringLiteral("Configuración de teclas de M.A.M.E. "
                                               "para versiones posteriores a la 0.59b."));
        QCOMPARE(casilla->isEnabled(), !sinControles && !cd);
        for (const char *nombre : {"lblDirectorio", "lblLista", "lblGestionar"})
            QCOMPARE(Control<BotonEtiqueta>(ventana, nombre)->isEnabled(), !cd);
        QVERIFY(Control<BotonEtiqueta>(ventana, "Label1")->isEnabled());
        QVERIFY(mensajes.Vistos().isEmpty());

        // The box and its strip are pressed together, and go back to their own colour.
        QTest::mousePress(casilla, Qt::LeftButton);
        QCOMPARE(fondos(), qMakePair(Colores::kBotonPulsado, Colores::kBotonPulsado));
        QTest::mouseRelease(casilla, Qt::LeftButton);
        QCOMPARE(fondos(), qMakePair(reposo, reposo));
        QVERIFY(!casilla->isChecked());
        // No keys saved yet: the box is cleared again with its message.
        if (casilla->isEnabled())
            QCOMPARE(mensajes.Titulos(), QStringList({QStringLiteral("Todavía no.")}));
    }

    void unaVersionConMarcasSeVeTalCual()
    {
        Ventana v;
        v.carpeta.Escribir(QStringLiteral("whatsnew.txt"), "<h1>0.99</h1>\r\n");
        v.ventana.Form_Load();
        auto *estado = Control<QLabel>(v.ventana, "lblEstado");
        QCOMPARE(estado->text(), QStringLiteral("Versión de M.A.M.E. (<h1>0.99</h1>)"));
        QLabel comun(QStringLiteral("Versión"));
        comun.setFont(estado->font());
        QVERIFY(estado->sizeHint().height() <= comun.sizeHint().height() + 2);
    }

    void unRechazoAlArrancarTerminaElPrograma()
    {
        MensajesDePrueba mensajes;
        Ventana v;
        v.carpeta.SinEmulador();
        QSignalSpy terminado(&v.ventana, &frmCargador::programaTerminado);
        v.ventana.Form_Load();
        QVERIFY(v.ventana.Terminado());
        QCOMPARE(terminado.size(), 1);
        QCOMPARE(mensajes.Titulos(), QStringList({QStringLiteral("Fichero no encontrado.")}));
        QVERIFY(Filas(v.ventana).isEmpty());
    }

    void cerrarOcupadoOConError()
    {
        MensajesDePrueba mensajes;
        Ventana v;
        auto &[carpeta, sesion, ventana] = v;
        carpeta.Escribir(QStringLiteral("whatsnew.txt"), "0.251\r\n");
        ventana.Form_Load();
        sesion.ocupado = true;
        QVERIFY(!ventana.close());
        QCOMPARE(Control<QLabel>(ventana, "lblEstado")->text(),
                 QStringLiteral("Si MAME está activo, no se puede cerrar Corvala!"));
        sesion.ocupado = false;
        carpeta.Escribir(QStringLiteral("mame.ini"), "ctrlr                   Corvala\r\n");
        carpeta.Bloquear(QStringLiteral("mame.in"));
        QVERIFY(ventana.close());
        QCOMPARE(mensajes.Titulos(), QStringList({QStringLiteral("Error")}));
    }

    void ocupacionSeDevuelveEnCadaSalida()
    {
        QWidget ventana;
        ventana.setCursor(Qt::PointingHandCursor);
        QWidget sinCursor;
        bool ocupado = false;
        {
            Ocupacion fuera(&ventana, &ocupado);
            {
                Ocupacion dentro(&ventana, &ocupado);
                Ocupacion otra(&sinCursor);
                QVERIFY(ocupado);
                QCOMPARE(sinCursor.cursor().shape(), Qt::WaitCursor);
            }
            // The inner guards leave the outer one's hourglass and flag.
            QVERIFY(ocupado);
            QCOMPARE(ventana.cursor().shape(), Qt::WaitCursor);
            QCOMPARE(sinCursor.cursor().shape(), Qt::ArrowCursor);
        }
        QVERIFY(!ocupado);
        QCOMPARE(ventana.cursor().shape(), Qt::PointingHandCursor);

        // Where the program ends while busy, both stay.
        {
            Ocupacion final(&ventana, &ocupado);
            final.Conservar();
        }
        QVERIFY(ocupado);
        QCOMPARE(ventana.cursor().shape(), Qt::WaitCursor);
    }

    void visorDeSucesos()
    {
        MensajesDePrueba mensajes;
        Ventana v(false);
        auto &[carpeta, sesion, ventana] = v;

        ventana.lblLog_Click();
        QCOMPARE(mensajes.Vistos().size(), 1);
        QCOMPARE(mensajes.Vistos()[0].texto, QStringLiteral("No hay sucesos."));
        QCOMPARE(mensajes.Vistos()[0].titulo, QStringLiteral("Visor de Sucesos."));
        QCOMPARE(mensajes.Vistos()[0].icono, Mensaje::Icono::Ninguno);

        sesion.ultimoTitulo = QStringLiteral("Pac-Man");
        sesion.ultimoLog = QStringLiteral("linea 1\r\nlinea 2\r\n");
        ventana.lblLog_Click();
        QCOMPARE(mensajes.Vistos()[1].texto,
                 QStringLiteral(
                         "Juego cargado: Pac-Man\r\n\r\nSucesos:\r\n\r\nlinea 1\r\nlinea 2\r\n"));
        QCOMPARE(mensajes.Vistos()[1].titulo, QStringLiteral("Visor de sucesos."));

        sesion.ocupado = true;
        ventana.lblLog_Click();
        QCOMPARE(mensajes.Vistos().size(), 2);
    }

    void botonDeEtiqueta()
    {
        BotonEtiqueta boton(QStringLiteral("Prueba"));
        boton.resize(100, 20);
        QSignalSpy clics(&boton, &BotonEtiqueta::clic);
        QCOMPARE(boton.Fondo(), Colores::kBotonReposo);

        QTest::mousePress(&boton, Qt::LeftButton);
        QCOMPARE(boton.Fondo(), Colores::kBotonPulsado);
        QTest::mouseRelease(&boton, Qt::LeftButton);
        QCOMPARE(boton.Fondo(), Colores::kBotonReposo);
        QCOMPARE(clics.size(), 1);

        // Released outside: no click. Any button presses; only the left one clicks.
        QTest::mousePress(&boton, Qt::LeftButton);
        QTest::mouseRelease(&boton, Qt::LeftButton, {}, QPoint(150, 10));
        QTest::mousePress(&boton, Qt::RightButton);
        QCOMPARE(boton.Fondo(), Colores::kBotonPulsado);
        QTest::mouseRelease(&boton, Qt::RightButton);
        QCOMPARE(clics.size(), 1);

        // A grey button flashes while held, is grey again for its click, and says so.
        boton.PonerGris(true);
        QTest::mousePress(&boton, Qt::LeftButton);
        QCOMPARE(boton.Fondo(), Colores::kBotonPulsado);
        bool grisAlClic = false;
        connect(&boton, &BotonEtiqueta::clic, &boton,
                [&] { grisAlClic = boton.EsGris() && boton.Fondo() == Colores::kGris; });
        QTest::mouseRelease(&boton, Qt::LeftButton);
        QVERIFY(grisAlClic);

        BotonEtiqueta sinAspecto(QStringLiteral("Buscar"));
        sinAspecto.SinAspectoPulsado();
        QTest::mousePress(&sinAspecto, Qt::LeftButton);
        QCOMPARE(sinAspecto.Fondo(), Colores::kBotonReposo);

        // From the keyboard: Space and Enter press it; a release whose press went elsewhere
        // does not.
        boton.PonerGris(false);
        QCOMPARE(boton.focusPolicy(), Qt::TabFocus);
        for (const Qt::Key tecla : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
            QTest::keyPress(&boton, tecla);
            QCOMPARE(boton.Fondo(), Colores::kBotonPulsado);
            QTest::keyRelease(&boton, tecla);
            QCOMPARE(boton.Fondo(), Colores::kBotonReposo);
        }
        QTest::keyRelease(&boton, Qt::Key_Space);
        QCOMPARE(clics.size(), 5);
    }

    // A pipe, a device or text Corvala cannot read under the name of one of its files: the
    // window opens all the same, the file is left as it was, and the player's file is never
    // written over.
    void archivosQueNoSonLoQueParecen_data()
    {
        QTest::addColumn<QString>("archivo");
        QTest::addColumn<int>("forma"); // 0: a pipe, 1: a link to /dev/zero, 2: UTF-16 text
        QTest::newRow("corvala.db, tuberia") << "corvala.db" << 0;
        QTest::newRow("renombre_pendiente.txt, tuberia") << "renombre_pendiente.txt" << 0;
        QTest::newRow("jugador.txt, tuberia") << "jugador.txt" << 0;
        QTest::newRow("jugador.txt, /dev/zero") << "jugador.txt" << 1;
        QTest::newRow("jugador.txt, UTF-16") << "jugador.txt" << 2;
    }
    void archivosQueNoSonLoQueParecen()
    {
        QFETCH(QString, archivo);
        QFETCH(int, forma);
        MensajesDePrueba mensajes;
        Ventana v;
        v.carpeta.ConCatalogo();
        const QString ruta = v.carpeta.Ruta(archivo);
        const QByteArray utf16("\xff\xfe[\0f\0a\0v\0o\0r\0i\0t\0o\0s\0]\0\r\0\n\0", 28);
        if (forma == 0)
            QCOMPARE(::mkfifo(QFile::encodeName(ruta).constData(), 0644), 0);
        else if (forma == 1)
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), ruta));
        else
            v.carpeta.Escribir(archivo, utf16);
        v.ventana.Form_Load();
        QCOMPARE(Filas(v.ventana), kFilasDelEjemplo);
        // The player's choices last the session, and are never written there.
        v.ventana.Juegos().ElegirFila(0);
        Q_EMIT Control<QMenu>(v.ventana, "mnuLista")->aboutToShow();
        Control<QAction>(v.ventana, "mnuFavorito")->trigger();
        QVERIFY(v.ventana.Juegos().Jugador().EsFavorito(QStringLiteral("galaga")));
        QTest::qWait(100);
        const QFileInfo despues(ruta);
        if (forma == 0)
            QVERIFY(!despues.isFile() && !despues.isDir() && despues.exists());
        else if (forma == 1)
            QCOMPARE(despues.symLinkTarget(), QStringLiteral("/dev/zero"));
        else
            QCOMPARE(v.carpeta.Leer(archivo), utf16);
        if (archivo == u"jugador.txt")
            QCOMPARE(mensajes.Titulos(), QStringList{QStringLiteral("Datos del jugador")});
        v.ventana.close();
    }

    // SIGTERM (a logout, a shutdown) closes the window as the player's close would; a game
    // running is asked to end first.
    void unaSenalCierraComoElJugador_data()
    {
        QTest::addColumn<QString>("durante");
        QTest::newRow("sin partida") << QString();
        QTest::newRow("con una partida") << QStringLiteral("partida");
        QTest::newRow("con los controles abiertos") << QStringLiteral("controles");
    }
    void unaSenalCierraComoElJugador()
    {
        QFETCH(QString, durante);
        QTemporaryDir bloqueos;
        Ventana v;
        v.sesion.rutaBloqueo = bloqueos.filePath(QStringLiteral("corvala.lock"));
        // An emulator whose controls Corvala sets.
        v.carpeta.Escribir(QStringLiteral("whatsnew.txt"), "0.251\r\n");
        v.ventana.Form_Load();
        v.ventana.show();
        SenalesDeCierre senales;
        connect(&senales, &SenalesDeCierre::pedido, &v.ventana, &frmCargador::FinDelSistema);
        QVERIFY(v.carpeta.Existe(QStringLiteral("all.bat")));
        QElapsedTimer reloj;
        reloj.start();
        bool controlesAbiertos = false;
        if (durante == u"partida") {
            v.carpeta.Control("game.delay_ms=60000\n");
            QTimer::singleShot(300, [] { ::raise(SIGTERM); });
            DobleClic(v.ventana, 0);
        } else if (durante == u"controles") {
            // The controls window closes first, saving nothing, and then the main one.
            AlAbrirseLaVentana([&](QWidget *teclas) {
                ::raise(SIGTERM);
                QTest::qWait(300);
                controlesAbiertos = teclas && teclas->isVisible();
            });
            v.ventana.lblTeclas_Click();
        } else {
            ::raise(SIGTERM);
        }
        QTRY_VERIFY(!v.ventana.isVisible());
        QVERIFY(!controlesAbiertos);
        QVERIFY(!v.carpeta.Existe(QStringLiteral("ctrlr/Corvala.cfg")));
        QVERIFY(reloj.elapsed() < 20000);
        QVERIFY(!v.carpeta.Existe(QStringLiteral("all.bat")));
    }

    void unaSegundaCopiaTraeLaPrimera()
    {
        MensajesDePrueba mensajes;
        QTemporaryDir bloqueos;
        Ventana v;
        v.sesion.rutaBloqueo = bloqueos.filePath(QStringLiteral("corvala.lock"));
        v.ventana.Form_Load();
        v.ventana.showMinimized();
        QVERIFY(v.ventana.isMinimized());

        Sesion otra(v.carpeta.Carpeta());
        otra.rutaBloqueo = v.sesion.rutaBloqueo;
        frmCargador segunda(otra);
        segunda.Form_Load();
        QVERIFY(segunda.Terminado());
        QCOMPARE(mensajes.Titulos(), QStringList{QStringLiteral("Corvala ya está abierto.")});
        QTRY_VERIFY(!v.ventana.isMinimized());
    }

    void elTabulador()
    {
        Ventana v;
        v.ventana.Form_Load();
        v.ventana.show();
        QVERIFY(QTest::qWaitForWindowActive(&v.ventana));
        Control<QListView>(v.ventana, "lstJuegos")->setFocus();
        QStringList recorrido;
        for (int i = 0; i < 8; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            recorrido << QApplication::focusWidget()->objectName();
        }
        // The box is passed over where it is off (controls this folder cannot set).
        QStringList esperado = QStringLiteral("lblDirectorio lblLista lblGestionar lblTeclas "
                                              "chkUsaControles Label1 lblLog lstJuegos")
                                       .split(QLatin1Char(' '));
        if (!Control<QCheckBox>(v.ventana, "chkUsaControles")->isEnabled())
            esperado.removeOne(QStringLiteral("chkUsaControles"));
        QCOMPARE(recorrido.mid(0, esperado.size()), esperado);

        // Enter presses "Aceptar" in the game's information.
        frmInformacion informacion({{QStringLiteral("Juego:"), QStringLiteral("Galaga")}}, nullptr);
        informacion.show();
        QVERIFY(QTest::qWaitForWindowActive(&informacion));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(informacion.result(), int(QDialog::Accepted));
    }

    void reglaDeRedimensionado()
    {
        Ventana v(false);
        frmCargador &ventana = v.ventana;
        ventana.Form_Load();
        ventana.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ventana));
        // The list's place in the window, whatever widget holds it.
        const auto enLaVentana = [&ventana] {
            const QListView *juegos = Control<QListView>(ventana, "lstJuegos");
            return QRect(juegos->mapTo(&ventana, QPoint(0, 0)), juegos->size());
        };
        const QRect lista = enLaVentana();
        QCOMPARE(lista, Twips::Rect(2160, 30, 4860, 3930));

        // An outer width of 8190 twips: 1005 more than the design.
        const int ancho = Twips::Px(8190 - frmCargador::kMarcoAncho);
        const int alto = Twips::Px(5680 - frmCargador::kMarcoAlto);
        ventana.resize(ancho, alto);
        QTRY_COMPARE(ventana.size(), QSize(ancho, alto));
        QCOMPARE(Control<QListView>(ventana, "lstJuegos")->width(), Twips::Px(5865));
        QCOMPARE(Control<QLabel>(ventana, "lblEstado")->width(), Twips::Px(5130));
        QCOMPARE(Control<BotonEtiqueta>(ventana, "lblLog")->x(), Twips::Px(7305));
        QCOMPARE(Control<QListView>(ventana, "lstJuegos")->height(), Twips::Px(4930));
        QCOMPARE(Control<QLabel>(ventana, "lblEstado")->y(), Twips::Px(4975));
        QCOMPARE(Control<BotonEtiqueta>(ventana, "lblLog")->y(), Twips::Px(4975));
        // The command column and the preview stay where they are.
        QCOMPARE(Control<BotonEtiqueta>(ventana, "lblTeclas")->geometry(),
                 Twips::Rect(45, 1995, 2070, 255));
        QCOMPARE(Control<QLabel>(ventana, "ImagenROM")->geometry(),
                 Twips::Rect(30, 2925, 2070, 1290));

        // Narrower or lower than the design: back to the design size.
        ventana.resize(200, 150);
        QTRY_COMPARE(ventana.size(), Twips::Tamano(7185 - frmCargador::kMarcoAncho,
                                                   4680 - frmCargador::kMarcoAlto));
        QCOMPARE(enLaVentana(), lista);
        QCOMPARE(Control<BotonEtiqueta>(ventana, "lblLog")->geometry(),
                 Twips::Rect(6300, 3975, 720, 255));
    }

    void controlesEnSuSitio()
    {
        Ventana v(false);
        frmCargador &ventana = v.ventana;
        ventana.Form_Load();
        QCOMPARE(ventana.windowTitle(), QStringLiteral("El Front End para M.A.M.E"));
        const QRect cliente = ventana.rect();
        for (const QWidget *control :
             ventana.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            QVERIFY2(cliente.contains(control->geometry()), control->metaObject()->className());
        QVERIFY(!Control<QLabel>(ventana, "Image1")->pixmap().isNull());
    }

    // The real boxes: their buttons in Spanish, the answer the button the player pressed.
    void cajasQueCabenEnLaPantalla()
    {
        const Mensajes::Manejador anterior = Mensajes::Instalar({});
        MensajesQt::Instalar();
        // A short box is as wide as its title needs.
        int anchoDeCaja = 0;
        QTimer::singleShot(0, [&anchoDeCaja] {
            auto *caja = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(caja);
            anchoDeCaja = caja->sizeHint().width();
            caja->accept();
        });
        Mensajes::Mostrar({QStringLiteral("No hay sucesos."), QStringLiteral("Visor de Sucesos.")});
        QVERIFY(anchoDeCaja
                >= QFontMetrics(QApplication::font())
                                   .horizontalAdvance(QStringLiteral("Visor de Sucesos."))
                           + 100);

        // A log of 300 lines: never taller than the screen, and open at its end.
        QString log;
        for (int i = 1; i <= 300; ++i)
            log += QStringLiteral("linea %1\r\n").arg(i);
        log += QStringLiteral("Fatal error: el final");
        bool visto = false;
        QTimer::singleShot(0, [&visto] {
            QWidget *caja = QApplication::activeModalWidget();
            QVERIFY(caja);
            QVERIFY(caja->height() <= caja->screen()->availableGeometry().height());
            auto *visor = caja->findChild<QPlainTextEdit *>(QStringLiteral("visor"));
            QVERIFY(visor);
            QVERIFY(visor->textCursor().atEnd());
            auto *barra = visor->verticalScrollBar();
            QCOMPARE(barra->value(), barra->maximum());
            visto = true;
            caja->close();
        });
        QCOMPARE(Mensajes::Mostrar({log, QStringLiteral("Visor de sucesos.")}), Respuesta::Aceptar);
        QVERIFY(visto);
        Mensajes::Instalar(anterior);
    }

    void cajasDeMensajeEnEspanol()
    {
        const Mensajes::Manejador anterior = Mensajes::Instalar({});
        MensajesQt::Instalar();
        QStringList botones;
        const auto pulsar = [&botones](const QString &texto) {
            QTimer::singleShot(0, [&botones, texto] {
                auto *caja = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                QVERIFY(caja);
                for (QAbstractButton *boton : caja->buttons())
                    botones << boton->text();
                for (QAbstractButton *boton : caja->buttons()) {
                    if (boton->text() == texto)
                        boton->click();
                }
            });
        };
        const Mensaje pregunta{QStringLiteral("¿Seguro?"), QStringLiteral("Atención"),
                               Mensaje::Icono::Exclamacion, Mensaje::Botones::SiNo};
        pulsar(QStringLiteral("No"));
        QCOMPARE(Mensajes::Mostrar(pregunta), Respuesta::No);
        pulsar(QStringLiteral("Sí"));
        QCOMPARE(Mensajes::Mostrar(pregunta), Respuesta::Si);
        pulsar(QStringLiteral("Aceptar"));
        QCOMPARE(Mensajes::Mostrar({QStringLiteral("Hecho."), QStringLiteral("Fin")}),
                 Respuesta::Aceptar);
        std::sort(botones.begin(), botones.end());
        QCOMPARE(botones,
                 QStringList({QStringLiteral("Aceptar"), QStringLiteral("No"), QStringLiteral("No"),
                              QStringLiteral("Sí"), QStringLiteral("Sí")}));
        Mensajes::Instalar(anterior);
    }
};

QTEST_MAIN(TestVentanaPrincipal)
#include "test_ventana_principal.moc"
