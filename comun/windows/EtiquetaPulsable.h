#pragma once

#include <QLabel>
#include <QMouseEvent>

namespace Corvala {

// True when a release of the left button over the control ends a click on it: the pointer is
// still inside the control.
inline bool EsClic(const QMouseEvent *liberacion, const QWidget *control)
{
    return liberacion->button() == Qt::LeftButton
           && control->rect().contains(liberacion->position().toPoint());
}

// A label that can be clicked: it says when the mouse button goes down over it, when it comes
// up again, and then, when the release ends a click, that it was clicked. What it looks like
// meanwhile is for whoever listens.
class EtiquetaPulsable : public QLabel
{
    Q_OBJECT

public:
    explicit EtiquetaPulsable(const QString &texto, QWidget *parent = nullptr);

Q_SIGNALS:
    void pulsada();
    void soltada();
    void clic();

protected:
    void mousePressEvent(QMouseEvent *evento) override;
    void mouseReleaseEvent(QMouseEvent *evento) override;
};

} // namespace Corvala
