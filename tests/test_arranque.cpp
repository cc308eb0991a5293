// Corvala's start-up and shut-down over a MAME folder with the fake emulator: the version texts
// and what they allow, the refusals that end the program before anything is written, a second
// copy, mame.ini, the old controller set, CD-ROM mode, and the clean-up when the window closes.

#include "comun/windows/BotonEtiqueta.h"
#include "comun/windows/Colores.h"
#include "frontend/logic/Arranque.h"
#include "frontend/logic/Partida.h"

#include "apoyo/Controles.h"
#include "apoyo/MensajesDePrueba.h"
#include "apoyo/VentanaDePrueba.h"

#include <QLockFile>
#include <QSysInfo>
#include <QtTest>

using namespace Corvala;
using Arranque::Configuracion;

Q_DECLARE_METATYPE(Arranque::Configuracion)

namespace {

const QString kDesconocida = QStringLiteral("(Versión de M.A.M.E desconocida)");

// A window whose emulator says it is the given version.
struct VentanaDeVersion : Ventana
{
    explicit VentanaDeVersion(const QByteArray &version)
    {
        carpeta.Escribir(QStringLiteral("whatsnew.txt"), version + "\r\nmore notes\r\n");
    }
};

QStringList Ordenes(const CarpetaDePrueba &carpeta)
{
    QStringList ordenes;
    for (const QStringList &llamada : carpeta.Llamadas())
        ordenes << llamada.join(QLatin1Char(' '));
    return ordenes;
}

bool CasillaGris(const frmCargador &ventana)
{
    return Control<QCheckBox>(ventana, "chkUsaControles")->palette().color(QPalette::Window).rgb() == Colores::kGris
           && Control<QLabel>(ventana, "Shape1")->palette().color(QPalette::Window).rgb() == Colores::kGris;
}

} // namespace

