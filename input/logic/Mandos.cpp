#include "input/logic/Mandos.h"

#include <SDL.h>

namespace Corvala {

namespace {

// A stick counts once past half its travel.
constexpr int kMitadDelEje = 16384;

} // namespace

bool Mandos::IniciarSdl(bool conMandosDeJuego)
{
    // No window of SDL's own: its pads' events must come all the same.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    return SDL_InitSubSystem(conMandosDeJuego ? SDL_INIT_GAMECONTROLLER : SDL_INIT_JOYSTICK) == 0;
}

void Mandos::TerminarSdl(bool conMandosDeJuego)
{
    SDL_QuitSubSystem(conMandosDeJuego ? SDL_INIT_GAMECONTROLLER : SDL_INIT_JOYSTICK);
}

Mandos::Mandos(QObject *parent)
    : QObject(parent)
{
    m_disponible = IniciarSdl(false);
    m_sondeo.setInterval(10);
    connect(&m_sondeo, &QTimer::timeout, this, &Mandos::Sondear);
}

Mandos::~Mandos()
{
    CerrarTodos();
    if (m_disponible)
        TerminarSdl(false);
}

int Mandos::Cuantos()
{
    if (!m_disponible)
        return 0;
    SDL_JoystickUpdate();
    return SDL_NumJoysticks();
}

QString Mandos::CodigoDeBoton(int n, int boton)
{
    return QStringLiteral("JOYCODE_%1_BUTTON%2").arg(n).arg(boton + 1);
}

QString Mandos::CodigoDeHat(int n, int hat, int direccion)
{
    const char *nombre = direccion & SDL_HAT_UP      ? "UP"
                         : direccion & SDL_HAT_DOWN  ? "DOWN"
                         : direccion & SDL_HAT_LEFT  ? "LEFT"
                         : direccion & SDL_HAT_RIGHT ? "RIGHT"
                                                     : nullptr;
    if (!nombre)
        return {};
    return QStringLiteral("JOYCODE_%1_HAT%2%3").arg(n).arg(hat + 1).arg(QLatin1String(nombre));
}

QString Mandos::CodigoDeEje(int n, int eje, bool positivo)
{
    // The emulator's first eight axes; the first two switch left and right, up and down.
    static const char *const kEjes[]
            = {"XAXIS", "YAXIS", "ZAXIS", "RXAXIS", "RYAXIS", "RZAXIS", "SLIDER1", "SLIDER2"};
    if (eje < 0 || eje >= int(std::size(kEjes)))
        return {};
    const char *sentido = eje == 0   ? (positivo ? "RIGHT" : "LEFT")
                          : eje == 1 ? (positivo ? "DOWN" : "UP")
                                     : (positivo ? "POS" : "NEG");
    return QStringLiteral("JOYCODE_%1_%2_%3_SWITCH")
            .arg(n)
            .arg(QLatin1String(kEjes[eje]), QLatin1String(sentido));
}

void Mandos::Abrir(int indice)
{
    const SDL_JoystickID instancia = SDL_JoystickGetDeviceInstanceID(indice);
    if (instancia < 0 || m_abiertos.contains(instancia))
        return;
    if (SDL_Joystick *mando = SDL_JoystickOpen(indice))
        m_abiertos.insert(instancia, mando);
}

void Mandos::CerrarTodos()
{
    for (SDL_Joystick *mando : std::as_const(m_abiertos))
        SDL_JoystickClose(mando);
    m_abiertos.clear();
}

int Mandos::Numero(qint32 instancia) const
{
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) == instancia)
            return i + 1;
    }
    return 0;
}

void Mandos::Esperar(int plazoMs)
{
    if (!m_disponible) {
        Q_EMIT ninguna();
        return;
    }
    SDL_JoystickUpdate();
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        Abrir(i);
    // What happened before the wait began is not the player's answer.
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_JOYAXISMOTION, SDL_JOYDEVICEREMOVED);
    m_plazo = plazoMs;
    m_desde.start();
    m_sondeo.start();
}

void Mandos::Cancelar()
{
    if (!m_sondeo.isActive())
        return;
    m_sondeo.stop();
    CerrarTodos();
    Q_EMIT ninguna();
}

void Mandos::Sondear()
{
    SDL_JoystickUpdate();
    SDL_Event evento;
    QString codigo;
    while (codigo.isEmpty() && SDL_PollEvent(&evento)) {
        switch (evento.type) {
        case SDL_JOYDEVICEADDED:
            Abrir(evento.jdevice.which);
            break;
        case SDL_JOYDEVICEREMOVED:
            if (SDL_Joystick *mando = m_abiertos.take(evento.jdevice.which))
                SDL_JoystickClose(mando);
            break;
        case SDL_JOYBUTTONDOWN:
            codigo = CodigoDeBoton(Numero(evento.jbutton.which), evento.jbutton.button);
            break;
        case SDL_JOYHATMOTION:
            codigo = CodigoDeHat(Numero(evento.jhat.which), evento.jhat.hat, evento.jhat.value);
            break;
        case SDL_JOYAXISMOTION:
            if (evento.jaxis.value > kMitadDelEje || evento.jaxis.value < -kMitadDelEje)
                codigo = CodigoDeEje(Numero(evento.jaxis.which), evento.jaxis.axis,
                                     evento.jaxis.value > 0);
            break;
        default:
            break;
        }
    }
    if (!codigo.isEmpty()) {
        m_sondeo.stop();
        CerrarTodos();
        Q_EMIT entrada(codigo);
    } else if (m_desde.elapsed() >= m_plazo) {
        m_sondeo.stop();
        CerrarTodos();
        Q_EMIT ninguna();
    }
}

} // namespace Corvala
