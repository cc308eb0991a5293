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

Mensaje NoSeAbre(const QUrl &direccion)
{
    const QString texto
            = direccion.isLocalFile()
                      ? QStringLiteral("No hay ningún programa configurado para abrir el informe. "
                                       "Puedes abrirlo tú mismo con un editor de textos; está en:"
                                       "\n\n%1\n\nSe borrará al cerrar Corvala.")
                                .arg(direccion.toLocalFile())
                      : QStringLiteral("No hay ningún navegador configurado para abrir la página. "
                                       "Puedes copiar su dirección en tu navegador:\n\n%1")
                                .arg(direccion.toString());
    return {texto, QStringLiteral("No se puede abrir"), Mensaje::Icono::Informacion,
            Mensaje::Botones::Aceptar};
}

} // namespace Corvala::Mensajes
