#pragma once

#include "catalogue/logic/Catalogo.h"
#include "collection/logic/Identificacion.h"

#include <QHash>
#include <QObject>
#include <QStringList>

#include <atomic>
#include <memory>

class QThread;

namespace Corvala {

// Which game the archives the emulator does not know by name appear to be: their zip
// directories read and matched against the catalogue in a thread of their own, so that a
// folder of thousands of them leaves the window free. Answers arrive in batches as they are
// found.
class IdentificacionDeArchivos : public QObject
{
    Q_OBJECT

public:
    explicit IdentificacionDeArchivos(QObject *parent = nullptr);
    // Stops a pass still running.
    ~IdentificacionDeArchivos() override;

    // Identifies these archives of a folder; what an earlier pass found is forgotten, and a
    // pass still running is stopped first.
    void Iniciar(std::shared_ptr<const Catalogo> catalogo, const QString &carpeta,
                 const QStringList &archivos);
    // Returns once nothing of the pass runs any more.
    void Cancelar();
    bool EnCurso() const { return m_hilo != nullptr; }

    // The best candidate found for an archive so far; null when it has none, or none yet.
    const Candidato *Primero(const QString &archivo) const;
    qsizetype Identificados() const { return m_primeros.size(); }

Q_SIGNALS:
    // Every archive of the pass has been read.
    void terminada();

private:
    void Recibir(quint64 generacion, const QHash<QString, Candidato> &lote);

    QThread *m_hilo = nullptr;
    std::atomic<bool> m_cancelar{false};
    quint64 m_generacion = 0;
    QHash<QString, Candidato> m_primeros;
};

} // namespace Corvala
