#pragma once

#include <QString>

namespace Corvala {

class BaseSqlite;
struct ResultadoAuditoria;

// Where an audit's verdicts are kept: corvala.db's tables auditoria (a verdict and its reason
// for every machine judged), auditoria_muestras (the samples each lacks) and auditoria_huella
// (what the audit was made against), replaced whole in one transaction.
namespace VeredictosGuardados {

// Makes the tables where they are missing; the reason when they cannot be made.
QString CrearTablas(BaseSqlite &base);

// The verdicts of the last audit and its huella, into the result; false when there are none.
bool Leer(BaseSqlite &base, ResultadoAuditoria &resultado);

// Replaces the kept verdicts with the result's; the reason when they could not be kept (those
// there were then stand).
QString Guardar(BaseSqlite &base, const ResultadoAuditoria &resultado);

} // namespace VeredictosGuardados
} // namespace Corvala
