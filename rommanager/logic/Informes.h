#pragma once

#include "collection/logic/Auditoria.h"
#include "comun/logic/Mensajes.h"

#include <QString>

namespace Corvala {

class CatalogoSoftware;
struct ResultadoAuditoriaSoftware;

class CarpetaMame;
class Catalogo;

// The ROM manager's two reports: the emulator's diagnostic outputs copied line by line under
// fixed headings into comparacion.log, in the MAME folder. The emulator's outputs (1.p to 4.p)
// are removed once copied; the report stays until the next report replaces it or Corvala
// closes, since the viewer that shows it may read it late.
namespace Informes {

QString Ruta(const CarpetaMame &carpeta);
QString SinReconocer();

// The one line of a section whose command was not given to the emulator, because the name
// would have been read as an option or as every set.
QString NoPreguntado(const QString &nombre);

// The report on an archive of roms: what the emulator finds in it, the files its game needs,
// whether its set is good, and whether the emulator knows its files (for an emulator without
// -isknown, the line SinReconocer). With the emulator's catalogue it ends with the sets whose
// ROMs the archive holds (SeccionDeCandidatos). Returns false when the report could not be
// written.
bool InformeDeArchivo(const CarpetaMame &carpeta, const QString &archivo,
                      const Catalogo *catalogo = nullptr);

// The report's last section: its heading, and the sets whose ROMs the archive at a path holds,
// best first, each with its title and how many of its ROMs are there.
QStringList SeccionDeCandidatos(const Catalogo &catalogo, const QString &ruta);

// The report on a game, by its title and its archive name (the ROM files that archive must
// hold).
bool InformeDeJuego(const CarpetaMame &carpeta, const QString &titulo,
                    const QString &archivoDelJuego);

// The report on the whole collection, from an audit with its details (Auditoria::Auditar):
// how many games can run, run with the best there is, or cannot run; what would fix most (the
// missing archives that most games need, and the missing files that lie in another archive of
// the folder, as the audit read it); and what each game that cannot run lacks.
QStringList LineasDeColeccion(const ResultadoAuditoria &auditoria, const Catalogo &catalogo);
// The same of the software of the lists' folders: how many items run, run with the best there
// is or cannot run (their files, or no machine of their list that runs: what would fix most),
// and why each cannot. items: the lists' items (null: named by their paths).
QStringList LineasDeSoftware(const ResultadoAuditoriaSoftware &software,
                             const CatalogoSoftware *items, const Catalogo &catalogo,
                             const ResultadoAuditoria &auditoria);
// Audits the collection with every detail, its software too, and writes the report; false when the
// collection cannot be audited (logged with why) or the report cannot be written.
bool InformeDeColeccion(const CarpetaMame &carpeta, const Catalogo &catalogo);
// The box when there is no catalogue to audit against yet.
Mensaje MensajeColeccionSinCatalogo();

// The box of a report that could not be written.
Mensaje MensajeSinInforme();

} // namespace Informes
} // namespace Corvala
