#pragma once

#include <QString>

#include "catalogue/logic/Catalogo.h"
#include "comun/logic/CarpetaMame.h"
#include "comun/logic/Sesion.h"
#include "frontend/windows/frmCargador.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <optional>

class QWidget;

// The made-up collections the benchmarks run on, and what they measure them with.
namespace ColeccionDePrueba {

// Qt's offscreen platform, unless QT_QPA_PLATFORM names another: before the application is made.
void SinPantalla();

// Peak resident memory of this process so far, and its resident memory now, in MB (-1 when
// unknown).
double MemoriaPico();
double MemoriaActual();

// A MAME folder in the temporary folder given, its mame a link to the emulator the command line
// names (Debian's /usr/games/mame when it names none), with its lista.txt written by it. The
// emulator's path, or nothing (said on standard output) when there is none to run.
std::optional<QString> CarpetaReal(const QString &carpeta, int argc, char *argv[]);

// The event loop's longest stall from now on: a timer every 5 ms, and the longest wait between
// two of its ticks.
class Latido
{
public:
    Latido()
    {
        m_reloj.setInterval(5);
        QObject::connect(&m_reloj, &QTimer::timeout,
                         [this] { m_peor = std::max(m_peor, m_tick.restart()); });
        m_tick.start();
        m_reloj.start();
    }
    qint64 Peor() const { return m_peor; }

private:
    QTimer m_reloj;
    QElapsedTimer m_tick;
    qint64 m_peor = 0;
};

// Builds the catalogue of such a folder, as the main window does, and opens it; null when it
// cannot be built.
std::shared_ptr<const Corvala::Catalogo> ConstruirCatalogo(const Corvala::CarpetaMame &carpeta);

// Shows a window and returns once it is on the screen and drawn.
bool Mostrar(QWidget &ventana);

// Loads a window (its Form_Load) and shows it.
template <typename Ventana>
bool Arrancar(Ventana &ventana)
{
    ventana.Form_Load();
    return Mostrar(ventana);
}

// The main window of a folder, built, loaded and shown, and how long that took.
struct VentanaMostrada
{
    explicit VentanaMostrada(const Corvala::CarpetaMame &carpeta);
    Corvala::Sesion sesion;
    std::unique_ptr<Corvala::frmCargador> ventana;
    qint64 ms = -1; // -1: it could not be shown
};

// The name of game i: a classic eight-character one, or a longer one for the current layout.
QString Nombre(int i, bool largo);

// A MAME folder of n archives, the even ones known to a lista.txt that lists n games in all,
// in the classic layout or the current emulator's one (every seventh name a long one there).
// The fake emulator, linked as the folder's mame, answers -listfull with that same list.
void Crear(const QString &carpeta, int n, bool clasica);

} // namespace ColeccionDePrueba
