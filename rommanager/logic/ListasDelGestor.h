#pragma once

#include <QStringList>

namespace Corvala {

class CarpetaMame;
class Catalogo;

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

// The title shown for an archive of the roms folder: its game's, or for one the emulator does
// not know, what its files make it appear to be beside it ("… · Parece ser: Galaxian (Namco set
// 1)"), with the whole of that as its tooltip.
struct TituloDeArchivo
{
    QString texto;
    QString ayuda;
};
TituloDeArchivo Titulo(const CarpetaMame &carpeta, const Catalogo *catalogo,
                       const QString &archivo);

} // namespace ListasDelGestor
} // namespace Corvala
