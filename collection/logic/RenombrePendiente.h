#pragma once

#include <QString>

namespace Corvala {

class CarpetaMame;

// The record of an archive that carries another name for a moment (the compatibility test
// renames it to a candidate's name and back). Written before the first rename and removed
// after the second, it lets a Corvala that was killed in between give the archive its name
// back: at the next start-up, before the list is read, and when the ROM manager opens.
namespace RenombrePendiente {

// The record, in the MAME folder.
QString Nombre();

// A name the record may hold: one file of the roms folder, nothing that leads elsewhere.
bool EsNombreDeArchivo(const QString &nombre);

// Writes the record. Each name is kept exactly, whatever characters it holds (line breaks
// included): it is written percent-encoded.
bool Escribir(const CarpetaMame &carpeta, const QString &archivo, const QString &candidato);
void Borrar(const CarpetaMame &carpeta);

// Gives an archive left under a candidate's name its own name back, as the record says, and
// removes the record. Returns true when an archive was renamed.
bool Devolver(const CarpetaMame &carpeta);

} // namespace RenombrePendiente
} // namespace Corvala
