#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QTimer>

#include <array>
#include <functional>

struct _SDL_GameController;

namespace Corvala {

// The game list driven with a pad, read through SDL2: the d-pad or the left stick moves
// through it (held, it repeats), the shoulder buttons page, the south button starts the chosen
// game and the east one goes back (a box, the search). It listens only while activo says so
// (the main window in front, no game running): a game's own use of the pad never reaches it,
// and what is held when it starts listening again is no order until let go.
class MandoDeLista : public QObject
{
    Q_OBJECT

public:
    explicit MandoDeLista(QObject *parent = nullptr);
    ~MandoDeLista() override;

    void Escuchar(std::function<bool()> activo);

    // A held direction repeats after kRetardo ms, every kRepeticion ms.
    static constexpr int kRetardo = 400;
    static constexpr int kRepeticion = 80;

Q_SIGNALS:
    void mover(int filas);
    void pagina(int sentido);
    void jugar();
    void atras();

private:
    enum Accion { Arriba, Abajo, PaginaArriba, PaginaAbajo, Sur, Este, kAcciones };
    void Sondear();
    void AbrirMandos();

    bool m_disponible = false;
    std::function<bool()> m_activo;
    QTimer m_sondeo;
    QElapsedTimer m_reloj;
    QHash<qint32, _SDL_GameController *> m_mandos;
    struct Estado
    {
        bool pulsada = false;
        qint64 siguiente = 0; // when a held one repeats
    };
    std::array<Estado, kAcciones> m_estado{};
    // Listening again: nothing counts until every button is let go.
    bool m_bloqueado = true;
};

} // namespace Corvala
