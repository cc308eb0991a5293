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
    if (!fila.lista.isEmpty()) {
        // An item of a software list starts on a machine of its list: mame SYSTEM ITEM.
        if (fila.sistema.isEmpty()) {
            Mensajes::Mostrar({QStringLiteral("Ninguna máquina del emulador puede cargar los "
                                              "programas de la lista %1.")
                                       .arg(fila.lista),
                               QStringLiteral("Error"), Mensaje::Icono::Exclamacion,
                               Mensaje::Botones::Aceptar});
            return std::nullopt;
        }
        return fila.sistema;
    }
    if (fila.enElPadre)
        return fila.juego + QLatin1String(".zip");
    return Partida::ArchivoParaJugar(sesion.carpeta, fila.archivo, sesion.cd);
}

QString SoftwareDeFila(const JuegoDeLista &fila)
{
    return fila.software ? fila.software->nombre : QString();
}

bool RenombraFila(const JuegoDeLista &fila, const QString &archivo)
{
    return !fila.enElPadre && fila.lista.isEmpty() && archivo != fila.archivo;
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
