#pragma once

#include "emulator/logic/OpcionMameIni.h"
#include "input/logic/TablaTeclas.h"

#include <QObject>

namespace Corvala {

struct Sesion;

// The use of the keys defined in Corvala: the state behind the main window's check box
// "Utilizar teclas definidas", what ticking and clearing it does to the emulator's files, and
// the save of the controller files. While the box is ticked mame.ini names the controller
// "Corvala" and the emulator's cfg/default.cfg is set aside as cfg/default.bak.
class UsoDeTeclas : public QObject
{
    Q_OBJECT

public:
    explicit UsoDeTeclas(Sesion &sesion, QObject *parent = nullptr);

    bool Marcada() const { return m_marcada; }

    // Sets the box; a change runs what ticking or clearing does.
    void Marcar(bool marcada);

    // The player clicked the box, asking for this state. Refused while a game runs or the ROM
    // manager is open: the box keeps its state.
    void Pulsar(bool marcada);

    // Rewrites one option of mame.ini. When mame.in cannot replace mame.ini the player is
    // told, mame.in is removed and the box cleared. Returns false on any failure.
    bool FijarOpcion(const QString &nombre, const QString &valor, bool restaurar);

    // The save: both controller files, cfg/default.cfg set aside, the ctrlr option set to
    // Corvala and the box ticked. Each step that fails tells the player and stops the save;
    // the result says whether it ran through.
    bool Guardar(const TeclasAsignadas &teclas, const TablaTeclas &tabla,
                 const MandosAsignados *mandos = nullptr);

    // The messages of the save's three steps.
    QString TextoErrorTeclado() const;
    QString TextoErrorCfg() const;
    static QString TextoErrorMameIni();
    QString TextoTablaDanada() const;

Q_SIGNALS:
    // The box's state changed; the window shows it.
    void marcadaCambiada(bool marcada);

private:
    void AlCambiar();
    void Error(const QString &texto) const;

    Sesion &m_sesion;
    bool m_marcada = false;
};

} // namespace Corvala
