#include "controls/logic/EdicionDeTeclas.h"

#include "comun/logic/CarpetaMame.h"
#include "comun/logic/modPrincipal.h"
#include "controls/logic/ArchivosControlador.h"
#include "controls/logic/Teclado.h"
#include "controls/logic/TeclasPorDefecto.h"

#include <QRegularExpression>

namespace Corvala {

EdicionDeTeclas::EdicionDeTeclas(TeclasAsignadas &teclas, MandosAsignados *mandos)
    : m_teclas(teclas)
    , m_mandos(mandos)
{
    // As the window is designed: "Jugador 1" chosen, every control at rest.
    m_colorJugador.fill(kReposo);
    m_colorJugador[0] = kElegido;
    m_colorControl.fill(kReposo);
    for (int k = 0; k < kTeclas; ++k)
        m_colorTecla[k] = ColorNormalTecla(k);
}

bool EdicionDeTeclas::Abrir(const CarpetaMame &carpeta)
{
    m_jugador = 0;
    m_control = 0;
    m_mostrando = false;
    m_teclas = TeclasSinAsignar();
    if (m_mandos)
        *m_mandos = MandosAsignados();
    m_tabla.emplace(carpeta);
    const QString ruta = carpeta.Ruta(QStringLiteral("ctrlr/Corvala/default.ini"));
    if (!ExisteArchivo(ruta))
        return false;
    m_teclas = CargarTeclasDeControlador(ruta, *m_tabla, m_mandos);
    return true;
}

EdicionDeTeclas::Color EdicionDeTeclas::ColorNormalTecla(int k)
{
    if (Teclado::Deshabilitada(k))
        return kDeshabilitada;
    const qsizetype letras = Teclado::Teclas().at(k).texto.size();
    if ((letras >= 2 && letras <= 6) || k == 99 || k == 100 || (k >= 85 && k <= 87) || k == 56)
        return kGrisTecla;
    return kBlanco;
}

EdicionDeTeclas::Color EdicionDeTeclas::ColorDe(Etiqueta etiqueta, int indice) const
{
    switch (etiqueta) {
    case Etiqueta::Jugador:
        return m_colorJugador.at(indice);
    case Etiqueta::Control:
        return m_colorControl.at(indice);
    case Etiqueta::Tecla:
        return m_colorTecla.at(indice);
    case Etiqueta::PorDefecto:
        break;
    }
    return m_colorPorDefecto;
}

void EdicionDeTeclas::lblJugador_Click(int i)
{
    for (int j = 0; j < kJugadores; ++j)
        m_colorJugador[j] = j == i ? kElegido : kReposo;
    m_jugador = i;
    // The new player's key for the same control is shown.
    lblControl_Click(m_control);
}

void EdicionDeTeclas::lblControl_Click(int c)
{
    for (int j = 0; j < kControles; ++j)
        m_colorControl[j] = j == c ? kElegido : kReposo;
    m_control = c;
    m_mostrando = true;
    const int k = m_teclas[m_jugador][c];
    if (k < 0)
        lblPorDefecto_Click();
    else
        lblTecla_Click(k);
    m_mostrando = false;
}

void EdicionDeTeclas::lblTecla_Click(int k)
{
    if (k < 0 || k >= kTeclas || Teclado::Deshabilitada(k))
        return;
    if (TeclaYaAsignada(k, m_jugador, m_control)) {
        Mensajes::Mostrar(MensajeTeclaYaAsignada());
        m_colorTecla[k] = ColorNormalTecla(k);
        return;
    }
    // A key the emulator gives by default to a control left on its default would do two jobs:
    // taken from that control, or not chosen.
    if (!m_mostrando && m_tabla) {
        if (const auto quien = TeclasPorDefecto::QuienLaTiene(m_teclas, m_tabla->CodigoDeTecla(k),
                                                              m_jugador, m_control)) {
            if (Mensajes::Mostrar(MensajeTeclaPorDefecto(k, quien->first, quien->second))
                != Respuesta::Si) {
                m_colorTecla[k] = ColorNormalTecla(k);
                return;
            }
            std::int16_t &suya = m_teclas[quien->first][quien->second];
            suya = TeclasPorDefecto::SinTecla(suya);
        }
    }
    QuitarResaltado();
    m_colorTecla[k] = kAsignada;
    m_colorPorDefecto = kBlanco;
    if (!m_mostrando) {
        m_teclas[m_jugador][m_control] = std::int16_t(k);
        Avanzar();
    }
}

void EdicionDeTeclas::lblPorDefecto_Click()
{
    // The default key, or pad input, given back while another control holds it would do two
    // jobs: taken from that control (which keeps its own default without that key, or loses
    // that pad input), or the default not given back.
    if (!m_mostrando && m_tabla) {
        const QString tecla = TeclasPorDefecto::Tecla(m_jugador, m_control);
        const int k = tecla.isEmpty() ? 0 : m_tabla->TeclaDeCodigo(tecla);
        const auto conTecla = Poseedor(k, m_jugador, m_control);
        const QString mando = TeclasPorDefecto::Mando(m_jugador, m_control);
        const auto conMando = PoseedorDeMando(mando, m_jugador, m_control);
        if ((conTecla
             && Mensajes::Mostrar(MensajeTeclaDevuelta(Teclado::Teclas().at(k).texto,
                                                       conTecla->first, conTecla->second))
                        != Respuesta::Si)
            || (conMando
                && Mensajes::Mostrar(MensajeTeclaDevuelta(
                           QStringLiteral("%1 del mando").arg(TextoCorto(mando)), conMando->first,
                           conMando->second))
                           != Respuesta::Si))
            return;
        if (conTecla)
            m_teclas[conTecla->first][conTecla->second] = kDefectoSinTecla;
        if (conMando)
            (*m_mandos)[conMando->first][conMando->second].clear();
    }
    QuitarResaltado();
    m_colorPorDefecto = kAsignada;
    if (!m_mostrando) {
        m_teclas[m_jugador][m_control] = -1;
        if (m_mandos)
            (*m_mandos)[m_jugador][m_control].clear();
        Avanzar();
    }
}

void EdicionDeTeclas::AsignarMando(const QString &codigo)
{
    if (!m_mandos || codigo.isEmpty())
        return;
    if (PoseedorDeMando(codigo, m_jugador, m_control)) {
        Mensajes::Mostrar(MensajeMandoYaAsignado());
        return;
    }
    // One that a control left on its default answers to: taken from it, or not given.
    if (const auto quien
        = TeclasPorDefecto::QuienResponde(m_teclas, codigo, m_jugador, m_control)) {
        if (Mensajes::Mostrar(MensajeMandoPorDefecto(codigo, quien->first, quien->second))
            != Respuesta::Si)
            return;
        std::int16_t &suya = m_teclas[quien->first][quien->second];
        suya = TeclasPorDefecto::SinMando(suya);
    }
    (*m_mandos)[m_jugador][m_control] = codigo;
    Avanzar();
}

QString EdicionDeTeclas::TextoCorto(const QString &codigo)
{
    // JOYCODE_n_ITEM: the pad's number only when it is not the first.
    static const QRegularExpression kCodigo(QStringLiteral("^JOYCODE_(\\d+)_(.+)$"));
    const QRegularExpressionMatch partes = kCodigo.match(codigo);
    if (!partes.hasMatch())
        return codigo;
    QString item = partes.captured(2);
    item.remove(QStringLiteral("_SWITCH"));
    static const std::pair<const char *, const char *> kCortos[] = {
            {"BUTTON", "B"},      {"HAT1UP", "↑"},   {"HAT1DOWN", "↓"},   {"HAT1LEFT", "←"},
            {"HAT1RIGHT", "→"},   {"YAXIS_UP", "↑"}, {"YAXIS_DOWN", "↓"}, {"XAXIS_LEFT", "←"},
            {"XAXIS_RIGHT", "→"}, {"_NEG", "-"},     {"_POS", "+"},       {"AXIS", ""},
    };
    for (const auto &[largo, corto] : kCortos)
        item.replace(QString::fromUtf8(largo), QString::fromUtf8(corto));
    return partes.captured(1) == u"1" ? item : partes.captured(1) + QLatin1Char(':') + item;
}

QString EdicionDeTeclas::TextoDeMando(int p, int c) const
{
    return m_mandos ? TextoCorto((*m_mandos)[p][c]) : QString();
}

void EdicionDeTeclas::QuitarResaltado()
{
    for (int k = 0; k < kTeclas; ++k) {
        if (m_colorTecla[k] == kAsignada)
            m_colorTecla[k] = ColorNormalTecla(k);
    }
}

void EdicionDeTeclas::Avanzar()
{
    if (m_control < kControles - 1) {
        lblControl_Click(m_control + 1);
        return;
    }
    // After the last control of player 4 the choice wraps to player 1.
    lblJugador_Click(m_jugador < kJugadores - 1 ? m_jugador + 1 : 0);
    lblControl_Click(0);
}

void EdicionDeTeclas::Pulsar(Etiqueta etiqueta, int indice)
{
    switch (etiqueta) {
    case Etiqueta::Jugador:
        m_colorJugador.at(indice) = kPulsado;
        break;
    case Etiqueta::Control:
        m_colorControl.at(indice) = kPulsado;
        break;
    case Etiqueta::Tecla:
        // Disabled keys flash too.
        m_colorTecla.at(indice) = kTeclaPulsada;
        break;
    case Etiqueta::PorDefecto:
        m_colorPorDefecto = kTeclaPulsada;
        break;
    }
}

void EdicionDeTeclas::Soltar(Etiqueta etiqueta, int indice)
{
    switch (etiqueta) {
    case Etiqueta::Jugador:
        m_colorJugador.at(indice) = indice == m_jugador ? kElegido : kReposo;
        break;
    case Etiqueta::Control:
        m_colorControl.at(indice) = indice == m_control ? kElegido : kReposo;
        break;
    case Etiqueta::Tecla:
        // The click that follows paints a chosen key again.
        m_colorTecla.at(indice) = ColorNormalTecla(indice);
        break;
    case Etiqueta::PorDefecto:
        // Its click paints it.
        break;
    }
}

bool EdicionDeTeclas::TeclaYaAsignada(int k, int p, int c) const
{
    return Poseedor(k, p, c).has_value();
}

std::optional<std::pair<int, int>> EdicionDeTeclas::PoseedorDeMando(const QString &codigo, int p,
                                                                    int c) const
{
    for (int p2 = 0; m_mandos && p2 < kJugadores; ++p2) {
        for (int c2 = 0; c2 < kControles; ++c2) {
            if ((*m_mandos)[p2][c2] == codigo && (p2 != p || c2 != c))
                return std::pair{p2, c2};
        }
    }
    return std::nullopt;
}

std::optional<std::pair<int, int>> EdicionDeTeclas::Poseedor(int k, int p, int c) const
{
    // Key 0 is no key, and the states on the default hold none.
    if (k <= 0)
        return std::nullopt;
    for (int p2 = 0; p2 < kJugadores; ++p2) {
        for (int c2 = 0; c2 < kControles; ++c2) {
            if (m_teclas[p2][c2] == k && (p2 != p || c2 != c))
                return std::pair{p2, c2};
        }
    }
    return std::nullopt;
}

namespace {

// The question of a key, or a pad input, that another control has: "Tecla por defecto.".
Mensaje PreguntaPorDefecto(const QString &texto)
{
    return {texto, QStringLiteral("Tecla por defecto."), Mensaje::Icono::Exclamacion,
            Mensaje::Botones::SiNo};
}

} // namespace

Mensaje EdicionDeTeclas::MensajeTeclaPorDefecto(int k, int p, int c)
{
    return PreguntaPorDefecto(
            QStringLiteral("El M.A.M.E. usa la tecla %1 para el control %2 del jugador %3, que "
                           "tiene la tecla por defecto. ¿Quieres quitársela a ese control y usarla "
                           "aquí?")
                    .arg(Teclado::Teclas().at(k).texto, QString::fromUtf8(kNombresDeControles[c]))
                    .arg(p + 1));
}

Mensaje EdicionDeTeclas::MensajeTeclaDevuelta(const QString &tecla, int p, int c)
{
    return PreguntaPorDefecto(
            QStringLiteral("La tecla %1, que el M.A.M.E. usa por defecto para este control, la "
                           "tiene ahora el control %2 del jugador %3. ¿Quieres quitársela a ese "
                           "control y devolverla aquí?")
                    .arg(tecla, QString::fromUtf8(kNombresDeControles[c]))
                    .arg(p + 1));
}

Mensaje EdicionDeTeclas::MensajeMandoPorDefecto(const QString &codigo, int p, int c)
{
    return PreguntaPorDefecto(
            QStringLiteral("El M.A.M.E. usa la entrada %1 del mando para el control %2 del "
                           "jugador %3, que tiene la tecla por defecto. ¿Quieres quitársela a ese "
                           "control y usarla aquí?")
                    .arg(TextoCorto(codigo), QString::fromUtf8(kNombresDeControles[c]))
                    .arg(p + 1));
}

Mensaje EdicionDeTeclas::MensajeSinMandos()
{
    return {QStringLiteral("No hay ningún mando conectado. Conecta uno y vuelve a pulsar \"Usar "
                           "Joystick\"."),
            QStringLiteral("Sin mando."), Mensaje::Icono::Informacion, Mensaje::Botones::Aceptar};
}

Mensaje EdicionDeTeclas::MensajeMandoYaAsignado()
{
    return {QStringLiteral("Esa entrada del mando ya ha sido asignada a otro control."),
            QStringLiteral("Tecla no válida."), Mensaje::Icono::Exclamacion,
            Mensaje::Botones::Aceptar};
}

Mensaje EdicionDeTeclas::MensajeTeclaYaAsignada()
{
    return {QStringLiteral("La tecla ya ha sido asignada a otro control."),
            QStringLiteral("Tecla no válida."), Mensaje::Icono::Exclamacion,
            Mensaje::Botones::Aceptar};
}

Mensaje EdicionDeTeclas::MensajeNoDisponible()
{
    return {QStringLiteral("Esta opción no está habilitada para pa versión de M.A.M.E que tienes, "
                           "actualiza la versión si quieres configurar desde el Corvala!."),
            QStringLiteral("No es posible."), Mensaje::Icono::Informacion,
            Mensaje::Botones::Aceptar};
}

} // namespace Corvala
