#pragma once

#include "catalogue/logic/Catalogo.h"
#include "catalogue/logic/CatalogoSoftware.h"
#include "collection/logic/Auditoria.h"
#include "collection/logic/AuditoriaSoftware.h"
#include "extras/logic/Clasificacion.h"

#include <QAbstractListModel>
#include <QVector>

#include <deque>
#include <memory>
#include <optional>

namespace Corvala {

class DatosDelJugador;
struct ListaCargada;

// One row of the game list: everything the list, its search, its filters and its menu know of
// one entry, kept together so that nothing has to be looked up by a position in another list.
struct JuegoDeLista
{
    QString titulo;  // as the list shows it
    QString archivo; // the archive of the roms folder behind it; empty when none
    QString juego;   // the set name: the archive's name without ".zip", in lower case
    // The machine in the catalogue in use; null without a catalogue, or when it lacks the set.
    const FichaMaquina *maquina = nullptr;
    QString clave;             // title and archive name as the search compares them
    bool desconocida = false;  // the emulator does not know the archive
    bool favorito = false;     // one of the player's favourite games
    bool padreListado = false; // a clone whose parent game is a row of the list too
    // A clone whose files lie in its parent's archive (a merged set): archivo is the parent's,
    // juego the clone's own set name, which the emulator is started with.
    bool enElPadre = false;
    // An item of a software list kept as roms/LIST/ITEM.zip: its list (empty for an arcade
    // set), its entry in the list (null when the list does not know it) and the machine it
    // starts on (mame SYSTEM ITEM; empty while none is known). juego is then "LIST:ITEM".
    QString lista;
    const FichaSoftware *software = nullptr;
    QString sistema;
    // What the player's category files say of it (of its parent, when they leave a clone out):
    // its entry (null: nothing), its categories, the most players it takes (0: not known), and
    // its categories as the search compares them.
    const Clasificacion::Ficha *clasificacion = nullptr;
    QStringList categorias;
    int jugadores = 0;
    QString claveDeCategorias;
    // Whether the game can run, as an audit of the archives finds it, and why not in the
    // player's words; not known until such an audit has looked at it.
    enum class Jugable { SinAuditar, Correcto, MejorDisponible, Incorrecto };
    Jugable jugable = Jugable::SinAuditar;
    // Its verdict, held by the audit in use (or by the model); null while it is not audited.
    const Veredicto *veredicto = nullptr;
    // Why it cannot run, or runs only with the best there is; empty otherwise.
    QString Motivo() const { return veredicto ? veredicto->motivo : QString(); }
    // The samples it lacks, which never keep it from running.
    QString Muestras() const { return veredicto ? veredicto->muestras : QString(); }
};

// The game list's rows, in the list's order (the titles ascending, then the archives the
// emulator does not know). The search and the filters are a view over it (FiltroDeJuegos).
class ModeloDeJuegos : public QAbstractListModel
{
    Q_OBJECT

public:
    // Whether a row's game is one of the player's favourites (a bool).
    static constexpr int kRolFavorito = Qt::UserRole + 1;
    // Whether the audit found that a row's game cannot run (a bool).
    static constexpr int kRolNoJugable = Qt::UserRole + 2;

    using QAbstractListModel::QAbstractListModel;

