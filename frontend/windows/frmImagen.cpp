#include "frontend/windows/frmImagen.h"

#include "comun/windows/Colores.h"
#include "comun/windows/Twips.h"

#include <QGuiApplication>
#include <QKeyEvent>
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
    lblNombre = new QLabel(this);
    lblNombre->setObjectName(QStringLiteral("lblNombre"));
    lblNombre->setTextFormat(Qt::PlainText);
    lblNombre->setAlignment(Qt::AlignCenter);
    lblNombre->setFont(Twips::Fuente(8.25, true));
    lblNombre->setAutoFillBackground(true);
    Colores::Colorear(lblNombre, QPalette::Window, Colores::kFondoVentana);
    Colores::Colorear(lblNombre, QPalette::WindowText, Colores::kBlanco);
    lblNombre->hide();
}

void frmImagen::Mostrar(const QImage &imagen)
{
    m_nombrar = false;
    m_imagenes = {{QString(), imagen}};
    Poner(0);
    exec();
}

void frmImagen::Mostrar(const QList<Imagen> &imagenes)
{
    if (imagenes.isEmpty())
        return;
    m_nombrar = true;
    m_imagenes = imagenes;
    Poner(0);
    exec();
}

void frmImagen::Pasar(int cuantas)
{
    if (m_imagenes.size() < 2)
        return;
    const int cantidad = int(m_imagenes.size());
    Poner(((m_actual + cuantas) % cantidad + cantidad) % cantidad);
}

void frmImagen::keyPressEvent(QKeyEvent *evento)
{
    if (evento->key() == Qt::Key_Right || evento->key() == Qt::Key_Down)
        Pasar(1);
    else if (evento->key() == Qt::Key_Left || evento->key() == Qt::Key_Up)
        Pasar(-1);
    else
        QDialog::keyPressEvent(evento);
}

void frmImagen::mousePressEvent(QMouseEvent *evento)
{
    QDialog::mousePressEvent(evento);
    Pasar(1);
}

void frmImagen::Poner(int indice)
{
    m_actual = indice;
    const QImage &imagen = m_imagenes[indice].imagen;
    const QWidget *dueno = parentWidget()->window();
    // The frame the window system puts around a window, as it put one around the owner's.
    const QMargins marco(dueno->geometry().left() - dueno->frameGeometry().left(),
                         dueno->geometry().top() - dueno->frameGeometry().top(),
                         dueno->frameGeometry().right() - dueno->geometry().right(),
                         dueno->frameGeometry().bottom() - dueno->geometry().bottom());
    const QRect pantalla = (dueno->screen() ? dueno->screen() : QGuiApplication::primaryScreen())
                                   ->availableGeometry();
    // The name of the kind, when there is one, takes a line below the picture.
    QString nombre = m_imagenes[indice].nombre;
    if (m_imagenes.size() > 1)
        nombre += QStringLiteral("  (%1 de %2: ← →)").arg(indice + 1).arg(m_imagenes.size());
    const int altoNombre = m_nombrar ? lblNombre->sizeHint().height() + 4 : 0;
    // A picture larger than the screen is shrunk to fit it, frame and all, in proportion.
    const QSize cabe = pantalla.marginsRemoved(marco).size() - QSize(0, altoNombre);
    QPixmap dibujo = QPixmap::fromImage(imagen);
    if (!imagen.isNull() && (dibujo.width() > cabe.width() || dibujo.height() > cabe.height()))
        dibujo = dibujo.scaled(cabe, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    Image1->setPixmap(dibujo);
    Image1->adjustSize();
    QSize tamano = imagen.isNull() ? QSize(1, 1) : Image1->size();
    lblNombre->setVisible(m_nombrar);
    if (m_nombrar) {
        lblNombre->setText(nombre);
        tamano = QSize(std::max(tamano.width(), lblNombre->sizeHint().width() + 8),
                       Image1->height() + altoNombre);
        lblNombre->setGeometry(0, Image1->height(), tamano.width(), altoNombre);
    }
    // The client area is the picture: the window system adds its own frame and title bar
    // around it, so the margins are always those of this platform's frame.
    setFixedSize(tamano);
    // Centred over the owner, its title bar kept on the screen.
    QRect lugar = rect().marginsAdded(marco);
    lugar.moveCenter(dueno->frameGeometry().center());
    lugar.moveLeft(std::clamp(lugar.left(), pantalla.left(),
                              std::max(pantalla.left(), pantalla.right() + 1 - lugar.width())));
    lugar.moveTop(std::clamp(lugar.top(), pantalla.top(),
                             std::max(pantalla.top(), pantalla.bottom() + 1 - lugar.height())));
    move(lugar.topLeft());
}

} // namespace Corvala
