#pragma once

#include <QString>
#include <QStringList>

namespace Corvala {

class CarpetaMame;

// How Corvala runs the emulator, and what it asks of its version.

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

} // namespace Corvala
