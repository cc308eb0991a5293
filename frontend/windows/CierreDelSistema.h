#pragma once

#include <QObject>

class QWidget;

namespace Corvala {

struct Sesion;

// The system is ending (a logout, a shutdown, a signal): the main window closes as the
// player's close would, undoing what Corvala changed. A window open over it (the controls, a box)
// is closed first, saving nothing; a game or the ROM manager is asked to end first rather than
// refusing the close, which follows once they have ended.
class CierreDelSistema : public QObject
{
    Q_OBJECT

public:
    CierreDelSistema(QWidget &ventana, const Sesion &sesion);

    void Pedir();
    // A game or the ROM manager has ended: the close asked for meanwhile, if any, follows.
    // True when one was asked for.
    bool Seguir();
    bool Pedido() const { return m_pedido; }

private:
    QWidget &m_ventana;
    const Sesion &m_sesion;
    bool m_pedido = false;
};

} // namespace Corvala
