#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

// A window's control, found by its name (lblEstado) or, in an array, by its name and index
// (lblTecla(5)). A window without it stops the test: the name is part of what is tested.
template <typename T>
T *Control(const QObject &ventana, const char *nombre)
{
    T *control = ventana.findChild<T *>(QLatin1String(nombre));
    if (!control)
        qFatal("%s has no control %s of the expected type", ventana.metaObject()->className(),
               nombre);
    return control;
}

template <typename T>
T *Control(const QObject &ventana, const char *nombre, int indice)
{
    const QByteArray completo = QByteArray(nombre) + '(' + QByteArray::number(indice) + ')';
    return Control<T>(ventana, completo.constData());
}
