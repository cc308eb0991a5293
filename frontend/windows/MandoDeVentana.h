#pragma once

#include "frontend/logic/MandoDeLista.h"

#include <QObject>

#include <functional>

namespace Corvala {

class VistaDeJuegos;
struct Sesion;

// A pad drives the main window's list while the window is in front and no game runs: it moves
// through the list, pages, starts the chosen game (jugar), and its east button closes the
// search, or a box the window shows.
class MandoDeVentana : public QObject
{
    Q_OBJECT

public:
    MandoDeVentana(QWidget &ventana, VistaDeJuegos &juegos, const Sesion &sesion,
                   std::function<void()> jugar);

private:
    MandoDeLista m_mando;
};

} // namespace Corvala
