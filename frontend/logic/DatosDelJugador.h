#pragma once

#include "comun/logic/Resultado.h"

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace Corvala {

class CarpetaMame;

// The filters of the game list; all off at first.
struct Filtros
{
    bool ocultarClones = false;
    bool soloFuncionan = false;
    bool ocultarBios = false;
    bool soloFavoritos = false;
};

// How often and when a game was last played.
struct Jugado
{
    int veces = 0;
    QDateTime ultima;
};

// What is the player's own: the list's filters, the favourite games and the games played.
// It lives in jugador.txt in the MAME folder, never in the catalogue (which is rebuilt at
// will), and is written whole or not at all. A game is its set name (the archive's name
// without ".zip", in lower case).
class DatosDelJugador
{
public:
    static QString Ruta(const CarpetaMame &carpeta);

    // The folder's file; empty data when there is none or it cannot be read.
    static DatosDelJugador Leer(const CarpetaMame &carpeta);
    // Writes the whole file, or leaves the old one as it was and says why.
    Resultado Guardar(const CarpetaMame &carpeta) const;

    // The set name of an archive: pacman.zip and PACMAN.ZIP give pacman.
    static QString Juego(const QString &archivo);

    Filtros filtros;

    bool EsFavorito(const QString &juego) const { return m_favoritos.contains(juego); }
    void Favorito(const QString &juego, bool si);

    // A game was started.
    void Jugar(const QString &juego, const QDateTime &cuando);
    Jugado Historial(const QString &juego) const { return m_jugados.value(juego); }

    // The games last played, the most recent first.
    QStringList Recientes(int cuantos) const;

private:
    QSet<QString> m_favoritos;
    QHash<QString, Jugado> m_jugados;
};

} // namespace Corvala
