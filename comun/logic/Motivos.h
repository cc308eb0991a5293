#pragma once

#include <QString>

class QFileDevice;
struct sqlite3;

namespace Corvala {

// Why something failed, in the player's words: every reason that may reach a box, the status
// line or a report goes through here, so that the player reads Spanish whatever failed. The
// common cases get a sentence of Corvala's own; the rest keep the system's (or the library's)
// own text, which Qt's Spanish translations cover where Qt gives it.
namespace Motivos {

// From a system error number (errno): missing, no permission, read-only, disk full, in use,
// a folder where a file was wanted, a link that loops.
QString DelSistema(int numeroDeError);

// What a file that failed says of itself (its error string, from the system's words).
QString DeArchivo(const QFileDevice &archivo);

// The same for a write of so many bytes that failed: a short write the system did not explain,
// with less room left than it needed, is a full disk.
QString AlEscribir(const QFileDevice &archivo, qint64 bytes);

// A path that is there but is no regular file (a folder, a FIFO, a device).
QString NoEsArchivoNormal();
// A file past what Corvala reads of it: "ocupa más de 8 MB".
QString OcupaMasDe(qint64 bytes);

// From SQLite: a database that cannot be opened, is busy, read-only, on a full disk, damaged or
// no database at all. base may be null (nothing could be allocated).
QString DeSqlite(sqlite3 *base);
QString DeSqlite(int codigo, const char *texto);

} // namespace Motivos
} // namespace Corvala
