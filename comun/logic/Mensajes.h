#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace Corvala {

// Every message box of Corvala goes through this one seam: the program installs a handler
// that shows a real modal box, tests install one that records the box and answers it.
struct Mensaje
{
    enum class Icono { Ninguno, Critico, Informacion, Exclamacion };
    enum class Botones { Aceptar, SiNo };

    QString texto;
    QString titulo;
    Icono icono = Icono::Ninguno;
    Botones botones = Botones::Aceptar;
};

enum class Respuesta { Aceptar, Si, No };

namespace Mensajes {

using Manejador = std::function<Respuesta(const Mensaje &)>;

// Shows the box and returns the button pressed. Without a handler nothing is shown and the
// answer is the safe one: Aceptar, or No for a question.
Respuesta Mostrar(const Mensaje &mensaje);

// Installs a handler and returns the one it replaces.
Manejador Instalar(Manejador manejador);

// The player's system has no program to open a file or an address with: says where it is, so
// that the player can open it.
Mensaje NoSeAbre(const QUrl &direccion);

} // namespace Mensajes
} // namespace Corvala
