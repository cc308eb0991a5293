#include "frontend/logic/CatalogoDeLaSesion.h"

#include "comun/logic/Mensajes.h"
#include "comun/logic/Registro.h"
#include "comun/logic/Sesion.h"
#include "frontend/logic/ModeloDeJuegos.h"

#include <QTimer>

namespace Corvala {

CatalogoDeLaSesion::CatalogoDeLaSesion(Sesion &sesion,
                                       std::function<const ModeloDeJuegos &()> juegos,
                                       QObject *parent)
    : QObject(parent)
    , m_sesion(sesion)
    , m_juegos(std::move(juegos))
{
    connect(&m_lectura, &UsoDelCatalogo::LecturaDelCatalogo::leido, this,
            &CatalogoDeLaSesion::Leido);
    connect(&m_construccion, &ConstruccionCatalogo::avance, this, &CatalogoDeLaSesion::avance);
    connect(&m_construccion, &ConstruccionCatalogo::terminada, this,
            &CatalogoDeLaSesion::Terminada);
    connect(&m_auditoria, &UsoDelCatalogo::AuditoriaDeLaColeccion::auditada, this,
            [this](std::shared_ptr<const ResultadoAuditoria> auditoria) {
                m_pendiente = std::move(auditoria);
                Entregar();
                // The software's machines are judged by that audit: its own follows.
                m_software.Iniciar(m_sesion.carpeta, m_juegos().ListasDeSoftware());
            });
    connect(&m_software, &SoftwareDeLaSesion::listasLeidas, this,
            &CatalogoDeLaSesion::listasDeSoftwareLeidas);
    connect(&m_software, &SoftwareDeLaSesion::auditada, this,
            &CatalogoDeLaSesion::softwareAuditado);
}

void CatalogoDeLaSesion::Leer()
{
    // The catalogue there is comes once read (Leido): the list does not wait for it.
    if (UsoDelCatalogo::Orden(m_sesion)) {
        UsoDelCatalogo::QuitarConstruccionInterrumpida(m_sesion.carpeta);
        m_lectura.Iniciar(m_sesion.carpeta);
    }
}

void CatalogoDeLaSesion::ListaCargada(bool rehacer)
{
    // A catalogue left aside is read again, rather than built over.
    if (!m_apartado.isEmpty()) {
        if (!m_lectura.EnCurso()) {
            m_apartado.clear();
            m_rehacerAlLeer = rehacer;
            Leer();
        }
        return;
    }
    Preparar(rehacer);
    Auditar();
}

void CatalogoDeLaSesion::Preparar(bool rehacer)
{
    // What lies on disk is still being read, or a build already runs: their ends decide.
    if (!rehacer && EnCurso())
        return;
    const std::optional<OrdenEmulador> orden = UsoDelCatalogo::Orden(m_sesion);
    if (!orden)
        return;
    Catalogo::Sello sello = UsoDelCatalogo::SelloActual(m_sesion);
    if (!UsoDelCatalogo::HayQueConstruir(m_sesion, sello, rehacer))
        return;
    // The old catalogue serves until the new one is whole; the audit waits for the new one,
    // which takes the database's place.
    m_construccion.Iniciar(m_sesion.carpeta, *orden, std::move(sello), {}, m_inservible);
    Q_EMIT construccionIniciada(m_juegos().JuegosListados());
    m_auditoria.Detener();
}

void CatalogoDeLaSesion::Auditar()
{
    if (m_sesion.catalogo && !EnCurso())
        m_auditoria.Iniciar(m_sesion.carpeta, m_sesion.catalogo, m_juegos());
}

void CatalogoDeLaSesion::Leido(std::shared_ptr<const Catalogo> catalogo,
                               Catalogo::SinCatalogo porQue, const QString &motivo)
{
    m_inservible = !catalogo && porQue == Catalogo::SinCatalogo::Inservible;
    // A database that is there but cannot be read now is nobody's to rebuild: it may be in use.
    if (!catalogo && porQue == Catalogo::SinCatalogo::Inaccesible && !m_construccion.EnCurso()) {
        qCWarning(lcCatalogo) << "corvala.db is left as it is for now:" << motivo;
        m_apartado = motivo;
        Q_EMIT apartado(UsoDelCatalogo::TextoCatalogoApartado(motivo));
        return;
    }
    // A build the player asked for meanwhile is newer than what lay on disk.
    if (catalogo && !m_sesion.catalogo && !m_construccion.EnCurso()) {
        m_sesion.catalogo = std::move(catalogo);
        Q_EMIT catalogoCambiado();
    }
    ListaCargada(std::exchange(m_rehacerAlLeer, false));
}

void CatalogoDeLaSesion::Terminada(std::shared_ptr<const Catalogo> catalogo, const QString &motivo)
{
    Q_EMIT construccionTerminada();
    // The old catalogue, if any, stays in use: the list works as it did. The player is told
    // once: the next start does not try again for nothing.
    if (!catalogo) {
        qCWarning(lcCatalogo) << "the emulator's catalogue could not be built:" << motivo;
        const Resultado recordado = UsoDelCatalogo::RecordarFallo(m_sesion, motivo);
        if (!recordado)
            qCWarning(lcCatalogo) << "the failure cannot be recorded:" << recordado.Motivo();
        Mensajes::Mostrar(UsoDelCatalogo::MensajeCatalogoFallido(motivo, bool(recordado)));
        return;
    }
    UsoDelCatalogo::OlvidarFallo(m_sesion.carpeta);
    m_sesion.catalogo = std::move(catalogo);
    Q_EMIT catalogoCambiado();
    Auditar();
}

void CatalogoDeLaSesion::Entregar()
{
    // While a game runs or the ROM manager is open, the rows it speaks of stay where they are.
    if (m_sesion.ocupado) {
        if (!std::exchange(m_esperando, true))
            QTimer::singleShot(500, this, [this] {
                m_esperando = false;
                Entregar();
            });
        return;
    }
    if (m_pendiente)
        Q_EMIT auditada(std::exchange(m_pendiente, nullptr));
}

} // namespace Corvala
