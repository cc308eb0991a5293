#pragma once

#include <QObject>
#include <QThread>

#include <atomic>

namespace Corvala::HiloDeFondo {

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
