#pragma once

#include "comun/windows/Colores.h"
#include "comun/windows/Twips.h"

#include <QLabel>

namespace Corvala {

// A label of Corvala's windows: its caption in the 8.25-point font, in a colour, at a place
// given in twips, drawn smaller when the platform's font would not fit it in its box. Its text
// is plain text, whatever it holds: a file name such as "<h1>a.zip" is shown as it is.
inline QLabel *Etiqueta(QWidget *padre, const QString &texto, const QRect &lugar, QRgb color,
                        bool negrita = false)
{
    auto *etiqueta = new QLabel(padre);
    etiqueta->setTextFormat(Qt::PlainText);
    etiqueta->setText(texto);
    etiqueta->setGeometry(lugar);
    etiqueta->setFont(Twips::Fuente(8.25, negrita));
    Colores::Colorear(etiqueta, QPalette::WindowText, color);
    Twips::EncajarTexto(etiqueta, texto, 0);
    return etiqueta;
}

} // namespace Corvala
