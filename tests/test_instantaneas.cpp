// The snapshot preview of the main window: which file of snaps is shown, the placeholder, the
// status text and tooltip of a selection, the enlarged window, and the preview while a game
// runs.

#include "comun/windows/Colores.h"
#include "comun/windows/Imagenes.h"
#include "frontend/logic/Instantanea.h"
#include "frontend/windows/frmImagen.h"

#include "apoyo/Controles.h"
#include "apoyo/VentanaDePrueba.h"
#include "apoyo/VentanaModal.h"

#include <QBuffer>
#include <QDateTime>
#include <QImageWriter>
#include <QScreen>
#include <QtTest>

using namespace Corvala;

namespace {

constexpr int kGalaga = 0;
constexpr int kPacman = 1;

QByteArray Imagen(const QSize &tamano, const QColor &color, const char *formato = "png")
{
    QImage imagen(tamano, QImage::Format_RGB32);
    imagen.fill(color);
    QBuffer datos;
    datos.open(QIODevice::WriteOnly);
    QImageWriter(&datos, formato).write(imagen);
    return datos.data();
}

struct VentanaConInstantaneas : Ventana
{
    VentanaConInstantaneas()
    {
        ventana.Form_Load();
        ventana.show();
    }

    void Elegir(int fila)
    {
        Control<QListView>(ventana, "lstJuegos")
                ->setCurrentIndex(
                        Control<QListView>(ventana, "lstJuegos")->model()->index(fila, 0));
    }

    QImage Vista() const { return Control<QLabel>(ventana, "ImagenROM")->pixmap().toImage(); }

    void PulsarVista() { QTest::mouseClick(Control<QLabel>(ventana, "ImagenROM"), Qt::LeftButton); }
};

} // namespace

