#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <iterator>

namespace Corvala {

class CarpetaMame;

// The kinds of picture players keep for a game, in the order the enlarged view goes through
// them; the icon is the list's, not the view's.
enum class TipoDeImagen {
    Instantanea,
    Titulo,
    Folleto,
    Mueble,
    Panel,
    Placa,
    Marquesina,
    Final,
    Ilustracion,
    Jefes,
    Logotipo,
    Puntuaciones,
    Versus,
    FinDePartida,
    ComoSeJuega,
    Seleccion,
    Caratula,
    Icono,
};

struct TipoDeImagenConNombre
{
    const char *opcion;     // the option of ui.ini that names its folders (mame.ini's, the first)
    const char *porDefecto; // the folder the emulator's interface looks in without it
    const char *nombre;     // as the player reads it (UTF-8)
};
// In the order of TipoDeImagen.
inline constexpr TipoDeImagenConNombre kTiposDeImagen[] = {
        {"snapshot_directory", "snap", "Instantánea"},
        {"titles_directory", "titles", "Pantalla del título"},
        {"flyers_directory", "flyers", "Folleto"},
        {"cabinets_directory", "cabinets", "Mueble"},
        {"cpanels_directory", "cpanel", "Panel de mandos"},
        {"pcbs_directory", "pcb", "Placa"},
        {"marquees_directory", "marquees", "Marquesina"},
        {"ends_directory", "ends", "Final"},
        {"artwork_preview_directory", "artpreview", "Vista del decorado"},
        {"bosses_directory", "bosses", "Jefes"},
        {"logos_directory", "logo", "Logotipo"},
        {"scores_directory", "scores", "Puntuaciones"},
        {"versus_directory", "versus", "Enfrentamiento"},
        {"gameover_directory", "gameover", "Fin de la partida"},
        {"howto_directory", "howto", "Cómo se juega"},
        {"select_directory", "select", "Selección"},
        {"covers_directory", "covers", "Carátula"},
        {"icons_directory", "icons", "Icono"},
};
inline constexpr int kCantidadDeTipos = int(std::size(kTiposDeImagen));

// Where the emulator's interface looks for what players keep: the paths of the MAME folder's
// ui.ini (the snapshots', of mame.ini, and snap/ always, the art packs' name), or its defaults,
// each relative to the MAME folder.
struct RutasDeExtras
{
    QStringList categorias; // every *.ini there: catver.ini, nplayers.ini and folder files
    QStringList historia;   // history.xml, in the first that has it
    std::array<QStringList, kCantidadDeTipos> imagenes;

    const QStringList &Imagenes(TipoDeImagen tipo) const { return imagenes[size_t(tipo)]; }

    static RutasDeExtras Leer(const CarpetaMame &carpeta);
};

} // namespace Corvala
