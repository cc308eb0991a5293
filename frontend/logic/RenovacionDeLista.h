#pragma once

#include "frontend/logic/Arranque.h"

#include <QObject>
#include <QTimer>

namespace Corvala {

struct Sesion;

// The renewal of the game list the player asks for: the old lista.txt is set aside, a short
// countdown is shown (Timer1, one step a second, paused while a game runs or the ROM manager is
// open), and then the list is loaded again and the catalogue built anew. The hourglass stays
// up through the countdown, until the list has been loaded.
class RenovacionDeLista : public QObject
{
    Q_OBJECT

public:
    // The countdown's timer, Timer1, is the parent's (the window's).
    explicit RenovacionDeLista(Sesion &sesion, QObject *parent = nullptr);

    // The player asks for a new list.
    void Pedir();
    // One step of the countdown.
    void Paso();
    // A load of the list begins: a countdown still running ends here, since this is the load it
    // waited for; true then (the catalogue is to be built again).
    bool Cargando();
    // The load has ended.
    void Cargada() { m_timer.stop(); }

Q_SIGNALS:
    void estado(const LineaDeEstado &linea);
    // The hourglass, put up or taken down.
    void reloj(bool puesto);
    // The list is to be loaded again, the catalogue built anew with rehacer.
    void cargar(bool rehacer);

private:
    Sesion &m_sesion;
    QTimer m_timer;
    int m_cuenta = 0;
};

} // namespace Corvala
