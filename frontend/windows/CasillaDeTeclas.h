#pragma once

#include <QObject>
#include <QRgb>

class QCheckBox;
class QLabel;
class QWidget;

namespace Corvala {

class UsoDeTeclas;

// The main window's box "Utilizar teclas definidas" (chkUsaControles) on its strip (Shape1):
// it shows the use of the defined keys and a click asks for the other state; box and strip are
// pressed together, as a label button is, and go grey where the emulator allows no controls.
class CasillaDeTeclas : public QObject
{
    Q_OBJECT

public:
    // Made on the window, under what is made after it.
    CasillaDeTeclas(QWidget &ventana, UsoDeTeclas &uso);

    QCheckBox *Casilla() const { return m_casilla; }
    // The emulator's version allows no controls: grey, unticked and disabled.
    void SinControles();

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void Pintar(QRgb color);

    UsoDeTeclas &m_uso;
    QLabel *m_fondo;
    QCheckBox *m_casilla;
    bool m_sinControles = false;
};

} // namespace Corvala
