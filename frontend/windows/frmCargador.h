#pragma once

#include "comun/logic/ConstruccionCatalogo.h"
#include "comun/windows/Ocupacion.h"
#include "controls/logic/UsoDeTeclas.h"
#include "frontend/logic/Arranque.h"
#include "frontend/logic/DatosDelJugador.h"
#include "frontend/logic/FiltroDeJuegos.h"
#include "frontend/logic/IdentificacionDeArchivos.h"
#include "frontend/logic/ListaDeJuegos.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QProgressBar>
#include <QStringListModel>
#include <QTimer>
#include <QWidget>

#include <optional>

namespace Corvala {

class BotonEtiqueta;
class frmImagen;
struct Sesion;

// The main window: the game list, the command column, the snapshot preview, the status line
// and the log viewer.
class frmCargador : public QWidget
{
    Q_OBJECT

public:
    explicit frmCargador(Sesion &sesion, QWidget *parent = nullptr);

    // The window's start-up: the refusals (no emulator, a second copy), the game list, the
    // emulator's version and what it allows, mame.ini and the CD-ROM mode. A refusal ends the
    // program (see Terminado) before anything is written.
    void Form_Load();

    // The selected entry of the list (its position in Lista().juegos), or -1.
    int FilaElegida() const;
    // Selects an entry of the list, when the filters show it.
    void ElegirFila(int fila);

    // The snapshot of the selected row: in the preview, or enlarged at its own size.
    void MostrarImagenROM(bool ampliar);

    // Starts the game of the selected row and waits for it to end, the window staying live.
    void LanzarJuego();

    // Rebuilds the game list: prepares the MAME folder, has the emulator write lista.txt when
    // it is missing, reads the roms folder and shows every archive under its title. The
    // emulator's catalogue is built again when it no longer matches the list, or always with
    // rehacerCatalogo.
    void CargarDatos(bool rehacerCatalogo = false);

    // The search along the list's bottom edge: opened with a first text, or closed (the whole
    // list shown again, the same game selected).
    void AbrirBusqueda(const QString &texto);
    void CerrarBusqueda();

    // The catalogue's build running in the background.
    const ConstruccionCatalogo &Construccion() const { return m_construccion; }
    const IdentificacionDeArchivos &Parecidos() const { return m_parecidos; }

    // The archive behind a visible row of the list, or an empty text.
    QString ArchivoDeFila(int fila) const { return m_lista.Archivo(fila); }
    const ListaCargada &Lista() const { return m_lista; }

    // True once the program has been told to end (a CD-ROM without Corvala's files); the
    // signal programaTerminado() says so too.
    bool Terminado() const { return m_terminado; }

    // The use of the defined keys behind chkUsaControles; the controls window saves through it.
    UsoDeTeclas &Teclas() { return m_uso; }

    // The design size of the window, frame included, and the frame of the window as designed
    // (a sizing border of 4 pixels and a title bar of 19): the client area is the rest.
    static constexpr int kAnchoMinimo = 7185;
    static constexpr int kAltoMinimo = 4680;
    static constexpr int kMarcoAncho = 120;
    static constexpr int kMarcoAlto = 405;
    // The client area at the design size, which is also the smallest.
    static QSize TamanoDeDiseno();

Q_SIGNALS:
    void programaTerminado();

public Q_SLOTS:
    void lblDirectorio_Click();
    void lblLista_Click();
    void lblLog_Click();
    void Label1_Click();
    void lblTeclas_Click();
    void lblGestionar_Click();
    void lstJuegos_Click();
    void Timer1_Timer();
    void mnuInformacion_Click();
    void mnuFavorito_Click();

protected:
    void closeEvent(QCloseEvent *evento) override;
    bool eventFilter(QObject *objeto, QEvent *evento) override;
    void resizeEvent(QResizeEvent *evento) override;
    void paintEvent(QPaintEvent *evento) override;

private:
    void CrearControles();
    void Estado(const LineaDeEstado &estado);
    void EncajarEstado();
    void AvisarCreandoLista();
    void MostrarLista(ListaCargada lista);
    void TerminarPrograma();
    void HacerNoConfigurable();
    void PintarCasilla(QRgb color);
    void CrearMenu();
    void ActualizarMenu();
    void MostrarMenu(const QPoint &punto);
    void CambiarFiltro(bool Filtros::*filtro, bool valor);
    void GuardarJugador();
    // Runs a change of the rows shown, keeping the selected game selected when it is still
    // shown, else selecting the first row.
    void MantenerEleccion(const std::function<void()> &cambio);
    void LanzarFila(int fila);
    void PrepararCatalogo(bool rehacer);
    void CatalogoTerminado(std::shared_ptr<const Catalogo> catalogo);
    // Starts finding out which games the archives the emulator does not know appear to be.
    void IdentificarDesconocidas();
    void EncajarBusqueda();

    // The window's controls; each carries its name as its object name.
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
    // Beyond the window's layout: the search field over the list's bottom edge, the
    // catalogue's progress along the status line's, and the list's context menu.
    QLineEdit *txtBuscar;
    QProgressBar *barCatalogo;
    QMenu *mnuLista;
    QAction *mnuInformacion;
    QAction *mnuFavorito;
    QMenu *mnuRecientes;
    QAction *mnuOcultarClones;
    QAction *mnuSoloFuncionan;
    QAction *mnuOcultarBios;
    QAction *mnuSoloFavoritos;

    Sesion &m_sesion;
    ListaCargada m_lista;
    QStringListModel m_juegos;
    FiltroDeJuegos m_filtro;
    DatosDelJugador m_jugador;
    ConstruccionCatalogo m_construccion;
    IdentificacionDeArchivos m_parecidos;
    UsoDeTeclas m_uso;
    frmImagen *m_imagen = nullptr;
    int m_cuenta = 0;
    bool m_terminado = false;
    // The emulator's version allows no controls: lblTeclas grey, chkUsaControles disabled.
    bool m_sinControles = false;
    // The hourglass of the list's renewal, held through its countdown.
    std::optional<Ocupacion> m_relojLista;
};

} // namespace Corvala
