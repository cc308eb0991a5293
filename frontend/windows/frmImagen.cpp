#include "frontend/windows/frmImagen.h"

#include <QPixmap>

namespace Corvala {

frmImagen::frmImagen(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                              | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    // No caption: a blank one, since for an empty title the platform would show the
    // application's name.
    setWindowTitle(QStringLiteral(" "));
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->move(0, 0);
}

void frmImagen::Mostrar(const QImage &imagen)
{
    Image1->setPixmap(QPixmap::fromImage(imagen));
    Image1->adjustSize();
    // The client area is the picture: the window system adds its own frame and title bar
    // around it, so the margins are always those of this platform's frame.
    setFixedSize(imagen.isNull() ? QSize(1, 1) : Image1->size());
    const QWidget *dueno = parentWidget()->window();
    move(dueno->frameGeometry().center() - rect().center());
    exec();
}

} // namespace Corvala
