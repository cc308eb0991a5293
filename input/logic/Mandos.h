#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>

struct _SDL_Joystick;

namespace Corvala {

// The player's gamepads and joysticks, read through SDL2, the library the emulator reads them
// with, so that a pad's number is the emulator's own. Pads may be plugged and unplugged while
// Corvala runs.
class Mandos : public QObject
{
    Q_OBJECT

public:
    explicit Mandos(QObject *parent = nullptr);
    ~Mandos() override;

    // Starts SDL's support of pads, with its game controllers' (their buttons by name) when
    // asked: no window of its own, Corvala's own handlers of the system's signals left in
    // place. False when it cannot; each start that succeeded is ended by Terminar.
    static bool IniciarSdl(bool conMandosDeJuego);
    static void TerminarSdl(bool conMandosDeJuego);

    // SDL could start its support of pads; without it there are none.
    bool Disponible() const { return m_disponible; }
    // How many pads are connected now.
    int Cuantos();

    // Waits, with the events flowing, for the next press on any pad: a button, a direction of
    // a hat (the d-pad), or a stick moved past half its travel. entrada comes with its code in
    // the emulator's words; ninguna when plazoMs go by first or Cancelar is called.
    void Esperar(int plazoMs);
    void Cancelar();
    bool Esperando() const { return m_sondeo.isActive(); }

    // The emulator's names of the inputs of pad n (from 1): JOYCODE_1_BUTTON3, JOYCODE_1_HAT1UP,
    // JOYCODE_2_YAXIS_DOWN_SWITCH. An axis the emulator does not name gives nothing.
    static QString CodigoDeBoton(int n, int boton);
    static QString CodigoDeHat(int n, int hat, int direccion);
    static QString CodigoDeEje(int n, int eje, bool positivo);

Q_SIGNALS:
    void entrada(const QString &codigo);
    void ninguna();

private:
    void Sondear();
    void Abrir(int indice);
    void CerrarTodos();
    // The pad's number as the emulator counts them (its device index, from 1).
    int Numero(qint32 instancia) const;

    bool m_disponible = false;
    QTimer m_sondeo;
    QElapsedTimer m_desde;
    int m_plazo = 0;
    QHash<qint32, _SDL_Joystick *> m_abiertos;
};

} // namespace Corvala
