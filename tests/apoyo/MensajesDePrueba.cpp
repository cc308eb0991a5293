#include "apoyo/MensajesDePrueba.h"

#include <QStringList>

using namespace Corvala;

MensajesDePrueba::MensajesDePrueba()
{
    m_anterior = Mensajes::Instalar([this](const Mensaje &mensaje) {
        m_vistos << mensaje;
        if (mensaje.botones == Mensaje::Botones::Aceptar)
            return Respuesta::Aceptar;
        return m_respuestas.isEmpty() ? Respuesta::No : m_respuestas.takeFirst();
    });
}

MensajesDePrueba::~MensajesDePrueba()
{
    Mensajes::Instalar(std::move(m_anterior));
}

QStringList MensajesDePrueba::Titulos() const
{
    QStringList titulos;
    for (const Mensaje &mensaje : m_vistos)
        titulos << mensaje.titulo;
    return titulos;
}
