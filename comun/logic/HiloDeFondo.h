#pragma once

#include <QObject>
#include <QThread>

#include <atomic>

namespace Corvala::HiloDeFondo {

// A thread of work that has ended, let go: waited for, deleted once its signals are delivered,
// and forgotten.
inline void Soltar(QThread *&hilo)
{
    hilo->wait();
    hilo->deleteLater();
    hilo = nullptr;
}

// Stops a thread of work that watches the flag, and returns once nothing of it runs any more.
// Its end no longer reaches the receiver, and the generation moves on, so that an end of it
// already queued is not taken for the next thread's. False when there was no thread.
inline bool Detener(QThread *&hilo, std::atomic<bool> &cancelar, quint64 &generacion,
                    QObject *receptor)
{
    if (!hilo)
        return false;
    cancelar = true;
    ++generacion;
    hilo->disconnect(receptor);
    hilo->wait();
    delete hilo;
    hilo = nullptr;
    return true;
}

} // namespace Corvala::HiloDeFondo
