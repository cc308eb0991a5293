#pragma once

#include "catalogue/logic/ConstruccionCatalogo.h"

#include <QProgressBar>

namespace Corvala {

struct Sesion;

// The thin bar along the status line's bottom edge while the emulator's catalogue is built in
// the background: it owns the build, shows how far it has got, and hides when it ends.
class BarraDeCatalogo : public QProgressBar
{
    Q_OBJECT

public:
    explicit BarraDeCatalogo(QWidget *parent);

    // Builds the session's catalogue when it must be (again): none, one that no longer matches
    // the emulator or its list, or always with rehacer. maquinas is how many the list names.
    void Preparar(const Sesion &sesion, bool rehacer, int maquinas);
    void Cancelar() { m_construccion.Cancelar(); }
    const ConstruccionCatalogo &Construccion() const { return m_construccion; }

Q_SIGNALS:
    // The build has ended: the new catalogue, or null and why (the old one stays in use).
    void terminada(std::shared_ptr<const Catalogo> catalogo, const QString &motivo);

private:
    ConstruccionCatalogo m_construccion;
};

} // namespace Corvala
