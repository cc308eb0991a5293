#pragma once

#include <QPalette>
#include <QRgb>
#include <QWidget>

// The colours of Corvala's windows.
namespace Corvala::Colores {

constexpr QRgb kFondoVentana = qRgb(15, 63, 96);
constexpr QRgb kBotonReposo = qRgb(132, 181, 217);
constexpr QRgb kBotonPulsado = qRgb(194, 218, 237);
constexpr QRgb kGris = qRgb(128, 128, 128);
constexpr QRgb kFondoLista = qRgb(236, 249, 253);
constexpr QRgb kBlanco = qRgb(255, 255, 255);
constexpr QRgb kNegro = qRgb(0, 0, 0);

// The status line: working or warning, list loaded, game ended, usable version and hints.
constexpr QRgb kRojo = qRgb(255, 0, 0);
constexpr QRgb kVerde = qRgb(0, 192, 0);
constexpr QRgb kAzul = qRgb(0, 0, 192);
constexpr QRgb kTurquesa = qRgb(0, 128, 128);

// Gives one colour of a control's palette.
inline void Colorear(QWidget *control, QPalette::ColorRole papel, QRgb color)
{
    QPalette colores = control->palette();
    colores.setColor(papel, QColor(color));
    control->setPalette(colores);
}

} // namespace Corvala::Colores
