#pragma once

#include <QDialog>
#include <QImage>
#include <QLabel>

namespace Corvala {

// A snapshot at its own size: a fixed tool window without a caption, holding the picture at
// its top left corner and exactly as large as it.
class frmImagen : public QDialog
{
    Q_OBJECT

public:
    explicit frmImagen(QWidget *parent);

    // Shows the picture (or none, for a file that could not be decoded) centred over the
    // window that opened it, and waits until the player closes it.
    void Mostrar(const QImage &imagen);

private:
    QLabel *Image1;
};

} // namespace Corvala
