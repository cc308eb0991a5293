#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStorageInfo>
#include <QString>
#include <QTemporaryDir>

// A small file system of its own (a tmpfs mounted over a temporary folder), to fill for real.
// It needs root and a system that lets tests mount; where that is not so, Montado() is false
// and Motivo() says why.
class DiscoLleno
{
public:
    explicit DiscoLleno(const QByteArray &tamano = "16m")
    {
        if (!m_punto.isValid()) {
            m_motivo = QStringLiteral("no temporary folder");
            return;
        }
        QProcess montar;
        montar.start(QStringLiteral("mount"),
                     {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                      QStringLiteral("size=") + QString::fromLatin1(tamano),
                      QStringLiteral("tmpfs"), m_punto.path()});
        if (!montar.waitForFinished(10000) || montar.exitStatus() != QProcess::NormalExit
            || montar.exitCode() != 0) {
            m_motivo = QStringLiteral("cannot mount a tmpfs here (root and mount rights needed): ")
                       + QString::fromLocal8Bit(montar.readAllStandardError()).trimmed();
            return;
        }
        m_montado = true;
    }

    ~DiscoLleno()
    {
        if (m_montado)
            QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), m_punto.path()});
    }

    bool Montado() const { return m_montado; }
    const QString &Motivo() const { return m_motivo; }
    QString Ruta() const { return m_punto.path(); }

    // Fills the file system until no more than the given bytes are left free.
    void Llenar(qint64 libres = 0) const
    {
        QFile relleno(m_punto.filePath(QStringLiteral(".relleno")));
        if (!relleno.open(QIODevice::Append))
            return;
        const QByteArray bloque(4096, 'x');
        while (QStorageInfo(m_punto.path()).bytesAvailable() > libres + bloque.size()) {
            if (relleno.write(bloque) != bloque.size() || !relleno.flush())
                break;
        }
        QStorageInfo info(m_punto.path());
        const qint64 resto = info.bytesAvailable() - libres;
        if (resto > 0)
            relleno.write(QByteArray(int(resto), 'x'));
        relleno.close();
    }

    // Frees what Llenar took.
    void Vaciar() const { QFile::remove(m_punto.filePath(QStringLiteral(".relleno"))); }

private:
    QTemporaryDir m_punto;
    bool m_montado = false;
    QString m_motivo;
};
