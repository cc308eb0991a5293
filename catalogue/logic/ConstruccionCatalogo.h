#pragma once

#include "catalogue/logic/Catalogo.h"
#include "comun/logic/Resultado.h"
#include "emulator/logic/Ejecucion.h"

#include <QObject>
#include <QTimer>

#include <atomic>
#include <memory>

class QThread;

namespace Corvala {

// How far a build may go before it is stopped for good: an emulator that prints without end,
// or too slowly, is not giving its catalogue. Generous multiples of what the real one does (its
// whole -listxml takes 6 to 13 s, up to a minute on a loaded machine, for 269 MB).
struct LimitesConstruccion
{
    qint64 tiempoMs = 5 * 60 * 1000;
    qint64 silencioMs = 2 * 60 * 1000; // the longest the emulator may print nothing
    qint64 bytes = qint64(1) << 30;
    int maquinas = Catalogo::kMaximoDeMaquinas;
    int roms = Catalogo::kMaximoDeRoms;
};

// Builds a folder's catalogue in the background from the emulator's -listxml, read as it is
// printed: the output is never written out whole nor held in memory. The new database is
// written beside the old one (Catalogo::RutaNueva) and takes its place only when whole, so a
// build that fails, is cancelled or is killed leaves the old catalogue in use.
class ConstruccionCatalogo : public QObject
{
    Q_OBJECT

public:
    explicit ConstruccionCatalogo(QObject *parent = nullptr);
    // Cancels a build still running.
    ~ConstruccionCatalogo() override;

    // Starts a build of the folder's catalogue with the emulator's command (Emulador::
    // OrdenCatalogo), sealed with what it is built against. A build already running is
    // cancelled first. The old database is not replaced while another program uses it; with
    // conservarAnterior (it was no catalogue: perhaps somebody's file) it is kept beside the
    // new one as corvala.db.anterior.
    void Iniciar(const CarpetaMame &carpeta, const OrdenEmulador &orden, Catalogo::Sello sello,
                 LimitesConstruccion limites = {}, bool conservarAnterior = false);

    // Stops a build: the emulator's run ended, the unfinished file removed. Returns once
    // nothing of the build runs any more; terminada is not emitted.
    void Cancelar();

    bool EnCurso() const { return m_hilo != nullptr; }

    // The machines read so far by the build running.
    int Leidas() const { return m_leidas.load(); }

Q_SIGNALS:
    // How far the build has got, now and then while it runs.
    void avance(int maquinas);
    // The build has ended: the new catalogue, or null when it failed (the old one stays) and
    // why.
    void terminada(std::shared_ptr<const Catalogo> catalogo, const QString &motivo);

private:
    void Terminada();

    QThread *m_hilo = nullptr;
    QTimer m_reloj;
    std::atomic<bool> m_cancelar{false};
    std::atomic<int> m_leidas{0};
    Resultado m_fin; // written by the build's thread, read once it has ended
    std::shared_ptr<Catalogo> m_resultado;
    quint64 m_generacion = 0;
};

} // namespace Corvala
