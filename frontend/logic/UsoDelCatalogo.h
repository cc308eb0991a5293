#pragma once

#include "comun/logic/Catalogo.h"
#include "comun/logic/modPrincipal.h"
#include "frontend/logic/DatosDelJugador.h"
#include "frontend/logic/ModeloDeJuegos.h"

#include <QList>
#include <QString>

#include <future>
#include <memory>
#include <optional>

namespace Corvala {

struct Sesion;

// What the main window does with the emulator's catalogue and the player's data.
namespace UsoDelCatalogo {

// The command that builds the folder's catalogue, or nothing when the folder keeps none: a
// CD-ROM, or an emulator that cannot give one.
std::optional<OrdenEmulador> Orden(const Sesion &sesion);

// What a catalogue must have been built against to serve the folder as it is now.
Catalogo::Sello SelloActual(const Sesion &sesion);

// The catalogue in use must be built (again): there is none, it no longer matches the
// emulator or its list, or the player renewed the list.
bool HayQueConstruir(const Sesion &sesion, bool listaRenovada);

// The folder's catalogue as it lies on disk, read in a thread of its own while the start-up
// goes on.
class LecturaDelCatalogo
{
public:
    // Nothing is read where the folder has no corvala.db.
    explicit LecturaDelCatalogo(const CarpetaMame &carpeta);
    LecturaDelCatalogo(const LecturaDelCatalogo &) = delete;
    LecturaDelCatalogo &operator=(const LecturaDelCatalogo &) = delete;

    // Waits for it: the catalogue, or null (a catalogue that cannot be read is logged with
    // its reason).
    std::shared_ptr<const Catalogo> Tomar();

private:
    QString m_motivo;
    std::future<std::shared_ptr<const Catalogo>> m_lectura;
};

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
