#include "collection/logic/VeredictosGuardados.h"

#include "collection/logic/Auditoria.h"
#include "comun/logic/BaseSqlite.h"

#include <algorithm>

namespace Corvala::VeredictosGuardados {

namespace {

const char *const kTablas[] = {
        "CREATE TABLE IF NOT EXISTS auditoria(maquina TEXT PRIMARY KEY, estado TEXT, motivo TEXT)",
        "CREATE TABLE IF NOT EXISTS auditoria_muestras(maquina TEXT PRIMARY KEY, motivo TEXT)",
        "CREATE TABLE IF NOT EXISTS auditoria_huella(huella TEXT)",
};

} // namespace

QString CrearTablas(BaseSqlite &base)
{
    for (const char *sql : kTablas) {
        if (!base.Ejecutar(sql))
            return base.Motivo();
    }
    return {};
}

bool Leer(BaseSqlite &base, ResultadoAuditoria &resultado)
{
    {
        BaseSqlite::Consulta filas(base, "SELECT huella FROM auditoria_huella");
        if (!filas.Siguiente())
            return false;
        resultado.huella = filas.Texto(0);
    }
    {
        BaseSqlite::Consulta cuantas(base, "SELECT count(*) FROM auditoria");
        if (cuantas.Siguiente())
            resultado.veredictos.reserve(qsizetype(std::min<qint64>(cuantas.Entero(0), 1000000)));
    }
    // Read as SQLite keeps them (UTF-8): tens of thousands of rows at every start.
    const auto texto = [](const BaseSqlite::Consulta &filas, int columna) {
        int bytes = 0;
        const char *utf8 = filas.Utf8(columna, &bytes);
        return QString::fromUtf8(utf8, bytes);
    };
    BaseSqlite::Consulta filas(base, "SELECT maquina, estado, motivo FROM auditoria");
    while (filas.Siguiente()) {
        Veredicto v;
        v.estado = Veredicto::DePalabra(QByteArrayView(filas.Utf8(1)));
        v.motivo = texto(filas, 2);
        resultado.veredictos.insert(texto(filas, 0), std::move(v));
    }
    BaseSqlite::Consulta muestras(base, "SELECT maquina, motivo FROM auditoria_muestras");
    while (muestras.Siguiente()) {
        const auto v = resultado.veredictos.find(muestras.Texto(0));
        if (v != resultado.veredictos.end())
            v->muestras = muestras.Texto(1);
    }
    if (!filas.Bien() || !muestras.Bien()) {
        resultado.veredictos.clear();
        return false;
    }
    return true;
}

QString Guardar(BaseSqlite &base, const ResultadoAuditoria &resultado)
{
    // Taken for writing at once: a reader turned writer midway could not wait for another.
    bool bien = base.Ejecutar("BEGIN IMMEDIATE") && base.Ejecutar("DELETE FROM auditoria")
                && base.Ejecutar("DELETE FROM auditoria_muestras")
                && base.Ejecutar("DELETE FROM auditoria_huella");
    {
        BaseSqlite::Consulta fila(base, "INSERT INTO auditoria VALUES (?, ?, ?)");
        BaseSqlite::Consulta muestras(base, "INSERT INTO auditoria_muestras VALUES (?, ?)");
        for (auto v = resultado.veredictos.cbegin(); bien && v != resultado.veredictos.cend();
             ++v) {
            fila.Enlazar(1, v.key());
            fila.Enlazar(2, Veredicto::Palabra(v->estado));
            // Empty, not NULL, for a correct set: the column always holds a text.
            fila.Enlazar(3, v->motivo, false);
            bien = fila.Paso();
            if (bien && !v->muestras.isEmpty()) {
                muestras.Enlazar(1, v.key());
                muestras.Enlazar(2, v->muestras);
                bien = muestras.Paso();
            }
        }
        BaseSqlite::Consulta huella(base, "INSERT INTO auditoria_huella VALUES (?)");
        huella.Enlazar(1, resultado.huella);
        bien = bien && huella.Paso();
    }
    if (bien && base.Ejecutar("COMMIT"))
        return {};
    const QString motivo = base.Motivo();
    base.Ejecutar("ROLLBACK");
    return motivo;
}

} // namespace Corvala::VeredictosGuardados
