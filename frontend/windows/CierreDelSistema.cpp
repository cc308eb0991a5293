#include "frontend/windows/CierreDelSistema.h"

#include "comun/logic/Sesion.h"
#include "emulator/logic/Ejecucion.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

namespace Corvala {

CierreDelSistema::CierreDelSistema(QWidget &ventana, const Sesion &sesion)
    : QObject(&ventana)
    , m_ventana(ventana)
    , m_sesion(sesion)
{
}

void CierreDelSistema::Pedir()
{
    m_pedido = true;
    auto *dialogo = qobject_cast<QDialog *>(QApplication::activeModalWidget());
    if (!m_sesion.ocupado && !dialogo) {
        m_ventana.close();
        return;
    }
    // A window over this one (the controls, a box) closes first, saving nothing; the close
    // follows once it has. A game or the ROM manager is asked to end, and the close follows
    // once it has ended (Seguir).
    if (m_sesion.ocupado)
        PedirFinDeEjecuciones();
    if (dialogo)
        dialogo->done(QDialog::Rejected);
    if (!m_sesion.ocupado)
        QTimer::singleShot(0, &m_ventana, &QWidget::close);
}

bool CierreDelSistema::Seguir()
{
    if (m_pedido)
        QTimer::singleShot(0, &m_ventana, &QWidget::close);
    return m_pedido;
}

} // namespace Corvala
