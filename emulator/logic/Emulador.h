#pragma once

#include "comun/logic/CarpetaMame.h"
#include "comun/logic/Mensajes.h"
#include "emulator/logic/Ejecucion.h"

#include <QDeadlineTimer>
#include <QString>

#include <optional>

namespace Corvala {

// Every command Corvala gives the emulator. Each run is started directly in the MAME folder,
// waits for the emulator to end (see EjecutarYEsperar), and leaves the emulator's standard
// output in the named file of the MAME folder. Each returns false when the emulator could not
// be started. An archive or ROM name is always one argument, whatever characters it holds; an
// empty ROM name is no argument at all. An emulator that would read its configuration from
// elsewhere (see OpcionesEmulador) is told on every run to read the folder's mame.ini.
class Emulador
{
public:
    explicit Emulador(CarpetaMame carpeta);

    // "mame -cc": the emulator writes its default mame.ini. One that would read its
    // configuration from elsewhere starts from that configuration, with the folder's roms,
    // cfg, ctrlr and snaps in place of the paths it names.
    bool CrearConfiguracion() const;

    // "mame -listfull", output in lista.txt: only a whole answer (the emulator ended by itself
    // with exit code 0 and printed something) replaces it; otherwise lista.txt stays as it
    // was. A run past its limits (2 minutes, 64 MB) is killed and the player told.
    FinEjecucion ListarJuegos() const;
    // The same list, kept in memory where lista.txt cannot be written (a read-only folder):
    // nothing unless the run was whole.
    std::optional<QString> ListaEnMemoria() const;

    // "mame ROM" (with "-soundcard 0" for old versions). Standard output and standard error
    // are captured in a private temporary file, which is read and removed; the result is
    // that text, or nothing when the emulator could not be started.
    // How it ended goes to codigoSalida: its exit code, or -1 for a signal.
    // With software, "mame SYSTEM ITEM": the emulator puts the item of its list in the slot
    // that takes it.
    std::optional<QString> Jugar(const QString &rom, bool sinSonido, int *codigoSalida = nullptr,
                                 const QString &software = {}) const;

    // "mame ROM -verifysets" (-verifyroms for an emulator without it), output in 1.p. A run
    // that lasts longer than the limit (in milliseconds; none when negative), or prints more
    // than 1 MB, is killed and counts as failed.
    bool VerificarSets(const QString &rom, int limiteMs = -1) const;

    // The reports' commands: both output channels in the file, in the order printed (a current
    // emulator answers about unknown names on standard error); killed past 2 minutes (a
    // report's commands share them, see Plazo) or 16 MB of output.
    // "mame ROM -listroms", output in the given file (1.p or 2.p).
    bool ListarRoms(const QString &rom, const QString &salida) const;

    // "mame ROM -verifyroms", output in the given file.
    bool VerificarRoms(const QString &rom, const QString &salida) const;

    // "mame roms/ARCHIVE -romident", output in the given file.
    bool IdentificarArchivo(const QString &archivo, const QString &salida) const;

    // "mame roms/ARCHIVE -isknown", output in the given file.
    bool ReconocerArchivo(const QString &archivo, const QString &salida) const;

    // A name the emulator can only take for a set's: not empty (no name would mean every
    // set) and not starting with "-" (an option). Commands given any other name run nothing
    // and return false.
    static bool EsNombreDeJuego(const QString &nombre);

    // "mame -listxml": the command that writes the emulator's catalogue, for a reader that
    // takes its output as it comes (see ConstruccionCatalogo); no output file. Nothing when
    // the emulator has no such command.
    std::optional<OrdenEmulador> OrdenCatalogo() const;

    // "mame -version": its first word when it looks like a version ("0.251"), else nothing.
    std::optional<QString> Version() const;

    // A question to the emulator, as it is given: its standard output, or nothing when the
    // emulator could not be started, or had not answered within 30 seconds and 1 MB (the
    // player is then told).
    std::optional<QString> Preguntar(const QStringList &argumentos) const;

    // The box that says the emulator did not answer the command in time.
    static Mensaje MensajeNoResponde(const QString &orden);

    // The limits of the runs, fitted to what a real emulator needs with room to spare:
    // MAME 0.251 writes its full list (2.6 MB) in under 1.5 s and identifies an archive in
    // under 9 s. Tests shorten them.
    struct Limites
    {
        int listaMs = 120 * 1000;
        qint64 listaBytes = 64 * 1024 * 1024;
        int preguntaMs = 30 * 1000;
        qint64 preguntaBytes = 1024 * 1024;
        int informeMs = 120 * 1000;
        qint64 informeBytes = 16 * 1024 * 1024;
    };
    static Limites &LimitesEnUso();

    const CarpetaMame &Carpeta() const { return m_carpeta; }

    // One deadline for every run that follows (a report's commands share one limit): each run
    // gets what is left of it, and none starts once it has passed.
    void Plazo(QDeadlineTimer plazo) { m_plazo = plazo; }

private:
    bool Ejecutar(const QStringList &argumentos, const QString &salida, int limiteMs,
                  qint64 limiteBytes, bool conErrores = false) const;
    OrdenEmulador Orden(const QStringList &argumentos) const;
    std::optional<QString> Capturar(const QStringList &argumentos, bool conErrores, int limiteMs,
                                    qint64 limiteBytes, FinEjecucion *fin = nullptr,
                                    int *codigoSalida = nullptr) const;
    static QStringList Argumentos(const QString &nombre, const QStringList &opciones);

    CarpetaMame m_carpeta;
    std::optional<QDeadlineTimer> m_plazo;
};

} // namespace Corvala
