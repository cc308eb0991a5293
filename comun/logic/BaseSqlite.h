#pragma once

#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace Corvala {

// A connection to an SQLite database of Corvala's (corvala.db), closed with it, and the
// statements run on it. Every failure leaves SQLite's words in Motivo.
class BaseSqlite
{
public:
    BaseSqlite() = default;
    ~BaseSqlite();
    BaseSqlite(const BaseSqlite &) = delete;
    BaseSqlite &operator=(const BaseSqlite &) = delete;

    // Opens an existing database (for reading only, or for writing too); false when it
    // cannot. A database another connection is writing is waited for a few seconds.
    bool Abrir(const QString &ruta, bool soloLectura, bool crear = false);
    // Opens a database for writing, made empty when there is none.
    bool Crear(const QString &ruta);
    bool Abierta() const { return m_base != nullptr; }
    bool Ejecutar(const char *sql);
    QString Motivo() const;
    sqlite3 *Base() const { return m_base; }

    // One statement, finalized with it.
    class Consulta
    {
    public:
        Consulta(BaseSqlite &base, const char *sql);
        ~Consulta();
        Consulta(const Consulta &) = delete;
        Consulta &operator=(const Consulta &) = delete;

        // The next row of a query; false at its end or on a failure (see Bien).
        bool Siguiente();
        // The statement, with the values bound, run to its end and made ready to run again.
        bool Paso();
        // A query read to its end (or not) made ready to run again, with new values.
        void Reiniciar();
        // No step has failed, and the statement could be prepared.
        bool Bien() const { return m_bien; }

        // An empty text is bound as NULL, unless nuloSiVacio is false.
        void Enlazar(int posicion, const QString &texto, bool nuloSiVacio = true);
        void Enlazar(int posicion, qint64 valor);

        QString Texto(int columna) const;
        qint64 Entero(int columna) const;
        // The text's bytes as SQLite holds them (UTF-8), valid until the next step.
        const char *Utf8(int columna, int *bytes = nullptr) const;
        bool Nulo(int columna) const;

    private:
        sqlite3_stmt *m_orden = nullptr;
        bool m_bien = false;
    };

private:
    sqlite3 *m_base = nullptr;
    QString m_motivo;
};

} // namespace Corvala
