#pragma once

#include <QStringList>

namespace Corvala {

class CarpetaMame;

// What the ROM manager's two lists show: the archives of the roms folder and the title of
// every game the emulator supports.
namespace ListasDelGestor {

// Has the emulator write lista.txt afresh (all.bat, its record, is written when missing).
void ReconstruirLista(const CarpetaMame &carpeta);

// The archives of the roms folder, as the main window lists them.
QStringList Archivos(const CarpetaMame &carpeta);

// The title of every game of lista.txt, in alphabetical order without regard to case (equal
// titles in file order); none when the file cannot be read.
QStringList Titulos(const CarpetaMame &carpeta);

} // namespace ListasDelGestor
} // namespace Corvala