class TestInstantaneas : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void elOrdenDeLasExtensiones()
    {
        CarpetaDePrueba carpeta;
        const QString snaps = carpeta.Ruta(QStringLiteral("snaps"));
        QCOMPARE(BuscarExtensionImagen(QStringLiteral("galaga"), snaps), QString());
        carpeta.Escribir(QStringLiteral("snaps/galaga.bmp"), "");
        QCOMPARE(BuscarExtensionImagen(QStringLiteral("galaga"), snaps), QStringLiteral(".bmp"));
        carpeta.Escribir(QStringLiteral("snaps/galaga.png"), "");
        QCOMPARE(BuscarExtensionImagen(QStringLiteral("galaga"), snaps), QStringLiteral(".png"));
        carpeta.Escribir(QStringLiteral("snaps/galaga.jpg"), "");
        QCOMPARE(BuscarExtensionImagen(QStringLiteral("galaga"), snaps), QStringLiteral(".jpg"));
        carpeta.Escribir(QStringLiteral("snaps/galaga.gif"), "");
        QCOMPARE(BuscarExtensionImagen(QStringLiteral("galaga"), snaps), QStringLiteral(".gif"));
        // Only these five, in the file system's letter case.
        carpeta.Escribir(QStringLiteral("snaps/pacman.PNG"), "");
        carpeta.Escribir(QStringLiteral("snaps/pacman.jpeg"), "");
        QCOMPARE(BuscarExtensionImagen(QStringLiteral("pacman"), snaps), QString());

        QCOMPARE(RutaInstantanea(carpeta.Carpeta(), QStringLiteral("galaga.zip")),
                 snaps + QStringLiteral("/galaga.gif"));
        QCOMPARE(RutaInstantanea(carpeta.Carpeta(), QStringLiteral("pacman.zip")), QString());

        // The emulator's own folder of the game: its newest picture, after the single files.
        carpeta.Escribir(QStringLiteral("snaps/dkong/0000.png"), "");
        carpeta.Escribir(QStringLiteral("snaps/dkong/0001.png"), "");
        QFile antigua(carpeta.Ruta(QStringLiteral("snaps/dkong/0000.png")));
        QVERIFY(antigua.open(QIODevice::ReadWrite));
        QVERIFY(antigua.setFileTime(QDateTime::currentDateTime().addDays(-1),
                                    QFileDevice::FileModificationTime));
        antigua.close();
        QCOMPARE(RutaInstantanea(carpeta.Carpeta(), QStringLiteral("dkong.zip")),
                 snaps + QStringLiteral("/dkong/0001.png"));
        carpeta.Escribir(QStringLiteral("snaps/dkong.bmp"), "");
        QCOMPARE(RutaInstantanea(carpeta.Carpeta(), QStringLiteral("dkong.zip")),
                 snaps + QStringLiteral("/dkong.bmp"));
    }

    void laSeleccionMuestraLaInstantanea()
    {
        VentanaConInstantaneas v;
        v.carpeta.Escribir(QStringLiteral("snaps/galaga.png"), Imagen({224, 256}, Qt::green));
        v.carpeta.Escribir(QStringLiteral("snaps/galaga.jpg"), Imagen({40, 30}, Qt::blue, "jpeg"));
        QVERIFY(v.Vista().isNull() || v.Vista() == Imagenes::SinImagen().toImage());

        v.Elegir(kGalaga);
        QCOMPARE(Control<QLabel>(v.ventana, "lblEstado")->text(),
                 QStringLiteral("Haz doble clic para cargar la ROM."));
        QCOMPARE(ColorDeEstado(v.ventana), Colores::kTurquesa);
        QCOMPARE(Control<QListView>(v.ventana, "lstJuegos")->toolTip(),
                 QStringLiteral("Galaga\nNombre del archivo zip de la ROM: \"galaga.zip\""));
        // The .jpg comes before the .png, and is stretched over the fixed box.
        QCOMPARE(v.Vista().size(), QSize(40, 30));
        QVERIFY(Control<QLabel>(v.ventana, "ImagenROM")->hasScaledContents());
        QCOMPARE(Control<QLabel>(v.ventana, "ImagenROM")->size(), QSize(138, 86));

        // No snapshot: the placeholder.
        v.Elegir(kPacman);
        QCOMPARE(v.Vista(), Imagenes::SinImagen().toImage());
        QCOMPARE(Control<QListView>(v.ventana, "lstJuegos")->toolTip(),
                 QStringLiteral("Pac-Man\nNombre del archivo zip de la ROM: \"pacman.zip\""));

        // A snapshot that is no picture, or a folder named like one: no picture at all.
        v.carpeta.Escribir(QStringLiteral("snaps/pacman.gif"), "GIF89a cortado");
        v.Elegir(kGalaga);
        v.Elegir(kPacman);
        QVERIFY(v.Vista().isNull());
        v.carpeta.Borrar(QStringLiteral("snaps/pacman.gif"));
        v.carpeta.Bloquear(QStringLiteral("snaps/pacman.gif"));
        v.Elegir(kGalaga);
        v.Elegir(kPacman);
        QVERIFY(v.Vista().isNull());
    }

    void laImagenEnSuTamano()
    {
        VentanaConInstantaneas v;
        v.carpeta.Escribir(QStringLiteral("snaps/galaga.png"), Imagen({224, 256}, Qt::green));

        // No row chosen yet, then a game without a snapshot: no window opens.
        v.PulsarVista();
        v.Elegir(kPacman);
        v.PulsarVista();
        QVERIFY(!v.ventana.findChild<frmImagen *>());

        v.Elegir(kGalaga);
        QSize cliente, imagen;
        QPoint centro;
        bool modal = false;
        QString titulo;
        AlAbrirseLaVentana([&](QWidget *ventana) {
            auto *ampliada = qobject_cast<frmImagen *>(ventana);
            if (!ampliada)
                return;
            modal = ampliada->isModal();
            titulo = ampliada->windowTitle();
            cliente = ampliada->size();
            imagen = Control<QLabel>(*ampliada, "Image1")->pixmap().size();
            centro = ampliada->frameGeometry().center();
        });
        v.PulsarVista();
        QVERIFY(modal);
        // No caption text; not an empty title either, which the platform fills with "Corvala".
        QVERIFY(!titulo.isEmpty() && titulo.trimmed().isEmpty());
        QCOMPARE(imagen, QSize(224, 256));
        QCOMPARE(cliente, QSize(224, 256));
        // Centred over the main window, give or take the rounding of two centres.
        QVERIFY((centro - v.ventana.frameGeometry().center()).manhattanLength() <= 4);

        // The one window takes each new picture and its size.
        v.carpeta.Escribir(QStringLiteral("snaps/pacman.bmp"), Imagen({64, 48}, Qt::red, "bmp"));
        v.Elegir(kPacman);
        AlAbrirseLaVentana(
                [&](QWidget *ventana) { cliente = ventana ? ventana->size() : QSize(); });
        v.PulsarVista();
        QCOMPARE(cliente, QSize(64, 48));
        QCOMPARE(v.ventana.findChildren<frmImagen *>().size(), 1);

        // Wider than the screen: shrunk to it in proportion, its frame on the screen.
        const QRect pantalla = v.ventana.screen()->availableGeometry();
        v.carpeta.Escribir(QStringLiteral("snaps/pacman.bmp"),
                           Imagen({pantalla.width() * 2, 240}, Qt::red, "bmp"));
        QRect marco;
        AlAbrirseLaVentana([&](QWidget *ventana) {
            cliente = ventana ? ventana->size() : QSize();
            marco = ventana ? ventana->frameGeometry() : QRect();
        });
        v.PulsarVista();
        QVERIFY(cliente.width() <= pantalla.width() && cliente.width() > pantalla.width() / 2);
        QVERIFY(qAbs(cliente.height() - 240 * cliente.width() / (pantalla.width() * 2)) <= 1);
        QVERIFY(pantalla.contains(marco));
    }

    void trasLaPartidaLaInstantaneaNueva()
    {
        VentanaConInstantaneas v;
        v.carpeta.Control("game.writes_snap=1\n");
        v.Elegir(kPacman);
        QCOMPARE(v.Vista(), Imagenes::SinImagen().toImage());
        DobleClic(v.ventana, kPacman);
        QCOMPARE(v.Vista().size(), QSize(1, 1));
    }

    void mientrasSeJuega()
    {
        VentanaConInstantaneas v;
        v.carpeta.Escribir(QStringLiteral("snaps/galaga.png"), Imagen({224, 256}, Qt::green));
        v.carpeta.Escribir(QStringLiteral("snaps/pacman.png"), Imagen({32, 32}, Qt::red));
        v.Elegir(kGalaga);
        v.sesion.ocupado = true;
        Control<QLabel>(v.ventana, "lblEstado")
                ->setText(QStringLiteral("Cargando ROM, por favor se paciente."));

        v.Elegir(kPacman);
        QCOMPARE(Control<QLabel>(v.ventana, "lblEstado")->text(),
                 QStringLiteral("Cargando ROM, por favor se paciente."));
        QCOMPARE(Control<QListView>(v.ventana, "lstJuegos")->toolTip(),
                 QStringLiteral("Galaga\nNombre del archivo zip de la ROM: \"galaga.zip\""));
        QCOMPARE(v.Vista().size(), QSize(224, 256));

        // The preview's click is not a command: it enlarges the selected row's snapshot.
        QSize cliente;
        AlAbrirseLaVentana(
                [&](QWidget *ventana) { cliente = ventana ? ventana->size() : QSize(); });
        v.PulsarVista();
        QCOMPARE(cliente, QSize(32, 32));
        v.sesion.ocupado = false;
    }
};

QTEST_MAIN(TestInstantaneas)
#include "test_instantaneas.moc"
