#include "comun/logic/CarpetaMame.h"

#include <QDir>
#include <QFileInfo>

namespace Corvala {

CarpetaMame::CarpetaMame(QString ruta)
    : m_ruta(QDir::fromNativeSeparators(ruta))
{
    while (m_ruta.size() > 1 && m_ruta.endsWith(QLatin1Char('/')))
        m_ruta.chop(1);
}

QString CarpetaMame::Ruta(const QString &relativa) const
{
    return m_ruta + QLatin1Char('/') + relativa;
}

QString CarpetaMame::NombreEmulador()
{
#ifdef Q_OS_WIN
    return QStringLiteral("mame.exe");
#else
    return QStringLiteral("mame");
#endif
}

QString CarpetaMame::Emulador() const
{
    return Ruta(NombreEmulador());
}

bool CarpetaMame::TieneEmulador() const
{
    return QFileInfo(Emulador()).isFile();
}

} // namespace Corvala
