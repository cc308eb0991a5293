// A 7z archive's directory: archives 7-Zip itself writes (solid or not, LZMA or LZMA2, with a
// plain or a compressed header, with folders inside) read as 7-Zip lists them; cut, damaged and
// hostile ones refused with a reason, never crashing nor hanging.

#include "collection/logic/DirectorioZip.h"

#include "apoyo/ZipDePrueba.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <zlib.h>

using namespace Corvala;

namespace {

quint32 Crc(const QByteArray &bytes)
{
    return quint32(
            crc32(0, reinterpret_cast<const Bytef *>(bytes.constData()), uInt(bytes.size())));
}

quint64 Entero64(const QByteArray &bytes, qsizetype en)
{
    quint64 valor = 0;
    for (int i = 7; i >= 0; --i)
        valor = (valor << 8) | quint8(bytes.at(en + i));
    return valor;
}

QByteArray Entero(quint64 valor, int ancho)
{
    QByteArray bytes;
    for (int i = 0; i < ancho; ++i)
        bytes.append(char(valor >> (8 * i)));
    return bytes;
}

// An archive around a header made by hand: the signature header with its CRCs right.
QByteArray ConCabecera(const QByteArray &cabecera, quint64 desplazamiento = 0)
{
    const QByteArray inicio = Entero(desplazamiento, 8) + Entero(quint64(cabecera.size()), 8)
                              + Entero(Crc(cabecera), 4);
    return QByteArray("7z\xBC\xAF\x27\x1C\x00\x04", 8) + Entero(Crc(inicio), 4) + inicio
           + QByteArray(qsizetype(desplazamiento), '\0') + cabecera;
}

// The archive with one byte of its header changed and every CRC set right again: what reaches
// the reader's parsing, not only its checks.
QByteArray Alterada(QByteArray archivo, qsizetype en, char valor)
{
    const qint64 desplazamiento = qint64(Entero64(archivo, 12));
    const qint64 tamano = qint64(Entero64(archivo, 20));
    archivo[en] = valor;
    const QByteArray cabecera = archivo.mid(32 + desplazamiento, tamano);
    archivo.replace(28, 4, Entero(Crc(cabecera), 4));
    archivo.replace(8, 4, Entero(Crc(archivo.mid(12, 20)), 4));
    return archivo;
}

// The files every archive of 7-Zip's holds: one a little compressible, one empty, one in a
// folder, and an empty folder.
const QList<QPair<QString, QByteArray>> kArchivos = {
        {QStringLiteral("rom1.bin"), QByteArray(5000, 'a') + "final"},
        {QStringLiteral("vacio.bin"), QByteArray()},
        {QStringLiteral("dentro/rom2.bin"), QByteArray("otra rom, otros bytes")},
};

} // namespace

