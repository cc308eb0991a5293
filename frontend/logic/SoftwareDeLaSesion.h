#pragma once

#include "catalogue/logic/CatalogoSoftware.h"
#include "collection/logic/AuditoriaSoftware.h"
#include "comun/logic/CarpetaMame.h"

#include <QObject>
#include <QSet>

#include <atomic>
#include <memory>
#include <optional>

class QThread;

namespace Corvala {

// The software lists and the audit of the player's software, kept in step for the main window in
// a thread of their own: the lists are read into corvala.db when their files have changed
// (or the database lacks them), then the list folders of roms are audited. Asked again while it
// runs, it runs once more after.
class SoftwareDeLaSesion : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    // Stops a run and waits for it.
    ~SoftwareDeLaSesion() override;

    // listas: the lists the roms folder has software of. Nothing is done where the folder keeps
    // no catalogue (there is no corvala.db to read the lists into).
    void Iniciar(const CarpetaMame &carpeta, const QSet<QString> &listas);
    void Detener();
    bool EnCurso() const { return m_hilo != nullptr; }

Q_SIGNALS:
    // The lists were read into corvala.db anew while the rows have software: their titles may
    // have changed.
    void listasLeidas();
    // The verdicts of the player's software.
    void auditada(std::shared_ptr<const ResultadoAuditoriaSoftware> auditoria);

private:
    QThread *m_hilo = nullptr;
    std::atomic<bool> m_cancelar{false};
    quint64 m_generacion = 0;
    struct Pedido
    {
        CarpetaMame carpeta;
        QSet<QString> listas;
    };
    std::optional<Pedido> m_otraVez;
};

} // namespace Corvala
