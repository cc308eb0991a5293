#include "frontend/logic/IdentificacionDeArchivos.h"

#include "collection/logic/DirectorioZip.h"
#include "comun/logic/HiloDeFondo.h"
#include "comun/logic/Registro.h"

#include <QElapsedTimer>
#include <QThread>

namespace Corvala {

IdentificacionDeArchivos::IdentificacionDeArchivos(QObject *parent)
    : QObject(parent)
{
}

IdentificacionDeArchivos::~IdentificacionDeArchivos()
{
    Cancelar();
}

void IdentificacionDeArchivos::Iniciar(std::shared_ptr<const Catalogo> catalogo,
                                       const QString &carpeta, const QStringList &archivos)
{
    Cancelar();
    m_primeros.clear();
    if (!catalogo)
        return;
    m_cancelar = false;
    const quint64 generacion = ++m_generacion;
    m_hilo = QThread::create([this, generacion, catalogo, carpeta, archivos] {
        // Handed over now and then, so that the first answers need not wait for the last.
        QHash<QString, Candidato> lote;
        QElapsedTimer reloj;
        reloj.start();
        for (const QString &archivo : archivos) {
            if (m_cancelar)
                return;
            const DirectorioZip directorio
                    = DirectorioZip::LeerConjunto(carpeta + QLatin1Char('/') + archivo);
            if (!directorio.legible)
                qCWarning(lcArchivos) << archivo << "cannot be read:" << directorio.motivo;
            const QVector<Candidato> candidatos = Identificacion::Candidatos(*catalogo, directorio);
            if (!candidatos.isEmpty())
                lote.insert(archivo, candidatos.first());
            if (reloj.hasExpired(200) || &archivo == &archivos.constLast()) {
                QMetaObject::invokeMethod(
                        this, [this, generacion, lote] { Recibir(generacion, lote); },
                        Qt::QueuedConnection);
                lote.clear();
                reloj.restart();
            }
        }
    });
    // The end of a pass that was cancelled meanwhile may still be on its way: it is not this
    // pass's end.
    connect(m_hilo, &QThread::finished, this, [this, generacion] {
        if (generacion != m_generacion || !m_hilo)
            return;
        m_hilo->deleteLater();
        m_hilo = nullptr;
        Q_EMIT terminada();
    });
    m_hilo->start(QThread::LowPriority);
}

void IdentificacionDeArchivos::Cancelar()
{
    HiloDeFondo::Detener(m_hilo, m_cancelar, m_generacion, this);
}

void IdentificacionDeArchivos::Recibir(quint64 generacion, const QHash<QString, Candidato> &lote)
{
    if (generacion == m_generacion)
        m_primeros.insert(lote);
}

const Candidato *IdentificacionDeArchivos::Primero(const QString &archivo) const
{
    const auto encontrado = m_primeros.constFind(archivo);
    return encontrado == m_primeros.cend() ? nullptr : &*encontrado;
}

} // namespace Corvala
