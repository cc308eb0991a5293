#pragma once

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>

namespace Corvala {

class BotonEtiqueta;

// Corvala's release notes, with a header picture and "OK". It has no system frame; four
// lines frame it. Whatever the player types into the notes is gone when it closes.
class frmHistorial : public QDialog
{
    Q_OBJECT

public:
    explicit frmHistorial(QWidget *parent = nullptr);

    static QSize TamanoDeDiseno();

protected:
    void paintEvent(QPaintEvent *evento) override;

private:
    void AjustarFuente(const QStringList &lineas);

    // The window's controls; each carries its name as its object name.
    QPlainTextEdit *Text1;
    BotonEtiqueta *lblSalir;
    QLabel *Image1;
};

} // namespace Corvala
