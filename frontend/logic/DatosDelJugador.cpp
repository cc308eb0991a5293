#include "frontend/logic/DatosDelJugador.h"

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/CarpetaMame.h"
#include "comun/logic/modPrincipal.h"

#include <QFileInfo>

#include <algorithm>
#include <utility>
#include <vector>

namespace Corvala {

namespace {

// The file's sections and the filters' keys.
const QString kFiltros = QStringLiteral("[filtros]");
const QString kFavoritos = QStringLiteral("[favoritos]");
const QString kJugados = QStringLiteral("[jugados]");
const QString kSistemas = QStringLiteral("[sistemas]");

struct Clave
{
    const char *nombre;
    bool Filtros::*campo;
};
const Clave kClaves[] = {
        {"ocultar_clones", &Filtros::ocultarClones},
        {"solo_funcionan", &Filtros::soloFuncionan},
        {"ocultar_bios", &Filtros::ocultarBios},
        {"solo_favoritos", &Filtros::soloFavoritos},
        {"solo_jugables", &Filtros::soloJugables},
        {"solo_recreativas", &Filtros::soloRecreativas},
        {"solo_software", &Filtros::soloSoftware},
};

// The more recent first; the same moment, by name.
bool MasReciente(const std::pair<QDateTime, QString> &a, const std::pair<QDateTime, QString> &b)
{
    return a.first != b.first ? a.first > b.first : a.second < b.second;
}

} // namespace

QString DatosDelJugador::Ruta(const CarpetaMame &carpeta)
{
    return carpeta.Ruta(QStringLiteral("jugador.txt"));
}

QString DatosDelJugador::Juego(const QString &archivo)
{
    const QString sinExtension = QuitarExtension(archivo);
    return (sinExtension.isEmpty() ? archivo : sinExtension).toLower();
}

DatosDelJugador DatosDelJugador::Leer(const CarpetaMame &carpeta)
{
    DatosDelJugador datos;
    const QString ruta = Ruta(carpeta);
    if (!QFileInfo::exists(ruta) && !QFileInfo(ruta).isSymLink())
        return datos;
    const std::optional<QByteArray> bytes
            = ArchivoTexto::LeerBytes(ruta, kMaximoDeBytes, &datos.m_ilegible);
    if (!bytes)
        return datos;
    // Two bytes a character (UTF-16) is no text Corvala reads, nor would rewrite faithfully.
    if (bytes->contains('\0')) {
        datos.m_ilegible = QStringLiteral("no es texto UTF-8 ni Windows-1252");
        return datos;
    }
    const QStringList lineas = ArchivoTexto::PartirLineas(ArchivoTexto::Decodificar(*bytes));
    QString seccion;
    for (const QString &linea : lineas) {
        const QString texto = linea.trimmed();
        if (texto.isEmpty() || texto.startsWith(QLatin1Char('#')))
            continue;
        if (texto.startsWith(QLatin1Char('['))) {
            seccion = texto;
            continue;
        }
        const int igual = int(texto.indexOf(QLatin1Char('=')));
        const QString clave = igual < 0 ? texto : texto.left(igual).trimmed();
        const QString valor = igual < 0 ? QString() : texto.mid(igual + 1).trimmed();
        if (seccion == kFiltros) {
            for (const Clave &k : kClaves) {
                if (clave == QLatin1String(k.nombre))
                    datos.filtros.*k.campo = valor == QLatin1String("1");
            }
            if (clave == u"categoria")
                datos.filtros.categoria = valor;
            else if (clave == u"jugadores")
                datos.filtros.jugadores = std::max(0, valor.toInt());
        } else if (seccion == kFavoritos) {
            datos.m_favoritos.insert(clave.toLower());
        } else if (seccion == kJugados) {
            // juego=veces fecha
            const QStringList partes = valor.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            Jugado jugado{partes.value(0).toInt(),
                          QDateTime::fromString(partes.value(1), Qt::ISODate)};
            if (jugado.veces > 0)
                datos.m_jugados.insert(clave.toLower(), jugado);
        } else if (seccion == kSistemas && !valor.isEmpty()) {
            datos.m_sistemas.insert(clave, valor);
        }
    }
    datos.Acotar();
    return datos;
}

Mensaje DatosDelJugador::MensajeIlegible(const QString &motivo)
{
    return {QStringLiteral("No se ha podido leer el archivo 'jugador.txt' de la carpeta de M.A.M.E "
                           "(%1), así que Corvala! no lo modificará. Los filtros, los favoritos y "
                           "las partidas de esta sesión se recordarán sólo mientras Corvala! siga "
                           "abierto.")
                    .arg(motivo),
            QStringLiteral("Datos del jugador"), Mensaje::Icono::Exclamacion,
            Mensaje::Botones::Aceptar};
}

void DatosDelJugador::Acotar()
{
    if (m_jugados.size() <= kMaximoDeJugados)
        return;
    const QStringList recientes = Recientes(kMaximoDeJugados);
    QHash<QString, Jugado> quedan;
    quedan.reserve(recientes.size());
    for (const QString &juego : recientes)
        quedan.insert(juego, m_jugados.value(juego));
    m_jugados = std::move(quedan);
}

Resultado DatosDelJugador::Guardar(const CarpetaMame &carpeta) const
{
    if (!m_ilegible.isEmpty())
        return Resultado::Fallo(
                QStringLiteral("no se ha podido leer (%1): se deja como estaba").arg(m_ilegible));
    QStringList lineas{
            QStringLiteral("# Corvala: filtros de la lista, juegos favoritos y partidas jugadas."),
            kFiltros};
    for (const Clave &k : kClaves)
        lineas << QLatin1String(k.nombre) + QLatin1Char('=')
                          + QLatin1Char(filtros.*k.campo ? '1' : '0');
    lineas << QStringLiteral("categoria=") + filtros.categoria
           << QStringLiteral("jugadores=%1").arg(filtros.jugadores);
    lineas << kFavoritos;
    QStringList favoritos(m_favoritos.cbegin(), m_favoritos.cend());
    favoritos.sort();
    lineas << favoritos << kJugados;
    QStringList jugados(m_jugados.keyBegin(), m_jugados.keyEnd());
    jugados.sort();
    for (const QString &juego : std::as_const(jugados)) {
        const Jugado jugado = m_jugados.value(juego);
        lineas << QStringLiteral("%1=%2 %3")
                          .arg(juego)
                          .arg(jugado.veces)
                          .arg(jugado.ultima.toString(Qt::ISODate));
    }
    if (!m_sistemas.isEmpty()) {
        lineas << kSistemas;
        QStringList listas(m_sistemas.keyBegin(), m_sistemas.keyEnd());
        listas.sort();
        for (const QString &lista : std::as_const(listas))
            lineas << lista + QLatin1Char('=') + m_sistemas.value(lista);
    }
    return ArchivoTexto::EscribirLineas(Ruta(carpeta), lineas);
}

void DatosDelJugador::Favorito(const QString &juego, bool si)
{
    if (si)
        m_favoritos.insert(juego);
    else
        m_favoritos.remove(juego);
}

void DatosDelJugador::Jugar(const QString &juego, const QDateTime &cuando)
{
    Jugado &jugado = m_jugados[juego];
    ++jugado.veces;
    jugado.ultima = cuando;
    Acotar();
}

QStringList DatosDelJugador::Recientes(int cuantos) const
{
    std::vector<std::pair<QDateTime, QString>> juegos;
    juegos.reserve(size_t(m_jugados.size()));
    for (auto j = m_jugados.cbegin(); j != m_jugados.cend(); ++j)
        juegos.emplace_back(j->ultima, j.key());
    const auto fin
            = juegos.begin() + std::min<qsizetype>(std::max(cuantos, 0), qsizetype(juegos.size()));
    std::partial_sort(juegos.begin(), fin, juegos.end(), MasReciente);
    QStringList recientes;
    for (auto j = juegos.begin(); j != fin; ++j)
        recientes << j->second;
    return recientes;
}

} // namespace Corvala
