#pragma once

#include "comun/logic/Mensajes.h"
#include "frontend/logic/ListaDeJuegos.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QLockFile;

namespace Corvala {

class CarpetaMame;
struct Sesion;

// The colours of the main window's status line.
enum class ColorEstado { Rojo, Verde, Azul, Turquesa };

// What the status line shows.
struct LineaDeEstado
{
    QString texto;
    ColorEstado color = ColorEstado::Rojo;
};

// The decisions of Corvala's start-up and the file work of its shut-down.
namespace Arranque {

// The refusals that end the program before anything is written.
Mensaje MensajeSinEmulador();
Mensaje MensajeYaAbierto();
// The status line after the list is loaded: what went wrong (the emulator gave no list, the
// roms folder cannot be read), or else the line given.
LineaDeEstado EstadoTrasCargar(const ListaCargada &lista, const LineaDeEstado &siNoFalla);

// What a read-only folder keeps from the player, said once a start.
Mensaje MensajeSoloLectura(const CarpetaMame &carpeta);

// The lock that tells a second copy of Corvala that one is open over the same MAME folder:
// corvala.lock in the folder where it can be written, otherwise a lock in the system's
// temporary folder named after the folder's real path. Copies over two MAME folders run side
// by side. A lock left by a copy that crashed is taken over.
QString RutaBloqueo(const CarpetaMame &carpeta);
// The lock, held for as long as the result lives; nothing when another copy holds it.
std::unique_ptr<QLockFile> TomarBloqueo(const QString &ruta);

// What the emulator's version allows.
enum class Configuracion {
    NoConfigurable,           // unknown, or up to 0.37 BETA 14: no mame.ini, no controls
    ControlesNoConfigurables, // up to 0.59: mame.ini, but no controls
    Configurable,
};
Configuracion ConfiguracionDeVersion(const QString &version);

// The status line for the version.
QString TextoDeVersion(const QString &version, Configuracion configuracion);

// A controller set of an older Corvala, which had only ctrlr/Corvala/default.ini, is removed
// when the emulator's own controller files are present: ctrlr/hotrod.cfg, slikstik.cfg or
// hotrodse.cfg.
void RetirarControladorAntiguo(const CarpetaMame &carpeta);

// What a Corvala that was killed while the defined keys were in force left behind, put back
// as a close would have: every cfg/NAME.bak Corvala set aside (and recorded, CfgApartados)
// replaces the cfg/NAME.cfg the emulator wrote meanwhile, and a ctrlr option of mame.ini left
// on Corvala's controller set is unset.
void DeshacerLoApartado(Sesion &sesion);

// The work files that go when Corvala closes, and the emulator's default configuration put
// back where the defined keys had set it aside. mame.ini is left to the caller.
void LimpiarAlCerrar(const CarpetaMame &carpeta);

// What the start-up leaves for the main window to show.
struct Inicio
{
    // A refusal: shown, then the program ends. Nothing else below is set.
    std::optional<Mensaje> rechazo;
    ListaCargada lista;
    Configuracion configuracion = Configuracion::NoConfigurable;
    LineaDeEstado estado;
    // A box to show once the list is shown.
    std::optional<Mensaje> aviso;
};

// Corvala's start-up over the session's folder, in order: the CD-ROM mode; the refusals
// before anything is written (no emulator, then a second copy, whose lock the session keeps);
// the game list (creandoLista is called before the emulator writes a missing lista.txt; a
// CD-ROM without Corvala's files is refused); the emulator's version and what it allows,
// mame.ini created when the version knows it, the old controller set removed.
Inicio Iniciar(Sesion &sesion, const std::function<void()> &creandoLista = {});

// What the close leaves for the main window.
struct Cierre
{
    bool permitido = true;
    // With a refusal: the status line's text.
    QString estado;
    // A box to show before the window goes: mame.ini could not be rewritten.
    std::optional<Mensaje> error;
};

// Corvala's shut-down: refused while busy (a game runs, the ROM manager is open); otherwise
// the ctrlr option of mame.ini is unset (not from a CD-ROM) and the work files are cleaned up.
Cierre Cerrar(Sesion &sesion);

} // namespace Arranque
} // namespace Corvala
