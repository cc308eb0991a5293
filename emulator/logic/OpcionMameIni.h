#pragma once

#include "comun/logic/Mensajes.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace Corvala {

class CarpetaMame;

// How a rewrite of mame.ini ended.
enum class ResultadoMameIni {
    Cambiado,     // mame.in was written and has replaced mame.ini
    SinCambios,   // the option already held the value: mame.ini was not touched
    NoSeLee,      // mame.ini could not be read or mame.in written: nothing changed
    NoSeRenombra, // mame.in could not replace mame.ini: mame.in is removed, nothing changed
    NoSeEdita,    // mame.ini is not text Corvala can rewrite safely (UTF-16): left alone
};

// The option lines as Corvala writes them: the name padded to 24 characters and the value;
// and the unset form, "# ", the name padded to 22 characters and "<NULL> (Not Set)".
QString LineaOpcion(const QString &nombre, const QString &valor);
QString LineaOpcionSinFijar(const QString &nombre);

// Rewrites mame.ini through mame.in with one option changed; an option on no line is not
// added, and every other line keeps its bytes exactly. On an active line of the option: with
// restaurar the saved line is written back; otherwise, unless it already holds the (non-empty)
// value, the line is saved in lineaGuardada and replaced by the set form (the unset form for an
// empty "ctrlr"). On a commented line of the option the line is saved and the option made active:
// with the value, or with the value it held when that was already the one.
ResultadoMameIni FijarOpcionMameIni(const CarpetaMame &carpeta, const QString &nombre,
                                    const QString &valor, bool restaurar, QString &lineaGuardada);

// The value of the option's active line in mame.ini; nothing when no line sets it or the file
// cannot be read.
std::optional<QString> ValorEnMameIni(const CarpetaMame &carpeta, const QString &nombre);
// Every option an option file of the MAME folder sets, by name, read once: the first active
// line of each. None when the file cannot be read.
QHash<QString, QString> OpcionesDeIni(const CarpetaMame &carpeta, const QString &archivo);

// The folders a path option names, as the emulator reads it: separated by ';', each perhaps in
// quotes, $HOME and ~ expanded, a relative one below the MAME folder; the default's folders
// when the option is not set or empty.
QStringList CarpetasDeOpcion(const CarpetaMame &carpeta, const std::optional<QString> &valor,
                             const QString &porDefecto);

// Whether the ctrlr option in force is Corvala's own controller set.
bool CtrlrDeCorvala(const CarpetaMame &carpeta);

// The box that says mame.ini could not be rewritten; the one that says it was left alone
// because its encoding cannot be rewritten safely; the one that fits a failed result.
Mensaje MensajeErrorMameIni();
Mensaje MensajeMameIniNoEditable();
Mensaje MensajeDeMameIni(ResultadoMameIni resultado);

} // namespace Corvala
