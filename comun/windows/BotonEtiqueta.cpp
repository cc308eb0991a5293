#include "comun/windows/BotonEtiqueta.h"

#include "comun/windows/Colores.h"
#include "comun/windows/Imagenes.h"
#include "comun/windows/Twips.h"

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

void BotonEtiqueta::resizeEvent(QResizeEvent *evento)
{
    QLabel::resizeEvent(evento);
    Twips::EncajarTexto(this, text(), 6);
}

} // namespace Corvala
