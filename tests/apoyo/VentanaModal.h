#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// For a test that opens a modal window: the action runs once the window is open (it gets the
// window, or nothing when none opened), and the window is then closed if the action left it
// open, so that the test goes on.
inline void AlAbrirseLaVentana(std::function<void(QWidget *)> accion)
{
    QTimer::singleShot(0, [accion] {
        QPointer<QWidget> ventana = QApplication::activeModalWidget();
        accion(ventana);
        if (ventana && ventana->isVisible())
            ventana->close();
    });
}
