#include "input/logic/TablaTeclas.h"

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/CarpetaMame.h"

#include <QRegularExpression>

namespace Corvala {

namespace {

// The [teclas] lines of the default table, in file order. "?t" lines name a code that is tied
// to no key label.
constexpr const char *kLineasTeclas[] = {
        "t43 = KEYCODE_A",         "t61 = KEYCODE_B",          "t59 = KEYCODE_C",
        "t45 = KEYCODE_D",         "t32 = KEYCODE_E",          "t46 = KEYCODE_F",
        "t47 = KEYCODE_G",         "t48 = KEYCODE_H",          "t37 = KEYCODE_I",
        "t49 = KEYCODE_J",         "t50 = KEYCODE_K",          "t51 = KEYCODE_L",
        "t63 = KEYCODE_M",         "t62 = KEYCODE_N",          "t38 = KEYCODE_O",
        "t39 = KEYCODE_P",         "t30 = KEYCODE_Q",          "t33 = KEYCODE_R",
        "t44 = KEYCODE_S",         "t34 = KEYCODE_T",          "t36 = KEYCODE_U",
        "t60 = KEYCODE_V",         "t31 = KEYCODE_W",          "t58 = KEYCODE_X",
        "t35 = KEYCODE_Y",         "t57 = KEYCODE_Z",          "t26 = KEYCODE_0",
        "t17 = KEYCODE_1",         "t18 = KEYCODE_2",          "t19 = KEYCODE_3",
        "t20 = KEYCODE_4",         "t21 = KEYCODE_5",          "t22 = KEYCODE_6",
        "t23 = KEYCODE_7",         "t24 = KEYCODE_8",          "t25 = KEYCODE_9",
        "t97 = KEYCODE_0_PAD",     "t94 = KEYCODE_1_PAD",      "t95 = KEYCODE_2_PAD",
        "t96 = KEYCODE_3_PAD",     "t91 = KEYCODE_4_PAD",      "t92 = KEYCODE_5_PAD",
        "t93 = KEYCODE_6_PAD",     "t88 = KEYCODE_7_PAD",      "t89 = KEYCODE_8_PAD",
        "t90 = KEYCODE_9_PAD",     "?t = KEYCODE_TILDE",       "t27 = KEYCODE_MINUS",
        "t101 = KEYCODE_EQUALS",   "t28 = KEYCODE_BACKSPACE",  "?t = KEYCODE_TAB",
        "t40 = KEYCODE_OPENBRACE", "t41 = KEYCODE_CLOSEBRACE", "t68 = KEYCODE_ENTER",
        "t52 = KEYCODE_COLON",     "t53 = KEYCODE_QUOTE",      "t54 = KEYCODE_BACKSLASH",
        "?t = KEYCODE_BACKSLASH2", "t64 = KEYCODE_COMMA",      "t65 = KEYCODE_STOP",
        "t66 = KEYCODE_SLASH",     "t71 = KEYCODE_SPACE",      "t76 = KEYCODE_INSERT",
        "t79 = KEYCODE_DEL",       "t75 = KEYCODE_HOME",       "t78 = KEYCODE_END",
        "t74 = KEYCODE_PGUP",      "t77 = KEYCODE_PGDN",       "t81 = KEYCODE_LEFT",
        "t83 = KEYCODE_RIGHT",     "t80 = KEYCODE_UP",         "t82 = KEYCODE_DOWN",
        "t85 = KEYCODE_SLASH_PAD", "t86 = KEYCODE_ASTERISK",   "t87 = KEYCODE_MINUS_PAD",
        "t99 = KEYCODE_PLUS_PAD",  "t98 = KEYCODE_DEL_PAD",    "t100 = KEYCODE_ENTER_PAD",
        "?t = KEYCODE_PRTSCR",     "?t = KEYCODE_PAUSE",       "t55 = KEYCODE_LSHIFT",
        "t67 = KEYCODE_RSHIFT",    "t69 = KEYCODE_LCONTROL",   "t73 = KEYCODE_RCONTROL",
        "t70 = KEYCODE_LALT",      "t72 = KEYCODE_RALT",       "?t = KEYCODE_SCRLOCK",
        "?t = KEYCODE_NUMLOCK",    "?t = KEYCODE_CAPSLOCK",    "?t = KEYCODE_LWIN",
        "?t = KEYCODE_RWIN",       "?t = KEYCODE_MENU",        "?t = JOYCODE_1_LEFT",
        "?t = JOYCODE_1_RIGHT",    "?t = JOYCODE_1_UP",        "?t = JOYCODE_1_DOWN",
        "?t = JOYCODE_1_BUTTON1",  "?t = JOYCODE_1_BUTTON2",   "?t = JOYCODE_1_BUTTON3",
        "?t = JOYCODE_1_BUTTON4",  "?t = JOYCODE_1_BUTTON5",   "?t = JOYCODE_1_BUTTON6",
        "?t = JOYCODE_1_START",    "?t = JOYCODE_1_SELECT",
};
static_assert(std::size(kLineasTeclas) == 104);

constexpr const char *kLineasControl[] = {
        "c2 = _JOYSTICK_UP", "c3 = _JOYSTICK_DOWN", "c4 = _JOYSTICK_LEFT", "c5 = _JOYSTICK_RIGHT",
        "c6 = _BUTTON1",     "c7 = _BUTTON2",       "c8 = _BUTTON3",       "c9 = _BUTTON4",
        "c10 = _BUTTON5",    "c11 = _BUTTON6",      "c12 = _BUTTON7",      "c13 = _BUTTON8",
        "c14 = _BUTTON9",    "c15 = _BUTTON10",
};

} // namespace

bool CrearTablaTeclas(const CarpetaMame &carpeta)
{
    QStringList lineas{QStringLiteral("[teclas]"), {}, {}};
    for (const char *linea : kLineasTeclas)
        lineas << QLatin1String(linea);
    lineas << QString() << QString() << QStringLiteral("[comienzo]") << QString() << QString()
           << QStringLiteral("c0 = COIN") << QStringLiteral("c1 = START");
    lineas << QString() << QString() << QStringLiteral("[Control]") << QString() << QString();
    for (const char *linea : kLineasControl)
        lineas << QLatin1String(linea);
    return bool(ArchivoTexto::EscribirLineas(carpeta.Ruta(QStringLiteral("Corvala.tlc")), lineas));
}

TablaTeclas::TablaTeclas(const CarpetaMame &carpeta)
    : m_archivo(ArchivoIni::Leer(carpeta.Ruta(QStringLiteral("Corvala.tlc"))))
{
}

TablaTeclas::TablaTeclas(ArchivoIni archivo)
    : m_archivo(std::move(archivo))
{
}

QString TablaTeclas::Valor(const QString &seccion, const QString &clave) const
{
    return m_archivo.Valor(seccion, clave, QString());
}

QString TablaTeclas::SeccionDeControl(int c)
{
    return c <= 1 ? QStringLiteral("comienzo") : QStringLiteral("control");
}

QString TablaTeclas::CodigoDeTecla(int k) const
{
    const QString codigo = Valor(QStringLiteral("teclas"), QLatin1Char('t') + QString::number(k));
    if (!codigo.isEmpty())
        return codigo;
    // Two keys of the picture that the table as first written has no line for: their codes
    // are known all the same, so that choosing them never writes an empty key.
    if (k == 42)
        return QStringLiteral("KEYCODE_CAPSLOCK");
    if (k == 56)
        return QStringLiteral("KEYCODE_BACKSLASH2");
    return {};
}

bool TablaTeclas::CubreTeclas(const TeclasAsignadas &teclas) const
{
    for (int p = 0; p < kJugadores; ++p) {
        for (int c = 0; c < kControles; ++c) {
            const int k = teclas[p][c];
            if (k <= 0)
                continue;
            // Labels below 17 are the keys the picture disables: only a controller file read
            // back can hold them, with no code, and they are written back as they came. A code
            // is one of the emulator's words, of any device (KEYCODE_A, JOYCODE_1_BUTTON1).
            static const QRegularExpression kCodigo(
                    QStringLiteral("^(KEYCODE|JOYCODE|MOUSECODE|GUNCODE)_[A-Z0-9_]+$"));
            if (Valor(SeccionDeControl(c), QLatin1Char('c') + QString::number(c)).isEmpty()
                || (k >= 17 && !kCodigo.match(CodigoDeTecla(k)).hasMatch()))
                return false;
        }
    }
    return true;
}

int TablaTeclas::TeclaDeCodigo(const QString &codigo) const
{
    for (int k = 10; k <= 102; ++k) {
        if (CodigoDeTecla(k) == codigo)
            return k;
    }
    return 0;
}

QString TablaTeclas::NombreDePuerto(int p, int c) const
{
    const QString jugador = QString::number(p + 1);
    const QString parte = Valor(SeccionDeControl(c), QLatin1Char('c') + QString::number(c));
    return c <= 1 ? parte + jugador : QLatin1Char('P') + jugador + parte;
}

int TablaTeclas::ControlDeNombre(const QString &nombre) const
{
    const bool comienzo
            = nombre.startsWith(QLatin1String("COIN")) || nombre.startsWith(QLatin1String("START"));
    const QString seccion = comienzo ? QStringLiteral("comienzo") : QStringLiteral("control");
    const QString corto = comienzo ? nombre.chopped(1) : nombre.mid(2);
    for (int c = 0; c < kControles; ++c) {
        if (Valor(seccion, QLatin1Char('c') + QString::number(c)) == corto)
            return c;
    }
    return 0;
}

int TablaTeclas::JugadorDeNombre(const QString &nombre)
{
    qsizetype posicion = -1;
    if (nombre.startsWith(QLatin1Char('P')))
        posicion = 1;
    else if (nombre.startsWith(QLatin1String("COIN")))
        posicion = 4;
    else if (nombre.startsWith(QLatin1String("START")))
        posicion = 5;
    if (posicion < 0 || posicion >= nombre.size())
        return 0;
    const QChar cifra = nombre[posicion];
    return (cifra >= QLatin1Char('0') && cifra <= QLatin1Char('9')) ? cifra.unicode() - '0' : 0;
}

} // namespace Corvala
