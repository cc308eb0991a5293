#include "frontend/logic/Lanzamiento.h"

#include "comun/logic/Sesion.h"
#include "frontend/logic/ModeloDeJuegos.h"
#include "frontend/logic/UsoDelCatalogo.h"

namespace Corvala::Lanzamiento {

std::optional<QString> ArchivoDeFila(const Sesion &sesion, const JuegoDeLista &fila)
{
    if (fila.desconocida) {
        Mensajes::Mostrar(Partida::MensajeRomDesconocida());
        return std::nullopt;
    }
    if (const std::optional<Mensaje> pregunta = UsoDelCatalogo::PreguntaAntesDeJugar(fila);
        pregunta && Mensajes::Mostrar(*pregunta) != Respuesta::Si)
        return std::nullopt;
    if (fila.enElPadre)
        return fila.juego + QLatin1String(".zip");
    return Partida::ArchivoParaJugar(sesion.carpeta, fila.archivo, sesion.cd);
}

std::optional<LineaDeEstado> AlTerminar(Partida::Resultado resultado)
{
    switch (resultado) {
    case Partida::Resultado::ErrorCfg:
        Mensajes::Mostrar(Partida::MensajeErrorCfg());
        return std::nullopt;
    case Partida::Resultado::ConError:
        return LineaDeEstado{Partida::TextoTerminadaConError(), ColorEstado::Rojo};
    case Partida::Resultado::Terminada:
        break;
    }
    return LineaDeEstado{QStringLiteral("Ha terminado la carga."), ColorEstado::Azul};
}

} // namespace Corvala::Lanzamiento
