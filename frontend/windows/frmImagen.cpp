#include "frontend/windows/frmImagen.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <algorithm>

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
    const QWidget *dueno = parentWidget()->window();
    // The frame the window system puts around a window, as it put one around the owner's.
    const QMargins marco(dueno->geometry().left() - dueno->frameGeometry().left(),
                         dueno->geometry().top() - dueno->frameGeometry().top(),
                         dueno->frameGeometry().right() - dueno->geometry().right(),
                         dueno->frameGeometry().bottom() - dueno->geometry().bottom());
    const QRect pantalla = (dueno->screen() ? dueno->screen() : QGuiApplication::primaryScreen())
                                   ->availableGeometry();
    // A picture larger than the screen is shrunk to fit it, frame and all, in proportion.
    const QSize cabe = pantalla.marginsRemoved(marco).size();
    QPixmap dibujo = QPixmap::fromImage(imagen);
    if (!imagen.isNull() && (dibujo.width() > cabe.width() || dibujo.height() > cabe.height()))
        dibujo = dibujo.scaled(cabe, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    Image1->setPixmap(dibujo);
    Image1->adjustSize();
    // The client area is the picture: the window system adds its own frame and title bar
    // around it, so the margins are always those of this platform's frame.
    setFixedSize(imagen.isNull() ? QSize(1, 1) : Image1->size());
    // Centred over the owner, its title bar kept on the screen.
    QRect lugar = rect().marginsAdded(marco);
    lugar.moveCenter(dueno->frameGeometry().center());
    lugar.moveLeft(std::clamp(lugar.left(), pantalla.left(),
                              std::max(pantalla.left(), pantalla.right() + 1 - lugar.width())));
    lugar.moveTop(std::clamp(lugar.top(), pantalla.top(),
                             std::max(pantalla.top(), pantalla.bottom() + 1 - lugar.height())));
    move(lugar.topLeft());
    exec();
}

} // namespace Corvala