class TestArranque : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void versiones_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<Configuracion>("configuracion");
        QTest::addColumn<bool>("sinSonido");
        QTest::newRow("unknown") << kDesconocida << Configuracion::NoConfigurable << true;
        QTest::newRow("0.36") << "0.36" << Configuracion::NoConfigurable << true;
        QTest::newRow("0.37 BETA 14") << "0.37 BETA 14" << Configuracion::NoConfigurable << true;
        QTest::newRow("0.37b14 orders after a blank")
            << "0.37b14" << Configuracion::ControlesNoConfigurables << true;
        QTest::newRow("0.52") << "0.52" << Configuracion::ControlesNoConfigurables << true;
        QTest::newRow("0.53") << "0.53" << Configuracion::ControlesNoConfigurables << false;
        QTest::newRow("0.53b") << "0.53b" << Configuracion::ControlesNoConfigurables << false;
        QTest::newRow("0.59") << "0.59" << Configuracion::ControlesNoConfigurables << false;
        QTest::newRow("0.59b") << "0.59b" << Configuracion::Configurable << false;
        QTest::newRow("0.6") << "0.6" << Configuracion::Configurable << false;
        QTest::newRow("0.96") << "0.96" << Configuracion::Configurable << false;
        QTest::newRow("0.100") << "0.100" << Configuracion::Configurable << false;
        QTest::newRow("0.139u4") << "0.139u4" << Configuracion::Configurable << false;
        QTest::newRow("0.251") << "0.251" << Configuracion::Configurable << false;
    }
    void versiones()
    {
        QFETCH(QString, version);
        QFETCH(Configuracion, configuracion);
        QCOMPARE(Arranque::ConfiguracionDeVersion(version), configuracion);
        QFETCH(bool, sinSonido);
        QCOMPARE(Partida::SinSonido(version), sinSonido);
    }

    void ordenDeVersiones()
    {
        // Plain text order, except that three digits after "0." beat fewer.
        QVERIFY(CompararVersiones(QStringLiteral("0.100"), QStringLiteral("0.99")) > 0);
        QVERIFY(CompararVersiones(QStringLiteral("0.99"), QStringLiteral("0.100")) < 0);
        QVERIFY(CompararVersiones(QStringLiteral("0.100"), QStringLiteral("0.251")) < 0);
        QVERIFY(CompararVersiones(QStringLiteral("0.139u4"), QStringLiteral("0.139")) > 0);
        QVERIFY(CompararVersiones(QStringLiteral("0.59"), QStringLiteral("0.59")) == 0);
        QVERIFY(CompararVersiones(QStringLiteral("0.5"), QStringLiteral("0.59")) < 0);
        QVERIFY(CompararVersiones(kDesconocida, QStringLiteral("0.100")) < 0);
        QVERIFY(CompararVersiones(QStringLiteral("1.0"), QStringLiteral("0.251")) > 0);
    }

    void textosDeVersion()
    {
        QCOMPARE(Arranque::TextoDeVersion(kDesconocida, Configuracion::NoConfigurable), kDesconocida);
        QCOMPARE(Arranque::TextoDeVersion(QStringLiteral("0.36"), Configuracion::NoConfigurable),
                 QStringLiteral("Version de M.A.M.E. (0.36) (No configurable)"));
        QCOMPARE(Arranque::TextoDeVersion(QStringLiteral("0.52"),
                                          Configuracion::ControlesNoConfigurables),
                 QStringLiteral("Versión de M.A.M.E. (0.52) (Controles no configurables)"));
        QCOMPARE(Arranque::TextoDeVersion(QStringLiteral("0.251"), Configuracion::Configurable),
                 QStringLiteral("Versión de M.A.M.E. (0.251)"));
    }

    void sinEmuladorNadaSeEscribe()
    {
        MensajesDePrueba mensajes;
        Ventana v;
        v.carpeta.SinEmulador();
        QTemporaryDir bloqueos;
        v.sesion.rutaBloqueo = bloqueos.filePath(QStringLiteral("corvala.lock"));
        v.ventana.Form_Load();
        QVERIFY(v.ventana.Terminado());
        QCOMPARE(mensajes.Titulos(), QStringList({QStringLiteral("Fichero no encontrado.")}));
        QVERIFY(mensajes.Vistos().constFirst().texto.startsWith(
            QStringLiteral("No se ha encontrado el archivo ejecutable de M.A.M.E (mame) sin este")));
        QVERIFY(mensajes.Vistos().constFirst().icono == Mensaje::Icono::Critico);
        QCOMPARE(v.carpeta.Contenido(), QStringList({QStringLiteral("roms")}));
        // The second copy is not even looked for.
        QVERIFY(!QFileInfo::exists(v.sesion.rutaBloqueo));
    }

    void unaSegundaCopia()
    {
        MensajesDePrueba mensajes;
        QTemporaryDir bloqueos;
        const QString ruta = bloqueos.filePath(QStringLiteral("corvala.lock"));
        Ventana primera;
        primera.sesion.rutaBloqueo = ruta;
        primera.ventana.Form_Load();
        QVERIFY(!primera.ventana.Terminado());

        Ventana segunda;
        segunda.sesion.rutaBloqueo = ruta;
        segunda.ventana.Form_Load();
        QVERIFY(segunda.ventana.Terminado());
        QCOMPARE(mensajes.Titulos(), QStringList({QStringLiteral("Corvala ya está abierto.")}));
        QCOMPARE(mensajes.Vistos().constFirst().texto,
                 QStringLiteral("Corvala! ya se encuentra abierto, búscalo, debe estar por ahí."));
        QCOMPARE(segunda.carpeta.Contenido(), QStringList({QStringLiteral("roms")}));
        QVERIFY(segunda.carpeta.Llamadas().isEmpty());

        // The lock of a copy that is gone is taken over.
        primera.sesion.bloqueo.reset();
        QFile muerto(ruta);
        QVERIFY(muerto.open(QIODevice::WriteOnly));
        muerto.write("2147480000\ntest_arranque\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        muerto.close();
        Ventana tercera;
        tercera.sesion.rutaBloqueo = ruta;
        tercera.ventana.Form_Load();
        QVERIFY(!tercera.ventana.Terminado());
        QCOMPARE(mensajes.Vistos().size(), 1);
    }

    void versionActualCreaMameIni()
    {
        VentanaDeVersion v("0.251");
        v.ventana.Form_Load();
        QCOMPARE(Ordenes(v.carpeta), QStringList({QStringLiteral("-listfull"), CrearConfiguracionEnLaCarpeta().join(QLatin1Char(' '))}));
        QVERIFY(v.carpeta.Existe(QStringLiteral("mame.ini")));
        QCOMPARE(v.sesion.versionMame, QStringLiteral("0.251"));
        QCOMPARE(Control<QLabel>(v.ventana, "lblEstado")->text(), QStringLiteral("Versión de M.A.M.E. (0.251)"));
        QCOMPARE(ColorDeEstado(v.ventana), Colores::kTurquesa);
        QVERIFY(!Control<BotonEtiqueta>(v.ventana, "lblTeclas")->EsGris());
        QVERIFY(Control<QCheckBox>(v.ventana, "chkUsaControles")->isEnabled());
        QVERIFY(!CasillaGris(v.ventana));
        QCOMPARE(Control<BotonEtiqueta>(v.ventana, "lblTeclas")->toolTip(),
                 QStringLiteral("Configuración de teclas de M.A.M.E. para versiones posteriores a la 0.59b."));

        // An existing mame.ini is left alone.
        VentanaDeVersion otra("0.251");
        otra.carpeta.Escribir(QStringLiteral("mame.ini"), "propio\r\n");
        otra.ventana.Form_Load();
        QCOMPARE(Ordenes(otra.carpeta), QStringList({QStringLiteral("-listfull")}));
        QCOMPARE(otra.carpeta.Leer(QStringLiteral("mame.ini")), QByteArray("propio\r\n"));
    }

    void versionesQueNoPermitenControles()
    {
        VentanaDeVersion v052("0.52");
        v052.ventana.Form_Load();
        QCOMPARE(Ordenes(v052.carpeta), QStringList({QStringLiteral("-listfull"), CrearConfiguracionEnLaCarpeta().join(QLatin1Char(' '))}));
        QCOMPARE(Control<QLabel>(v052.ventana, "lblEstado")->text(),
                 QStringLiteral("Versión de M.A.M.E. (0.52) (Controles no configurables)"));
        QCOMPARE(ColorDeEstado(v052.ventana), Colores::kRojo);
        QVERIFY(Control<BotonEtiqueta>(v052.ventana, "lblTeclas")->EsGris());
        QVERIFY(Control<BotonEtiqueta>(v052.ventana, "lblTeclas")->isEnabled());
        QVERIFY(!Control<QCheckBox>(v052.ventana, "chkUsaControles")->isEnabled());
        QVERIFY(CasillaGris(v052.ventana));
        QCOMPARE(Control<BotonEtiqueta>(v052.ventana, "lblTeclas")->toolTip(), QStringLiteral("Función no habilitada."));

        VentanaDeVersion v037("0.37 BETA 14");
        v037.ventana.Form_Load();
        QCOMPARE(Ordenes(v037.carpeta), QStringList({QStringLiteral("-listfull")}));
        QCOMPARE(Control<QLabel>(v037.ventana, "lblEstado")->text(),
                 QStringLiteral("Version de M.A.M.E. (0.37 BETA 14) (No configurable)"));
        QVERIFY(CasillaGris(v037.ventana));

        // Without whatsnew.txt: the text alone, in red, and no -cc even without mame.ini.
        Ventana sinNotas;
        sinNotas.ventana.Form_Load();
        QCOMPARE(Control<QLabel>(sinNotas.ventana, "lblEstado")->text(), kDesconocida);
        QCOMPARE(ColorDeEstado(sinNotas.ventana), Colores::kRojo);
        QCOMPARE(Ordenes(sinNotas.carpeta), QStringList({QStringLiteral("-listfull")}));
        QVERIFY(Control<BotonEtiqueta>(sinNotas.ventana, "lblTeclas")->EsGris());
    }

    void controladorAntiguo()
    {
        // Only the INI form beside the emulator's own controllers: removed with its folder.
        VentanaDeVersion v("0.106");
        v.carpeta.Escribir(QStringLiteral("mame.ini"), "\r\n");
        v.carpeta.Escribir(QStringLiteral("ctrlr/hotrod.cfg"), "");
        v.carpeta.Escribir(QStringLiteral("ctrlr/Corvala/default.ini"), "#\r\n");
        v.ventana.Form_Load();
        QVERIFY(!v.carpeta.Existe(QStringLiteral("ctrlr/Corvala")));
        QVERIFY(v.carpeta.Existe(QStringLiteral("ctrlr/hotrod.cfg")));

        // With the cfg form too, or without the emulator's controllers, it stays.
        VentanaDeVersion completo("0.106");
        completo.carpeta.Escribir(QStringLiteral("mame.ini"), "\r\n");
        completo.carpeta.Escribir(QStringLiteral("slikstik.cfg"), "");
        completo.carpeta.Escribir(QStringLiteral("ctrlr/Corvala/default.ini"), "#\r\n");
        completo.carpeta.Escribir(QStringLiteral("ctrlr/Corvala.cfg"), "");
        completo.ventana.Form_Load();
        QVERIFY(completo.carpeta.Existe(QStringLiteral("ctrlr/Corvala/default.ini")));

        VentanaDeVersion solo("0.106");
        solo.carpeta.Escribir(QStringLiteral("mame.ini"), "\r\n");
        solo.carpeta.Escribir(QStringLiteral("ctrlr/Corvala/default.ini"), "#\r\n");
        solo.ventana.Form_Load();
        QVERIFY(solo.carpeta.Existe(QStringLiteral("ctrlr/Corvala/default.ini")));
    }

    void desdeUnCd()
    {
        MensajesDePrueba mensajes;
        VentanaDeVersion v("0.251");
        v.carpeta.Escribir(QStringLiteral("all.bat"), "mame -listfull > lista.txt\r\n");
        v.carpeta.Escribir(QStringLiteral("lista.txt"), ListaClasica());
        v.carpeta.Escribir(QStringLiteral("Corvala.tlc"), "[teclas]\r\n");
        v.carpeta.Escribir(QStringLiteral("ctrlr/hotrod.cfg"), "");
        v.carpeta.Escribir(QStringLiteral("ctrlr/Corvala/default.ini"), "#\r\n");
        v.sesion.esUnidadCD = [](const QString &) { return true; };
        v.ventana.Form_Load();
        QVERIFY(!v.ventana.Terminado());
        QVERIFY(v.sesion.cd);
        QVERIFY(v.carpeta.Llamadas().isEmpty());
        QVERIFY(!v.carpeta.Existe(QStringLiteral("mame.ini")));
        QVERIFY(v.carpeta.Existe(QStringLiteral("ctrlr/Corvala/default.ini")));
        QCOMPARE(Control<QLabel>(v.ventana, "lblEstado")->text(), QStringLiteral("Ejecutando desde CD (Modo deshabilitado)"));
        QCOMPARE(ColorDeEstado(v.ventana), Colores::kRojo);
        for (QWidget *control : std::initializer_list<QWidget *>{
                 Control<BotonEtiqueta>(v.ventana, "lblDirectorio"), Control<BotonEtiqueta>(v.ventana, "lblLista"), Control<BotonEtiqueta>(v.ventana, "lblTeclas"),
                 Control<BotonEtiqueta>(v.ventana, "lblGestionar"), Control<QCheckBox>(v.ventana, "chkUsaControles")})
            QVERIFY(!control->isEnabled());
        QVERIFY(Control<BotonEtiqueta>(v.ventana, "Label1")->isEnabled());

        // Closing from a CD-ROM leaves mame.ini alone.
        v.carpeta.Escribir(QStringLiteral("mame.ini"), "ctrlr Corvala\r\n");
        QVERIFY(v.ventana.close());
        QCOMPARE(v.carpeta.Leer(QStringLiteral("mame.ini")), QByteArray("ctrlr Corvala\r\n"));
        QVERIFY(mensajes.Vistos().isEmpty());
    }

    void alCerrar()
    {
        MensajesDePrueba mensajes;
        VentanaDeVersion v("0.251");
        v.ventana.Form_Load();
        v.carpeta.Escribir(QStringLiteral("cfg/default.cfg"), "propio");
        QVERIFY(v.ventana.Teclas().Guardar(TeclasSinAsignar(), TablaTeclas(v.carpeta.Carpeta())));
        QVERIFY(Control<QCheckBox>(v.ventana, "chkUsaControles")->isChecked());
        QVERIFY(v.carpeta.Leer(QStringLiteral("mame.ini")).contains("ctrlr                   Corvala\r\n"));
        // The emulator wrote a new default.cfg meanwhile; the set-aside one replaces it.
        v.carpeta.Escribir(QStringLiteral("cfg/default.cfg"), "del emulador");
        v.carpeta.Escribir(QStringLiteral("1.p"), "informe");

        // Refused while a game runs.
        v.sesion.ocupado = true;
        QVERIFY(!v.ventana.close());
        QCOMPARE(Control<QLabel>(v.ventana, "lblEstado")->text(), QStringLiteral("Si MAME está activo, no se puede cerrar Corvala!"));
        QVERIFY(v.carpeta.Existe(QStringLiteral("all.bat")));

        v.sesion.ocupado = false;
        QVERIFY(v.ventana.close());
        QVERIFY(v.carpeta.Leer(QStringLiteral("mame.ini")).contains("# ctrlr                 <NULL> (Not Set)\r\n"));
        QCOMPARE(v.carpeta.Leer(QStringLiteral("cfg/default.cfg")), QByteArray("propio"));
        QVERIFY(!v.carpeta.Existe(QStringLiteral("cfg/default.bak")));
        QVERIFY(!v.carpeta.Existe(QStringLiteral("all.bat")));
        QVERIFY(!v.carpeta.Existe(QStringLiteral("1.p")));
        QVERIFY(v.carpeta.Existe(QStringLiteral("lista.txt")));
        QVERIFY(mensajes.Vistos().isEmpty());
    }

    void casillaPulsada()
    {
        VentanaDeVersion v("0.251");
        v.ventana.Form_Load();
        v.ventana.show();
        QCheckBox *casilla = Control<QCheckBox>(v.ventana, "chkUsaControles");
        const auto fondo = [&] { return casilla->palette().color(QPalette::Window).rgb(); };
        QTest::mousePress(casilla, Qt::LeftButton);
        QCOMPARE(fondo(), Colores::kBotonPulsado);
        QCOMPARE(Control<QLabel>(v.ventana, "Shape1")->palette().color(QPalette::Window).rgb(), Colores::kBotonPulsado);
        MensajesDePrueba mensajes;
        QTest::mouseRelease(casilla, Qt::LeftButton);
        QCOMPARE(fondo(), Colores::kBotonReposo);
        // No keys saved yet: the box is cleared again with its message.
        QCOMPARE(mensajes.Titulos(), QStringList({QStringLiteral("Todavía no.")}));
        QVERIFY(!casilla->isChecked());
    }
};

QTEST_MAIN(TestArranque)
#include "test_arranque.moc"
