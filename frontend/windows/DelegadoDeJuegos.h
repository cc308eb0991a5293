#pragma once

#include <QStyledItemDelegate>

namespace Corvala {

// Draws the game list's rows, a favourite game marked with a star and in bold.
class DelegadoDeJuegos : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *opcion, const QModelIndex &indice) const override;
};

} // namespace Corvala
