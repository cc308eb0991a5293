#pragma once

#include "controls/logic/EdicionDeTeclas.h"
#include "input/logic/Mandos.h"
#include "input/logic/TablaTeclas.h"

#include <QDialog>
#include <QLabel>

#include <array>

namespace Corvala {

class BotonEtiqueta;
class EtiquetaPulsable;
class UsoDeTeclas;
struct Sesion;

// The controls window "Configuración de los controles de M.A.M.E.": a row of players, a
// column of controls and a picture of the keyboard. The player chooses a player and a
// control and clicks a key; the choice then moves on to the next control by itself.
// "Guardar y salir" writes the controller files, "Salir sin guardar" only closes.
class frmTeclas : public QDialog
{
    Q_OBJECT

public:
    frmTeclas(Sesion &sesion, UsoDeTeclas &uso, QWidget *parent = nullptr);

    // The client area: the designed 10035 × 4590 twips less the window's frame.
    static QSize TamanoDeDiseno();

    const EdicionDeTeclas &Edicion() const { return m_edicion; }

public Q_SLOTS:
    void lblJoystick_Click();
    void lblGuardar_Click();
    void lblSalir_Click();

protected:
    void paintEvent(QPaintEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;
    // A key of the player's keyboard pressed and let go is a click on that key of the picture,
    // by its place on the keyboard.
    void keyPressEvent(QKeyEvent *evento) override;
    void keyReleaseEvent(QKeyEvent *evento) override;

private:
    // The window's controls; each carries its name as its object name.
    std::array<EtiquetaPulsable *, kJugadores> lblJugador{};
    std::array<EtiquetaPulsable *, kControles> lblControl{};
    std::array<EtiquetaPulsable *, kTeclas> lblTecla{};
    EtiquetaPulsable *lblPorDefecto;
    QLabel *lblTeclado;
    BotonEtiqueta *lblJoystick;
    QLabel *lblAviso;
    BotonEtiqueta *lblGuardar;
    BotonEtiqueta *lblSalir;
    QLabel *Shape2;

    void Form_Load();
    void CrearControles();
    EtiquetaPulsable *Pulsable(const QString &texto, const QRect &lugar);
    // Wires a label to the edit: its press, its release, its click.
    template <typename Clic>
    void Conectar(EtiquetaPulsable *etiqueta, EdicionDeTeclas::Etiqueta cual, int indice,
                  Clic clic);
    // Shows the colours the edit gives every label.
    void Pintar();

    Sesion &m_sesion;
    UsoDeTeclas &m_uso;
    EdicionDeTeclas m_edicion;
    // The folder's key table, which names the picture's keys.
    TablaTeclas m_tabla;
    // The player's pads, for "Usar Joystick", and beyond the window's layout the line that
    // says one is awaited.
    Mandos m_mandos;
    QLabel *lblMando;
};

} // namespace Corvala
