#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace Corvala {

class CarpetaMame;

// The utilities that every part of Corvala shares. They keep no state of their own.

// True when at least one file or folder matches the path; its last component may hold the
// wildcards * and ?. Letter case follows the file system. A bad path is simply false.
bool ExisteArchivo(const QString &ruta);

// The text before the last "." of a file name: pacman.zip gives pacman, a.b.zip gives a.b;
// a name without a dot, or whose only dot comes first, gives the empty text.
QString QuitarExtension(const QString &nombre);

// The text without the blanks (character 32 only) at its two ends.
QStringView QuitarBlancos(QStringView texto);

// The archive name of the first game of lista.txt whose title equals the given one without
// regard to case (blanks count), as ROM name + ".zip"; "ERROR" when no game has that title.
// The list is read again on every call, so a title that has left it is no longer found.
QString RomDeTitulo(const CarpetaMame &carpeta, const QString &titulo);

// The title lista.txt gives the archive (read again on every call), or its unrecognised-ROM
// text.
QString TituloDeRom(const CarpetaMame &carpeta, const QString &archivo);

// Renames a file of the folder; an existing file of the new name is never replaced (the
// rename then fails). Returns whether the file now carries the new name.
bool RenombrarArchivo(const QString &viejo, const QString &nuevo, const QString &carpeta);

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
    // The longest the run may last, in milliseconds (none when negative): a program still
    // running then is killed.
    int limiteMs = -1;
    // The most its output file may grow to, in bytes (none when negative): a program that
    // writes more is killed.
    qint64 limiteBytes = -1;
};

// How a run ended.
enum class FinEjecucion {
    NoEmpezo, // the program could not be started, or its output file not created
    Cortado,  // killed at its time or size limit
    Fallo,    // ended by itself, but crashed or with an exit code other than 0
    Bien,     // ended by itself with exit code 0
};

// Runs the command and returns when it has ended, keeping the event loop running meanwhile so
// that windows repaint and their handlers run (the handlers guard themselves with the busy
// flags). A program that cannot be started fails at once, before any waiting; one past its
// limits is killed for good (SIGKILL, which no program can ignore).
// The exit code of a program that ended by itself goes to codigoSalida; -1 there means it was
// ended by a signal (a crash).
FinEjecucion Ejecutar(const OrdenEmulador &orden, int *codigoSalida = nullptr);

// Asks every program Ejecutar is waiting for to end (SIGTERM): the system is ending. Each is
// then waited for as usual.
void PedirFinDeEjecuciones();

// The same, true when the program ran and ended by itself; the exit code is not examined.
bool EjecutarYEsperar(const OrdenEmulador &orden);

// The emulator's version: the first line of whatsnew.txt that holds more than blanks, exactly
// as it stands; without one, what the emulator answers to -version (Emulador::Version); else
// the unknown-version text.
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
