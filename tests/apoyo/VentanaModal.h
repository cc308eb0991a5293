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

// For a modal window that may load for a while before it shows (running the emulator with the
// events flowing): the action runs on it once it is shown.
template <typename Ventana>
void AlMostrarse(std::function<void(Ventana *)> accion)
{
    auto *espera = new QTimer;
    espera->setInterval(10);
    QObject::connect(espera, &QTimer::timeout, [espera, accion] {
        auto *ventana = qobject_cast<Ventana *>(QApplication::activeModalWidget());
        if (!ventana || !ventana->isVisible())
            return;
        espera->stop();
        espera->deleteLater();
        accion(ventana);
    });
    espera->start();
}
