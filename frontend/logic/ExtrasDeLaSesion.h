#pragma once

#include "comun/logic/CarpetaMame.h"
#include "extras/logic/AlmacenDeImagenes.h"
#include "extras/logic/Clasificacion.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <memory>
#include <optional>

class QThread;

namespace Corvala {

// What players keep in the MAME folder, as read for the session.
struct ExtrasDeCarpeta
{
    std::shared_ptr<const Clasificacion> clasificacion;
    std::shared_ptr<const AlmacenDeImagenes> imagenes;
    // corvala.db while it holds the index of the player's history.xml; empty otherwise.
    QString historia;
    // The files read, with their sizes and dates: they are read again when it changes.
    QString huella;
};

// Reads what players keep (RutasDeExtras) in a thread of its own, off the list's way: the
// category files, the history.xml indexed into corvala.db, the picture folders. Asked again, it
// reads only what changed; asked while it runs, it runs once more after. A change of ui.ini,
// of a category file or of history.xml while Corvala runs is read a moment later, unasked.
class ExtrasDeLaSesion : public QObject
{
    Q_OBJECT

public:
    explicit ExtrasDeLaSesion(QObject *parent = nullptr);
    ~ExtrasDeLaSesion() override;

    void Leer(const CarpetaMame &carpeta);
    // What was read last; empty files until the first read ends.
    const ExtrasDeCarpeta &Actuales() const { return m_actuales; }

    // The history text of the first key the index has.
    QString Historia(const QStringList &claves) const;

Q_SIGNALS:
    // What was read changed.
    void leidos();

private:
    QThread *m_hilo = nullptr;
    std::atomic<bool> m_cancelar{false};
    quint64 m_generacion = 0;
    std::optional<CarpetaMame> m_otraVez;
    std::optional<CarpetaMame> m_carpeta; // the last one read
    QFileSystemWatcher m_vigilante;
    QTimer m_cambio; // a burst of changes is read once
    ExtrasDeCarpeta m_actuales{std::make_shared<const Clasificacion>(),
                               std::make_shared<const AlmacenDeImagenes>(RutasDeExtras()),
                               {},
                               {}};
};

} // namespace Corvala
