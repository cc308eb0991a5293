#pragma once

#include <QString>
#include <QStringList>

namespace Corvala {

class Catalogo;
struct FichaSoftware;
struct ResultadoAuditoria;

// Which machine an item of a software list starts on (mame SYSTEM ITEM).
namespace SistemaDeSoftware {

// Whether a machine's list filter ("NTSC", "!PAL", "NTSC,PAL") accepts an item of that
// compatibility, as the emulator decides it: no filter or no compatibility accepts; a filter
// named with "!" refuses the items that have it; otherwise the item must have one it names.
bool Compatible(const QString &filtro, const QString &compatibilidad);

// Whether a machine can run, as the audit in use finds its files; why not, in the player's
// words, in motivo. Without an audit every machine is taken as one that can.
bool PuedeFuncionar(const Catalogo &catalogo, const ResultadoAuditoria *auditoria,
                    const QString &maquina, QString *motivo = nullptr);

// The machines that take the item's list as their own (original) and accept it, best first: one
// that can run, a parent before its clones, the machine named as the list before others (a
// cartridge of the nes list on nes rather than famicom), then the catalogue's order.
QStringList Maquinas(const Catalogo &catalogo, const ResultadoAuditoria *auditoria,
                     const FichaSoftware &item);

// Why an item whose own files serve cannot run all the same, in the player's words: no machine
// of the emulator takes its list (maquinas, from Maquinas, is empty), or the one it would start
// on (sistema) lacks its own files, a console's BIOS say. Empty when it can run.
QString SinMaquina(const Catalogo &catalogo, const ResultadoAuditoria *auditoria,
                   const QString &lista, const QStringList &maquinas, const QString &sistema);

} // namespace SistemaDeSoftware
} // namespace Corvala
