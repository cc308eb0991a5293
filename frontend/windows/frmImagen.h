#pragma once

#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QList>

namespace Corvala {

// A picture of a game at its own size: a fixed tool window without a caption, holding the
// picture at its top left corner and exactly as large as it. With several pictures (the kinds
// the player keeps: snapshot, title screen, flyer…), each is named along the bottom edge and
// the arrow keys or a click on it go from one to the next.
class frmImagen : public QDialog
{
    Q_OBJECT

public:
    struct Imagen
    {
        QString nombre; // the kind, as the player reads it
        QImage imagen;
    };

    explicit frmImagen(QWidget *parent);

    // Shows the picture (or none, for a file that could not be decoded) centred over the
    // window that opened it, and waits until the player closes it.
    void Mostrar(const QImage &imagen);
    // Shows the first of the pictures, named, and waits until the player closes it.
    void Mostrar(const QList<Imagen> &imagenes);

    // The picture shown, of those given.
    int Actual() const { return m_actual; }
    // Goes that many pictures on (back, when negative), round the end.
    void Pasar(int cuantas);

protected:
    void keyPressEvent(QKeyEvent *evento) override;
    void mousePressEvent(QMouseEvent *evento) override;

private:
    void Poner(int indice);

    QLabel *Image1;
    QLabel *lblNombre;
    QList<Imagen> m_imagenes;
    int m_actual = 0;
    bool m_nombrar = false;
};

} // namespace Corvala
