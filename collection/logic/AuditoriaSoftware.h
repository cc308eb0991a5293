#pragma once

#include "collection/logic/Identificacion.h"
#include "collection/logic/Veredicto.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <atomic>

namespace Corvala {

class CarpetaMame;

// An audit of the software the player keeps (roms/LIST/ITEM.zip): a verdict for every item at
// least one of whose files is there, by "lista/nombre", kept in corvala.db (table
// auditoria_software) and replaced whole when an audit ends.
struct ResultadoAuditoriaSoftware
{
    QHash<QString, Veredicto> veredictos;
    // What the archives of a list folder that its list does not know appear to be, by their
    // path under roms ("nes/mario.zip"): the item whose files they hold most of.
    QHash<QString, Candidato> parecidos;
    // Why there is no audit; empty when there is one.
    QString motivo;
    // Why it could not be kept in corvala.db (it stands); empty when kept.
    QString motivoAlGuardar;

    const Veredicto *De(const QString &lista, const QString &nombre) const
    {
        const auto v = veredictos.constFind(lista + QLatin1Char('/') + nombre);
        return v == veredictos.cend() ? nullptr : &*v;
    }
};

namespace AuditoriaSoftware {

// Audits the list folders of roms named in listas against the software catalogue of the
// folder's corvala.db, as the emulator's -verifysoftlist judges them: an item's files are
// looked for in its own archive, then its parent's (cloneof), found by CRC and size whatever
// their name. What was read of each archive is kept (table directorios_software), so that an
// unchanged folder is not read again. Stops soon once cancelar is set (then with a motivo).
ResultadoAuditoriaSoftware Auditar(const CarpetaMame &carpeta, const QSet<QString> &listas,
                                   const std::atomic<bool> *cancelar = nullptr);

} // namespace AuditoriaSoftware
} // namespace Corvala
