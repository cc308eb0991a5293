#pragma once

#include "comun/logic/CarpetaMame.h"
#include "comun/logic/modPrincipal.h"

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

    // "mame -listfull", output in lista.txt.
    bool ListarJuegos() const;

    // "mame ROM" (with "-soundcard 0" for old versions). Standard output and standard error
    // are captured in a private temporary file, which is read and removed; the result is
    // that text, or nothing when the emulator could not be started.
    std::optional<QString> Jugar(const QString &rom, bool sinSonido) const;

    // "mame ROM -verifysets" (-verifyroms for an emulator without it), output in 1.p. A run that lasts longer than the limit (in
    // milliseconds; none when negative) is killed and counts as failed.
    bool VerificarSets(const QString &rom, int limiteMs = -1) const;

    // "mame ROM -listroms", output in the given file (1.p or 2.p).
    bool ListarRoms(const QString &rom, const QString &salida) const;

    // "mame ROM -verifyroms", output in the given file.
    bool VerificarRoms(const QString &rom, const QString &salida) const;

    // "mame roms/ARCHIVE -romident", output in the given file.
    bool IdentificarArchivo(const QString &archivo, const QString &salida) const;

    // "mame roms/ARCHIVE -isknown", output in the given file.
    bool ReconocerArchivo(const QString &archivo, const QString &salida) const;

    // "mame -version": its first word when it looks like a version ("0.251"), else nothing.
    std::optional<QString> Version() const;

    // A question to the emulator, as it is given: its standard output, or nothing when the
    // emulator could not be started or had not answered within 30 seconds.
    std::optional<QString> Preguntar(const QStringList &argumentos) const;

    const CarpetaMame &Carpeta() const { return m_carpeta; }

private:
    bool Ejecutar(const QStringList &argumentos, const QString &salida, int limiteMs = -1) const;
    OrdenEmulador Orden(const QStringList &argumentos) const;
    std::optional<QString> Capturar(const QStringList &argumentos, bool conErrores, int limiteMs) const;
    static QStringList Argumentos(const QString &nombre, const QStringList &opciones);

    CarpetaMame m_carpeta;
};

} // namespace Corvala
