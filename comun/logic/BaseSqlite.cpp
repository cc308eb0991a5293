#include "comun/logic/BaseSqlite.h"
#include "comun/logic/Motivos.h"

#include <QFile>

#include <sqlite3.h>

namespace Corvala {

BaseSqlite::~BaseSqlite()
{
    sqlite3_close(m_base);
}

bool BaseSqlite::Crear(const QString &ruta)
{
    return Abrir(ruta, false, true);
}

bool BaseSqlite::Abrir(const QString &ruta, bool soloLectura, bool crear)
{
    sqlite3_close(m_base);
    m_base = nullptr;
    sqlite3 *base = nullptr;
    const int modo = soloLectura ? SQLITE_OPEN_READONLY
                     : crear     ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE
                                 : SQLITE_OPEN_READWRITE;
    if (sqlite3_open_v2(QFile::encodeName(ruta).constData(), &base, modo, nullptr) != SQLITE_OK) {
        m_motivo = Motivos::DeSqlite(base);
        sqlite3_close(base);
        return false;
    }
    sqlite3_busy_timeout(base, 10000);
    m_base = base;
    return true;
}

bool BaseSqlite::Ejecutar(const char *sql)
{
    return m_base && sqlite3_exec(m_base, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

QString BaseSqlite::Motivo() const
{
    return m_base ? Motivos::DeSqlite(m_base) : m_motivo;
}

BaseSqlite::Consulta::Consulta(BaseSqlite &base, const char *sql)
{
    m_bien = base.m_base
             && sqlite3_prepare_v2(base.m_base, sql, -1, &m_orden, nullptr) == SQLITE_OK;
}

BaseSqlite::Consulta::~Consulta()
{
    sqlite3_finalize(m_orden);
}

bool BaseSqlite::Consulta::Siguiente()
{
    if (!m_bien)
        return false;
    const int paso = sqlite3_step(m_orden);
    m_bien = paso == SQLITE_ROW || paso == SQLITE_DONE;
    return paso == SQLITE_ROW;
}

bool BaseSqlite::Consulta::Paso()
{
    if (!m_bien)
        return false;
    m_bien = sqlite3_step(m_orden) == SQLITE_DONE;
    sqlite3_reset(m_orden);
    sqlite3_clear_bindings(m_orden);
    return m_bien;
}

void BaseSqlite::Consulta::Reiniciar()
{
    // A statement that could not be prepared (the database held by another program) has
    // nothing to reset.
    if (!m_orden)
        return;
    sqlite3_reset(m_orden);
    sqlite3_clear_bindings(m_orden);
}

void BaseSqlite::Consulta::Enlazar(int posicion, const QString &texto, bool nuloSiVacio)
{
    if (texto.isEmpty() && nuloSiVacio) {
        sqlite3_bind_null(m_orden, posicion);
        return;
    }
    sqlite3_bind_text16(m_orden, posicion,
                        texto.isEmpty() ? static_cast<const void *>(u"") : texto.utf16(),
                        int(texto.size() * 2), SQLITE_TRANSIENT);
}

void BaseSqlite::Consulta::Enlazar(int posicion, qint64 valor)
{
    sqlite3_bind_int64(m_orden, posicion, valor);
}

QString BaseSqlite::Consulta::Texto(int columna) const
{
    const auto *texto = static_cast<const char16_t *>(sqlite3_column_text16(m_orden, columna));
    return texto ? QString::fromUtf16(texto, sqlite3_column_bytes16(m_orden, columna) / 2)
                 : QString();
}

qint64 BaseSqlite::Consulta::Entero(int columna) const
{
    return sqlite3_column_int64(m_orden, columna);
}

const char *BaseSqlite::Consulta::Utf8(int columna, int *bytes) const
{
    const auto *texto = reinterpret_cast<const char *>(sqlite3_column_text(m_orden, columna));
    if (bytes)
        *bytes = sqlite3_column_bytes(m_orden, columna);
    return texto ? texto : "";
}

bool BaseSqlite::Consulta::Nulo(int columna) const
{
    return sqlite3_column_type(m_orden, columna) == SQLITE_NULL;
}

} // namespace Corvala
