// Corvala with the emulator that Linux players have: Debian's mame, where it is installed.

#include "frontend/logic/Emulador.h"
#include "frontend/logic/ListaDeJuegos.h"

#include "apoyo/CarpetaDePrueba.h"

#include <QFile>
#include <QtTest>

using namespace Corvala;

namespace {
const QString kMameReal = QStringLiteral("/usr/games/mame");
}

class TestMameReal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        if (!QFile::exists(kMameReal))
            QSKIP("Debian's mame is not installed (/usr/games/mame): nothing to test against");
    }

    void laListaDelEmuladorReal()
    {
        CarpetaDePrueba carpeta;
        carpeta.SinEmulador();
        QVERIFY(QFile::link(kMameReal, carpeta.Ruta(QStringLiteral("mame"))));
        for (const char *archivo : {"pong.zip", "breakout.zip", "acrnsys3_6809.zip", "junk.zip"})
            carpeta.Archivo(QLatin1String(archivo));

        QVERIFY(Emulador(carpeta.Carpeta()).ListarJuegos());
        const ListaCargada lista = ListaDeJuegos::Cargar(carpeta.Carpeta());
        // Its names longer than ten characters are found too.
        QCOMPARE(lista.juegos, QStringList({QStringLiteral("Acorn System 3 (6809 CPU)"),
                                            QStringLiteral("Breakout [TTL]"),
                                            QStringLiteral("Pong (Rev E) [TTL]"),
                                            QStringLiteral("ROM desconocida(junk.zip)")}));
    }
};

QTEST_GUILESS_MAIN(TestMameReal)
#include "test_mame_real.moc"
