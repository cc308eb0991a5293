#pragma once

#include "catalogue/logic/ListaMame.h"
#include "comun/logic/Mensajes.h"

#include <QString>
#include <QVector>

#include <functional>
#include <optional>

namespace Corvala {

class CarpetaMame;
class Catalogo;
class Compatibilidad;

// The search for a game that the selected archive can serve: one compatibility test for every
// game to try, in order, until a test is positive, the games end, or the player has cancelled.
// With the emulator's catalogue the games to try are the sets the archive's own files can
// serve, best first; without it, every line of lista.txt. Nothing is renamed for good.
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

    // The games a search goes through for an archive, and the total its counter shows. With a
    // catalogue: the sets whose own ROMs the archive holds (none when it cannot be read).
    // Without one: lista.txt, which the emulator writes afresh first, line by line (its
    // header a game that can never be good), and as total the number of titles.
    struct Juegos
    {
        QVector<std::optional<JuegoListado>> juegos;
        int total = 0;
    };
    static Juegos JuegosAProbar(const CarpetaMame &carpeta, const Catalogo *catalogo,
                                const QString &archivo, int titulos);

    // Goes through the games. Before each one the counter of lines read so far, the header
    // included, is given to avance (1 for the first line); the archive to test is asked for
    // afresh before each test, since the player may move the selection meanwhile. A
    // cancellation is noticed after the test that is running: a positive test still wins.
    Resultado Recorrer(const QVector<std::optional<JuegoListado>> &juegos,
                       const std::function<QString()> &archivo,
                       const std::function<void(qint32)> &avance);
    // The same through every line of a lista.txt.
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
