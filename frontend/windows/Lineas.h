#pragma once

#include "frontend/windows/Colores.h"
#include "frontend/windows/Twips.h"

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

} // namespace Corvala::Twips
