#include "frontend/logic/FiltroDeJuegos.h"

#include "comun/logic/ListaMame.h"
#include "frontend/logic/ListaDeJuegos.h"

#include <algorithm>

namespace Corvala {

FiltroDeJuegos::FiltroDeJuegos(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    setDynamicSortFilter(false);
}

namespace {

bool EsAscii(QStringView texto)
{
    return std::all_of(texto.begin(), texto.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// A row's search key: its title and archive name folded, one line each. Most are plain
// ASCII, folded here in one pass into one string.
QString Clave(const QString &titulo, const QString &archivo)
{
    if (!EsAscii(titulo) || !EsAscii(archivo))
        return FiltroDeJuegos::Plegar(titulo) + QLatin1Char('\n') + FiltroDeJuegos::Plegar(archivo);
    QString clave(titulo.size() + 1 + archivo.size(), Qt::Uninitialized);
    QChar *destino = clave.data();
    const auto copiar = [&destino](const QString &texto) {
        for (const QChar c : texto) {
            const char16_t u = c.unicode();
            *destino++ = QChar(u >= u'A' && u <= u'Z' ? char16_t(u + (u'a' - u'A')) : u);
        }
    };
    copiar(titulo);
    *destino++ = QLatin1Char('\n');
    copiar(archivo);
    return clave;
}

} // namespace

QString FiltroDeJuegos::Plegar(QStringView texto)
{
    if (EsAscii(texto))
        return texto.toString().toLower();
    QString plegado = texto.toString().normalized(QString::NormalizationForm_D);
    plegado.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return plegado.toCaseFolded();
}

void FiltroDeJuegos::Preparar(const ListaCargada &lista, std::shared_ptr<const Catalogo> catalogo,
                              const DatosDelJugador *jugador)
{
    m_jugador = jugador;
    m_filas.clear();
    m_filas.reserve(lista.juegos.size());
    for (int p = 0; p < lista.juegos.size(); ++p) {
        const QString archivo = lista.Archivo(p);
        Fila fila;
        fila.clave = Clave(lista.juegos[p], archivo);
        fila.juego = DatosDelJugador::Juego(archivo);
        fila.desconocida = EsRomDesconocida(lista.juegos[p]);
        m_filas.push_back(std::move(fila));
    }
    PonerCatalogo(std::move(catalogo));
}

void FiltroDeJuegos::PonerCatalogo(std::shared_ptr<const Catalogo> catalogo)
{
    m_catalogo = std::move(catalogo);
    for (Fila &fila : m_filas)
        fila.maquina = m_catalogo && !fila.desconocida ? m_catalogo->Maquina(fila.juego) : nullptr;
    invalidateFilter();
}

void FiltroDeJuegos::PonerFiltros(const Filtros &filtros)
{
    m_filtros = filtros;
    invalidateFilter();
}

void FiltroDeJuegos::Buscar(const QString &texto)
{
    m_busqueda = texto;
    m_busquedaPlegada = Plegar(texto);
    invalidateFilter();
}

void FiltroDeJuegos::Refrescar()
{
    invalidateFilter();
}

const FichaMaquina *FiltroDeJuegos::Maquina(int filaFuente) const
{
    return filaFuente >= 0 && filaFuente < m_filas.size() ? m_filas[filaFuente].maquina : nullptr;
}

QString FiltroDeJuegos::Juego(int filaFuente) const
{
    return filaFuente >= 0 && filaFuente < m_filas.size() ? m_filas[filaFuente].juego : QString();
}

bool FiltroDeJuegos::Desconocida(int filaFuente) const
{
    return filaFuente < 0 || filaFuente >= m_filas.size() || m_filas[filaFuente].desconocida;
}

int FiltroDeJuegos::FilaDeJuego(const QString &juego) const
{
    for (int p = 0; p < m_filas.size(); ++p) {
        if (!m_filas[p].desconocida && m_filas[p].juego == juego)
            return p;
    }
    return -1;
}

bool FiltroDeJuegos::filterAcceptsRow(int fila, const QModelIndex &) const
{
    if (fila < 0 || fila >= m_filas.size())
        return true;
    const Fila &f = m_filas[fila];
    if (!m_busquedaPlegada.isEmpty() && !f.clave.contains(m_busquedaPlegada))
        return false;
    const bool favorito = m_jugador && !f.desconocida && m_jugador->EsFavorito(f.juego);
    if (m_filtros.soloFavoritos && !favorito)
        return false;
    // An archive the emulator does not know is no game that works; whether it is a clone, a
    // BIOS or a device nobody can tell.
    if (m_filtros.soloFuncionan && m_catalogo) {
        if (f.desconocida)
            return false;
        if (f.maquina && f.maquina->estado != u"good" && f.maquina->estado != u"imperfect")
            return false;
    }
    if (!f.maquina)
        return true;
    if (m_filtros.ocultarClones && !f.maquina->clonDe.isEmpty())
        return false;
    if (m_filtros.ocultarBios && (f.maquina->esBios || f.maquina->esDispositivo))
        return false;
    return true;
}

QVariant FiltroDeJuegos::data(const QModelIndex &indice, int rol) const
{
    if (rol != kRolFavorito)
        return QSortFilterProxyModel::data(indice, rol);
    const int fila = mapToSource(indice).row();
    return fila >= 0 && fila < m_filas.size() && m_jugador && !m_filas[fila].desconocida
           && m_jugador->EsFavorito(m_filas[fila].juego);
}

} // namespace Corvala
