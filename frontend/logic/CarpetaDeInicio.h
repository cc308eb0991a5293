#pragma once

#include "comun/logic/Mensajes.h"
#include "comun/logic/Resultado.h"

#include <QString>

#include <optional>

namespace Corvala {

// Which MAME folder Corvala works in. A Corvala copied beside an emulator works in its own
// folder, as it always has. An installed Corvala (its program in the package's folder, which
// is no MAME folder even when the distribution's emulator lies beside it), or one whose folder
// holds no emulator, works in the player's folder ~/mame: as it is when it holds an emulator,
// or prepared for the emulator installed in the system once the player agrees.
namespace CarpetaDeInicio {

struct Eleccion
{
    QString carpeta;
    // When set, the folder must first be prepared (its roms folder made, its mame linked to
    // this emulator), and only once the player agrees.
    QString preparar;
};

// programa: the folder of Corvala's program; instalada: where the package installs it;
// casa: the player's home; emulador: the emulator installed in the system (EmuladorInstalado),
// or empty. With no emulator anywhere the program's folder is chosen, and the start-up refuses
// it as ever.
Eleccion Elegir(const QString &programa, const QString &instalada, const QString &casa,
                const QString &emulador);

// /usr/games/mame, else a mame on the PATH; empty when there is none.
QString EmuladorInstalado();

// Makes the folder and its roms folder and links its mame to the emulator.
Resultado Preparar(const QString &carpeta, const QString &emulador);

Mensaje MensajePreparar(const QString &carpeta, const QString &emulador);
Mensaje MensajePreparada(const QString &carpeta);
Mensaje MensajeNoPreparada(const QString &carpeta, const QString &motivo);

// The whole choice, with its boxes: the folder to work in, or nothing when the program must
// end (the player said No, or the folder could not be prepared; it is said then).
std::optional<QString> Decidir(const QString &programa, const QString &instalada,
                               const QString &casa, const QString &emulador);

} // namespace CarpetaDeInicio
} // namespace Corvala
