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
    if (!m_sesion.ocupado) {
        m_ventana.close();
        return;
    }
    // The close follows once the game or the ROM manager has ended (Seguir).
    PedirFinDeEjecuciones();
    if (auto *dialogo = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
        dialogo->done(QDialog::Rejected);
}

bool CierreDelSistema::Seguir()
{
    if (m_pedido)
        QTimer::singleShot(0, &m_ventana, &QWidget::close);
    return m_pedido;
}

} // namespace Corvala
