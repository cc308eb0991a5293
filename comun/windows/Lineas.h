#pragma once

#include "comun/windows/Colores.h"
#include "comun/windows/Twips.h"

#include <QLine>
#include <QPainter>
#include <QWidget>

#include <initializer_list>

namespace Corvala::Twips {

// Lines drawn on a window, their ends in twips: the frame of a window without a system frame
// is four of them, 3 pixels wide.
inline void DibujarLineas(QWidget *ventana, std::initializer_list<QLine> lineas, int ancho = 3)
{
    QPainter pintor(ventana);
    pintor.setPen(QPen(QColor(Colores::kNegro), ancho, Qt::SolidLine, Qt::FlatCap));
    for (const QLine &linea : lineas)
        pintor.drawLine(Punto(linea.x1(), linea.y1()), Punto(linea.x2(), linea.y2()));
}

// The four lines that frame a window or panel of its whole size, one pixel in from its edges.
inline void Enmarcar(QWidget *ventana)
{
    const int ancho = DesdePx(ventana->width());
    const int alto = DesdePx(ventana->height());
    DibujarLineas(ventana, {{0, 15, ancho, 15},
                            {ancho - 15, 0, ancho - 15, alto},
                            {0, alto - 15, ancho, alto - 15},
                            {15, 0, 15, alto}});
}

} // namespace Corvala::Twips
