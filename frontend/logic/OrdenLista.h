#pragma once

#include <QStringList>
#include <QVector>

namespace Corvala {

// The order of the game list: the recognised titles ascending by ordinal text comparison, then
// the unrecognised entries (those beginning "ROM desconocida(") in the order that the game
// list has always given them. The result is the index list: for each visible position, the
// position of its text in the given list.
//
// The order is that of two classic exchange passes over the list (the first sorts it
// descending, the second brings every recognised title to the front, which reverses them),
// computed in O(n log n). Texts that compare equal keep their given order among themselves.
QVector<int> OrdenarLista(const QStringList &textos);

} // namespace Corvala
