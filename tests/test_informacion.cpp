// The About and History windows: their frames, texts and links, the release notes, and how
// they open from the main window and from each other.

#include "comun/windows/AbrirConElSistema.h"
#include "comun/windows/BotonEtiqueta.h"
#include "comun/windows/Colores.h"
#include "infowindows/logic/DatosDeCorvala.h"
#include "infowindows/logic/NotasDeVersion.h"
#include "infowindows/windows/frmAcercaDe.h"
#include "infowindows/windows/frmHistorial.h"

#include "apoyo/Controles.h"
#include "apoyo/MensajesDePrueba.h"
#include "apoyo/VentanaDePrueba.h"
#include "apoyo/VentanaModal.h"

#include <QDesktopServices>
#include <QScrollBar>
#include <QTextBlock>
#include <QtTest>

using namespace Corvala;

// Stands for the player's browser: keeps every address it is asked to open.
class Navegador : public QObject
{
    Q_OBJECT

public:
    Navegador()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "Abrir");
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "Abrir");
    }
    ~Navegador() override
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    }

    QList<QUrl> abiertas;

public Q_SLOTS:
    void Abrir(const QUrl &direccion) { abiertas << direccion; }
};

namespace {

QRgb ColorDeTexto(const QWidget *control)
{
    return control->palette().color(QPalette::WindowText).rgb();
}

} // namespace

