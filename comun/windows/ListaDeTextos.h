#pragma once

#include "comun/windows/Colores.h"

#include <QAbstractItemModel>
#include <QListView>

namespace Corvala {

// A list of Corvala's windows: one column of texts, one entry chosen at a time, a plain black
// frame, black text on the pale list colour, at a place given in pixels.
inline QListView *ListaDeTextos(QWidget *padre, QAbstractItemModel *modelo, const QRect &lugar)
{
    auto *lista = new QListView(padre);
    lista->setGeometry(lugar);
    lista->setModel(modelo);
    lista->setUniformItemSizes(true);
    lista->setSelectionMode(QAbstractItemView::SingleSelection);
    lista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A text too long is shortened in its middle: "… (set 1)" and "… (set 2)" stay apart.
    lista->setTextElideMode(Qt::ElideMiddle);
    lista->setFrameStyle(QFrame::Box | QFrame::Plain);
    Colores::Colorear(lista, QPalette::Base, Colores::kFondoLista);
    Colores::Colorear(lista, QPalette::Text, Colores::kNegro);
    return lista;
}

} // namespace Corvala
