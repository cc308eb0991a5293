#pragma once

#include <QObject>
#include <QString>

#include <initializer_list>
#include <utility>

namespace Corvala {

// Gives each control its name as the window knows it (lstJuegos, lblEstado, …), so that it
// can be found by name: findChild<QLabel *>("lblEstado").
inline void Nombrar(std::initializer_list<std::pair<QObject *, const char *>> controles)
{
    for (const auto &[control, nombre] : controles)
        control->setObjectName(QLatin1String(nombre));
}

// The controls of an array are named with their index: lblTecla(5).
template <typename Arreglo>
void NombrarArreglo(const Arreglo &controles, const char *nombre, int primero = 0)
{
    int indice = primero;
    for (QObject *control : controles) {
        if (control)
            control->setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(nombre)).arg(indice));
        ++indice;
    }
}

} // namespace Corvala
