#pragma once

#include "comun/windows/Ocupacion.h"
#include "controls/logic/UsoDeTeclas.h"
#include "frontend/logic/Arranque.h"
#include "frontend/logic/AvisoDeOtraCopia.h"
#include "frontend/logic/CatalogoDeLaSesion.h"
#include "frontend/logic/DatosDelJugador.h"
#include "frontend/logic/FiltroDeJuegos.h"
#include "frontend/logic/IdentificacionDeArchivos.h"
#include "frontend/logic/ListaDeJuegos.h"
#include "frontend/logic/RenovacionDeLista.h"
#include "frontend/windows/DisposicionPrincipal.h"

#include <QLabel>
#include <QWidget>

#include <optional>

namespace Corvala {

class BotonEtiqueta;
class BarraDeCatalogo;
class CasillaDeTeclas;
class CierreDelSistema;
class ImagenesDelJuego;
class VistaPrevia;
class VistaDeJuegos;
struct Sesion;

// The main window: the command column, the snapshot preview, the status line and the log
// viewer beside the game list (VistaDeJuegos), whose games it starts; it opens every other
// window.
class frmCargador : public QWidget
{
    Q_OBJECT

public:
    explicit frmCargador(Sesion &sesion, QWidget *parent = nullptr);

    // The window's start-up: the refusals (no emulator, a second copy), the game list, the
    // emulator's version and what it allows, mame.ini and the CD-ROM mode. A refusal ends the
    // program (see Terminado) before anything is written.
    void Form_Load();

    // The snapshot of the selected row: in the preview, or enlarged at its own size.
    void MostrarImagenROM(bool ampliar);

    // Starts the game of the selected row and waits for it to end, the window staying live.
    void LanzarJuego();

    // Rebuilds the game list: prepares the MAME folder, has the emulator write lista.txt when
    // it is missing, reads the roms folder and shows every archive under its title. The
    // emulator's catalogue is built again when it no longer matches the list, or always with
    // rehacerCatalogo.
    void CargarDatos(bool rehacerCatalogo = false);

    // The catalogue's build running in the background.
    const ConstruccionCatalogo &Construccion() const;

    // The system is ending (a logout, a shutdown, a signal): the window closes as the player's
    // close would, undoing what Corvala changed. A game or the ROM manager is asked to end
    // first rather than refusing the close.
    void FinDelSistema();

    // The game list.
    VistaDeJuegos &Juegos() { return *m_juegos; }
    const VistaDeJuegos &Juegos() const { return *m_juegos; }

    // True once the program has been told to end (a CD-ROM without Corvala's files); the
    // signal programaTerminado() says so too.
    bool Terminado() const { return m_terminado; }

    // The use of the defined keys behind chkUsaControles; the controls window saves through it.
    UsoDeTeclas &Teclas() { return m_uso; }

    // The design size of the window, frame included, and the frame of the window as designed
    // (a sizing border of 4 pixels and a title bar of 19): the client area is the rest.
    static constexpr int kAnchoMinimo = DisposicionPrincipal::kAnchoMinimo;
    static constexpr int kAltoMinimo = DisposicionPrincipal::kAltoMinimo;
    static constexpr int kMarcoAncho = DisposicionPrincipal::kMarcoAncho;
    static constexpr int kMarcoAlto = DisposicionPrincipal::kMarcoAlto;
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

protected:
    void closeEvent(QCloseEvent *evento) override;
    void resizeEvent(QResizeEvent *evento) override;
    void paintEvent(QPaintEvent *evento) override;

private:
    void CrearControles();
    void Estado(const LineaDeEstado &estado);
    void EncajarEstado();
    void AvisarCreandoLista();
    void TerminarPrograma();
    void HacerNoConfigurable();
    void LanzarFila(int fila);
    void EncajarBarra();

    // The window's controls; each carries its name as its object name (the list's are the
    // game list's own).
    VistaDeJuegos *m_juegos;
    QLabel *lblEstado;
    BotonEtiqueta *lblDirectorio;
    BotonEtiqueta *lblLista;
    BotonEtiqueta *lblGestionar;
    BotonEtiqueta *lblTeclas;
    BotonEtiqueta *Label1;
    BotonEtiqueta *lblLog;
    CasillaDeTeclas *m_casilla;
    QLabel *Label4;
    QLabel *Label5;
    QLabel *Image1;
    VistaPrevia *ImagenROM;
    ImagenesDelJuego *m_imagenes;
    // Beyond the window's layout: the catalogue's progress along the status line's bottom
    // edge.
    BarraDeCatalogo *barCatalogo;

    Sesion &m_sesion;
    AvisoDeOtraCopia m_aviso;
    CierreDelSistema *m_cierre;
    CatalogoDeLaSesion m_catalogo;
    RenovacionDeLista m_renovacion;
    UsoDeTeclas m_uso;
    bool m_terminado = false;
    // The emulator's version allows no controls: lblTeclas grey, chkUsaControles disabled.
    bool m_sinControles = false;
    // The hourglass of the list's renewal, held through its countdown.
    std::optional<Ocupacion> m_relojLista;
};

} // namespace Corvala
