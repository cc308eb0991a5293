#pragma once

#include "catalogue/logic/FichaSoftware.h"
#include "comun/logic/Resultado.h"

#include <atomic>
#include <functional>

namespace Corvala {

// Reads one of the emulator's software list files (hash/LIST.xml) as it goes: each item is
// handed over with its files as soon as its element ends, and only the item being read is held.
namespace LectorListaSoftware {

using Receptor = std::function<bool(const FichaSoftware &, const QVector<FichaRomSoftware> &)>;

// The largest list file read: Debian's largest (vgmplay) has 20 MB.
constexpr qint64 kMaximoDeBytes = qint64(128) << 20;

// Reads the file: its list in lista (the file's name when the list has none), each item to
// receptor (which stops the read by returning false). Fails, with why, on a file that cannot be
// read, is larger than kMaximoDeBytes, is no software list or is not well formed; the items
// already handed over stand. Stops, failing, once cancelar is set.
Resultado Leer(const QString &ruta, ListaDeSoftware &lista, const Receptor &receptor,
               const std::atomic<bool> *cancelar = nullptr);

} // namespace LectorListaSoftware
} // namespace Corvala
