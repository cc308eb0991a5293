#include "comun/logic/ConstruccionCatalogo.h"

#include "comun/logic/HiloDeFondo.h"

#include "comun/logic/CarpetaMame.h"
#include "comun/logic/LectorListaXml.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <cstdio>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace Corvala {

namespace {

// The longest the emulator may stay silent before the build gives up on it.
constexpr qint64 kSilencioMaximoMs = 120 * 1000;

// Runs in the build's thread: the emulator's output into the reader, each machine into the
// database and the catalogue kept in memory. True when the whole list was read and the new
// database put in place.
bool Construir(const OrdenEmulador &orden, const QString &nueva, const QString &destino,
               const Catalogo::Sello &sello, Catalogo &catalogo, const std::atomic<bool> &cancelar,
               std::atomic<int> &leidas)
{
    EscritorCatalogo escritor(nueva);
    bool escrito = true;
    LectorListaXml lector([&](const FichaMaquina &maquina, const QVector<FichaRom> &roms) {
        escrito = escrito && escritor.Agregar(maquina, roms);
        catalogo.Agregar(maquina, roms);
        leidas.fetch_add(1);
    });

    QProcess emulador;
    emulador.setProgram(orden.programa);
    emulador.setArguments(orden.argumentos);
    emulador.setWorkingDirectory(orden.carpeta);
    emulador.setStandardErrorFile(QProcess::nullDevice());
#ifdef Q_OS_LINUX
    // A wider pipe: the emulator writes in bursts, and waits less on a reader busy with the
    // last one.
    emulador.setChildProcessModifier([] {
        ::fcntl(STDOUT_FILENO, F_SETPIPE_SZ, 1024 * 1024);
        [[maybe_unused]] const int prioridad = ::nice(10);
    });
#endif
    emulador.start(QIODevice::ReadOnly);
    if (!emulador.waitForStarted())
        return false;

    bool leido = true;
    QElapsedTimer callado;
    callado.start();
    while (leido && escrito && !cancelar.load()) {
        if (emulador.waitForReadyRead(100)) {
            leido = lector.Anadir(emulador.readAllStandardOutput());
            callado.restart();
        } else if (emulador.state() == QProcess::NotRunning) {
            break;
        } else if (callado.elapsed() > kSilencioMaximoMs) {
            leido = false;
        }
    }
    if (emulador.state() != QProcess::NotRunning) {
        emulador.kill();
        emulador.waitForFinished(-1);
        return false;
    }
    if (!leido || !escrito || cancelar.load())
        return false;
    leido = lector.Anadir(emulador.readAllStandardOutput()) && lector.Terminar();
    if (!leido || emulador.exitStatus() != QProcess::NormalExit || emulador.exitCode() != 0
        || lector.Maquinas() == 0)
        return false;
    catalogo.Sellar(sello);
    if (!escritor.Terminar(sello))
        return false;
    // Replaces the old catalogue in one step: a reader sees the old file or the new one.
    if (std::rename(QFile::encodeName(nueva).constData(), QFile::encodeName(destino).constData())
        == 0)
        return true;
    QFile::remove(nueva);
    return false;
}

} // namespace

ConstruccionCatalogo::ConstruccionCatalogo(QObject *parent)
    : QObject(parent)
{
    m_reloj.setInterval(200);
    connect(&m_reloj, &QTimer::timeout, this, [this] { Q_EMIT avance(Leidas()); });
}

ConstruccionCatalogo::~ConstruccionCatalogo()
{
    Cancelar();
}

void ConstruccionCatalogo::Iniciar(const CarpetaMame &carpeta, const OrdenEmulador &orden,
                                   Catalogo::Sello sello)
{
    Cancelar();
    m_cancelar = false;
    m_leidas = 0;
    m_resultado = std::make_shared<Catalogo>();
    const QString nueva = Catalogo::RutaNueva(carpeta);
    const QString destino = Catalogo::Ruta(carpeta);
    m_construido = false;
    m_hilo = QThread::create([this, orden, nueva, destino, sello, catalogo = m_resultado] {
        m_construido = Construir(orden, nueva, destino, sello, *catalogo, m_cancelar, m_leidas);
    });
    // The end of a build that was cancelled meanwhile may still be on its way: it is not this
    // build's end.
    connect(m_hilo, &QThread::finished, this, [this, generacion = ++m_generacion] {
        if (generacion == m_generacion && m_hilo)
            Terminada();
    });
    m_hilo->start();
    m_reloj.start();
    Q_EMIT avance(0);
}

void ConstruccionCatalogo::Cancelar()
{
    if (!HiloDeFondo::Detener(m_hilo, m_cancelar, m_generacion, this))
        return;
    m_reloj.stop();
    m_resultado.reset();
}

void ConstruccionCatalogo::Terminada()
{
    m_hilo->wait();
    m_hilo->deleteLater();
    m_hilo = nullptr;
    m_reloj.stop();
    std::shared_ptr<const Catalogo> resultado = std::move(m_resultado);
    if (!m_construido)
        resultado.reset();
    Q_EMIT terminada(resultado);
}

} // namespace Corvala
