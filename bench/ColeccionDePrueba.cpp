#include "ColeccionDePrueba.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTest>
#include <QWidget>

#include "catalogue/logic/ConstruccionCatalogo.h"
#include "comun/logic/CarpetaMame.h"
#include "emulator/logic/Ejecucion.h"
#include "emulator/logic/Emulador.h"

#include <QFileInfo>

#include <cstdio>
#include <cstring>

namespace ColeccionDePrueba {

namespace {

// A field of /proc/self/status given in kB, in MB.
double Estado(const char *campo)
{
    QFile estado(QStringLiteral("/proc/self/status"));
    if (!estado.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &linea : estado.readAll().split('\n')) {
        if (linea.startsWith(campo))
            return linea.mid(qsizetype(std::strlen(campo))).trimmed().split(' ').value(0).toDouble()
                   / 1024.0;
    }
    return -1;
}

} // namespace

double MemoriaPico()
{
    return Estado("VmHWM:");
}

double MemoriaActual()
{
    return Estado("VmRSS:");
}

std::optional<QString> CarpetaReal(const QString &carpeta, int argc, char *argv[])
{
    const QString mame
            = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/usr/games/mame");
    if (!QFileInfo(mame).isExecutable()) {
        std::printf("No emulator at %s\n", qPrintable(mame));
        return std::nullopt;
    }
    const Corvala::CarpetaMame mameFolder(carpeta);
    QFile::link(mame, mameFolder.Ruta(QStringLiteral("mame")));
    QDir(carpeta).mkdir(QStringLiteral("roms"));
    if (Corvala::Emulador(mameFolder).ListarJuegos() != Corvala::FinEjecucion::Bien)
        return std::nullopt;
    return mame;
}

bool Mostrar(QWidget &ventana)
{
    ventana.show();
    if (!QTest::qWaitForWindowExposed(&ventana))
        return false;
    QCoreApplication::processEvents();
    return true;
}

void SinPantalla()
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
}

VentanaMostrada::VentanaMostrada(const Corvala::CarpetaMame &carpeta)
    : sesion(carpeta)
{
    QElapsedTimer reloj;
    reloj.start();
    ventana = std::make_unique<Corvala::frmCargador>(sesion);
    if (Arrancar(*ventana))
        ms = reloj.elapsed();
}

QString Nombre(int i, bool largo)
{
    return (largo ? QStringLiteral("longname%1x") : QStringLiteral("g%1"))
            .arg(i, 5, 10, QLatin1Char('0'));
}

void Crear(const QString &carpeta, int n, bool clasica)
{
    QDir(carpeta).mkpath(QStringLiteral("roms"));
    QByteArray lista = clasica ? "name      description\r\n" : "Name:             Description:\n";
    for (int i = 0; i < n; ++i) {
        const bool largo = !clasica && i % 7 == 0;
        const QString archivo = Nombre(i, largo) + QStringLiteral(".zip");
        QFile(carpeta + QStringLiteral("/roms/") + archivo).open(QIODevice::WriteOnly);
        // Known games, plus as many games with no archive, so the list has n lines.
        const QString juego = i % 2 == 0 ? Nombre(i, largo) : QStringLiteral("nozip%1").arg(i);
        const QByteArray titulo
                = "Game " + QByteArray::number((i * 7919) % 100003) + " (" + juego.toLatin1() + ")";
        // Classic: the name in columns 1 to 10, the delimiter in column 11.
        lista += (clasica ? juego.leftJustified(10) : juego.leftJustified(17) + QLatin1Char(' '))
                         .toLatin1()
                 + "\"" + titulo + "\"" + (clasica ? "\r\n" : "\n");
    }
    for (const QString &destino :
         {QStringLiteral("/lista.txt"), QStringLiteral("/.fakemame/listfull.txt")}) {
        QDir(carpeta).mkpath(QStringLiteral(".fakemame"));
        QFile salida(carpeta + destino);
        salida.open(QIODevice::WriteOnly);
        salida.write(lista);
    }
    // Corvala's own files, so that the main list's load writes nothing.
    for (const char *archivo : {"Corvala.tlc", "all.bat"})
        QFile(carpeta + QLatin1Char('/') + QLatin1String(archivo)).open(QIODevice::WriteOnly);
    QDir(carpeta).mkdir(QStringLiteral("snaps"));
    QFile::link(QStringLiteral(CORVALA_FAKE_MAME), carpeta + QStringLiteral("/mame"));
}

std::shared_ptr<const Corvala::Catalogo> ConstruirCatalogo(const Corvala::CarpetaMame &carpeta)
{
    using namespace Corvala;
    const std::optional<OrdenEmulador> orden = Emulador(carpeta).OrdenCatalogo();
    if (!orden)
        return nullptr;
    ConstruccionCatalogo construccion;
    QEventLoop espera;
    QObject::connect(&construccion, &ConstruccionCatalogo::terminada, &espera, &QEventLoop::quit);
    construccion.Iniciar(carpeta, *orden, {QStringLiteral("0.251"), Catalogo::Huella(carpeta)});
    espera.exec();
    return Catalogo::Abrir(Catalogo::Ruta(carpeta));
}

} // namespace ColeccionDePrueba