class TestInformacion : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void laVentanaAcercaDe()
    {
        frmAcercaDe acerca;
        QCOMPARE(acerca.windowTitle(), QStringLiteral("Acerca de...  ¡El Corvala!"));
        QVERIFY(acerca.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(acerca.size(), QSize(368, 217));
        QCOMPARE(acerca.palette().color(QPalette::Window).rgb(), Colores::kFondoVentana);

        QCOMPARE(Control<QLabel>(acerca, "Label5")->text(),
                 QStringLiteral("Acerca de...  ¡El Corvala!"));
        QCOMPARE(Control<QLabel>(acerca, "Label1")->text(), QStringLiteral("Versión:"));
        QCOMPARE(Control<QLabel>(acerca, "Label2")->text(), QStringLiteral("Creado por:"));
        QCOMPARE(Control<QLabel>(acerca, "Label4")->text(), QStringLiteral("Páginas de interés:"));
        QCOMPARE(Control<QLabel>(acerca, "Label10")->text(),
                 QStringLiteral("Página oficial (inglés)"));
        QCOMPARE(Control<QLabel>(acerca, "Label12")->text(),
                 QStringLiteral("Página multitud de ROMs (Español)"));
        QCOMPARE(Control<BotonEtiqueta>(acerca, "lblSalir", 0)->text(),
                 QStringLiteral("Notas de las versiones"));
        QCOMPARE(Control<BotonEtiqueta>(acerca, "lblSalir", 1)->text(), QStringLiteral("OK"));
        QVERIFY(Control<QLabel>(acerca, "Label5")->font().bold()
                && !Control<QLabel>(acerca, "Label10")->font().bold());
        QCOMPARE(ColorDeTexto(Control<QLabel>(acerca, "Label6")), Colores::kTurquesa);
        QCOMPARE(ColorDeTexto(Control<QLabel>(acerca, "Label3")), Colores::kTurquesa);
        QCOMPARE(Control<BotonEtiqueta>(acerca, "lblSalir", 1)->geometry(),
                 QRect(317, 191, 42, 17));
        QVERIFY(!Control<QLabel>(acerca, "Imagen")->pixmap().isNull());
        QVERIFY(Control<QLabel>(acerca, "Imagen")->hasScaledContents());

        // Two links are offered; the English page and its caption stay hidden.
        acerca.show();
        QVERIFY(Control<QLabel>(acerca, "lblMame")->isVisible()
                && Control<QLabel>(acerca, "lblWebEspanol")->isVisible());
        QVERIFY(!Control<QLabel>(acerca, "lblWebIngles")->isVisible()
                && !Control<QLabel>(acerca, "Label11")->isVisible());
        for (const QLabel *enlace :
             {Control<QLabel>(acerca, "lblMame"), Control<QLabel>(acerca, "lblWebEspanol")}) {
            QVERIFY(enlace->font().underline());
            QVERIFY(!enlace->font().bold());
            QCOMPARE(ColorDeTexto(enlace), Colores::kTurquesa);
            QCOMPARE(enlace->cursor().shape(), Qt::BitmapCursor);
        }
        // The address beside its caption stays clear of it.
        QVERIFY(Control<QLabel>(acerca, "lblWebEspanol")->x()
                        + QFontMetrics(Control<QLabel>(acerca, "lblWebEspanol")->font())
                                  .horizontalAdvance(
                                          Control<QLabel>(acerca, "lblWebEspanol")->text())
                <= Control<QLabel>(acerca, "Label12")->x());
    }

    void losEnlacesAbrenElNavegador()
    {
        Navegador navegador;
        frmAcercaDe acerca;
        acerca.show();
        QTest::mouseClick(Control<QLabel>(acerca, "lblMame"), Qt::LeftButton);
        QTest::mouseClick(Control<QLabel>(acerca, "lblMame"), Qt::LeftButton);
        QTest::mouseClick(Control<QLabel>(acerca, "lblWebEspanol"), Qt::LeftButton);
        QCOMPARE(navegador.abiertas.size(), 3);
        QCOMPARE(navegador.abiertas.at(0), navegador.abiertas.at(1));
        QCOMPARE(navegador.abiertas.at(0).host(), QStringLiteral("www.mamedev.org"));
        QVERIFY(navegador.abiertas.at(2).host().startsWith(QStringLiteral("es.")));
        // The caption shows the address.
        QVERIFY(navegador.abiertas.at(0).toString().contains(
                Control<QLabel>(acerca, "lblMame")->text()));
        QVERIFY(navegador.abiertas.at(2).toString().contains(
                Control<QLabel>(acerca, "lblWebEspanol")->text()));
        QVERIFY(acerca.isVisible());
    }

    // A desktop with no program for a page or a report: a box says where it is.
    void sinProgramaParaAbrirloSeDiceDonde()
    {
        MensajesDePrueba mensajes;
        frmAcercaDe acerca;
        acerca.show();
        QTest::mouseClick(Control<QLabel>(acerca, "lblMame"), Qt::LeftButton);
        AbrirConElSistema(QUrl::fromLocalFile(QStringLiteral("/mame/comparacion.log")));
        QCOMPARE(mensajes.Titulos(), QStringList(2, QStringLiteral("No se puede abrir")));
        QVERIFY(mensajes.Vistos().at(0).texto.contains(QStringLiteral("www.mamedev.org")));
        QVERIFY(mensajes.Vistos().at(1).texto.contains(
                QStringLiteral("\n/mame/comparacion.log\n")));
    }

    void lasNotasYVuelta()
    {
        frmAcercaDe acerca;
        acerca.show();
        QString notas;
        bool modal = false;
        AlAbrirseLaVentana([&](QWidget *ventana) {
            auto *historial = qobject_cast<frmHistorial *>(ventana);
            if (!historial)
                return;
            modal = historial->isModal();
            notas = Control<QPlainTextEdit>(*historial, "Text1")->toPlainText();
            QTest::mouseClick(Control<BotonEtiqueta>(*historial, "lblSalir"), Qt::LeftButton);
        });
        QTest::mouseClick(Control<BotonEtiqueta>(acerca, "lblSalir", 0), Qt::LeftButton);
        QVERIFY(modal);
        QVERIFY(notas.startsWith(QStringLiteral("                Corvala! versión ")));
        // Back in the About window, which closes with its own "OK".
        QVERIFY(acerca.isVisible());
        QTest::mouseClick(Control<BotonEtiqueta>(acerca, "lblSalir", 1), Qt::LeftButton);
        QVERIFY(!acerca.isVisible());
    }

    void laVentanaHistorial()
    {
        frmHistorial historial;
        QCOMPARE(historial.windowTitle(), QStringLiteral("Historial"));
        QVERIFY(historial.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(historial.size(), QSize(313, 195));
        QCOMPARE(Control<QPlainTextEdit>(historial, "Text1")->geometry(), QRect(5, 57, 303, 112));
        QCOMPARE(Control<QPlainTextEdit>(historial, "Text1")->palette().color(QPalette::Base).rgb(),
                 qRgb(194, 218, 237));
        QCOMPARE(Control<QPlainTextEdit>(historial, "Text1")->verticalScrollBarPolicy(),
                 Qt::ScrollBarAlwaysOn);
        QCOMPARE(Control<BotonEtiqueta>(historial, "lblSalir")->text(), QStringLiteral("OK"));
        QCOMPARE(Control<QLabel>(historial, "Image1")->pixmap().size(), QSize(204, 41));

        // The box scrolls down to the last section; a new window starts at the top again.
        historial.show();
        QScrollBar *barra = Control<QPlainTextEdit>(historial, "Text1")->verticalScrollBar();
        QVERIFY(barra->maximum() > 0);
        barra->setValue(barra->maximum());
        const QTextCursor ultima = Control<QPlainTextEdit>(historial, "Text1")
                                           ->document()
                                           ->find(QStringLiteral("Al ser la primera versión"));
        QVERIFY(Control<QPlainTextEdit>(historial, "Text1")
                        ->viewport()
                        ->rect()
                        .contains(Control<QPlainTextEdit>(historial, "Text1")->cursorRect(ultima)));
        Control<QPlainTextEdit>(historial, "Text1")
                ->appendPlainText(QStringLiteral("texto del jugador"));
        frmHistorial otra;
        otra.show();
        QCOMPARE(Control<QPlainTextEdit>(otra, "Text1")->verticalScrollBar()->value(), 0);
        QCOMPARE(Control<QPlainTextEdit>(otra, "Text1")->toPlainText()
                         + QStringLiteral("\ntexto del jugador"),
                 Control<QPlainTextEdit>(historial, "Text1")->toPlainText());
    }

    void lasNotasDeVersion()
    {
        const QString notas = NotasDeVersion();
        QVERIFY(notas.endsWith(QStringLiteral("\r\n")));
        QCOMPARE(notas.count(QLatin1Char('\n')), notas.count(QStringLiteral("\r\n")));
        QVERIFY2(notas.size() > 5000 && notas.size() < 8000,
                 qPrintable(QString::number(notas.size())));
        const QStringList lineas = notas.split(QStringLiteral("\r\n"));
        // The project's own version, heading the notes and their newest section.
        const QString version = DatosDeCorvala::Version();
        QCOMPARE(version, QStringLiteral(CORVALA_VERSION));
        QVERIFY(lineas.first().contains(QStringLiteral("Corvala! versión ") + version));
        for (const QString &linea : lineas)
            QVERIFY2(linea.size() <= 62, qPrintable(linea));
        for (const char *web : {"http", "www", ".com", ".org", ".es/", "@"})
            QVERIFY2(!notas.contains(QLatin1String(web)), web);
        // They name the controls window's option by its caption, and claim nothing it does not do.
        QVERIFY(notas.contains(QStringLiteral("\"Dejar la tecla por defecto de M.A.M.E\"")));
        for (const QString &falso :
             {QStringLiteral("El botón \"Por defecto\""), QStringLiteral("qué jugador"),
              QStringLiteral("no se toca ningún archivo propio del emulador")})
            QVERIFY2(!notas.contains(falso), qPrintable(falso));

        // The sections, newest first, each a list of items that begin with "- ".
        const QStringList secciones = {QStringLiteral("Cambios en la versión ") + version,
                                       QStringLiteral("Cambios en la versión 0.21b"),
                                       QStringLiteral("Cambios en la versión 0.21a"),
                                       QStringLiteral("Cambios en la versión 0.20d"),
                                       QStringLiteral("Cambios en la versión 0.20c"),
                                       QStringLiteral("Cambios en la versión 0.20b"),
                                       QStringLiteral("Cambios para la versión 0.10")};
        QStringList encontradas;
        for (int i = 0; i < lineas.size(); ++i) {
            if (!lineas.at(i).startsWith(QStringLiteral("Cambios ")))
                continue;
            encontradas << lineas.at(i);
            QVERIFY2(lineas.at(i + 1).startsWith(QStringLiteral("- ")), qPrintable(lineas.at(i)));
        }
        QCOMPARE(encontradas, secciones);
        QCOMPARE(lineas.at(lineas.indexOf(secciones.last()) + 1),
                 QStringLiteral("- Al ser la primera versión no ha cambiado nada."));
        // Two paragraphs before the first section, after the heading.
        const QStringList antes = lineas.mid(1, lineas.indexOf(secciones.first()) - 1);
        QCOMPARE(antes.join(QLatin1Char('\n')).trimmed().split(QStringLiteral("\n\n")).size(), 2);
    }

    void desdeLaVentanaPrincipal()
    {
        Ventana v;
        v.ventana.Form_Load();
        v.ventana.show();

        // Refused while a game runs.
        v.sesion.ocupado = true;
        v.ventana.Label1_Click();
        QVERIFY(!v.ventana.findChild<frmAcercaDe *>());
        v.sesion.ocupado = false;

        bool modal = false;
        AlAbrirseLaVentana([&](QWidget *ventana) {
            auto *acerca = qobject_cast<frmAcercaDe *>(ventana);
            modal = acerca && acerca->isModal() && acerca->parentWidget() == &v.ventana;
        });
        QTest::mouseClick(Control<BotonEtiqueta>(v.ventana, "Label1"), Qt::LeftButton);
        QVERIFY(modal);
        QVERIFY(!v.ventana.findChild<frmAcercaDe *>());
    }
};

QTEST_MAIN(TestInformacion)
#include "test_informacion.moc"
