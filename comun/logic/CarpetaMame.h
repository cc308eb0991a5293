#pragma once

#include <QString>

namespace Corvala {

// The MAME folder: the folder that holds the emulator, its roms folder and Corvala itself.
// Every file Corvala reads or writes is a fixed relative path below it.
class CarpetaMame
{
public:
    explicit CarpetaMame(QString ruta = {});

    // The folder itself, without a trailing separator.
    const QString &Ruta() const { return m_ruta; }

    // The folder followed by a relative path such as "lista.txt" or "cfg/default.cfg".
    QString Ruta(const QString &relativa) const;

    // The emulator's executable in the folder ("mame", or "mame.exe" on Windows).
    QString Emulador() const;
    static QString NombreEmulador();
    // The folder holds the emulator (a file, or a link to one).
    bool TieneEmulador() const;

private:
    QString m_ruta;
};

} // namespace Corvala
