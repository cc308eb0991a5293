#pragma once

#include <QHash>
#include <QSet>
#include <QStringList>

namespace Corvala {

class CatalogoSoftware;

// The software the player keeps in the roms folder as the emulator looks for it: an item of a
// list as roms/LIST/ITEM.zip (or .7z, or a folder roms/LIST/ITEM/).
namespace SoftwareDeRoms {

struct Listado
{
    // Every item kept, as a path under roms ("nes/smb.zip", "nes/smb/"), list by list.
    QStringList archivos;
    // The lists that have a folder with something in it, and the items there ("nes/smb").
    QSet<QString> listas;
    QSet<QString> items;
    // The list folders that hold nothing but software: they are no machine's set.
    QSet<QString> soloSoftware;
};

// Looks into the folders of roms named after a list the emulator has (listas: its list files
// by name; carpetas: the roms folder's entries, "nes/" for a folder).
Listado Listar(const QString &carpetaRoms, const QStringList &entradas,
               const QHash<QString, QString> &listas);

// The list of a path under roms that is an item ("nes/smb.zip" gives nes); empty for a set.
QString ListaDe(const QString &archivo);
// The item's name ("nes/smb.zip" gives smb).
QString ItemDe(const QString &archivo);

// A list's name as a row shows it: its description, cut at a word past 40 characters, or its
// own name when the catalogue lacks it.
QString NombreDeLista(const CatalogoSoftware *catalogo, const QString &lista);
// The row's title of an item: "Super Mario Bros. (Europe, rev. A) · Nintendo Entertainment
// System cartridges"; an item the list does not know is an unknown archive.
QString Titulo(const CatalogoSoftware *catalogo, const QString &archivo);

} // namespace SoftwareDeRoms
} // namespace Corvala
