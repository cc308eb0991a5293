#pragma once

#include <QString>

#include <utility>

namespace Corvala {

// The outcome of a step that may fail: success, or a failure with its reason in words (the
// system's, SQLite's, libzip's or Qt's), so that whoever tells the player or the log can say
// why.
class Resultado
{
public:
    // Success.
    Resultado() = default;
    static Resultado Fallo(QString motivo)
    {
        Resultado fallo;
        fallo.m_bien = false;
        fallo.m_motivo = motivo.isEmpty() ? QStringLiteral("error desconocido") : std::move(motivo);
        return fallo;
    }

    explicit operator bool() const { return m_bien; }
    // Empty on success.
    const QString &Motivo() const { return m_motivo; }

private:
    bool m_bien = true;
    QString m_motivo;
};

} // namespace Corvala
