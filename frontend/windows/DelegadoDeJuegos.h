#pragma once

#include <QCache>
#include <QIcon>
#include <QPixmap>
#include <QStyledItemDelegate>

#include <functional>
#include <memory>

namespace Corvala {

class AlmacenDeImagenes;

// Draws the game list's rows, a favourite game marked with a star and in bold, and each game's
// icon at its start when the MAME folder keeps icons.
class DelegadoDeJuegos : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The names a row's icon is looked for by (its own, then its parent's).
    void PonerNombres(std::function<QStringList(const QModelIndex &)> nombres)
    {
        m_nombres = std::move(nombres);
    }
    // Where the icons are; none, or a folder without icons: rows as they always were.
    void PonerImagenes(std::shared_ptr<const AlmacenDeImagenes> imagenes);

protected:
    void initStyleOption(QStyleOptionViewItem *opcion, const QModelIndex &indice) const override;

private:
    // A row's icon, read once (a null picture: none).
    QPixmap Icono(const QModelIndex &indice) const;

    std::function<QStringList(const QModelIndex &)> m_nombres;
    std::shared_ptr<const AlmacenDeImagenes> m_imagenes;
    mutable QCache<QString, QPixmap> m_iconos{4000};
    mutable QIcon m_vacio; // the room of a row without an icon
};

} // namespace Corvala
