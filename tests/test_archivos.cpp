// The shared file utilities: text files, existence tests, names, the version, the CD test.

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/modPrincipal.h"
#include "comun/logic/TextosDeQt.h"
#include "emulator/logic/Ejecucion.h"

#include "apoyo/CarpetaDePrueba.h"
#include "apoyo/DiscoLleno.h"

#include <QDir>
#include <QtTest>

#include <sys/stat.h>

using namespace Corvala;

class TestArchivos : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textoUtf8OWindows1252()
    {
        QCOMPARE(ArchivoTexto::Decodificar("Espa\xc3\xb1"
                                           "a"),
                 QStringLiteral("España"));
        QCOMPARE(ArchivoTexto::Decodificar("Espa\xf1"
                                           "a"),
                 QStringLiteral("España"));
        QCOMPARE(ArchivoTexto::Decodificar("\x80 \x93x\x94 \x9f"), QStringLiteral("€ “x” Ÿ"));
        // Each line on its own: one stray byte leaves the other lines' accents alone.
        QCOMPARE(ArchivoTexto::Decodificar("Pok\xc3\xa9mon\r\nse\xf1or\nCaf\xc3\xa9"),
                 QStringLiteral("Pokémon\r\nseñor\nCafé"));
    }

    void lineasTerminanEnLfConCrOpcional()
    {
        QCOMPARE(ArchivoTexto::PartirLineas(QStringLiteral("a\r\nb\nc")),
                 QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
        QCOMPARE(ArchivoTexto::PartirLineas(QStringLiteral("a\r\n\r\n")),
                 QStringList({QStringLiteral("a"), QString()}));
        QCOMPARE(ArchivoTexto::PartirLineas(QString()), QStringList());
        // A lone CR inside a line is part of it.
        QCOMPARE(ArchivoTexto::PartirLineas(QStringLiteral("a\rb\r\n")),
                 QStringList({QStringLiteral("a\rb")}));
    }

    void escribirLineasEnCrLfSinDejarArchivosAMedias()
    {
        CarpetaDePrueba carpeta;
        QVERIFY(ArchivoTexto::EscribirLineas(
                carpeta.Ruta(QStringLiteral("a.txt")),
                {QStringLiteral("uno"), QString(), QStringLiteral("ñ")}));
        QCOMPARE(carpeta.Leer(QStringLiteral("a.txt")), QByteArray("uno\r\n\r\n\xc3\xb1\r\n"));

        // A target that cannot be replaced (a folder with files in it) is left as it was.
        carpeta.Escribir(QStringLiteral("ocupado/dentro.txt"), "x");
        QVERIFY(!ArchivoTexto::EscribirLineas(carpeta.Ruta(QStringLiteral("ocupado")),
                                              {QStringLiteral("nada")}));
        QCOMPARE(carpeta.Leer(QStringLiteral("ocupado/dentro.txt")), QByteArray("x"));
        QVERIFY(!ArchivoTexto::LeerLineas(carpeta.Ruta(QStringLiteral("falta.txt"))));
    }

    void unDiscoLlenoDejaElArchivoComoEstaba()
    {
        DiscoLleno disco;
        if (!disco.Montado())
            QSKIP(qPrintable(disco.Motivo()));
        const QString ruta = disco.Ruta() + QStringLiteral("/mame.ini");
        const QByteArray antes(118, 'a');
        QVERIFY(ArchivoTexto::EscribirBytes(ruta, antes));
        // Full, and then with less room than the new content needs.
        for (const qint64 libres : {qint64(0), qint64(8 * 1024)}) {
            disco.Llenar(libres);
            const Resultado escrito = ArchivoTexto::EscribirBytes(ruta, QByteArray(9000, 'b'));
            QCOMPARE(escrito.Motivo(), QStringLiteral("el disco está lleno"));
            QVERIFY(!ArchivoTexto::EscribirLineas(ruta,
                                                  QStringList(1400, QStringLiteral("linea"))));
            QFile archivo(ruta);
            QVERIFY(archivo.open(QIODevice::ReadOnly));
            QCOMPARE(archivo.readAll(), antes);
            QCOMPARE(QDir(disco.Ruta()).entryList(QDir::Files),
                     QStringList({QStringLiteral("mame.ini")}));
            disco.Vaciar();
        }
    }

    // What the player reads of a failure is Spanish: Corvala's words for the common cases, Qt's
    // own texts from its Spanish translations.
    void cadaFalloSeDiceEnEspanol()
    {
        CarpetaDePrueba carpeta;
        const QString fifo = carpeta.Ruta(QStringLiteral("jugador.txt"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        carpeta.Escribir(QStringLiteral("grande.txt"), QByteArray(2 * 1024 * 1024 + 1, 'a'));
        const struct
        {
            const char *ruta;
            qint64 maximo;
            const char *dice;
        } lecturas[] = {
                {"falta.txt", 100, "no existe"},
                {"jugador.txt", 100, "no es un archivo normal"},
                {"roms", 100, "no es un archivo normal"},
                {"grande.txt", 2 * 1024 * 1024, "ocupa más de 2 MB"},
        };
        for (const auto &l : lecturas) {
            QString motivo;
            QVERIFY(!ArchivoTexto::LeerBytes(carpeta.Ruta(QLatin1String(l.ruta)), l.maximo,
                                             &motivo));
            QCOMPARE(motivo, QString::fromUtf8(l.dice));
        }
        QCOMPARE(
                ArchivoTexto::EscribirBytes(carpeta.Ruta(QStringLiteral("no/x.txt")), "x").Motivo(),
                QStringLiteral("no existe"));
        QVERIFY(CargarTextosDeQt());
        QCOMPARE(QCoreApplication::translate("QLineEdit", "&Undo"), QStringLiteral("&Deshacer"));
    }

    void quitarExtension()
    {
        QCOMPARE(QuitarExtension(QStringLiteral("pacman.zip")), QStringLiteral("pacman"));
        QCOMPARE(QuitarExtension(QStringLiteral("a.b.zip")), QStringLiteral("a.b"));
        QCOMPARE(QuitarExtension(QStringLiteral(".zip")), QString());
        QCOMPARE(QuitarExtension(QStringLiteral("readme")), QString());
    }

    void existeArchivo()
    {
        CarpetaDePrueba carpeta;
        carpeta.Archivo(QStringLiteral("pacman.zip"));
        QVERIFY(ExisteArchivo(carpeta.Ruta(QStringLiteral("roms/pacman.zip"))));
        QVERIFY(ExisteArchivo(carpeta.Ruta(QStringLiteral("roms"))));
        QVERIFY(ExisteArchivo(carpeta.Ruta(QStringLiteral("roms/*.zip"))));
        QVERIFY(ExisteArchivo(carpeta.Ruta(QStringLiteral("roms/pac?an.zip"))));
        QVERIFY(!ExisteArchivo(carpeta.Ruta(QStringLiteral("roms/*.7z"))));
        // Letter case follows the file system, which tells pacman from PACMAN here.
        QVERIFY(!ExisteArchivo(carpeta.Ruta(QStringLiteral("roms/PACMAN.ZIP"))));
        QVERIFY(!ExisteArchivo(carpeta.Ruta(QStringLiteral("no/such/file"))));
        QVERIFY(!ExisteArchivo(QString()));
    }

    void versionMame()
    {
        CarpetaDePrueba carpeta;
        QCOMPARE(VersionMame(carpeta.Carpeta()),
                 QStringLiteral("(Versión de M.A.M.E desconocida)"));

        carpeta.Escribir(QStringLiteral("whatsnew.txt"), "\r\n   \r\n  0.59  \r\n0.60\r\n");
        QCOMPARE(VersionMame(carpeta.Carpeta()), QStringLiteral("  0.59  "));

        // Only blanks (character 32) are passed over: a tab is a version.
        carpeta.Escribir(QStringLiteral("whatsnew.txt"), "  \n\t\n0.70\n");
        QCOMPARE(VersionMame(carpeta.Carpeta()), QStringLiteral("\t"));

        // A file with nothing in it but blanks, or one that cannot be read, names no version.
        carpeta.Escribir(QStringLiteral("whatsnew.txt"), "   \r\n\r\n");
        QCOMPARE(VersionMame(carpeta.Carpeta()), VersionDesconocida());
        carpeta.Borrar(QStringLiteral("whatsnew.txt"));
        carpeta.Escribir(QStringLiteral("whatsnew.txt/dentro"), "0.99");
        QCOMPARE(VersionMame(carpeta.Carpeta()), VersionDesconocida());
    }

    // Without release notes the emulator is asked; only a word that looks like a version counts.
    void versionDelEmulador()
    {
        CarpetaDePrueba carpeta;
        carpeta.Control("version=0.251\n");
        QCOMPARE(VersionMame(carpeta.Carpeta()), QStringLiteral("0.251"));
        carpeta.Control("version=1\nversion.output=0.37b14 (Mar 2001)\n");
        QCOMPARE(VersionMame(carpeta.Carpeta()), QStringLiteral("0.37b14"));
        // An emulator without -version, one that answers nothing, and one that answers in words.
        for (const char *conf :
             {"", "version=1\nversion.silent=1\n", "version=1\nversion.output=MAME v0.251\n"}) {
            carpeta.Control(conf);
            QCOMPARE(VersionMame(carpeta.Carpeta()), VersionDesconocida());
        }
        // The release notes win, and then the emulator is not asked.
        carpeta.Control("version=0.251\n");
        carpeta.Escribir(QStringLiteral("whatsnew.txt"), "0.106\r\n");
        carpeta.OlvidarLlamadas();
        QCOMPARE(VersionMame(carpeta.Carpeta()), QStringLiteral("0.106"));
        QVERIFY(carpeta.LlamadasTalCual().isEmpty());
    }

    void unidadCd()
    {
        CarpetaDePrueba carpeta;
        QVERIFY(!EsUnidadCD(carpeta.Ruta()));
        QVERIFY(!EsUnidadCD(QStringLiteral("//servidor/recurso/mame")));
        QVERIFY(!EsUnidadCD(QStringLiteral("/no/such/folder")));
    }
};

QTEST_GUILESS_MAIN(TestArchivos)
#include "test_archivos.moc"
