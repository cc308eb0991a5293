#pragma once

#include "comun/windows/EtiquetaPulsable.h"

namespace Corvala {

// A label used as a push button: centred black text on a flat bordered background whose
// colour is its state. Mouse-down shows the pressed colour, mouse-up the resting one, and the
// click follows the release. A button can be made grey, the look of a command that is not
// available: it still flashes the pressed colour while held, is grey again when the click
// arrives, and its click handler tests EsGris() to refuse the command.
class BotonEtiqueta : public EtiquetaPulsable
{
    Q_OBJECT

public:
    explicit BotonEtiqueta(const QString &texto, QWidget *parent = nullptr);

    // A button with a bold caption, at its place.
    static BotonEtiqueta *Negrita(const QString &texto, QWidget *parent, const QRect &lugar);

    void PonerGris(bool gris);
    bool EsGris() const { return m_gris; }

    // Some buttons keep their resting colour while pressed.
    void SinAspectoPulsado() { m_aspectoPulsado = false; }

    QRgb Fondo() const { return m_fondo; }

protected:
    void resizeEvent(QResizeEvent *evento) override;
    void keyPressEvent(QKeyEvent *evento) override;
    void keyReleaseEvent(QKeyEvent *evento) override;
    void paintEvent(QPaintEvent *evento) override;
    void focusOutEvent(QFocusEvent *evento) override;

private:
    void PintarFondo(QRgb color);

    QRgb m_fondo = 0;
    bool m_gris = false;
    bool m_aspectoPulsado = true;
    bool m_habilitadoAlPulsar = true;
    // The key that pressed it, until it comes up (a release whose press went elsewhere is not
    // a click).
    int m_tecla = 0;
};

} // namespace Corvala
