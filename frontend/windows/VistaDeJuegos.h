#pragma once

#include "frontend/logic/DatosDelJugador.h"
#include "frontend/logic/ExtrasDeLaSesion.h"
#include "frontend/logic/FiltroDeJuegos.h"
#include "frontend/logic/IdentificacionDeArchivos.h"
#include "frontend/logic/ModeloDeJuegos.h"

#include <QWidget>

#include <array>
#include <functional>
#include <iterator>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;

namespace Corvala {

class DelegadoDeJuegos;
class EtiquetaPulsable;
class MenuDeClasificacion;
struct ListaCargada;
struct Sesion;

// The main window's game list: the view over the list's rows, the search field along its
// bottom edge, its context menu (information, favourites, recently played, the filters), its
// tooltip and the game's information window. It starts nothing itself: a game to start and a
// change of the row chosen reach the main window as signals. Rows are the model's rows
// (ModeloDeJuegos); -1 is none.
class VistaDeJuegos : public QWidget
{
    Q_OBJECT

public:
    VistaDeJuegos(Sesion &sesion, QWidget *parent);

    // The player's file, read once at start-up; its filters apply at once.
    void LeerJugador();
    // Rows anew for a loaded list (none: an empty list), with the session's catalogue.
    void Mostrar(const ListaCargada &lista);
    // The session's catalogue changed: the rows are looked at again, the same game chosen.
    void CatalogoCambiado();
    // How to know whether the catalogue is being read or built meanwhile (the filters that need
    // it say so); asked when the menu opens.
    void CatalogoEnConstruccion(std::function<bool()> construyendose)
    {
        m_construyendose = std::move(construyendose);
    }

    const ModeloDeJuegos &Modelo() const { return m_modelo; }
    const DatosDelJugador &Jugador() const { return m_jugador; }
    const IdentificacionDeArchivos &Parecidos() const { return m_parecidos; }
    // What players keep in the MAME folder: categories, history, pictures.
    const ExtrasDeLaSesion &Extras() const { return m_extras; }

    // The row chosen, or -1; and a row chosen, when the filters show it.
    int FilaElegida() const;
    void ElegirFila(int fila);

    // A game of a row was started: its play is recorded in the player's file.
    void AnotarPartida(int fila);
    // The archive of a row now carries another name.
    void Renombrar(int fila, const QString &archivo);
    // What an audit of the collection found: the rows change in place, the choice stays.
    void PonerAuditoria(std::shared_ptr<const ResultadoAuditoria> auditoria);
    // What the audit of the player's software found: the rows change in place.
    void PonerAuditoriaSoftware(std::shared_ptr<const ResultadoAuditoriaSoftware> auditoria);

    // The search: opened with a first text, or closed (the whole list shown again, the same
    // game chosen).
    void AbrirBusqueda(const QString &texto);
    void CerrarBusqueda();
    // Moves the choice by that many rows of those shown (paginas: by that many pages), kept
    // within the list; with nothing chosen, the first row is.
    void MoverEleccion(int filas, bool paginas = false);
    // Every filter off and the search closed: the whole list.
    void QuitarFiltros();

public Q_SLOTS:
    void mnuInformacion_Click();
    void mnuFavorito_Click();

Q_SIGNALS:
    // The player asks for the game of a row: double-click, Enter, or a recent game.
    void lanzar(int fila);
    // A row was chosen, or the row already chosen clicked again.
    void elegida(int fila);
    // What players keep was read anew: the pictures may have changed.
    void extrasLeidos();

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;
    void resizeEvent(QResizeEvent *evento) override;

private:
    void CrearMenu();
    void ActualizarMenu();
    void MostrarMenu(const QPoint &punto);
    void CambiarFiltro(bool Filtros::*filtro, bool valor);
    // Applies the player's filters as they are now, and keeps them.
    void AplicarFiltros();
    void GuardarJugador();
    void Elegida();
    // The list's tooltip for a row: its whole title, archive, catalogue data and verdict.
    void PonerAyuda(int fila);
    // What an archive the emulator does not know appears to be; null when nothing is known.
    const Candidato *Parecido(const JuegoDeLista &juego) const;
    // The forms the row's set is held in, in the emulator's order.
    QStringList FormasDe(const JuegoDeLista &juego) const;
    // Runs a change of the rows shown, keeping the game chosen when it is still shown, else
    // choosing the first row. traslado: where a row went, when the change moves rows.
    void MantenerEleccion(const std::function<void()> &cambio,
                          const std::function<int(int)> &traslado = {});
    // The strip that tells of the rows the filters and the search hide, and the text of a list
    // they leave empty, as they are now; placed along the list's bottom edge.
    void ActualizarAvisos();
    void ColocarAvisos();
    // Starts finding out which games the archives the emulator does not know appear to be.
    void IdentificarDesconocidas();

    QListView *lstJuegos;
    QLineEdit *txtBuscar;
    EtiquetaPulsable *lblFiltros;
    QLabel *lblVacia;
    QMenu *mnuLista;
    QAction *mnuInformacion;
    QAction *mnuFavorito;
    QMenu *mnuRecientes;
    // The filters' entries, in the order of kFiltrosConNombre.
    std::array<QAction *, std::size(kFiltrosConNombre)> mnuFiltros;
    MenuDeClasificacion *m_menuClasificacion;
    DelegadoDeJuegos *m_delegado;

    Sesion &m_sesion;
    ModeloDeJuegos m_modelo;
    FiltroDeJuegos m_filtro;
    DatosDelJugador m_jugador;
    IdentificacionDeArchivos m_parecidos;
    ExtrasDeLaSesion m_extras;
    std::function<bool()> m_construyendose = [] { return false; };
};

} // namespace Corvala
