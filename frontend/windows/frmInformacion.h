#pragma once

#include <QDialog>
#include <QList>
#include <QPair>
#include <QString>

class QComboBox;

namespace Corvala {

class BotonEtiqueta;

// "Información del juego": the rows the logic gives, label and value, on the main window's
// colours, with a button that closes it.
class frmInformacion : public QDialog
{
    Q_OBJECT

public:
    // maquinas: for an item of a software list, the machines it can start on (name, and the
    // player's words), the one in use first; the player may choose another. historia: the
    // game's text of the player's history.xml, shown below in a box of its own that scrolls;
    // none when empty.
    frmInformacion(const QList<QPair<QString, QString>> &filas, QWidget *parent,
                   const QList<QPair<QString, QString>> &maquinas = {},
                   const QString &historia = {});

    // The machine chosen when the window was accepted; empty without a choice.
    QString MaquinaElegida() const;

private:
    BotonEtiqueta *lblAceptar;
    QComboBox *cboMaquina = nullptr;
};

} // namespace Corvala
