#pragma once

#include <QDialog>
#include <QList>
#include <QPair>
#include <QString>

namespace Corvala {

class BotonEtiqueta;

// "Información del juego": the rows the logic gives, label and value, on the main window's
// colours, with a button that closes it.
class frmInformacion : public QDialog
{
    Q_OBJECT

public:
    frmInformacion(const QList<QPair<QString, QString>> &filas, QWidget *parent);

private:
    BotonEtiqueta *lblAceptar;
};

} // namespace Corvala