    // Rows anew for a loaded list, with the catalogue in use (or none) and the player's data.
    void Cargar(const ListaCargada &lista, std::shared_ptr<const Catalogo> catalogo,
                const DatosDelJugador &jugador);
    // The verdicts of the player's software (null: none yet).
    void PonerAuditoriaSoftware(std::shared_ptr<const ResultadoAuditoriaSoftware> auditoria);
    const ResultadoAuditoriaSoftware *AuditoriaSoftwareEnUso() const
    {
        return m_auditoriaSoftware.get();
    }
    const CatalogoSoftware *SoftwareEnUso() const { return m_software.get(); }
    // The software lists the rows have items of.
    QSet<QString> ListasDeSoftware() const;
    // The machines that can start a software row's item, best first (see SistemaDeSoftware).
    QStringList SistemasDe(int fila) const;
    // What the player's category files say (null: none); the rows change in place.
    void PonerClasificacion(std::shared_ptr<const Clasificacion> clasificacion);
    const Clasificacion *ClasificacionEnUso() const { return m_clasificacion.get(); }
    // The names a row's pictures and history are looked for by, its own first, then its
    // parent's: "pacman", "puckman"; for software "nes/smb" (its pictures) and "nes:smb" (its
    // history).
    QStringList NombresDeImagen(int fila) const;
    QStringList ClavesDeHistoria(int fila) const;
    // Another catalogue for the same rows.
    void PonerCatalogo(std::shared_ptr<const Catalogo> catalogo);
    // The player's favourites, or the machines chosen for software lists, changed.
    void PonerFavoritos(const DatosDelJugador &jugador);
    // The archive behind a row now carries another name.
    void Renombrar(int fila, const QString &archivo);
    // What an audit of the collection found (null: none yet). The rows change in place, and
    // the clones it found whole in their parent's archive become rows of their own (those no
    // longer found so are taken out). Returns where each row went (-1: taken out).
    QVector<int> PonerAuditoria(std::shared_ptr<const ResultadoAuditoria> auditoria);
    const ResultadoAuditoria *AuditoriaEnUso() const { return m_auditoria.get(); }
    // The set name each row's verdict is looked up by (empty for a row that has none), and a
    // number that changes whenever the rows do: an audit looks them up beside the window's
    // thread, for these very rows.
    QStringList ClavesDeAuditoria() const;
    quint64 Generacion() const { return m_generacion; }

    // A row; fila must lie between 0 and Cantidad() - 1 (see Valida).
    const JuegoDeLista &Fila(int fila) const { return m_filas[fila]; }
    bool Valida(int fila) const { return fila >= 0 && fila < m_filas.size(); }
    int Cantidad() const { return int(m_filas.size()); }
    // The first row of a game the emulator knows, by its set name, or -1.
    int FilaDeJuego(const QString &juego) const;
    // The first row with this title, or -1.
    int FilaDeTitulo(const QString &titulo) const;
    const Catalogo *CatalogoEnUso() const { return m_catalogo.get(); }
    // How many games the emulator's list names (not only those with an archive).
    int JuegosListados() const { return m_juegosListados; }

    // The text as the search compares it: in the same case, without accents.
    static QString Plegar(QStringView texto);

    int rowCount(const QModelIndex &padre = {}) const override;
    QVariant data(const QModelIndex &indice, int rol = Qt::DisplayRole) const override;

private:
    // Each row's machine in the catalogue that is now in use.
    void BuscarMaquinas(std::shared_ptr<const Catalogo> catalogo);
    // Each row's verdict in the audit in use.
    // previsto: its verdict as the audit looked it up, when it did for these rows.
    void Juzgar(JuegoDeLista &fila, std::optional<const Veredicto *> previsto = std::nullopt);
    // The set name a row's verdict is looked up by; empty for one that has none.
    static QString ClaveDeAuditoria(const JuegoDeLista &fila);
    static JuegoDeLista::Jugable JugableDe(const Veredicto &veredicto);
    // A software row's machine and verdict, from both audits.
    void JuzgarSoftware(JuegoDeLista &fila);
    // A row's entry in the category files.
    void Clasificar(JuegoDeLista &fila) const;
    // The rows of the clones found whole in their parents' archives.
    QVector<JuegoDeLista> ClonesEnElPadre() const;

    QVector<JuegoDeLista> m_filas;
    std::shared_ptr<const Catalogo> m_catalogo;
    std::shared_ptr<const ResultadoAuditoria> m_auditoria;
    std::shared_ptr<const CatalogoSoftware> m_software;
    std::shared_ptr<const ResultadoAuditoriaSoftware> m_auditoriaSoftware;
    std::shared_ptr<const Clasificacion> m_clasificacion;
    QHash<QString, QString> m_sistemas; // the player's machine for a list
    // The verdicts the model gives itself: an archive under a name the emulator does not open.
    std::deque<Veredicto> m_propios;
    quint64 m_generacion = 0;
    int m_juegosListados = 0;
};

} // namespace Corvala
