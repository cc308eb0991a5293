#include "comun/windows/EtiquetaPulsable.h"

namespace Corvala {

EtiquetaPulsable::EtiquetaPulsable(const QString &texto, QWidget *parent)
    : QLabel(texto, parent)
{
}

void EtiquetaPulsable::mousePressEvent(QMouseEvent *evento)
{
    evento->accept();
    Q_EMIT pulsada();
}

void EtiquetaPulsable::mouseReleaseEvent(QMouseEvent *evento)
{
    evento->accept();
    Q_EMIT soltada();
    if (EsClic(evento, this))
        Q_EMIT clic();
}

} // namespace Corvala
