#pragma once

#include "comun/logic/Resultado.h"

#include <QString>
#include <QStringList>

#include <atomic>

namespace Corvala {

// The history texts of the player's history.xml (<history> of <entry>, each naming its
// machines in <systems><system name/> and its software in <software><item list name/>, and
// holding a <text>), indexed once into corvala.db so that a game's text is one look-up.
// A machine's key is its set name, a software item's "LIST:ITEM".
namespace Historia {

// The largest history.xml read (today's is some 30 MB), and the longest text kept of one entry.
constexpr qint64 kMaximoDeBytes = 256 * 1024 * 1024;
constexpr int kMaximoPorTexto = 1024 * 1024;

// The history.xml of the first folder that has one; empty when none does.
QString Archivo(const QStringList &carpetas);

// What says whether the file changed since it was indexed: its path, size and date.
QString Huella(const QString &archivo);
// The file the database indexed, as Huella gave it; empty when none.
QString HuellaGuardada(const QString &base);

// Indexes the file into the database (which must exist), replacing what it held, in one
// transaction: a failure leaves the old index, and says why. cancelar stops it.
Resultado Indexar(const QString &base, const QString &archivo,
                  const std::atomic<bool> *cancelar = nullptr);

// The text of the first key the index has, trimmed; empty when none has one, or when the
// database is held by another program for more than a quarter of a second.
QString Texto(const QString &base, const QStringList &claves);

} // namespace Historia
} // namespace Corvala
