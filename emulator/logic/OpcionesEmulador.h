#pragma once

#include "comun/logic/CarpetaMame.h"

#include <QSet>
#include <QString>

namespace Corvala {

// Which of the options Corvala may give it the emulator of a folder knows. It is asked once
// per run of Corvala (its -showusage listing) and the answer kept for every later run. An
// emulator that gives no listing is taken for a classic one: it has every command Corvala
// uses, and reads its configuration from the folder it runs in.
class OpcionesEmulador
{
public:
    // The answer for the folder's emulator, asked on the first call.
    static const OpcionesEmulador &De(const CarpetaMame &carpeta);

    // Forgets every answer, so that the next call asks again (the emulator was replaced).
    static void Olvidar();

    // Reads the options from a -showusage listing: every line that begins with "-".
    static OpcionesEmulador DeListado(const QString &listado);

    // It has -inipath, so that each run can be told to read the folder's mame.ini instead of
    // the one the emulator would look for elsewhere (a distribution's build reads
    // /etc/mame/mame.ini).
    bool CarpetaPropia() const { return Conoce(QStringLiteral("inipath"), false); }
    bool VerificaSets() const { return Conoce(QStringLiteral("verifysets"), true); }
    bool ReconoceArchivos() const { return Conoce(QStringLiteral("isknown"), true); }
    // It has -verbose, and so takes -noverbose: a verification's answer is then the same
    // whatever the folder's mame.ini says.
    bool Silenciable() const { return Conoce(QStringLiteral("verbose"), false); }
    // It describes every machine it knows in XML (-listxml): it can give a catalogue.
    bool DaCatalogo() const { return Conoce(QStringLiteral("listxml"), false); }

private:
    bool Conoce(const QString &opcion, bool sinListado) const;

    bool m_listado = false;
    QSet<QString> m_opciones;
};

} // namespace Corvala
