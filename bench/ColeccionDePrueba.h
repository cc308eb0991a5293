#pragma once

#include <QString>

#include <optional>

class QWidget;

// The made-up collections the benchmarks run on, and what they measure them with.
namespace ColeccionDePrueba {

// Peak resident memory of this process so far, and its resident memory now, in MB (-1 when
// unknown).
double MemoriaPico();
double MemoriaActual();

// A MAME folder in the temporary folder given, its mame a link to the emulator the command line
// names (Debian's /usr/games/mame when it names none), with its lista.txt written by it. The
// emulator's path, or nothing (said on standard output) when there is none to run.
std::optional<QString> CarpetaReal(const QString &carpeta, int argc, char *argv[]);

// Shows a window and returns once it is on the screen and drawn.
bool Mostrar(QWidget &ventana);

// Loads a window (its Form_Load) and shows it.
template <typename Ventana>
bool Arrancar(Ventana &ventana)
{
    ventana.Form_Load();
    return Mostrar(ventana);
}

// The name of game i: a classic eight-character one, or a longer one for the current layout.
QString Nombre(int i, bool largo);

// A MAME folder of n archives, the even ones known to a lista.txt that lists n games in all,
// in the classic layout or the current emulator's one (every seventh name a long one there).
// The fake emulator, linked as the folder's mame, answers -listfull with that same list.
void Crear(const QString &carpeta, int n, bool clasica);

} // namespace ColeccionDePrueba
