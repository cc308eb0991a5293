#pragma once

#include "comun/logic/Mensajes.h"

#include <QString>

#include <functional>

namespace Corvala {

class Compatibilidad;

// The search for a game that the selected archive can serve: one compatibility test for every
// line of lista.txt, in file order, until a test is positive, the list ends, or the player has
// cancelled. Nothing is renamed for good.
class Busqueda
{
public:
    // SinPrueba: no test can be made at all (a folder Corvala cannot write); the search stops
    // at the first candidate rather than go through every title for nothing.
    enum class Resultado { Encontrada, NoEncontrada, Cancelada, SinPrueba };

    explicit Busqueda(const Compatibilidad &prueba);

    // True from Empezar until Cancelar or Terminar.
    bool Buscando() const { return m_buscando; }
    void Empezar() { m_buscando = true; }
    void Cancelar() { m_buscando = false; }
    void Terminar() { m_buscando = false; }

    // Goes through lista.txt. Before each line the counter of lines read so far, the header
    // included, is given to avance (1 for the first line); the archive to test is asked for
    // afresh before each test, since the player may move the selection meanwhile. A
    // cancellation is noticed after the test that is running: a positive test still wins.
    Resultado Recorrer(const QString &rutaLista, const std::function<QString()> &archivo,
                       const std::function<void(qint32)> &avance);

    // The title of the game found, blanks at its ends removed.
    const QString &TituloEncontrado() const { return m_titulo; }

    static Mensaje Confirmacion();
    static Mensaje PreguntaCancelar();
    static Mensaje MensajeDeResultado(Resultado resultado, const QString &titulo);

private:
    const Compatibilidad &m_prueba;
    bool m_buscando = false;
    QString m_titulo;
};

} // namespace Corvala
