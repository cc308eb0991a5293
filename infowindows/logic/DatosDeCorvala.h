#pragma once

#include <QString>

// What the About window says of Corvala itself, and where its links lead.
namespace Corvala::DatosDeCorvala {

inline QString Version()
{
    return QStringLiteral(CORVALA_VERSION);
}

inline QString Autor()
{
    return QStringLiteral("El equipo de Corvala");
}

// The emulator's official site, a Spanish page about MAME and its ROMs, and the emulator's
// list of the ROMs it may hand out freely (the link that is not shown).
struct Enlace
{
    QString texto;
    QString direccion;
};

inline Enlace PaginaOficial()
{
    return {QStringLiteral("mamedev.org"), QStringLiteral("https://www.mamedev.org/")};
}

inline Enlace PaginaEspanol()
{
    return {QStringLiteral("es.wikipedia.org/wiki/MAME"),
            QStringLiteral("https://es.wikipedia.org/wiki/MAME")};
}

inline Enlace PaginaIngles()
{
    return {QStringLiteral("mamedev.org/roms"), QStringLiteral("https://www.mamedev.org/roms/")};
}

} // namespace Corvala::DatosDeCorvala
