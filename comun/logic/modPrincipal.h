#pragma once

#include <QString>
#include <QStringView>

namespace Corvala {

class CarpetaMame;

// The utilities that every part of Corvala shares. They keep no state of their own.

// True when at least one file or folder matches the path; its last component may hold the
// wildcards * and ?. Letter case follows the file system. A bad path is simply false.
bool ExisteArchivo(const QString &ruta);

// The text before the last "." of a file name: pacman.zip gives pacman, a.b.zip gives a.b;
// a name without a dot, or whose only dot comes first, gives the empty text. A set's folder,
// listed as pacman/, gives pacman.
QString QuitarExtension(const QString &nombre);
// The form of a set's archive, as its name's end says it in lower case: ".zip", ".7z", or "/"
// for a folder; ".zip" for a name without one.
QString FormaDeArchivo(const QString &nombre);

// The text without the blanks (character 32 only) at its two ends.
QStringView QuitarBlancos(QStringView texto);

// Renames a file of the folder; an existing file of the new name is never replaced (the
// rename then fails). Returns whether the file now carries the new name.
bool RenombrarArchivo(const QString &viejo, const QString &nuevo, const QString &carpeta);

// Moves the file onto the target path, replacing a file there; nothing happens when the source
// does not exist. Returns false when the file could not be moved; the target is then as it
// was.
bool MoverArchivo(const QString &origen, const QString &destino);

// True when the path lies on a CD-ROM or DVD file system (iso9660, udf).
bool EsUnidadCD(const QString &ruta);

// True when nothing can be written in the folder: a disk mounted read-only, or a folder that
// is not the user's to write in.
bool EsSoloLectura(const QString &ruta);

} // namespace Corvala
