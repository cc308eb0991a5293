#pragma once

#include "catalogue/logic/Catalogo.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <memory>

// Real zip archives for the tests, written with libzip, holding the ROMs of the fake
// emulator's catalogue (tests/fakemame/listxml.xml): a ROM's 64 bytes are "SET:ROM:" over and
// over, SET being the set it is first dumped in (the parent's, for a merged ROM).
namespace ZipDePrueba {

using Archivos = QList<QPair<QString, QByteArray>>;

QByteArray Rom(const QString &juego, const QString &rom);

// A set's files as a non-merged archive holds them: puckman, pacman (its own ROM and the two
// it shares with puckman), galaga, neogeo, mslug (its own two).
Archivos Juego(const QString &juego);

// Bytes of a given size (4 at least) whose CRC-32 is the one given: zeros, then four bytes
// that bring the CRC where it must be. Their SHA-1 is anybody's.
QByteArray ConCrc(qint64 tamano, quint32 crc);

// Writes an archive; false when libzip cannot.
bool Escribir(const QString &ruta, const Archivos &archivos, const QByteArray &comentario = {});

// Writes a 7z archive as 7-Zip stores files uncompressed (method Copy, a plain header): solid
// (one block for every file) or a block for each; with no file, as 7-Zip writes an empty
// archive. No file may be empty. False when it cannot.
bool Escribir7z(const QString &ruta, const Archivos &archivos, bool solido = true);

// The catalogue of the fixture, read straight from it.
std::shared_ptr<const Corvala::Catalogo> Catalogo();
// The same, written as a database (corvala.db) at a path; false when it cannot be.
bool EscribirCatalogo(const QString &ruta);

} // namespace ZipDePrueba
