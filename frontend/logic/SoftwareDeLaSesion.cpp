#include "frontend/logic/SoftwareDeLaSesion.h"

#include "catalogue/logic/Catalogo.h"
#include "comun/logic/HiloDeFondo.h"
#include "comun/logic/Registro.h"

#include <QFileInfo>
#include <QThread>

namespace Corvala {

SoftwareDeLaSesion::~SoftwareDeLaSesion()
{
    Detener();
}

void SoftwareDeLaSesion::Detener()
{
    m_otraVez.reset();
    HiloDeFondo::Detener(m_hilo, m_cancelar, m_generacion, this);
}

void SoftwareDeLaSesion::Iniciar(const CarpetaMame &carpeta, const QSet<QString> &listas)
{
    if (!QFileInfo(Catalogo::Ruta(carpeta)).isFile())
        return;
    if (m_hilo) {
        m_otraVez = Pedido{carpeta, listas};
        return;
    }
    m_cancelar = false;
    struct Fin
    {
        bool leidas = false;
        QString motivo;
        QStringList omitidas;
        ResultadoAuditoriaSoftware auditoria;
    };
    auto fin = std::make_shared<Fin>();
    m_hilo = QThread::create([fin, carpeta, listas, this] {
        const QString base = Catalogo::Ruta(carpeta);
        const QHash<QString, QString> archivos
                = CatalogoSoftware::Archivos(CatalogoSoftware::Carpetas(carpeta));
        const QString huella = CatalogoSoftware::Huella(archivos);
        // Without list files there is nothing to read: the lists there were stand.
        if (!archivos.isEmpty() && huella != CatalogoSoftware::HuellaGuardada(base)) {
            const Resultado hecho = CatalogoSoftware::Construir(base, archivos, huella,
                                                                &fin->omitidas, &m_cancelar);
            fin->leidas = bool(hecho);
            fin->motivo = hecho.Motivo();
        }
        if (!listas.isEmpty() && fin->motivo.isEmpty())
            fin->auditoria = AuditoriaSoftware::Auditar(carpeta, listas, &m_cancelar);
    });
    connect(m_hilo, &QThread::finished, this, [this, fin, listas, generacion = m_generacion] {
        if (generacion != m_generacion)
            return;
        HiloDeFondo::Soltar(m_hilo);
        for (const QString &omitida : std::as_const(fin->omitidas))
            qCWarning(lcCatalogo) << "a software list is skipped:" << omitida;
        if (!fin->motivo.isEmpty())
            qCWarning(lcCatalogo) << "the software lists cannot be read:" << fin->motivo;
        if (!fin->auditoria.motivoAlGuardar.isEmpty())
            qCWarning(lcCatalogo) << "the software audit cannot be kept in corvala.db:"
                                  << fin->auditoria.motivoAlGuardar;
        // Only rows of software take their titles from the lists.
        if (fin->leidas && !listas.isEmpty())
            Q_EMIT listasLeidas();
        if (fin->motivo.isEmpty() && fin->auditoria.motivo.isEmpty())
            Q_EMIT auditada(
                    std::make_shared<const ResultadoAuditoriaSoftware>(std::move(fin->auditoria)));
        else if (!fin->auditoria.motivo.isEmpty())
            qCWarning(lcCatalogo) << "the software cannot be audited:" << fin->auditoria.motivo;
        if (m_otraVez) {
            const Pedido pedido = *std::exchange(m_otraVez, std::nullopt);
            Iniciar(pedido.carpeta, pedido.listas);
        }
    });
    m_hilo->start();
}

} // namespace Corvala
