#pragma once

#include "comun/logic/Catalogo.h"
#include "comun/logic/DirectorioZip.h"

#include <QString>
#include <QVector>

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

// The candidates an archive's files can pass the emulator's test for: those it holds every
// own ROM of.
QVector<Candidato> Completos(const QVector<Candidato> &candidatos);

// Whether the archive holds every ROM of the set that must lie in its own archive, and at
// least one of its ROMs: the half of a compatibility test the emulator cannot answer, since it
// also finds a set's files in other archives of the folder.
bool SirveAlJuego(const Catalogo &catalogo, const DirectorioZip &directorio, const QString &juego);

} // namespace Identificacion
} // namespace Corvala
