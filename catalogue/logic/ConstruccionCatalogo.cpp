#include "catalogue/logic/ConstruccionCatalogo.h"

#include "comun/logic/HiloDeFondo.h"

#include "catalogue/logic/LectorListaXml.h"
#include "comun/logic/BaseSqlite.h"
#include "comun/logic/CarpetaMame.h"
#include "comun/logic/Motivos.h"
#include "emulator/logic/Ejecucion.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace Corvala {

namespace {

// Puts the new database in the old one's place in one step: a reader sees the old file or the
// new one. Whatever else bears the database's name (a folder, a pipe) is not replaced, nor is a
// database another program has a transaction open on: its lock is taken first and held until
// the new file is in place.
Resultado Reemplazar(const QString &nueva, const QString &destino, bool conservarAnterior)
{
    const QFileInfo viejo(destino);
    const auto fallo = [&nueva](const QString &motivo) {
        QFile::remove(nueva);
        return Resultado::Fallo(motivo);
    };
    if (viejo.exists() && !viejo.isFile())
        return fallo(QStringLiteral("%1: %2").arg(destino, Motivos::NoEsArchivoNormal()));
    BaseSqlite enUso;
    if (viejo.exists() && enUso.Abrir(destino, false) && !enUso.Ejecutar("BEGIN EXCLUSIVE")) {
        const int codigo = sqlite3_errcode(enUso.Base()) & 0xff;
        if (codigo == SQLITE_BUSY || codigo == SQLITE_LOCKED)
            return fallo(QStringLiteral("%1: %2").arg(destino, enUso.Motivo()));
    }
    const QString anterior = destino + QLatin1String(".anterior");
    if (conservarAnterior && viejo.exists()
        && std::rename(QFile::encodeName(destino).constData(),
                       QFile::encodeName(anterior).constData())
                   != 0)
        return fallo(QStringLiteral("%1 no se puede guardar como %2: %3")
                             .arg(destino, anterior, Motivos::DelSistema(errno)));
    if (std::rename(QFile::encodeName(nueva).constData(), QFile::encodeName(destino).constData())
        != 0)
        return fallo(QStringLiteral("%1 no puede ocupar el lugar de %2: %3")
                             .arg(nueva, destino, Motivos::DelSistema(errno)));
    return {};
}

// Runs in the build's thread: the emulator's output into the reader, each machine into the
// database and the catalogue kept in memory. Success once the whole list was read and the new
// database put in place; otherwise why not.
Resultado Construir(const OrdenEmulador &orden, const QString &nueva, const QString &destino,
                    const Catalogo::Sello &sello, const LimitesConstruccion &limites,
                    bool conservarAnterior, Catalogo &catalogo, const std::atomic<bool> &cancelar,
                    std::atomic<int> &leidas)
{
    EscritorCatalogo escritor(nueva);
    bool escrito = true;
    qint64 roms = 0;
    int maquinas = 0;
    LectorListaXml lector([&](const FichaMaquina &maquina, const QVector<FichaRom> &deLaMaquina) {
        roms += deLaMaquina.size();
        // Past a bound nothing more is kept: the build is about to stop.
        if (roms > limites.roms || ++maquinas > limites.maquinas)
            return;
        escrito = escrito && escritor.Agregar(maquina, deLaMaquina);
        catalogo.Agregar(maquina, deLaMaquina);
        leidas.fetch_add(1);
    });
    const auto noEscrito = [&] {
        return Resultado::Fallo(QStringLiteral("%1: %2").arg(nueva, escritor.Motivo()));
    };
    const auto noLeido = [&] {
        return Resultado::Fallo(QStringLiteral("la lista de máquinas del emulador (-listxml): ")
                                + lector.Error());
    };

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
        return Resultado::Fallo(QStringLiteral("el emulador no se puede iniciar: ")
                                + emulador.errorString());

    bool leido = true;
    std::optional<QString> excedido;
    qint64 bytes = 0;
    QElapsedTimer callado;
    QElapsedTimer total;
    callado.start();
    total.start();
    while (leido && escrito && !excedido && !cancelar.load()) {
        if (emulador.waitForReadyRead(100)) {
            const QByteArray trozo = emulador.readAllStandardOutput();
            bytes += trozo.size();
            leido = lector.Anadir(trozo);
            callado.restart();
        } else if (emulador.state() == QProcess::NotRunning) {
            break;
        }
        if (callado.elapsed() > limites.silencioMs)
            excedido = QStringLiteral("el emulador no ha escrito nada en %1 s")
                               .arg(limites.silencioMs / 1000);
        else if (total.elapsed() > limites.tiempoMs)
            excedido = QStringLiteral("el emulador ha tardado más de %1 s en dar su lista de "
                                      "máquinas (-listxml)")
                               .arg(limites.tiempoMs / 1000);
        else if (bytes > limites.bytes)
            excedido = QStringLiteral(
                               "la lista de máquinas del emulador (-listxml) ocupa más de %1 MB")
                               .arg(limites.bytes >> 20);
        else if (maquinas > limites.maquinas)
            excedido = QStringLiteral("la lista de máquinas del emulador (-listxml) tiene más de "
                                      "%1 máquinas")
                               .arg(limites.maquinas);
        else if (roms > limites.roms)
            excedido = QStringLiteral(
                               "la lista de máquinas del emulador (-listxml) tiene más de %1 ROMs")
                               .arg(limites.roms);
    }
    if (emulador.state() != QProcess::NotRunning) {
        emulador.kill();
        emulador.waitForFinished(-1);
    }
    if (cancelar.load())
        return Resultado::Fallo(QStringLiteral("cancelled"));
    if (excedido)
        return Resultado::Fallo(*excedido);
    if (!escrito)
        return noEscrito();
    if (emulador.exitStatus() != QProcess::NormalExit)
        return Resultado::Fallo(QStringLiteral(
                "el emulador se ha cerrado de golpe al dar su lista de máquinas (-listxml)"));
    if (emulador.exitCode() != 0)
        return Resultado::Fallo(QStringLiteral("el emulador ha terminado con el código %1 al dar "
                                               "su lista de máquinas (-listxml)")
                                        .arg(emulador.exitCode()));
    if (!leido || !lector.Anadir(emulador.readAllStandardOutput()) || !lector.Terminar())
        return noLeido();
    if (lector.Maquinas() == 0)
        return Resultado::Fallo(
                QStringLiteral("la lista de máquinas del emulador (-listxml) está vacía"));
    catalogo.Sellar(sello);
    if (!escritor.Terminar(sello))
        return noEscrito();
    return Reemplazar(nueva, destino, conservarAnterior);
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
                                   Catalogo::Sello sello, LimitesConstruccion limites,
                                   bool conservarAnterior)
{
    Cancelar();
    m_cancelar = false;
    m_leidas = 0;
    m_resultado = std::make_shared<Catalogo>();
    const QString nueva = Catalogo::RutaNueva(carpeta);
    const QString destino = Catalogo::Ruta(carpeta);
    m_fin = {};
    m_hilo = QThread::create([this, orden, nueva, destino, sello, limites, conservarAnterior,
                              catalogo = m_resultado] {
        m_fin = Construir(orden, nueva, destino, sello, limites, conservarAnterior, *catalogo,
                          m_cancelar, m_leidas);
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
    HiloDeFondo::Soltar(m_hilo);
    m_reloj.stop();
    std::shared_ptr<const Catalogo> resultado = std::move(m_resultado);
    if (!m_fin)
        resultado.reset();
    Q_EMIT terminada(resultado, m_fin.Motivo());
}

} // namespace Corvala
