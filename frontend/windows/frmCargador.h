#pragma once

#include "frontend/logic/ListaDeJuegos.h"

#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QStringListModel>
#include <QTimer>
#include <QWidget>

namespace Corvala {

class BotonEtiqueta;
struct Sesion;

// The main window: the game list, the command column, the snapshot preview, the status line
// and the log viewer.
class frmCargador : public QWidget
{
    Q_OBJECT

public:
    explicit frmCargador(Sesion &sesion, QWidget *parent = nullptr);

    // The window's start-up: its size and the game list.
    void Form_Load();

    // Rebuilds the game list: prepares the MAME folder, has the emulator write lista.txt when
    // it is missing, reads the roms folder and shows every archive under its title.
    void CargarDatos();

    // The archive behind a visible row of the list, or an empty text.
    QString ArchivoDeFila(int fila) const { return m_lista.Archivo(fila); }
    const ListaCargada &Lista() const { return m_lista; }

    // True once the program has been told to end (a CD-ROM without Corvala's files); the
    // signal programaTerminado() says so too.
    bool Terminado() const { return m_terminado; }

    // The design size of the window, frame included, and the frame of the window as designed
    // (a sizing border of 4 pixels and a title bar of 19): the client area is the rest.
    static constexpr int kAnchoMinimo = 7185;
    static constexpr int kAltoMinimo = 4680;
    static constexpr int kMarcoAncho = 120;
    static constexpr int kMarcoAlto = 405;
    // The client area at the design size, which is also the smallest.
    static QSize TamanoDeDiseno();

    // The window's controls, by their names.
    QListView *lstJuegos;
    QLabel *lblEstado;
    BotonEtiqueta *lblDirectorio;
    BotonEtiqueta *lblLista;
    BotonEtiqueta *lblGestionar;
    BotonEtiqueta *lblTeclas;
    BotonEtiqueta *Label1;
    BotonEtiqueta *lblLog;
    QCheckBox *chkUsaControles;
    QLabel *Shape1;
    QLabel *Label4;
    QLabel *Label5;
    QLabel *Image1;
    QLabel *ImagenROM;
    QTimer Timer1;

Q_SIGNALS:
    void programaTerminado();

public Q_SLOTS:
    void lblDirectorio_Click();
    void lblLista_Click();
    void lblLog_Click();
    void Timer1_Timer();

protected:
    void resizeEvent(QResizeEvent *evento) override;
    void paintEvent(QPaintEvent *evento) override;

private:
    void CrearControles();
    void Estado(const QString &texto, QRgb color);
    void TerminarPrograma();

    Sesion &m_sesion;
    ListaCargada m_lista;
    QStringListModel m_juegos;
    int m_cuenta = 0;
    bool m_terminado = false;
};

} // namespace Corvala
