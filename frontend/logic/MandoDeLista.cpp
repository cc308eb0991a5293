#include "frontend/logic/MandoDeLista.h"

#include "input/logic/Mandos.h"

#include <SDL.h>

namespace Corvala {

namespace {

constexpr int kMitadDelEje = 16384;

} // namespace

MandoDeLista::MandoDeLista(QObject *parent)
    : QObject(parent)
{
    m_disponible = Mandos::IniciarSdl(true);
    m_sondeo.setInterval(16);
    connect(&m_sondeo, &QTimer::timeout, this, &MandoDeLista::Sondear);
    m_reloj.start();
}

MandoDeLista::~MandoDeLista()
{
    for (SDL_GameController *mando : std::as_const(m_mandos))
        SDL_GameControllerClose(mando);
    if (m_disponible)
        Mandos::TerminarSdl(true);
}

void MandoDeLista::Escuchar(std::function<bool()> activo)
{
    m_activo = std::move(activo);
    if (m_disponible)
        m_sondeo.start();
}

void MandoDeLista::AbrirMandos()
{
    // Pads come and go: the ones gone are let go, the new ones taken.
    for (auto mando = m_mandos.begin(); mando != m_mandos.end();) {
        if (SDL_GameControllerGetAttached(*mando)) {
            ++mando;
        } else {
            SDL_GameControllerClose(*mando);
            mando = m_mandos.erase(mando);
        }
    }
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        const SDL_JoystickID instancia = SDL_JoystickGetDeviceInstanceID(i);
        if (instancia >= 0 && !m_mandos.contains(instancia) && SDL_IsGameController(i)) {
            if (SDL_GameController *mando = SDL_GameControllerOpen(i))
                m_mandos.insert(instancia, mando);
        }
    }
}

void MandoDeLista::Sondear()
{
    if (!m_activo || !m_activo()) {
        m_bloqueado = true;
        return;
    }
    SDL_GameControllerUpdate();
    AbrirMandos();
    std::array<bool, kAcciones> ahora{};
    for (SDL_GameController *mando : std::as_const(m_mandos)) {
        const auto boton = [mando](SDL_GameControllerButton b) {
            return SDL_GameControllerGetButton(mando, b) != 0;
        };
        const int y = SDL_GameControllerGetAxis(mando, SDL_CONTROLLER_AXIS_LEFTY);
        ahora[Arriba] |= boton(SDL_CONTROLLER_BUTTON_DPAD_UP) || y < -kMitadDelEje;
        ahora[Abajo] |= boton(SDL_CONTROLLER_BUTTON_DPAD_DOWN) || y > kMitadDelEje;
        ahora[PaginaArriba] |= boton(SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
        ahora[PaginaAbajo] |= boton(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
        ahora[Sur] |= boton(SDL_CONTROLLER_BUTTON_A);
        ahora[Este] |= boton(SDL_CONTROLLER_BUTTON_B);
    }
    if (m_bloqueado) {
        m_bloqueado = std::find(ahora.cbegin(), ahora.cend(), true) != ahora.cend();
        m_estado = {};
        return;
    }
    const qint64 ya = m_reloj.elapsed();
    for (int a = 0; a < kAcciones; ++a) {
        Estado &estado = m_estado[a];
        if (!ahora[a]) {
            estado.pulsada = false;
            continue;
        }
        const bool nueva = !estado.pulsada;
        const bool repite = a <= PaginaAbajo && estado.pulsada && ya >= estado.siguiente;
        if (!nueva && !repite)
            continue;
        estado.pulsada = true;
        estado.siguiente = ya + (nueva ? kRetardo : kRepeticion);
        switch (a) {
        case Arriba:
        case Abajo:
            Q_EMIT mover(a == Arriba ? -1 : 1);
            break;
        case PaginaArriba:
        case PaginaAbajo:
            Q_EMIT pagina(a == PaginaArriba ? -1 : 1);
            break;
        case Sur:
            Q_EMIT jugar();
            break;
        case Este:
            Q_EMIT atras();
            break;
        default:
            break;
        }
    }
}

} // namespace Corvala
