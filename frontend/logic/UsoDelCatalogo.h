#pragma once

#include "catalogue/logic/Catalogo.h"
#include "collection/logic/Auditoria.h"
#include "comun/logic/CarpetaMame.h"
#include "comun/logic/Mensajes.h"
#include "comun/logic/Resultado.h"
#include "emulator/logic/Ejecucion.h"
#include "frontend/logic/DatosDelJugador.h"
#include "frontend/logic/ModeloDeJuegos.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QThread>

#include <atomic>
#include <memory>
#include <optional>

namespace Corvala {

struct Sesion;

// What the main window does with the emulator's catalogue and the player's data.
namespace UsoDelCatalogo {

// The command that builds the folder's catalogue, or nothing when the folder keeps none: a
// CD-ROM, a read-only folder, or an emulator that cannot give one.
std::optional<OrdenEmulador> Orden(const Sesion &sesion);

// What a catalogue must have been built against to serve the folder as it is now.
Catalogo::Sello SelloActual(const Sesion &sesion);

// The catalogue in use must be built (again): there is none, it no longer matches the
// emulator or its list, or the player renewed the list. A build that failed against the
// folder as it is now is not tried again but on the player's renewal.
// actual: SelloActual, worked out once by the caller (it reads lista.txt whole).
bool HayQueConstruir(const Sesion &sesion, const Catalogo::Sello &actual, bool listaRenovada);

// A build that failed is remembered with what it was built against (in the MAME folder, so
// that the next start does not run the emulator for nothing), and forgotten once one
// succeeds. Recordar says why when it cannot write the record.
Resultado RecordarFallo(const Sesion &sesion, const QString &motivo);
void OlvidarFallo(const CarpetaMame &carpeta);
// What the player is told, once, of a build that failed; recordado: the failure could be
// recorded, so the next start does not try again (otherwise it is not promised).
Mensaje MensajeCatalogoFallido(const QString &motivo, bool recordado = true);

// The status line when the catalogue on disk cannot be read now and is left as it is.
QString TextoCatalogoApartado(const QString &motivo);

// A build a killed Corvala left unfinished (corvala.db.nuevo) is removed.
void QuitarConstruccionInterrumpida(const CarpetaMame &carpeta);

// The folder's catalogue as it lies on disk, read in a thread of its own while the window
// works: leido comes once it has been read.
class LecturaDelCatalogo : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    // Waits for a read still running.
    ~LecturaDelCatalogo() override;

    // Reads the folder's corvala.db; where there is none, leido comes (with nothing) as soon
    // as the events flow.
    void Iniciar(const CarpetaMame &carpeta);
    bool EnCurso() const { return m_hilo != nullptr; }

Q_SIGNALS:
    // The catalogue, or null and why (one that cannot be read is logged with its reason).
    void leido(std::shared_ptr<const Catalogo> catalogo, Catalogo::SinCatalogo porQue,
               const QString &motivo);

private:
    QThread *m_hilo = nullptr;
    QString m_motivo;
    Catalogo::SinCatalogo m_porQue = Catalogo::SinCatalogo::Ausente;
    std::shared_ptr<const Catalogo> m_catalogo;
};

// The audit of the folder's collection against its catalogue, run in a thread of its own while
// the window works: auditada comes once it has ended. Asked again while it runs, it runs once
// more after, so that the last change is the one audited.
class AuditoriaDeLaColeccion : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    // Stops a run and waits for it.
    ~AuditoriaDeLaColeccion() override;

    // catalogo: the one in use, whose parents tell the clones found in their parent's archive;
    // filas: the list's rows, whose verdicts are looked up beside the window's thread too.
    // comprobando: the follow-up of verdicts read back on the folder's own entries, which
    // compares every file of its sets' folders and sends verdicts only when one has changed.
    void Iniciar(const CarpetaMame &carpeta, std::shared_ptr<const Catalogo> catalogo,
                 const ModeloDeJuegos &filas, bool comprobando = false);
    // Stops a run (a new catalogue is being built over the database it reads); nothing comes.
    void Detener();
    bool EnCurso() const { return m_hilo != nullptr; }

Q_SIGNALS:
    // The verdicts; an audit that could not be made is logged with its reason and not sent.
    void auditada(std::shared_ptr<const ResultadoAuditoria> auditoria);

private:
    QThread *m_hilo = nullptr;
    std::atomic<bool> m_cancelar{false};
    quint64 m_generacion = 0;
    struct Pedido
    {
        CarpetaMame carpeta;
        std::shared_ptr<const Catalogo> catalogo;
        const ModeloDeJuegos *filas;
    };
    std::optional<Pedido> m_otraVez;
    std::shared_ptr<ResultadoAuditoria> m_resultado;
};

// The question before a game the audit says cannot run is started; nothing when it can, or
// when no audit has looked at it.
std::optional<Mensaje> PreguntaAntesDeJugar(const JuegoDeLista &fila);

// The list's context menu for the selected entry (-1: none).
struct Menu
{
    bool informacion = false;
    bool favorito = false; // the entry can be made a favourite or stop being one
    bool esFavorito = false;
    // The games played last whose archives are in the list, the most recent first: title and
    // row.
    QList<QPair<QString, int>> recientes;
    bool filtrosDelCatalogo = false; // the filters that need the catalogue can be chosen
};
Menu EstadoDelMenu(const ModeloDeJuegos &filas, int fila, const DatosDelJugador &jugador,
                   bool conCatalogo);

// Why the filters that need the catalogue cannot be chosen now, in the player's words; empty
// while there is one. construyendose: it is being built.
QString PorQueSinCatalogo(const Sesion &sesion, bool construyendose);

} // namespace UsoDelCatalogo
} // namespace Corvala
