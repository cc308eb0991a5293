#pragma once

#include "catalogue/logic/Catalogo.h"
#include "collection/logic/DirectorioZip.h"

#include <QString>
#include <QVector>

#include <optional>

namespace Corvala {

// A set whose ROMs an archive holds, matched by size and CRC.
struct Candidato
{
    QString nombre;
    QString titulo;
    int presentes = 0;     // of the set's ROMs, those the archive holds
    int roms = 0;          // the set's ROMs (dumps that do not exist left out)
    bool completo = false; // the archive holds every ROM that must lie in the set's own archive
    bool clon = false;
};

// Which game an archive serves, answered from its own files and the emulator's catalogue,
// without running the emulator.
namespace Identificacion {

// The sets whose ROMs the archive holds, best first: those whose own ROMs are all there, then
// by the share of their ROMs there, a parent before its clones. Devices and sets that need no
// ROM files are never among them.
QVector<Candidato> Candidatos(const Catalogo &catalogo, const DirectorioZip &directorio);

// Whether a candidate comes before another: a whole one first, then by the share of its ROMs
// there, a parent before its clones, then by name.
bool Mejor(const Candidato &a, const Candidato &b);

// The candidates an archive's files can pass the emulator's test for: those it holds every
// own ROM of.
QVector<Candidato> Completos(const QVector<Candidato> &candidatos);

// Whether the archive holds every ROM of the set that must lie in its own archive, and at
// least one of its ROMs: the half of a compatibility test the emulator cannot answer, since it
// also finds a set's files in other archives of the folder.
bool SirveAlJuego(const Catalogo &catalogo, const DirectorioZip &directorio, const QString &juego);

// What an archive appears to be, in the player's words: "Puck Man (Japan set 1), cuyo archivo
// es puckman.zip"; and as a line of its own, "Parece ser: …" (empty without a candidate).
QString Parecido(const Candidato &candidato);
QString LineaDeParecido(const Candidato *candidato);

// The best candidate for the archive at a path, read now; none without a catalogue, or when the
// archive cannot be read or serves no set.
std::optional<Candidato> Primero(const Catalogo *catalogo, const QString &ruta);

} // namespace Identificacion
} // namespace Corvala
