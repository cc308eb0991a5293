#include "frontend/windows/CasillaDeTeclas.h"

#include "comun/windows/Colores.h"
#include "comun/windows/Imagenes.h"
#include "comun/windows/Twips.h"
#include "controls/logic/UsoDeTeclas.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QStyle>

namespace Corvala {

using Colores::Colorear;

CasillaDeTeclas::CasillaDeTeclas(QWidget &ventana, UsoDeTeclas &uso)
    : QObject(&ventana)
    , m_uso(uso)
{
    m_fondo = new QLabel(&ventana);
    m_fondo->setObjectName(QStringLiteral("Shape1"));
    m_fondo->setGeometry(Twips::Rect(45, 2265, 2070, 255));
    m_fondo->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_fondo->setAutoFillBackground(true);
    Colorear(m_fondo, QPalette::WindowText, Colores::kNegro);

    m_casilla = new QCheckBox(QStringLiteral("Utilizar teclas definidas"), &ventana);
    m_casilla->setObjectName(QStringLiteral("chkUsaControles"));
    m_casilla->setGeometry(Twips::Rect(105, 2280, 1935, 225));
    m_casilla->setAutoFillBackground(true);
    m_casilla->setBackgroundRole(QPalette::Window);
    m_casilla->setCursor(Imagenes::Mano());
    Colorear(m_casilla, QPalette::WindowText, Colores::kNegro);
    Pintar(Colores::kBotonReposo);
    m_casilla->setToolTip(QStringLiteral(
            "Marca esta casilla si quieres utilizar las terclas definidas desde el Corvala!"));
    const QStyle *estilo = ventana.style();
    Twips::EncajarTexto(m_casilla, m_casilla->text(),
                        estilo->pixelMetric(QStyle::PM_IndicatorWidth)
                                + estilo->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) + 4);

    connect(m_casilla, &QCheckBox::clicked, &m_uso, &UsoDeTeclas::Pulsar);
    connect(&m_uso, &UsoDeTeclas::marcadaCambiada, m_casilla, &QCheckBox::setChecked);
    m_casilla->installEventFilter(this);
}

void CasillaDeTeclas::SinControles()
{
    m_sinControles = true;
    Pintar(Colores::kGris);
    m_uso.Marcar(false);
    m_casilla->setEnabled(false);
}

void CasillaDeTeclas::Pintar(QRgb color)
{
    Colorear(m_fondo, QPalette::Window, color);
    Colorear(m_casilla, QPalette::Window, color);
    Colorear(m_casilla, QPalette::Button, color);
}

bool CasillaDeTeclas::eventFilter(QObject *objeto, QEvent *evento)
{
    if (objeto == m_casilla) {
        if (evento->type() == QEvent::MouseButtonPress)
            Pintar(Colores::kBotonPulsado);
        else if (evento->type() == QEvent::MouseButtonRelease)
            Pintar(m_sinControles ? Colores::kGris : Colores::kBotonReposo);
    }
    return QObject::eventFilter(objeto, evento);
}

} // namespace Corvala
