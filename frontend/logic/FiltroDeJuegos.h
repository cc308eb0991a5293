#pragma once

#include "frontend/logic/DatosDelJugador.h"
#include "frontend/logic/ModeloDeJuegos.h"

#include <QSortFilterProxyModel>

namespace Corvala {

// The player's filters as the list's menu names them, in its order; some need the emulator's
// catalogue.
struct FiltroConNombre
{
    bool Filtros::*filtro;
    const char *nombre; // UTF-8
    bool necesitaCatalogo;
};
inline constexpr FiltroConNombre kFiltrosConNombre[] = {
        {&Filtros::ocultarClones, "Ocultar clones", true},
        {&Filtros::soloFuncionan, "Sólo juegos que funcionan", true},
        {&Filtros::ocultarBios, "Ocultar BIOS y dispositivos", true},
        {&Filtros::soloFavoritos, "Sólo favoritos", false},
        {&Filtros::soloJugables, "Sólo juegos que se pueden jugar", true},
        {&Filtros::soloRecreativas, "Sólo juegos de recreativa", false},
        {&Filtros::soloSoftware, "Sólo software de consolas y ordenadores", false},
};

// What leaves a row of the game list out: the player's filters and the search.
struct CriteriosDeLista
{
    Filtros filtros;
    // The search's text, folded (ModeloDeJuegos::Plegar); empty: no search.
    QString busqueda;

    // Whether the row is shown: its title, archive or categories hold the search's text, and no
    // filter leaves it out. The filters that need the catalogue apply only while there is one,
    // those of categories and players while the player's files say something of them.
    bool Muestra(const JuegoDeLista &fila, bool conCatalogo,
                 const Clasificacion *clasificacion = nullptr) const;
};

// The rows of the game list that the player sees: the model's rows, less what the filters and
// the search leave out, in the model's own order.
class FiltroDeJuegos : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit FiltroDeJuegos(QObject *parent = nullptr);

    // The rows behind the view; the filter follows their changes (a new catalogue, a
    // favourite).
    void PonerModelo(const ModeloDeJuegos *modelo);
    const ModeloDeJuegos *Modelo() const { return m_modelo; }

    void PonerFiltros(const Filtros &filtros);
    // Leaves in the rows whose title or archive name holds the text, regardless of letter
    // case and accents; an empty text leaves every row in.
    void Buscar(const QString &texto);
    const QString &Busqueda() const { return m_busqueda; }

    // The model's row behind a visible index, or -1; and the visible index of a model's row
    // (invalid when the filters leave it out).
    int FilaDe(const QModelIndex &visible) const;
    QModelIndex Visible(int fila) const;

    // While the filters or the search hide rows, what the strip along the list's bottom edge
    // says ("Filtros: Sólo favoritos — 0 de 2.345 juegos"); empty when every row is shown.
    QString Resumen() const;
    // Why a list the filters or the search leave empty shows nothing; empty otherwise.
    QString PorQueVacia() const;

protected:
    bool filterAcceptsRow(int fila, const QModelIndex &padre) const override;

private:
    // The names of the filters on that apply now.
    QStringList FiltrosQueSeAplican() const;

    const ModeloDeJuegos *m_modelo = nullptr;
    CriteriosDeLista m_criterios;
    QString m_busqueda;
};

} // namespace Corvala
