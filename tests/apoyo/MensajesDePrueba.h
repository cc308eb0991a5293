#pragma once

#include "comun/logic/Mensajes.h"

#include <QList>

// Answers Corvala's message boxes for a test and keeps every box shown. While it lives, no
// real box can open; questions are answered from the queue, or with No.
class MensajesDePrueba
{
public:
    MensajesDePrueba();
    ~MensajesDePrueba();
    MensajesDePrueba(const MensajesDePrueba &) = delete;
    MensajesDePrueba &operator=(const MensajesDePrueba &) = delete;

    void Responder(Corvala::Respuesta respuesta) { m_respuestas << respuesta; }

    const QList<Corvala::Mensaje> &Vistos() const { return m_vistos; }
    QStringList Titulos() const;
    void Olvidar() { m_vistos.clear(); }

private:
    QList<Corvala::Mensaje> m_vistos;
    QList<Corvala::Respuesta> m_respuestas;
    Corvala::Mensajes::Manejador m_anterior;
};
