#pragma once

#include <QHash>
#include <QString>
#include <QStringView>
#include <QVector>

#include <functional>
#include <optional>

namespace Corvala {

class CarpetaMame;

// One game of lista.txt, the emulator's full game list.
struct JuegoListado
{
    QString nombre; // the ROM name, as the emulator knows it
    QString titulo; // the game's title
};

// The one reader of a lista.txt line; every place that reads the list uses it.
// - A line whose 11th character is the delimiter '"' has the classic layout: the ROM name in
//   columns 1 to 10 (blanks around it removed) and a title of L - 12 characters from
//   column 12, for a line of length L. Such a name is never longer than 10 characters.
// - Any other line of the form name, blanks, double-quoted description (the wider layout of
//   current emulators) gives that name and the text between its first double quote and its
//   last character.
// Anything else (the heading, a classic line too short to hold a title) is no game.
std::optional<JuegoListado> LeerLineaLista(QStringView linea);

// lista.txt read once: its games in file order, and an index of the first game of each name.
class ListaMame
{
public:
    // Nothing when the file cannot be read.
    static std::optional<ListaMame> Cargar(const QString &ruta);
    static ListaMame DesdeTexto(QStringView texto);

    // Reads the file through once, without keeping the list, and gives its first game for
    // which the test holds; nothing when there is none or the file cannot be read.
    static std::optional<JuegoListado>
    Buscar(const QString &ruta, const std::function<bool(const JuegoListado &)> &prueba);

    const QVector<JuegoListado> &Juegos() const { return m_juegos; }

    // The title of the first game whose name equals the ROM name without regard to case, or
    // nothing.
    const QString *Titulo(const QString &rom) const;

private:
    void Agregar(JuegoListado juego);

    QVector<JuegoListado> m_juegos;
    QHash<QString, qsizetype> m_porNombre; // upper-cased name -> first game of that name
};

// "ROM desconocida(" + archive + ")", the text of an archive the emulator does not know.
QString TextoRomDesconocida(const QString &archivo);
bool EsRomDesconocida(const QString &texto);

// The title of an archive such as pacman.zip, or its unrecognised-ROM text.
QString TituloDeRom(const ListaMame &lista, const QString &archivo);

// The archive name of the first game of lista.txt whose title equals the given one without
// regard to case (blanks count), as ROM name + ".zip"; "ERROR" when no game has that title.
// The list is read again on every call, so a title that has left it is no longer found.
QString RomDeTitulo(const CarpetaMame &carpeta, const QString &titulo);

// The title lista.txt gives the archive (read again on every call), or its unrecognised-ROM
// text.
QString TituloDeRom(const CarpetaMame &carpeta, const QString &archivo);

} // namespace Corvala