class TestArchivo7z : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loQueEscribe7Zip_data()
    {
        QTest::addColumn<QStringList>("opciones");
        QTest::newRow("LZMA2, sólido, cabecera comprimida")
                << QStringList{QStringLiteral("-ms=on")};
        QTest::newRow("LZMA, sólido")
                << QStringList{QStringLiteral("-m0=lzma"), QStringLiteral("-ms=on")};
        QTest::newRow("LZMA, no sólido, cabecera sin comprimir") << QStringList{
                QStringLiteral("-m0=lzma"), QStringLiteral("-ms=off"), QStringLiteral("-mhc=off")};
        QTest::newRow("sin comprimir") << QStringList{QStringLiteral("-m0=copy")};
    }
    void loQueEscribe7Zip()
    {
        QFETCH(QStringList, opciones);
        const QString siete = QStandardPaths::findExecutable(QStringLiteral("7z"));
        if (siete.isEmpty())
            QSKIP("7-Zip (p7zip-full) is not installed: no archive of its own to read");
        QTemporaryDir carpeta;
        QDir(carpeta.path()).mkpath(QStringLiteral("dentro"));
        QDir(carpeta.path()).mkpath(QStringLiteral("carpeta-vacia"));
        for (const auto &[nombre, bytes] : kArchivos) {
            QFile archivo(carpeta.filePath(nombre));
            QVERIFY(archivo.open(QIODevice::WriteOnly) && archivo.write(bytes) == bytes.size());
        }
        QProcess proceso;
        proceso.setWorkingDirectory(carpeta.path());
        proceso.start(siete,
                      QStringList{QStringLiteral("a"), QStringLiteral("-t7z"),
                                  QStringLiteral("-bd"), QStringLiteral("x.7z")}
                              + opciones
                              + QStringList{QStringLiteral("rom1.bin"), QStringLiteral("vacio.bin"),
                                            QStringLiteral("dentro"),
                                            QStringLiteral("carpeta-vacia")});
        QVERIFY(proceso.waitForFinished(30000) && proceso.exitCode() == 0);

        const DirectorioZip directorio
                = DirectorioZip::Leer7z(carpeta.filePath(QStringLiteral("x.7z")));
        QVERIFY2(directorio.legible, qPrintable(directorio.motivo));
        QHash<QString, QPair<quint64, quint32>> leidos;
        for (const DirectorioZip::Archivo &archivo : directorio.archivos)
            leidos.insert(archivo.nombre, {archivo.tamano, archivo.crc});
        QCOMPARE(leidos.size(), kArchivos.size());
        for (const auto &[nombre, bytes] : kArchivos)
            QCOMPARE(leidos.value(nombre), qMakePair(quint64(bytes.size()), Crc(bytes)));

        // Any byte of its header changed: read or refused, never a crash nor a hang.
        QFile original(carpeta.filePath(QStringLiteral("x.7z")));
        QVERIFY(original.open(QIODevice::ReadOnly));
        const QByteArray bytes = original.readAll();
        const qsizetype cabecera = 32 + qsizetype(Entero64(bytes, 12));
        for (qsizetype en = cabecera; en < bytes.size(); ++en) {
            for (const char valor : {'\0', '\x01', '\x7F', '\xFF'}) {
                QFile alterada(carpeta.filePath(QStringLiteral("y.7z")));
                QVERIFY(alterada.open(QIODevice::WriteOnly));
                alterada.write(Alterada(bytes, en, valor));
                alterada.close();
                const DirectorioZip leida = DirectorioZip::Leer7z(alterada.fileName());
                QVERIFY(leida.legible != !leida.motivo.isEmpty());
            }
        }
    }

    // The archives the tests forge (Copy, plain header), solid or not, read as written.
    void losQueForjanLasPruebas()
    {
        const ZipDePrueba::Archivos archivos{{QStringLiteral("a.bin"), QByteArray(300, 'a')},
                                             {QStringLiteral("ñ.bin"), QByteArray("b")}};
        QTemporaryDir carpeta;
        for (const bool solido : {true, false}) {
            const QString ruta = carpeta.filePath(QStringLiteral("x.7z"));
            QVERIFY(ZipDePrueba::Escribir7z(ruta, archivos, solido));
            const DirectorioZip directorio = DirectorioZip::Leer7z(ruta);
            QVERIFY2(directorio.legible, qPrintable(directorio.motivo));
            QCOMPARE(directorio.archivos.size(), 2);
            QCOMPARE(directorio.archivos[1].nombre, QStringLiteral("ñ.bin"));
            QCOMPARE(directorio.archivos[1].crc, Crc("b"));
            QCOMPARE(directorio.archivos[0].tamano, quint64(300));
        }
    }

    void loQueNoSeLee_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("motivo");
        const QByteArray vacio = ConCabecera({});
        QTest::newRow("vacío") << vacio << QString();
        QTest::newRow("no es un 7z")
                << QByteArray("PK\x03\x04 y más") << QStringLiteral("no es un archivo 7z");
        QTest::newRow("cortado") << vacio.left(20) << QStringLiteral("el archivo 7z está dañado");
        // Header: Header, FilesInfo, a billion files.
        const QByteArray billon
                = QByteArray("\x01\x05\xFF", 3) + Entero(1000000000, 8) + QByteArray(2, '\0');
        QTest::newRow("mil millones de archivos")
                << ConCabecera(billon)
                << QStringLiteral("su directorio dice tener 1000000000 archivos");
        QByteArray mentira = ConCabecera(billon);
        mentira[mentira.size() - 3] = '\x7F';
        QTest::newRow("la cabecera no es la de su CRC")
                << mentira << QStringLiteral("el archivo 7z está dañado");
        QTest::newRow("la cabecera más allá del final")
                << ConCabecera(billon).chopped(4) << QStringLiteral("el archivo 7z está dañado");
        // Packed streams and a block whose sizes and offsets point past the file.
        const QByteArray lejos
                = QByteArray("\x17\x06\xFF", 3) + Entero(quint64(1) << 60, 8)
                  + QByteArray(
                          "\x01\x09\x7F\x00\x07\x0B\x01\x00\x01\x01\x21\x01\x18\x0C\x7F\x00\x00",
                          17);
        QTest::newRow("cabecera comprimida fuera del archivo")
                << ConCabecera(lejos) << QStringLiteral("el archivo 7z está dañado");
        QTest::newRow("basura tras la firma") << ConCabecera(QByteArray(300, '\xFF'))
                                              << QStringLiteral("el archivo 7z está dañado");
    }
    void loQueNoSeLee()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, motivo);
        QTemporaryDir carpeta;
        QFile archivo(carpeta.filePath(QStringLiteral("x.7z")));
        QVERIFY(archivo.open(QIODevice::WriteOnly) && archivo.write(bytes) == bytes.size());
        archivo.close();
        const DirectorioZip directorio = DirectorioZip::Leer7z(archivo.fileName());
        QCOMPARE(directorio.motivo, motivo);
        QCOMPARE(directorio.legible, motivo.isEmpty());
        QVERIFY(directorio.archivos.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestArchivo7z)
#include "test_archivo7z.moc"
