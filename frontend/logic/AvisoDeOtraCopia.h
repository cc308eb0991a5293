#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace Corvala {

// How a second copy of Corvala, refused because one already runs in the same folder, asks that
// one to come to the front: a local socket beside the running copy's lock, in the user's own
// runtime folder.
class AvisoDeOtraCopia : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // The running copy, which holds the lock at rutaBloqueo, listens for the others; false when
    // it cannot (the copy works as before, only unreachable).
    bool Escuchar(const QString &rutaBloqueo);

    // The refused copy knocks on the running one's door; false when nobody answered within a
    // moment.
    static bool Avisar(const QString &rutaBloqueo);

    // The socket's path for a lock.
    static QString Nombre(const QString &rutaBloqueo);

Q_SIGNALS:
    // Another copy was started and refused: this one should be seen.
    void otraCopia();

private:
    QLocalServer m_servidor;
};

} // namespace Corvala
