#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QVector>

namespace Corvala {

// The keyboard picture of the controls window: a Spanish PC keyboard drawn with one label
// per key, indices 0..101. Labels 0..16 (Esc, the function keys, Imp, Des, Pau and º), 29
// (Tab) and 84 (Num Lock) stand for keys the emulator keeps for itself and cannot be chosen.
namespace Teclado {

struct Tecla
{
    int indice;
    QString texto;
    // In twips, from the top left corner of the picture.
    QRect lugar;
};

// Every key, in index order: Teclas().at(k).indice == k.
const QVector<Tecla> &Teclas();

// The size of the picture in twips.
QSize Tamano();

bool Deshabilitada(int k);

} // namespace Teclado
} // namespace Corvala
