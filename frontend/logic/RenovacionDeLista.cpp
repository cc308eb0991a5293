#include "frontend/logic/RenovacionDeLista.h"

#include "comun/logic/Mensajes.h"
#include "comun/logic/modPrincipal.h"
#include "comun/logic/Sesion.h"
#include "frontend/logic/ListaDeJuegos.h"

namespace Corvala {

RenovacionDeLista::RenovacionDeLista(Sesion &sesion, QObject *parent)
    : QObject(parent)
    , m_sesion(sesion)
{
    // Timer1 is one of the window's own controls, as the window's design names it.
    m_timer.setParent(parent ? parent : this);
    m_timer.setObjectName(QStringLiteral("Timer1"));
    connect(&m_timer, &QTimer::timeout, this, &RenovacionDeLista::Paso);
}

void RenovacionDeLista::Pedir()
{
    if (!ExisteArchivo(m_sesion.carpeta.Ruta(QStringLiteral("lista.txt")))) {
        Q_EMIT cargar(true);
        return;
    }
    Q_EMIT reloj(true);
    if (!ListaDeJuegos::ApartarLista(m_sesion.carpeta)) {
        Mensajes::Mostrar(ListaDeJuegos::MensajeNoSeApartaLista());
        Q_EMIT reloj(false);
        return;
    }
    m_timer.setInterval(1);
    Q_EMIT estado({QStringLiteral("Borrando lista antigua."), ColorEstado::Rojo});
    m_cuenta = 6;
    m_timer.start();
}

void RenovacionDeLista::Paso()
{
    // A game or the ROM manager came within the countdown: it goes on once they have ended.
    if (m_sesion.ocupado) {
        m_timer.setInterval(1000);
        return;
    }
    if (m_cuenta == 8) {
        m_timer.stop();
        Q_EMIT reloj(false);
        Q_EMIT estado({QStringLiteral("Lista antigua borrada."), ColorEstado::Verde});
        Q_EMIT cargar(true);
    } else {
        ++m_cuenta;
    }
    m_timer.setInterval(1000);
}

bool RenovacionDeLista::Cargando()
{
    const bool esperaba = m_timer.isActive();
    if (esperaba) {
        m_timer.stop();
        Q_EMIT reloj(false);
    }
    m_timer.setInterval(1);
    return esperaba;
}

} // namespace Corvala
