#pragma once

#include "comun/logic/Mensajes.h"

#include <QStringList>

namespace Corvala {

class CarpetaMame;

// The files of the MAME folder that both the game list and the ROM manager rely on.
namespace ArchivosDeCarpeta {

// Running from a CD-ROM needs all.bat, lista.txt and Corvala.tlc, since they cannot be made.
bool FaltanArchivosDeCD(const CarpetaMame &carpeta);
// The box that then ends the program.
Mensaje MensajeFaltanArchivosDeCD();

// Writes all.bat, the record of the list command, when it is missing.
void CrearAllBat(const CarpetaMame &carpeta);

// The sets of the roms folder as the emulator reads them, hidden ones excluded, ordered by name
// without regard to case: archives NAME.zip and NAME.7z in any letter case, and folders,
// listed as NAME/. A set held in more than one form is listed once, in the form the emulator
// looks at first (folder, zip, 7z). Names that are not UTF-8 are listed too (see
// NombreIlegible).
// A folder that is there but cannot be listed (a link to itself, no permission) lists nothing,
// and says why in motivo. otros tells whether it also holds other files (not hidden).
QStringList ListarArchivos(const QString &carpetaRoms, QString *motivo = nullptr,
                           bool *otros = nullptr);

// The forms a set is held in, in the order the emulator looks at them: NAME/, NAME.zip,
// NAME.7z (exactly so named).
QStringList Formas(const QString &carpetaRoms, const QString &conjunto);

// An archive listed under a name that is not UTF-8 on disk: shown as Windows-1252 reads it,
// it cannot be opened under that name. True for such an archive only (not for one that is
// merely gone).
bool NombreIlegible(const QString &carpetaRoms, const QString &archivo);
// The box that refuses to act on it.
Mensaje MensajeNombreIlegible(const QString &archivo);

} // namespace ArchivosDeCarpeta
} // namespace Corvala
