// The image class: the formats it decodes, the files it refuses and how it says so, the way
// back to a file through the encoder of an extension, and the texts of the status codes.

#include "imaging/cGdiPlus.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace Corvala;

namespace {

// A 1 × 1 GIF: Qt writes no GIF, so the test carries one.
const QByteArray kGif
        = QByteArray::fromHex("474946383961010001008000"
                              "00ffffff00000021f90401000000002c000000000100010000020244"
                              "01003b");

// A bitmap header that announces a picture of the given size, with no pixels behind it.
QByteArray CabeceraBmp(qint32 ancho, qint32 alto)
{
    QByteArray datos(54, '\0');
    auto poner = [&](int lugar, quint32 valor, int bytes) {
        for (int i = 0; i < bytes; ++i)
            datos[lugar + i] = char((valor >> (8 * i)) & 0xff);
    };
    datos[0] = 'B';
    datos[1] = 'M';
    poner(2, 54, 4);
    poner(10, 54, 4);
    poner(14, 40, 4);
    poner(18, quint32(ancho), 4);
    poner(22, quint32(alto), 4);
    poner(26, 1, 2);
    poner(28, 24, 2);
    return datos;
}

quint32 Crc32(const QByteArray &datos)
{
    quint32 crc = 0xffffffff;
    for (const char byte : datos) {
        crc ^= quint8(byte);
        for (int i = 0; i < 8; ++i)
            crc = (crc >> 1) ^ (0xedb88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

// A PNG whose header announces a picture of the given size over the pixels of a 1 × 1 one.
QByteArray CabeceraPng(quint32 ancho, quint32 alto)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(QImage(1, 1, QImage::Format_RGB32));
    QByteArray datos = buffer.data();
    auto poner = [&](int lugar, quint32 valor) {
        for (int i = 0; i < 4; ++i)
            datos[lugar + i] = char((valor >> (8 * (3 - i))) & 0xff);
    };
    poner(16, ancho);
    poner(20, alto);
    poner(29, Crc32(datos.mid(12, 17)));
    return datos;
}

QImage Muestra()
{
    QImage imagen(7, 5, QImage::Format_RGB32);
    imagen.fill(QColor(200, 30, 60));
    return imagen;
}

} // namespace

class TestImagenes : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString Ruta(const QString &nombre) const { return m_dir.filePath(nombre); }
    void Escribir(const QString &nombre, const QByteArray &datos) const
    {
        QFile archivo(Ruta(nombre));
        QVERIFY(archivo.open(QIODevice::WriteOnly));
        archivo.write(datos);
    }

private Q_SLOTS:
    void losFormatosDeLasInstantaneas_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QByteArray>("formato");
        QTest::newRow("jpg") << "s.jpg" << QByteArray("jpeg");
        QTest::newRow("tif") << "s.tif" << QByteArray("tiff");
        QTest::newRow("png") << "s.png" << QByteArray("png");
        QTest::newRow("bmp") << "s.bmp" << QByteArray("bmp");
        // The content decides, not the name.
        QTest::newRow("png llamado gif") << "png.gif" << QByteArray("png");
    }
    void losFormatosDeLasInstantaneas()
    {
        QFETCH(QString, nombre);
        QFETCH(QByteArray, formato);
        QVERIFY(QImageWriter(Ruta(nombre), formato).write(Muestra()));
        cGdiPlus gdi;
        QSignalSpy errores(&gdi, &cGdiPlus::Error);
        const QImage imagen = gdi.FilenameToIPicture(Ruta(nombre));
        QCOMPARE(imagen.size(), QSize(7, 5));
        // JPEG is lossy: the colour is near enough.
        const QColor rincon = imagen.pixelColor(6, 4);
        QVERIFY2(qAbs(rincon.red() - 200) + qAbs(rincon.green() - 30) + qAbs(rincon.blue() - 60)
                         < 40,
                 qPrintable(rincon.name()));
        QCOMPARE(errores.count(), 0);
    }

    void unGif()
    {
        Escribir(QStringLiteral("s.gif"), kGif);
        cGdiPlus gdi;
        const QImage imagen = gdi.FilenameToIPicture(Ruta(QStringLiteral("s.gif")));
        QCOMPARE(imagen.size(), QSize(1, 1));
    }

