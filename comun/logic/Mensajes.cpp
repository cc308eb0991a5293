#include "comun/logic/Mensajes.h"

namespace Corvala::Mensajes {

namespace {
Manejador &Actual()
{
    static Manejador manejador;
    return manejador;
}
} // namespace

Respuesta Mostrar(const Mensaje &mensaje)
{
    if (const Manejador &manejador = Actual())
        return manejador(mensaje);
    return mensaje.botones == Mensaje::Botones::SiNo ? Respuesta::No : Respuesta::Aceptar;
}

Manejador Instalar(Manejador manejador)
{
    return std::exchange(Actual(), std::move(manejador));
}

} // namespace Corvala::Mensajes
