#include "frontend/windows/BarraDeCatalogo.h"

#include "comun/windows/Colores.h"

namespace Corvala {

BarraDeCatalogo::BarraDeCatalogo(QWidget *parent)
    : QProgressBar(parent)
{
    setTextVisible(false);
    setStyleSheet(QStringLiteral("QProgressBar { border: none; background: transparent; }"
                                 "QProgressBar::chunk { background: %1; }")
                          .arg(QColor(Colores::kFondoVentana).name()));
    hide();
}

void BarraDeCatalogo::Empezar(int maquinas)
{
    setMaximum(std::max(1, maquinas));
    setValue(0);
    show();
    raise();
}

void BarraDeCatalogo::Avance(int maquinas)
{
    setValue(std::min(maquinas, maximum()));
    setToolTip(QStringLiteral("Preparando el catálogo del emulador: %1 de %2 máquinas.")
                       .arg(maquinas)
                       .arg(maximum()));
}

} // namespace Corvala
