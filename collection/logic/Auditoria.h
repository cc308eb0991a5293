#pragma once

#include "collection/logic/ContenidoDeRoms.h"
#include "collection/logic/Veredicto.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <atomic>
#include <memory>

namespace Corvala {

class CarpetaMame;
class Catalogo;

// An audit of the whole collection: a verdict for every machine at least one of whose files is
// present, by set name. Kept in corvala.db (tables auditoria, auditoria_muestras and
// auditoria_huella) and replaced whole when an audit ends.
struct ResultadoAuditoria
{
    QHash<QString, Veredicto> veredictos;
    // The catalogue and the folder it was made against; the same means nothing has changed.
    QString huella;
    // Nothing had changed: the verdicts were read from corvala.db, without their details.
    bool guardado = false;
    // Read back on the folder's own entries alone: the files of its sets' folders are still to
    // be compared (an audit that is not ligera).
    bool carpetasPorComprobar = false;
    // How many files of the roms folder had to be read.
    int leidos = 0;
    // The sets the roms folder holds, in any form (NAME/, NAME.zip, NAME.7z).
    QSet<QString> archivos;
    // The sets whose archive (or a file of whose folder) cannot be read, with why: the
    // emulator takes what it cannot read for nothing, the player is told it is damaged.
    QHash<QString, QString> ilegibles;
    // With the details asked for: the roms folder as the audit read it.
    ContenidoDeRoms contenido;
    // The clones found whole (correct or the best there is) in their parent's archive, having
    // none of their own: the parent's set name by the clone's (see ClonesEnElPadre).
    QHash<QString, QString> enElPadre;
    // The verdicts of a list of set names (a list's rows), looked up beside the window's thread,
    // in the list's order (null where there is none); enOrdenDe is the tag the list gave it.
    QVector<const Veredicto *> enOrden;
    quint64 enOrdenDe = 0;
    void Ordenar(const QStringList &nombres, quint64 etiqueta)
    {
        enOrden.clear();
        enOrden.reserve(nombres.size());
        for (const QString &nombre : nombres)
            enOrden.push_back(nombre.isEmpty() ? nullptr : De(nombre));
        enOrdenDe = etiqueta;
    }
    // Why there is no audit (no catalogue to audit against, a database that cannot be read);
    // empty when there is one.
    QString motivo;
    // Why what was found could not be kept in corvala.db (the audit stands); empty when kept.
    QString motivoAlGuardar;

    const Veredicto *De(const QString &juego) const
    {
        const auto v = veredictos.constFind(juego);
        return v == veredictos.cend() ? nullptr : &*v;
    }
};

namespace Auditoria {

// Audits the collection of a MAME folder against its catalogue (corvala.db), the way the
// emulator looks for a set's files: its own archive or folder, then its parent's and its
// BIOS's, then the archives of the devices it uses, a file found by CRC whatever its name in an
// archive. When the folder and the catalogue are as the last audit found them, its verdicts are
// read back instead, unless detalles asks for every verdict's details (and the folder's
// contents, in the result's contenido). Stops soon once cancelar
// is set (the result then has a motivo). A ligera one takes the folder as unchanged when its
// own entries are (a set's folder by its own date), so that a start costs no look at every
// file of every set's folder: it says so (carpetasPorComprobar), and one that is not ligera
// must follow.
ResultadoAuditoria Auditar(const CarpetaMame &carpeta, bool detalles = false,
                           const std::atomic<bool> *cancelar = nullptr, bool ligera = false);

// Fills the result's enElPadre with the catalogue's parents.
void ClonesEnElPadre(ResultadoAuditoria &resultado, const Catalogo &catalogo);

} // namespace Auditoria
} // namespace Corvala
