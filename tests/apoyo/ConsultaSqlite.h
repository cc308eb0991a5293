#pragma once

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <sqlite3.h>

// The rows a query gives on a database, read as a player's tool would read corvala.db: every
// value as text, NULL as a null QVariant. Empty when the database or the query fails.
inline QList<QVariantList> ConsultaSqlite(const QString &ruta, const char *sql)
{
    QList<QVariantList> filas;
    sqlite3 *base = nullptr;
    sqlite3_stmt *consulta = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(ruta).constData(), &base, SQLITE_OPEN_READONLY, nullptr)
                == SQLITE_OK
        && sqlite3_prepare_v2(base, sql, -1, &consulta, nullptr) == SQLITE_OK) {
        while (sqlite3_step(consulta) == SQLITE_ROW) {
            QVariantList fila;
            for (int k = 0; k < sqlite3_column_count(consulta); ++k) {
                const auto *texto
                        = reinterpret_cast<const char *>(sqlite3_column_text(consulta, k));
                fila << (texto ? QVariant(QString::fromUtf8(texto)) : QVariant());
            }
            filas << fila;
        }
    }
    sqlite3_finalize(consulta);
    sqlite3_close(base);
    return filas;
}
