#pragma once

#include "comun/logic/Catalogo.h"
#include "frontend/logic/DatosDelJugador.h"

#include <QSortFilterProxyModel>
#include <QVector>

#include <memory>

namespace Corvala {

struct ListaCargada;

// The rows of the game list that the player sees: the whole list, less what the filters and
// the search leave out, in the list's own order.
class FiltroDeJuegos : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    // Whether a row's game is one of the player's favourites (a bool).
    static constexpr int kRolFavorito = Qt::UserRole + 1;

    explicit FiltroDeJuegos(QObject *parent = nullptr);

    // What the rows are: the list behind the source model (its entries in the same order),
    // the catalogue (none: the filters that need it leave every row in) and the player's
    // data. Called again whenever one of them changes.
    void Preparar(const ListaCargada &lista, std::shared_ptr<const Catalogo> catalogo,
                  const DatosDelJugador *jugador);

    // Another catalogue for the same list.
    void PonerCatalogo(std::shared_ptr<const Catalogo> catalogo);

    void PonerFiltros(const Filtros &filtros);
    // Leaves in the rows whose title or archive name holds the text, regardless of letter
    // case and accents; an empty text leaves every row in.
    void Buscar(const QString &texto);
    const QString &Busqueda() const { return m_busqueda; }

    // The player's favourites or the catalogue changed: the rows are looked at again.
    void Refrescar();

    // The machine of a source row in the catalogue, or null.
    const FichaMaquina *Maquina(int filaFuente) const;
    // The set name of a source row, and whether the emulator does not know its archive.
    QString Juego(int filaFuente) const;
    bool Desconocida(int filaFuente) const;
    // The first source row of a known game, or -1.
    int FilaDeJuego(const QString &juego) const;
    const Catalogo *CatalogoEnUso() const { return m_catalogo.get(); }

    // The text as the search compares it: in the same case, without accents.
    static QString Plegar(QStringView texto);

    QVariant data(const QModelIndex &indice, int rol = Qt::DisplayRole) const override;

protected:
    bool filterAcceptsRow(int fila, const QModelIndex &padre) const override;

private:
    struct Fila
    {
        QString clave; // title and archive name, folded
        QString juego; // the set name
        const FichaMaquina *maquina = nullptr;
        bool desconocida = false;
    };

    QVector<Fila> m_filas;
    std::shared_ptr<const Catalogo> m_catalogo;
    const DatosDelJugador *m_jugador = nullptr;
    Filtros m_filtros;
    QString m_busqueda;
    QString m_busquedaPlegada;
};

} // namespace Corvala
