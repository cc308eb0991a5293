#include "frontend/logic/AvisoDeOtraCopia.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>

namespace Corvala {

namespace {

constexpr int kEsperaMs = 500;
const QByteArray kMostrar = "mostrar\n";

} // namespace

QString AvisoDeOtraCopia::Nombre(const QString &rutaBloqueo)
{
    // A short path (a socket's is limited to about a hundred bytes), the user's alone.
    QString carpeta = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (carpeta.isEmpty() || !QFileInfo(carpeta).isDir())
        carpeta = QDir::tempPath();
    const QByteArray clave
            = QCryptographicHash::hash(QFile::encodeName(rutaBloqueo), QCryptographicHash::Sha1)
                      .toHex()
                      .left(16);
    return QDir(carpeta).filePath(QStringLiteral("corvala-%1.socket").arg(QLatin1String(clave)));
}

bool AvisoDeOtraCopia::Escuchar(const QString &rutaBloqueo)
{
    const QString nombre = Nombre(rutaBloqueo);
    // This copy holds the lock: a socket left there is a crashed copy's.
    QLocalServer::removeServer(nombre);
    m_servidor.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_servidor.listen(nombre))
        return false;
    connect(&m_servidor, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *llamada = m_servidor.nextPendingConnection()) {
            connect(llamada, &QLocalSocket::disconnected, llamada, &QObject::deleteLater);
            connect(llamada, &QLocalSocket::readyRead, this, [this, llamada] {
                if (llamada->readAll().contains(kMostrar))
                    Q_EMIT otraCopia();
                llamada->disconnectFromServer();
            });
        }
    });
    return true;
}

bool AvisoDeOtraCopia::Avisar(const QString &rutaBloqueo)
{
    QLocalSocket llamada;
    llamada.connectToServer(Nombre(rutaBloqueo));
    if (!llamada.waitForConnected(kEsperaMs))
        return false;
    llamada.write(kMostrar);
    const bool escrito = llamada.waitForBytesWritten(kEsperaMs);
    llamada.disconnectFromServer();
    return escrito;
}

} // namespace Corvala
