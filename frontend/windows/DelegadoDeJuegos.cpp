#include "frontend/windows/DelegadoDeJuegos.h"

#include "comun/windows/Colores.h"
#include "frontend/logic/ModeloDeJuegos.h"

namespace Corvala {

void DelegadoDeJuegos::initStyleOption(QStyleOptionViewItem *opcion,
                                       const QModelIndex &indice) const
{
    QStyledItemDelegate::initStyleOption(opcion, indice);
    // A game the audit found cannot run is drawn apart, in grey.
    if (indice.data(ModeloDeJuegos::kRolNoJugable).toBool()) {
        opcion->palette.setColor(QPalette::Text, QColor(Colores::kGris));
        opcion->palette.setColor(QPalette::HighlightedText, QColor(Colores::kBotonPulsado));
    }
    if (!indice.data(ModeloDeJuegos::kRolFavorito).toBool())
        return;
    opcion->text = QStringLiteral("★ ") + opcion->text;
    opcion->font.setBold(true);
}

} // namespace Corvala
