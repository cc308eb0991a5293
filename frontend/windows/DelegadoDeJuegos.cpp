#include "frontend/windows/DelegadoDeJuegos.h"

#include "frontend/logic/ModeloDeJuegos.h"

namespace Corvala {

void DelegadoDeJuegos::initStyleOption(QStyleOptionViewItem *opcion,
                                       const QModelIndex &indice) const
{
    QStyledItemDelegate::initStyleOption(opcion, indice);
    if (!indice.data(ModeloDeJuegos::kRolFavorito).toBool())
        return;
    opcion->text = QStringLiteral("★ ") + opcion->text;
    opcion->font.setBold(true);
}

} // namespace Corvala
