#include "infowindows/windows/frmHistorial.h"

#include "comun/windows/BotonEtiqueta.h"
#include "comun/windows/Colores.h"
#include "comun/windows/Imagenes.h"
#include "comun/windows/Lineas.h"
#include "comun/windows/Nombrar.h"
#include "comun/windows/Twips.h"
#include "infowindows/logic/NotasDeVersion.h"
#include "infowindows/windows/Informacion.h"

#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace Corvala {

QSize frmHistorial::TamanoDeDiseno()
{
    return Twips::Tamano(4695, 2925);
}

frmHistorial::frmHistorial(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    Informacion::PrepararVentana(this, QStringLiteral("Historial"), TamanoDeDiseno());

    Text1 = new QPlainTextEdit(this);
    Text1->setGeometry(Twips::Rect(75, 855, 4545, 1680));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Colores::Colorear(Text1, QPalette::Base, Colores::kBotonPulsado);
    Colores::Colorear(Text1, QPalette::Text, Colores::kNegro);
    // The box shows its own line ends.
    const QString notas = NotasDeVersion().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Text1->setPlainText(notas);
    AjustarFuente(notas.split(QLatin1Char('\n')));

    lblSalir
            = BotonEtiqueta::Negrita(QStringLiteral("OK"), this, Twips::Rect(3975, 2565, 630, 255));
    connect(lblSalir, &BotonEtiqueta::clic, this, &QDialog::close);

    Image1 = new QLabel(this);
    Image1->move(Twips::Punto(1020, 105));

    // Form_Load: the header picture, and the hand over "OK".
    Image1->setPixmap(Informacion::ImagenHistorial());
    Image1->adjustSize();
    lblSalir->setCursor(Imagenes::Mano());
    Nombrar({{Text1, "Text1"}, {lblSalir, "lblSalir"}, {Image1, "Image1"}});
}

void frmHistorial::AjustarFuente(const QStringList &lineas)
{
    // The notes are broken by hand: the font is made small enough for their longest line to
    // fit the box beside its scroll bar, down to 8 pixels at the least.
    const int ancho = Text1->width() - 2 * Text1->frameWidth()
                      - Text1->verticalScrollBar()->sizeHint().width()
                      - 2 * int(std::ceil(Text1->document()->documentMargin()));
    QFont fuente = Text1->font();
    const auto masAncha = [&] {
        const QFontMetrics medidas(fuente);
        int maximo = 0;
        for (const QString &linea : lineas)
            maximo = std::max(maximo, medidas.horizontalAdvance(linea));
        return maximo;
    };
    while (fuente.pixelSize() > 8 && masAncha() > ancho)
        fuente.setPixelSize(fuente.pixelSize() - 1);
    Text1->setFont(fuente);
}

void frmHistorial::paintEvent(QPaintEvent *evento)
{
    QDialog::paintEvent(evento);
    Twips::DibujarLineas(this, {{4695, 2895, 0, 2895},  // Line4
                                {0, 15, 4695, 15},      // Line3
                                {4665, 45, 4665, 3135}, // Line2
                                {15, -30, 15, 3060}});  // Line1
}

} // namespace Corvala
