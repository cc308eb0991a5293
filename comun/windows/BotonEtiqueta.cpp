#include "comun/windows/BotonEtiqueta.h"

#include "comun/windows/Colores.h"
#include "comun/windows/Imagenes.h"
#include "comun/windows/Twips.h"

#include <QKeyEvent>
#include <QPainter>

#include <utility>

namespace Corvala {

BotonEtiqueta::BotonEtiqueta(const QString &texto, QWidget *parent)
    : EtiquetaPulsable(texto, parent)
{
    // Painted before anyone else hears of the release, so that the click finds the resting
    // colour (or grey) in place.
    connect(this, &EtiquetaPulsable::pulsada, this, [this] {
        m_habilitadoAlPulsar = !m_gris;
        if (m_aspectoPulsado)
            PintarFondo(Colores::kBotonPulsado);
    });
    connect(this, &EtiquetaPulsable::soltada, this,
            [this] { PintarFondo(m_habilitadoAlPulsar ? Colores::kBotonReposo : Colores::kGris); });
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAutoFillBackground(true);
    setCursor(Imagenes::Mano());
    // Tab reaches it; a click leaves the focus where it was (on the list, say).
    setFocusPolicy(Qt::TabFocus);
    Colores::Colorear(this, QPalette::WindowText, Colores::kNegro);
    PintarFondo(Colores::kBotonReposo);
}

BotonEtiqueta *BotonEtiqueta::Negrita(const QString &texto, QWidget *parent, const QRect &lugar)
{
    auto *boton = new BotonEtiqueta(texto, parent);
    boton->setFont(Twips::Fuente(8.25, true));
    boton->setGeometry(lugar);
    return boton;
}

void BotonEtiqueta::PintarFondo(QRgb color)
{
    m_fondo = color;
    Colores::Colorear(this, QPalette::Window, color);
}

void BotonEtiqueta::PonerGris(bool gris)
{
    m_gris = gris;
    PintarFondo(gris ? Colores::kGris : Colores::kBotonReposo);
}

namespace {

bool PulsaBotones(int tecla)
{
    return tecla == Qt::Key_Space || tecla == Qt::Key_Return || tecla == Qt::Key_Enter;
}

} // namespace

void BotonEtiqueta::keyPressEvent(QKeyEvent *evento)
{
    if (!PulsaBotones(evento->key()) || evento->modifiers() & ~Qt::KeypadModifier) {
        EtiquetaPulsable::keyPressEvent(evento);
        return;
    }
    evento->accept();
    if (evento->isAutoRepeat() || m_tecla)
        return;
    m_tecla = evento->key();
    Q_EMIT pulsada();
}

void BotonEtiqueta::keyReleaseEvent(QKeyEvent *evento)
{
    if (evento->key() != m_tecla || evento->isAutoRepeat()) {
        EtiquetaPulsable::keyReleaseEvent(evento);
        return;
    }
    evento->accept();
    m_tecla = 0;
    Q_EMIT soltada();
    Q_EMIT clic();
}

void BotonEtiqueta::focusOutEvent(QFocusEvent *evento)
{
    EtiquetaPulsable::focusOutEvent(evento);
    // Held while the focus went: it comes up without a click.
    if (std::exchange(m_tecla, 0))
        Q_EMIT soltada();
}

void BotonEtiqueta::paintEvent(QPaintEvent *evento)
{
    EtiquetaPulsable::paintEvent(evento);
    if (!hasFocus())
        return;
    // A dotted frame inside the border, plain to see on the button's light blue.
    QPainter pintor(this);
    pintor.setPen(QPen(QColor(Colores::kNegro), 1, Qt::DotLine));
    pintor.drawRect(rect().adjusted(2, 2, -3, -3));
}

void BotonEtiqueta::resizeEvent(QResizeEvent *evento)
{
    QLabel::resizeEvent(evento);
    Twips::EncajarTexto(this, text(), 6);
}

} // namespace Corvala
