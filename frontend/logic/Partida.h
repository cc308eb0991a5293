#pragma once

#include "comun/logic/Mensajes.h"

#include <QString>

#include <functional>
#include <optional>

namespace Corvala {

class CarpetaMame;
struct Sesion;

// One game run, from the archive to the log. The window does the rest: the refusal of
// unrecognised entries, the busy flag, the pointer and the status line.
class Partida
{
public:
    enum class Resultado {
        Terminada, // the emulator ran and ended cleanly; the log is kept
        ConError,  // the emulator crashed, failed or refused to start; the log says how
        ErrorCfg,  // a file of the cfg folder could not be set aside or put back
    };

    // usaControles tells whether the defined keys are in force; it is asked before the game
    // and again after it.
    Partida(Sesion &sesion, std::function<bool()> usaControles);

    // Runs the game of the archive in the MAME folder and waits for it to end, the event
    // loop running meanwhile. With the defined keys in force the game's own cfg file is set
    // aside while it runs and put back afterwards, and the emulator's new cfg/default.cfg is
    // removed. The emulator's output becomes the session's last game log.
    // software: an item of a software list, started on the machine archivo names.
    Resultado Jugar(const QString &archivo, const QString &software = {});
    // Whether the game really ran: the emulator started it and did not turn it away (its
    // files missing, no such game, a configuration it refuses).
    bool SeHaJugado() const { return m_seHaJugado; }

    // The archive name to start the game with. The emulator on this system opens a set's
    // archive only under its own name, in lower case: an archive spelt otherwise (SF2.ZIP) is
    // offered a rename, never over another file. Nothing when the game is not to be started
    // (the player said no, or the rename failed and the player was told).
    static std::optional<QString> ArchivoParaJugar(const CarpetaMame &carpeta,
                                                   const QString &archivo, bool cd);
    static Mensaje PreguntaMinusculas(const QString &archivo, const QString &nombre);
    static Mensaje MensajeSinRenombrar(const QString &archivo, const QString &nombre);

    // Old emulators need their sound card named off: versions older than 0.53.
    static bool SinSonido(const QString &version);

    // The box that refuses an unrecognised archive, and the one of a cfg file that cannot be
    // set aside or put back.
    static Mensaje MensajeRomDesconocida();
    static Mensaje MensajeErrorCfg();
    // The log viewer's box: the last game and what the emulator said, or that nothing was.
    static Mensaje MensajeDelLog(const QString &titulo, const QString &log);

    // The log kept when the emulator could not be started at all.
    static QString LogSinEmulador();

    // The log's last line for an emulator that did not end cleanly: its exit code, or -1 for
    // a signal; and the status line's text then.
    static QString LineaDeFinal(int codigoSalida);
    static QString TextoTerminadaConError();

private:
    Sesion &m_sesion;
    bool m_seHaJugado = false;
    std::function<bool()> m_usaControles;
};

} // namespace Corvala
