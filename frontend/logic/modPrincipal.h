#pragma once

#include <QString>
#include <QStringList>

namespace Corvala {

class CarpetaMame;

// The utilities that every part of Corvala shares. They keep no state of their own.

// True when at least one file or folder matches the path; its last component may hold the
// wildcards * and ?. Letter case follows the file system. A bad path is simply false.
bool ExisteArchivo(const QString &ruta);

// The text before the last "." of a file name: pacman.zip gives pacman, a.b.zip gives a.b;
// a name without a dot, or whose only dot comes first, gives the empty text.
QString QuitarExtension(const QString &nombre);

// One emulator run: the program and its arguments, started directly (no shell), in a working
// folder. Its standard output goes to the output file, which is created or emptied first;
// with conErrores its standard error goes there too. Without an output file both are dropped.
struct OrdenEmulador
{
    QString programa;
    QStringList argumentos;
    QString carpeta;
    QString salida;
    bool conErrores = false;
};

// Runs the command and returns when it has ended, keeping the event loop running meanwhile so
// that windows repaint and their handlers run (the handlers guard themselves with the busy
// flags). Returns false, before any waiting, when the program cannot be started or its output
// file cannot be created. The exit code is not examined.
bool EjecutarYEsperar(const OrdenEmulador &orden);

// The emulator's version: the first line of whatsnew.txt that holds more than blanks, exactly
// as it stands, or the unknown-version text.
QString VersionMame(const CarpetaMame &carpeta);
QString VersionDesconocida();

// Compares two version texts as plain text, code unit by code unit, a proper prefix first; so
// "0.37b14" is newer than "0.37 BETA 14" and "0.6" newer than "0.59". One exception keeps the
// versions of the last twenty years in order: when both texts begin with "0." and exactly one
// of them has three or more digits right after it ("0.100", "0.251", "0.139u4"), that one is
// the newer. Returns a negative number, zero or a positive number as the first text is older,
// the same or newer.
int CompararVersiones(const QString &a, const QString &b);

// Moves the file onto the target path, replacing a file there; nothing happens when the source
// does not exist. Returns false when the file could not be moved; the target is then as it
// was.
bool MoverArchivo(const QString &origen, const QString &destino);

// True when the path lies on a CD-ROM or DVD file system (iso9660, udf).
bool EsUnidadCD(const QString &ruta);

} // namespace Corvala
