#include "controls/logic/TeclasPorDefecto.h"

namespace Corvala::TeclasPorDefecto {

namespace {

// Each player's default keys, control by control (COIN, START, up, down, left, right, buttons
// 1 to 10); empty where the default holds no key.
constexpr const char *kTeclas[kJugadores][kControles] = {
        {"5", "1", "UP", "DOWN", "LEFT", "RIGHT", "LCONTROL", "LALT", "SPACE", "LSHIFT", "Z", "X",
         "C", "V", "B", "N"},
        {"6", "2", "R", "F", "D", "G", "A", "S", "Q", "W", "E", "", "", "", "", ""},
        {"7", "3", "I", "K", "J", "L", "RCONTROL", "RSHIFT", "ENTER", "", "", "", "", "", "", ""},
        {"8", "4", "8_PAD", "2_PAD", "4_PAD", "6_PAD", "0_PAD", "DEL_PAD", "ENTER_PAD", "", "", "",
         "", "", "", ""},
};

// The rest of each default, after its key: the pad's code, then a mouse's and a light gun's
// for the first buttons of the first players.
QStringList Resto(int p, int c)
{
    const QString n = QString::number(p + 1);
    static const char *const kJoystick[] = {"SELECT",
                                            "START",
                                            "YAXIS_UP_SWITCH",
                                            "YAXIS_DOWN_SWITCH",
                                            "XAXIS_LEFT_SWITCH",
                                            "XAXIS_RIGHT_SWITCH"};
    QStringList resto{QStringLiteral("JOYCODE_%1_%2")
                              .arg(n, c < 6 ? QLatin1String(kJoystick[c])
                                            : QStringLiteral("BUTTON%1").arg(c - 5))};
    const int boton = c - 5;
    // Mouse buttons 1, 3 and 2 stand for buttons 1 to 3 of players 1 and 2; a gun's 1 and 2 for
    // buttons 1 and 2 of players 1 to 3.
    if (p <= 1 && boton >= 1 && boton <= 3)
        resto << QStringLiteral("MOUSECODE_%1_BUTTON%2").arg(n).arg(boton == 1 ? 1 : 5 - boton);
    if (p <= 2 && boton >= 1 && boton <= 2)
        resto << QStringLiteral("GUNCODE_%1_BUTTON%2").arg(n).arg(boton);
    return resto;
}

} // namespace

QString Tecla(int p, int c)
{
    if (p < 0 || p >= kJugadores || c < 0 || c >= kControles || !*kTeclas[p][c])
        return {};
    return QStringLiteral("KEYCODE_") + QLatin1String(kTeclas[p][c]);
}

QStringList Codigos(int p, int c)
{
    QStringList codigos;
    if (const QString tecla = Tecla(p, c); !tecla.isEmpty())
        codigos << tecla;
    return codigos + Resto(p, c);
}

QString Mando(int p, int c)
{
    return Resto(p, c).constFirst();
}

bool ConTecla(std::int16_t estado)
{
    return estado == -1 || estado == kDefectoSinMando;
}

bool ConMando(std::int16_t estado)
{
    return estado == -1 || estado == kDefectoSinTecla;
}

std::int16_t SinTecla(std::int16_t estado)
{
    return ConMando(estado) ? kDefectoSinTecla : kDefectoSinNada;
}

std::int16_t SinMando(std::int16_t estado)
{
    return ConTecla(estado) ? kDefectoSinMando : kDefectoSinNada;
}

QStringList Variante(int p, int c, std::int16_t estado)
{
    QStringList codigos = Codigos(p, c);
    if (!ConTecla(estado))
        codigos.removeOne(Tecla(p, c));
    if (!ConMando(estado))
        codigos.removeOne(Mando(p, c));
    return codigos;
}

namespace {

// The first cell on the default other than (p, c) for which the test holds.
template <typename Prueba>
std::optional<std::pair<int, int>> Primera(const TeclasAsignadas &teclas, int p, int c,
                                           Prueba prueba)
{
    for (int jugador = 0; jugador < kJugadores; ++jugador) {
        for (int control = 0; control < kControles; ++control) {
            const std::int16_t estado = teclas[jugador][control];
            if ((jugador != p || control != c) && estado < 0 && prueba(jugador, control, estado))
                return std::pair{jugador, control};
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<std::pair<int, int>> QuienLaTiene(const TeclasAsignadas &teclas,
                                                const QString &codigo, int p, int c)
{
    return Primera(teclas, p, c, [&codigo](int jugador, int control, std::int16_t estado) {
        return ConTecla(estado) && Tecla(jugador, control) == codigo;
    });
}

std::optional<std::pair<int, int>> QuienResponde(const TeclasAsignadas &teclas,
                                                 const QString &mando, int p, int c)
{
    return Primera(teclas, p, c, [&mando](int jugador, int control, std::int16_t estado) {
        return ConMando(estado) && Mando(jugador, control) == mando;
    });
}

} // namespace Corvala::TeclasPorDefecto
