#pragma once

#include <QCursor>
#include <QPointer>
#include <QWidget>

namespace Corvala {

// A window's busy time: the busy flag set and the hourglass shown for as long as the guard
// lives, both put back as they were on every way out. An inner guard therefore leaves an outer
// one's hourglass and flag in place. Either part may be left out (no flag, or no window).
class Ocupacion
{
public:
    explicit Ocupacion(QWidget *ventana, bool *ocupado = nullptr)
        : m_ventana(ventana)
        , m_ocupado(ocupado)
    {
        if (m_ocupado) {
            m_estabaOcupado = *m_ocupado;
            *m_ocupado = true;
        }
        if (m_ventana) {
            m_teniaCursor = m_ventana->testAttribute(Qt::WA_SetCursor);
            m_cursor = m_ventana->cursor();
            m_ventana->setCursor(Qt::WaitCursor);
        }
    }

    ~Ocupacion()
    {
        if (m_conservar)
            return;
        if (m_ocupado)
            *m_ocupado = m_estabaOcupado;
        if (m_ventana) {
            if (m_teniaCursor)
                m_ventana->setCursor(m_cursor);
            else
                m_ventana->unsetCursor();
        }
    }

    // The program ends while busy: the flag and the hourglass stay, so that nothing more is
    // started before it has gone.
    void Conservar() { m_conservar = true; }

    Ocupacion(const Ocupacion &) = delete;
    Ocupacion &operator=(const Ocupacion &) = delete;

private:
    QPointer<QWidget> m_ventana;
    bool *m_ocupado;
    bool m_estabaOcupado = false;
    bool m_teniaCursor = false;
    QCursor m_cursor;
    bool m_conservar = false;
};

} // namespace Corvala
