#pragma once

#include "comun/logic/Mensajes.h"
#include "input/logic/TablaTeclas.h"

#include <QtGlobal>

#include <optional>

namespace Corvala {

class CarpetaMame;

// The controls as the window names them, in the order of a player's cells.
inline constexpr const char *kNombresDeControles[kControles] = {
        "Moneda",  "Comienzo", "Arriba",  "Abajo",   "Izquierda", "Derecha", "Botón 1", "Botón 2",
        "Botón 3", "Botón 4",  "Botón 5", "Botón 6", "Botón 7",   "Botón 8", "Botón 9", "Botón 10"};

// What the controls window does with the keys of four players: which player and control are
// chosen, the key each control holds, the advance to the next control after each choice and
// the rule that a key serves one control only. It also keeps the colour of every label of the
// window, which is how the window shows all of this; the window paints what it is told.
class EdicionDeTeclas
{
public:
    // The colours of the controls window, as 0xAARRGGBB.
    using Color = quint32;
    static constexpr Color kReposo = 0xFF84B5D9;    // player, control and commands
    static constexpr Color kElegido = 0xFFE0E0E0;   // the chosen player or control
    static constexpr Color kPulsado = 0xFFC2DAED;   // a player or control held down
    static constexpr Color kBlanco = 0xFFFFFFFF;    // character keys, "default"
    static constexpr Color kGrisTecla = 0xFFE0E0E0; // named keys
    static constexpr Color kDeshabilitada = 0xFFFFC0C0;
    static constexpr Color kAsignada = 0xFFC0FFFF;     // the chosen control's key
    static constexpr Color kTeclaPulsada = 0xFFC0C0FF; // a key or "default" held down

    // The labels of the window that have a colour of their own.
    enum class Etiqueta { Jugador, Control, Tecla, PorDefecto };

    // Edits the given assignments (and pad inputs, when given), which the window's opening
    // resets.
    explicit EdicionDeTeclas(TeclasAsignadas &teclas, MandosAsignados *mandos = nullptr);

    // The opening: every cell -1, then the keys of ctrlr/Corvala/default.ini when it exists.
    // Returns whether it exists (otherwise the window says a new one will be made).
    bool Abrir(const CarpetaMame &carpeta);

    int JugadorActual() const { return m_jugador; }
    int ControlActual() const { return m_control; }
    bool MostrandoAsignacion() const { return m_mostrando; }
    const TeclasAsignadas &Teclas() const { return m_teclas; }

    Color ColorDe(Etiqueta etiqueta, int indice = 0) const;

    // The clicks.
    void lblJugador_Click(int i);
    void lblControl_Click(int c);
    void lblTecla_Click(int k);
    void lblPorDefecto_Click();
    // A pad's input for the chosen control, beside its key; refused (with the box) when another
    // control has it. The choice then moves on, as after a key.
    void AsignarMando(const QString &codigo);
    // The pad input of a control, in few words for the window ("B3", "2:↑"); empty for none.
    QString TextoDeMando(int p, int c) const;
    static QString TextoCorto(const QString &codigo);

    // The mouse button going down and up over a label; the click follows the release.
    void Pulsar(Etiqueta etiqueta, int indice = 0);
    void Soltar(Etiqueta etiqueta, int indice = 0);

    // True when another cell than (p, c) holds key k.
    bool TeclaYaAsignada(int k, int p, int c) const;

    // The resting colour of key k.
    static Color ColorNormalTecla(int k);

    // The window's messages: a key already in use, and the main window's
    // answer when the emulator's version does not let Corvala configure its controls.
    static Mensaje MensajeTeclaYaAsignada();
    static Mensaje MensajeNoDisponible();
    // The question when the key chosen is the default key of control c of player p, left on
    // the default: whether to take it from it.
    static Mensaje MensajeTeclaPorDefecto(int k, int p, int c);
    // The question when "Dejar la tecla por defecto" gives back a key (or a pad input: "B1 del
    // mando") control c of player p now holds; and when a pad input chosen is one control c of
    // player p, left on its default, already answers to.
    static Mensaje MensajeTeclaDevuelta(const QString &tecla, int p, int c);
    static Mensaje MensajeMandoPorDefecto(const QString &codigo, int p, int c);
    // "Usar Joystick" with no pad connected, and a pad input another control has.
    static Mensaje MensajeSinMandos();
    static Mensaje MensajeMandoYaAsignado();

private:
    // The cell other than (p, c) that holds key k, as player and control.
    std::optional<std::pair<int, int>> Poseedor(int k, int p, int c) const;
    // The cell other than (p, c) given the pad input, as player and control.
    std::optional<std::pair<int, int>> PoseedorDeMando(const QString &codigo, int p, int c) const;
    void Avanzar();
    void QuitarResaltado();

    TeclasAsignadas &m_teclas;
    MandosAsignados *m_mandos;
    // The folder's key table, once opened: it names the keys the emulator's defaults hold.
    std::optional<TablaTeclas> m_tabla;
    int m_jugador = 0;
    int m_control = 0;
    bool m_mostrando = false;

    std::array<Color, kJugadores> m_colorJugador{};
    std::array<Color, kControles> m_colorControl{};
    std::array<Color, kTeclas> m_colorTecla{};
    Color m_colorPorDefecto = kBlanco;
};

} // namespace Corvala
