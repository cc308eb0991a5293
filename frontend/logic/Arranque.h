#pragma once

#include "comun/logic/Mensajes.h"

#include <QString>

#include <memory>

class QLockFile;

namespace Corvala {

class CarpetaMame;

// The decisions of Corvala's start-up and the file work of its shut-down.
namespace Arranque {

// The refusals that end the program before anything is written.
Mensaje MensajeSinEmulador();
Mensaje MensajeYaAbierto();

// The lock that tells a second copy of Corvala that one is open: in the user's runtime folder.
// A lock left by a copy that crashed is taken over.
QString RutaBloqueo();
// The lock, held for as long as the result lives; nothing when another copy holds it.
std::unique_ptr<QLockFile> TomarBloqueo(const QString &ruta);

// What the emulator's version allows.
enum class Configuracion {
    NoConfigurable,             // unknown, or up to 0.37 BETA 14: no mame.ini, no controls
    ControlesNoConfigurables,   // up to 0.59: mame.ini, but no controls
    Configurable,
};
Configuracion ConfiguracionDeVersion(const QString &version);

// The status line for the version.
QString TextoDeVersion(const QString &version, Configuracion configuracion);

// A controller set of an older Corvala, which had only ctrlr/Corvala/default.ini, is removed
// when the emulator's own controller files are present: ctrlr/hotrod.cfg, slikstik.cfg or
// hotrodse.cfg.
void RetirarControladorAntiguo(const CarpetaMame &carpeta);

// The work files that go when Corvala closes, and the emulator's default configuration put
// back where the defined keys had set it aside. mame.ini is left to the caller.
void LimpiarAlCerrar(const CarpetaMame &carpeta);

} // namespace Arranque
} // namespace Corvala
