#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <cmath>

// Corvala's windows are laid out in twips (1/1440 inch). They are drawn at 96 dots per inch:
// 15 twips to a pixel, and every position, size and font size goes through these helpers.
namespace Corvala::Twips {

constexpr int kPorPixel = 15;

inline int Px(int twips)
{
    return int(std::lround(double(twips) / kPorPixel));
}

inline int DesdePx(int pixeles)
{
    return pixeles * kPorPixel;
}

inline QRect Rect(int izquierda, int arriba, int ancho, int alto)
{
    return {Px(izquierda), Px(arriba), Px(ancho), Px(alto)};
}

inline QRect Rect(const QRect &twips)
{
    return Rect(twips.x(), twips.y(), twips.width(), twips.height());
}

inline QPoint Punto(int x, int y)
{
    return {Px(x), Px(y)};
}

inline QSize Tamano(int ancho, int alto)
{
    return {Px(ancho), Px(alto)};
}

// The platform's sans-serif font at a size in points, 72 points to the inch.
inline QFont Fuente(double puntos, bool negrita = false)
{
    QFont fuente(QStringLiteral("Sans Serif"));
    fuente.setStyleHint(QFont::SansSerif);
    fuente.setPixelSize(int(std::lround(puntos * 96.0 / 72.0)));
    fuente.setBold(negrita);
    return fuente;
}

// The controls keep their designed sizes whatever font the platform has: a caption that does
// not fit its box (less a reserve, such as a check box's indicator) is drawn a little smaller,
// down to 8 pixels at the least.
inline void EncajarTexto(QWidget *control, const QString &texto, int reserva)
{
    QFont fuente = control->font();
    int pixeles = fuente.pixelSize();
    while (pixeles > 8
           && QFontMetrics(fuente).horizontalAdvance(texto) > control->width() - reserva)
        fuente.setPixelSize(--pixeles);
    control->setFont(fuente);
}

} // namespace Corvala::Twips
