#pragma once

#include <QDialog>
#include <QLabel>
#include <QUrl>

#include <array>

namespace Corvala {

class BotonEtiqueta;

// The About window: Corvala's version and credit, links to pages about the emulator, the
// release notes and "OK". It has no system frame; four lines frame it.
class frmAcercaDe : public QDialog
{
    Q_OBJECT

public:
    explicit frmAcercaDe(QWidget *parent = nullptr);

    // The window's size, as designed.
    static QSize TamanoDeDiseno();

public Q_SLOTS:
    void lblSalir_Click(int index);

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;
    void paintEvent(QPaintEvent *evento) override;

private:
    // The window's controls; each carries its name as its object name.
    QLabel *Label12;
    QLabel *Label11;
    QLabel *Label10;
    QLabel *Label4;
    QLabel *lblWebEspanol;
    QLabel *lblMame;
    QLabel *lblWebIngles;
    QLabel *Label6;
    QLabel *Label5;
    QLabel *Imagen;
    QLabel *Label3;
    QLabel *Label2;
    QLabel *Label1;
    // "Notas de las versiones" and "OK".
    std::array<BotonEtiqueta *, 2> lblSalir;

    QLabel *Enlace(const QString &texto, const QRect &lugar);
};

} // namespace Corvala
