#include "frontend/windows/BarraDeCatalogo.h"

#include "catalogue/logic/Catalogo.h"
#include "comun/logic/Sesion.h"
#include "comun/windows/Colores.h"
#include "emulator/logic/Ejecucion.h"
#include "frontend/logic/UsoDelCatalogo.h"

namespace Corvala {

BarraDeCatalogo::BarraDeCatalogo(QWidget *parent)
    : QProgressBar(parent)
{
    setTextVisible(false);
    setStyleSheet(QStringLiteral("QProgressBar { border: none; background: transparent; }"
                                 "QProgressBar::chunk { background: %1; }")
                          .arg(QColor(Colores::kFondoVentana).name()));
    hide();
    connect(&m_construccion, &ConstruccionCatalogo::avance, this, [this](int maquinas) {
        setValue(std::min(maquinas, maximum()));
        setToolTip(QStringLiteral("Preparando el catálogo del emulador: %1 de %2 máquinas.")
                           .arg(maquinas)
                           .arg(maximum()));
    });
    connect(&m_construccion, &ConstruccionCatalogo::terminada, this,
            [this](std::shared_ptr<const Catalogo> catalogo, const QString &motivo) {
                hide();
                Q_EMIT terminada(std::move(catalogo), motivo);
            });
}

void BarraDeCatalogo::Preparar(const Sesion &sesion, bool rehacer, int maquinas)
{
    const std::optional<OrdenEmulador> orden = UsoDelCatalogo::Orden(sesion);
    if (!orden)
        return;
    Catalogo::Sello sello = UsoDelCatalogo::SelloActual(sesion);
    if (!UsoDelCatalogo::HayQueConstruir(sesion, sello, rehacer))
        return;
    // The old catalogue serves until the new one is whole.
    m_construccion.Iniciar(sesion.carpeta, *orden, std::move(sello));
    setMaximum(std::max(1, maquinas));
    setValue(0);
    show();
    raise();
}

} // namespace Corvala
