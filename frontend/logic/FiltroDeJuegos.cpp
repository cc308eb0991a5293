#include "frontend/logic/FiltroDeJuegos.h"

namespace Corvala {

bool CriteriosDeLista::Muestra(const JuegoDeLista &fila, bool conCatalogo,
                               const Clasificacion *clasificacion) const
{
    if (!busqueda.isEmpty() && !fila.clave.contains(busqueda)
        && !fila.claveDeCategorias.contains(busqueda))
        return false;
    if (clasificacion && !filtros.categoria.isEmpty() && clasificacion->HayCategorias()
        && !Clasificacion::Pertenece(fila.categorias, filtros.categoria))
        return false;
    if (clasificacion && filtros.jugadores > 0 && clasificacion->HayJugadores()
        && fila.jugadores != filtros.jugadores)
        return false;
    if (filtros.soloFavoritos && !fila.favorito)
        return false;
    const bool software = !fila.lista.isEmpty();
    if ((filtros.soloRecreativas && software) || (filtros.soloSoftware && !software))
        return false;
    if (software) {
        // An item is no BIOS; it works unless its list says it is not supported.
        if (filtros.soloFuncionan && conCatalogo
            && (fila.desconocida || (fila.software && fila.software->soportado == u"no")))
            return false;
        if (filtros.soloJugables && conCatalogo
            && (fila.desconocida || fila.jugable == JuegoDeLista::Jugable::Incorrecto))
            return false;
        return !(filtros.ocultarClones && fila.padreListado);
    }
    // An archive the emulator does not know is no game that works; whether it is a clone, a
    // BIOS or a device nobody can tell.
    if (filtros.soloFuncionan && conCatalogo) {
        if (fila.desconocida)
            return false;
        if (fila.maquina && fila.maquina->estado != u"good" && fila.maquina->estado != u"imperfect")
            return false;
    }
    // Until an audit has looked at the archives, every game is taken as one that can run. A BIOS
    // or a device is no game to play, as the collection report counts.
    if (filtros.soloJugables && conCatalogo
        && (fila.desconocida || fila.jugable == JuegoDeLista::Jugable::Incorrecto
            || (fila.maquina && !fila.maquina->EsJuego())))
        return false;
    if (!fila.maquina)
        return true;
    // A clone is hidden behind its parent: one whose parent the player lacks is the only way
    // to that game.
    if (filtros.ocultarClones && fila.padreListado)
        return false;
    if (filtros.ocultarBios && !fila.maquina->EsJuego())
        return false;
    return true;
}

FiltroDeJuegos::FiltroDeJuegos(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    setDynamicSortFilter(false);
}

void FiltroDeJuegos::PonerModelo(const ModeloDeJuegos *modelo)
{
    m_modelo = modelo;
    // Read only: the filter never changes a row.
    setSourceModel(const_cast<ModeloDeJuegos *>(modelo));
    // Rows are not filtered again on their own while they change: a change of their data
    // (not of their number) is one the filters may see.
    if (m_modelo)
        connect(m_modelo, &QAbstractItemModel::dataChanged, this,
                &FiltroDeJuegos::invalidateFilter);
}

void FiltroDeJuegos::PonerFiltros(const Filtros &filtros)
{
    m_criterios.filtros = filtros;
    invalidateFilter();
}

void FiltroDeJuegos::Buscar(const QString &texto)
{
    m_busqueda = texto;
    m_criterios.busqueda = ModeloDeJuegos::Plegar(texto);
    invalidate();
}

int FiltroDeJuegos::FilaDe(const QModelIndex &visible) const
{
    const int fila = mapToSource(visible).row();
    return m_modelo && m_modelo->Valida(fila) ? fila : -1;
}

QModelIndex FiltroDeJuegos::Visible(int fila) const
{
    if (!m_modelo || !m_modelo->Valida(fila))
        return {};
    return mapFromSource(m_modelo->index(fila));
}

namespace {

// 2345 as "2.345".
QString ConPuntos(int numero)
{
    QString texto = QString::number(numero);
    for (qsizetype p = texto.size() - 3; p > (numero < 0 ? 1 : 0); p -= 3)
        texto.insert(p, QLatin1Char('.'));
    return texto;
}

} // namespace

QStringList FiltroDeJuegos::FiltrosQueSeAplican() const
{
    const bool conCatalogo = m_modelo && m_modelo->CatalogoEnUso();
    QStringList nombres;
    for (const FiltroConNombre &filtro : kFiltrosConNombre) {
        if (m_criterios.filtros.*filtro.filtro && (conCatalogo || !filtro.necesitaCatalogo))
            nombres << QString::fromUtf8(filtro.nombre);
    }
    if (const Clasificacion *clasificacion = m_modelo ? m_modelo->ClasificacionEnUso() : nullptr) {
        if (!m_criterios.filtros.categoria.isEmpty() && clasificacion->HayCategorias())
            nombres << QStringLiteral("Categoría: ") + m_criterios.filtros.categoria;
        if (m_criterios.filtros.jugadores > 0 && clasificacion->HayJugadores())
            nombres << QStringLiteral("Jugadores: %1").arg(m_criterios.filtros.jugadores);
    }
    return nombres;
}

QString FiltroDeJuegos::Resumen() const
{
    const int todas = m_modelo ? m_modelo->Cantidad() : 0;
    if (rowCount() == todas)
        return {};
    QStringList partes;
    if (const QStringList filtros = FiltrosQueSeAplican(); !filtros.isEmpty())
        partes << QStringLiteral("Filtros: ") + filtros.join(QStringLiteral(", "));
    if (!m_busqueda.isEmpty())
        partes << QStringLiteral("Búsqueda: \"%1\"").arg(m_busqueda);
    return QStringLiteral("%1 — %2 de %3 juegos")
            .arg(partes.join(QStringLiteral(" · ")), ConPuntos(rowCount()), ConPuntos(todas));
}

QString FiltroDeJuegos::PorQueVacia() const
{
    if (rowCount() > 0 || !m_modelo || m_modelo->Cantidad() == 0)
        return {};
    if (const QStringList filtros = FiltrosQueSeAplican(); !filtros.isEmpty())
        return QStringLiteral("Ningún juego pasa los filtros elegidos (%1). Haz clic en la franja "
                              "de abajo para quitarlos y ver todos los juegos.")
                .arg(filtros.join(QStringLiteral(", ")));
    return QStringLiteral("Ningún juego tiene \"%1\" en su título ni en el nombre de su archivo.")
            .arg(m_busqueda);
}

bool FiltroDeJuegos::filterAcceptsRow(int fila, const QModelIndex &) const
{
    return m_modelo->Valida(fila)
           && m_criterios.Muestra(m_modelo->Fila(fila), m_modelo->CatalogoEnUso() != nullptr,
                                  m_modelo->ClasificacionEnUso());
}

} // namespace Corvala
