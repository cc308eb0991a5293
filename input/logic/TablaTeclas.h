#pragma once

#include "comun/logic/ControlesAsignados.h"
#include "comun/logic/GetINIs.h"

#include <QString>

namespace Corvala {

class CarpetaMame;

constexpr int kTeclas = 102;

// Writes Corvala.tlc in the MAME folder with its default content (created or replaced).
bool CrearTablaTeclas(const CarpetaMame &carpeta);

// The key table Corvala.tlc: the emulator's key code of each key label of the keyboard
// picture, and the player-independent part of the emulator's port name of each control.
// It is read once when the table is made; a user may have edited it.
class TablaTeclas
{
public:
    explicit TablaTeclas(const CarpetaMame &carpeta);
    explicit TablaTeclas(ArchivoIni archivo);

    // The code of key label k ("KEYCODE_A"), empty when the label has no entry. Labels 42
    // (caps lock) and 56 ("<") have their codes even where the table has no line for them.
    QString CodigoDeTecla(int k) const;

    // Whether the table gives every port name and key code these assignments need: a damaged
    // table (empty, cut short, garbage) does not.
    bool CubreTeclas(const TeclasAsignadas &teclas) const;

    // The first label from 10 to 102 whose code is exactly the given one, or 0.
    int TeclaDeCodigo(const QString &codigo) const;

    // The port name of player index p and control c: COIN1, START2, P1_JOYSTICK_UP ...
    QString NombreDePuerto(int p, int c) const;

    // The control whose port name this is, or 0.
    int ControlDeNombre(const QString &nombre) const;

    // The player number written in a port name (1..4), or 0.
    static int JugadorDeNombre(const QString &nombre);

private:
    QString Valor(const QString &seccion, const QString &clave) const;
    static QString SeccionDeControl(int c);

    ArchivoIni m_archivo;
};

} // namespace Corvala
