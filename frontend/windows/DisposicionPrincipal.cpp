#include "frontend/windows/DisposicionPrincipal.h"

#include "comun/windows/Twips.h"

namespace Corvala::DisposicionPrincipal {

QSize TamanoDeDiseno()
{
    return Twips::Tamano(kAnchoMinimo - kMarcoAncho, kAltoMinimo - kMarcoAlto);
}

Lugares Estirar(QSize cliente, Lugares l)
{
    // The outer size of the window as designed: the client area and the designed frame.
    const int ancho = Twips::DesdePx(cliente.width()) + kMarcoAncho;
    const int alto = Twips::DesdePx(cliente.height()) + kMarcoAlto;
    l.tamano = cliente;
    if (ancho >= kAnchoMinimo) {
        l.lista.setWidth(Twips::Px(ancho - kAnchoMinimo + 4860));
        l.estado.setWidth(Twips::Px(ancho - kAnchoMinimo + 4125));
        l.log.moveLeft(Twips::Px(ancho - kAnchoMinimo + 6300));
    } else {
        l.tamano.setWidth(TamanoDeDiseno().width());
        l.lista.setWidth(Twips::Px(4860));
    }
    if (alto >= kAltoMinimo) {
        l.lista.setHeight(Twips::Px(alto - kAltoMinimo + 3930));
        l.estado.moveTop(Twips::Px(alto - kAltoMinimo + 3975));
        l.log.moveTop(Twips::Px(alto - kAltoMinimo + 3975));
    } else {
        l.tamano.setHeight(TamanoDeDiseno().height());
        l.lista.setHeight(Twips::Px(3930));
    }
    return l;
}

} // namespace Corvala::DisposicionPrincipal
