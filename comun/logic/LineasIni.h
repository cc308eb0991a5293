#pragma once

#include <QString>

namespace Corvala {

// The line forms shared by mame.ini and the controller files: "name   value".

// The text followed by blanks up to the width; a longer text is returned unchanged.
QString RellenarEspacios(const QString &texto, int ancho);

// The text before the first blank of the line, trimmed; empty when the line has no blank.
QString NombreDeLinea(const QString &linea);

// The text from the first blank up to, not including, the line's last character, trimmed;
// empty when the line has no blank.
QString ValorDeLinea(const QString &linea);

} // namespace Corvala
