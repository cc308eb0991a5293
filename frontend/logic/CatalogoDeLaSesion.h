#pragma once

#include "catalogue/logic/ConstruccionCatalogo.h"
#include "frontend/logic/SoftwareDeLaSesion.h"
#include "frontend/logic/UsoDelCatalogo.h"

#include <QObject>

#include <functional>
#include <memory>

namespace Corvala {

class ModeloDeJuegos;
struct Sesion;

// The session's catalogue and the audit made against it, kept in step for the main window: the
// catalogue on disk read at start-up, built (again) when it no longer matches, replaced in the
// session when a build ends, and the collection audited after each of these and each renewal of
// the list. Its verdicts reach the list only while no game runs.
class CatalogoDeLaSesion : public QObject
{
    Q_OBJECT

public:
    // juegos: the list's rows, which the audit looks its verdicts up for.
    CatalogoDeLaSesion(Sesion &sesion, std::function<const ModeloDeJuegos &()> juegos,
                       QObject *parent = nullptr);

    // At start-up: reads the catalogue there is, when the folder keeps one; once read, it is
    // built again when it must be, and the collection audited.
    void Leer();
    // The list has been loaded again: builds the catalogue when it must be (always with
    // rehacer) and audits.
    void ListaCargada(bool rehacer);
    // Audits the collection against the catalogue in use, when there is one and no build runs.
    void Auditar();
    // Stops a build at the window's close.
    void Cancelar()
    {
        m_construccion.Cancelar();
        m_software.Detener();
    }

    // The catalogue is being read or built.
    bool EnCurso() const { return m_lectura.EnCurso() || m_construccion.EnCurso(); }
    const ConstruccionCatalogo &Construccion() const { return m_construccion; }

Q_SIGNALS:
    // A build has started over this many machines (the list's count), has read so many, has
    // ended.
    void construccionIniciada(int maquinas);
    void avance(int maquinas);
    void construccionTerminada();
    // The session has another catalogue.
    void catalogoCambiado();
    // The catalogue on disk cannot be used now (another program holds it): it is left as it
    // is, and the list works without it until it can be read. The status line's text.
    void apartado(const QString &estado);
    // An audit's verdicts, once no game runs.
    void auditada(std::shared_ptr<const ResultadoAuditoria> auditoria);
    // The software lists were read into corvala.db anew (the rows' titles may have changed);
    // the verdicts of the player's software, which follow each audit of the collection.
    void listasDeSoftwareLeidas();
    void softwareAuditado(std::shared_ptr<const ResultadoAuditoriaSoftware> auditoria);

private:
    void Preparar(bool rehacer);
    void Leido(std::shared_ptr<const Catalogo> catalogo, Catalogo::SinCatalogo porQue,
               const QString &motivo);
    void Terminada(std::shared_ptr<const Catalogo> catalogo, const QString &motivo);
    void Entregar();

    Sesion &m_sesion;
    std::function<const ModeloDeJuegos &()> m_juegos;
    UsoDelCatalogo::LecturaDelCatalogo m_lectura;
    ConstruccionCatalogo m_construccion;
    UsoDelCatalogo::AuditoriaDeLaColeccion m_auditoria;
    SoftwareDeLaSesion m_software;
    std::shared_ptr<const ResultadoAuditoria> m_pendiente;
    bool m_esperando = false;
    // What was on disk: left aside (why), or no catalogue at all (kept beside the new one).
    QString m_apartado;
    bool m_inservible = false;
    bool m_rehacerAlLeer = false;
};

} // namespace Corvala