    void loQueNoEsUnaImagen_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<int>("estado");
        QTest::newRow("no existe") << "nada.png" << int(cGdiPlus::FileNotFound);
        QTest::newRow("texto") << "texto.png" << int(cGdiPlus::UnknownImageFormat);
        QTest::newRow("vacío") << "vacio.jpg" << int(cGdiPlus::UnknownImageFormat);
        QTest::newRow("png cortado") << "cortado.png" << int(cGdiPlus::GenericError);
        QTest::newRow("una carpeta") << "carpeta.png" << int(cGdiPlus::FileNotFound);
        // Too big to be decoded: refused before any pixel is allocated, whether the header
        // says so early (PNG) or the decoder finds it out (BMP).
        QTest::newRow("30000 x 30000 png") << "enorme.png" << int(cGdiPlus::OutOfMemory);
        QTest::newRow("30000 x 30000 bmp") << "enorme.bmp" << int(cGdiPlus::GenericError);
    }
    void loQueNoEsUnaImagen()
    {
        QFETCH(QString, nombre);
        QFETCH(int, estado);
        Escribir(QStringLiteral("texto.png"), "no soy una imagen\r\n");
        Escribir(QStringLiteral("vacio.jpg"), {});
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        QImageWriter(&png, "png").write(Muestra().scaled(64, 64));
        Escribir(QStringLiteral("cortado.png"), png.data().left(png.data().size() / 2));
        QDir(m_dir.path()).mkpath(QStringLiteral("carpeta.png"));
        Escribir(QStringLiteral("enorme.png"), CabeceraPng(30000, 30000));
        Escribir(QStringLiteral("enorme.bmp"), CabeceraBmp(30000, 30000));

        cGdiPlus gdi;
        QSignalSpy errores(&gdi, &cGdiPlus::Error);
        QVERIFY(gdi.FilenameToIPicture(Ruta(nombre)).isNull());
        QCOMPARE(errores.count(), 1);
        QCOMPARE(errores.at(0).at(0).toInt(), estado);
        QCOMPARE(errores.at(0).at(1).toString(), cGdiPlus::GdiErrorString(estado));
    }

    void laImagenSobreviveALaInstancia()
    {
        QVERIFY(QImageWriter(Ruta(QStringLiteral("vive.png")), "png").write(Muestra()));
        QImage imagen;
        {
            cGdiPlus gdi;
            imagen = gdi.FilenameToIPicture(Ruta(QStringLiteral("vive.png")));
        }
        QCOMPARE(imagen.size(), QSize(7, 5));
        QCOMPARE(imagen.pixelColor(3, 3), QColor(200, 30, 60));
    }

    void losTextosDeLosEstados()
    {
        QCOMPARE(cGdiPlus::GdiErrorString(0), QStringLiteral("Unknown GDI+ Error"));
        QCOMPARE(cGdiPlus::GdiErrorString(21), QStringLiteral("Unknown GDI+ Error"));
        QCOMPARE(cGdiPlus::GdiErrorString(-1), QStringLiteral("Unknown GDI+ Error"));
        QCOMPARE(cGdiPlus::GdiErrorString(1), QStringLiteral("Generic Error"));
        QCOMPARE(cGdiPlus::GdiErrorString(7), QStringLiteral("Win32 Error"));
        QCOMPARE(cGdiPlus::GdiErrorString(14), QStringLiteral("FontFamily Not Found"));
        QCOMPARE(cGdiPlus::GdiErrorString(17), QStringLiteral("Unsupported Gdiplus Version"));
        QCOMPARE(cGdiPlus::GdiErrorString(20), QStringLiteral("Property Not Supported"));
    }

    void losCodificadores()
    {
        cGdiPlus gdi;
        const QStringList encoders = gdi.Encoders();
        for (const char *patron : {"*.PNG", "*.JPG", "*.BMP", "*.TIF"}) {
            QVERIFY2(std::any_of(
                             encoders.begin(), encoders.end(),
                             [&](const QString &e) {
                                 return e.split(QLatin1Char(';')).contains(QLatin1String(patron));
                             }),
                     patron);
        }
    }

    void guardarConElCodificadorDeLaExtension()
    {
        cGdiPlus gdi;
        QSignalSpy errores(&gdi, &cGdiPlus::Error);
        // Lower-case and upper-case extensions find the same encoder.
        for (const char *nombre : {"a.png", "b.PNG", "c.Bmp", "d.tif"}) {
            QVERIFY2(gdi.PictureBoxToFile(Muestra(), Ruta(QLatin1String(nombre)), 0), nombre);
            QCOMPARE(QImage(Ruta(QLatin1String(nombre))).size(), QSize(7, 5));
        }
        QCOMPARE(QImageReader(Ruta(QStringLiteral("b.PNG"))).format(), QByteArray("png"));

        // The J extensions take the quality.
        const QImage grande = Muestra().scaled(120, 80);
        QVERIFY(gdi.PictureBoxToFile(grande, Ruta(QStringLiteral("baja.jpg")), 5));
        QVERIFY(gdi.PictureBoxToFile(grande, Ruta(QStringLiteral("alta.JPEG")), 100));
        QVERIFY(QFileInfo(Ruta(QStringLiteral("baja.jpg"))).size()
                < QFileInfo(Ruta(QStringLiteral("alta.JPEG"))).size());
        QCOMPARE(errores.count(), 0);

        // No encoder: false, and nothing said.
        for (const char *nombre : {"sin.xyz", "sinextension", "punto.d/archivo"})
            QVERIFY(!gdi.PictureBoxToFile(Muestra(), Ruta(QLatin1String(nombre)), 0));
        QCOMPARE(errores.count(), 0);
        QVERIFY(!QFile::exists(Ruta(QStringLiteral("sin.xyz"))));

        // No picture, or nowhere to write it: false, and the Error signal.
        QVERIFY(!gdi.PictureBoxToFile(QImage(), Ruta(QStringLiteral("nula.png")), 0));
        QVERIFY(!gdi.PictureBoxToFile(Muestra(), Ruta(QStringLiteral("no/hay/carpeta.png")), 0));
        QCOMPARE(errores.count(), 2);
        QCOMPARE(errores.at(0).at(0).toInt(), int(cGdiPlus::InvalidParameter));
        QCOMPARE(errores.at(1).at(0).toInt(), int(cGdiPlus::Win32Error));
        QVERIFY(!QFile::exists(Ruta(QStringLiteral("nula.png"))));
    }
};

QTEST_GUILESS_MAIN(TestImagenes)
#include "test_imagenes.moc"
