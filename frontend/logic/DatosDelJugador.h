#pragma once

#include "comun/logic/Mensajes.h"
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
    bool soloJugables = false;
    // Arcade games only, or the software of the consoles' and computers' lists only.
    bool soloRecreativas = false;
    bool soloSoftware = false;
    // The games of one category, or of a whole genre (the part before " / "); empty: all.
    QString categoria = QString();
    // The games for so many players at most; 0: all.
    int jugadores = 0;

    // Whether any filter is on.
    bool Alguno() const
    {
        return ocultarClones || soloFuncionan || ocultarBios || soloFavoritos || soloJugables
               || soloRecreativas || soloSoftware || !categoria.isEmpty() || jugadores > 0;
    }

    // Turns a filter on or off; the arcade games alone and the software alone exclude each
    // other.
    void Poner(bool Filtros::*filtro, bool valor)
    {
        this->*filtro = valor;
        if (valor && filtro == &Filtros::soloRecreativas)
            soloSoftware = false;
        if (valor && filtro == &Filtros::soloSoftware)
            soloRecreativas = false;
    }
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

    // The most games whose plays are kept: the most recent ones.
    static constexpr int kMaximoDeJugados = 1000;
    // The largest file read: a whole history and every game a favourite fit many times over.
    static constexpr qint64 kMaximoDeBytes = 8 * 1024 * 1024;

    // The folder's file; empty data when there is none. A file there that cannot be read
    // (not a regular file, too large, not text, not the user's to read) gives empty data that
    // remembers why (Ilegible): it is never written over.
    static DatosDelJugador Leer(const CarpetaMame &carpeta);
    const QString &Ilegible() const { return m_ilegible; }
    // What the player is told of a file that could not be read.
    static Mensaje MensajeIlegible(const QString &motivo);
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

    // The machine the player chose for the software of a list; empty: Corvala's choice.
    QString Sistema(const QString &lista) const { return m_sistemas.value(lista); }
    void ElegirSistema(const QString &lista, const QString &maquina)
    {
        if (maquina.isEmpty())
            m_sistemas.remove(lista);
        else
            m_sistemas.insert(lista, maquina);
    }
    const QHash<QString, QString> &Sistemas() const { return m_sistemas; }

    // The games last played, the most recent first.
    QStringList Recientes(int cuantos) const;

private:
    // Keeps the kMaximoDeJugados games played last.
    void Acotar();

    QString m_ilegible;
    QSet<QString> m_favoritos;
    QHash<QString, Jugado> m_jugados;
    QHash<QString, QString> m_sistemas; // by software list
};

} // namespace Corvala
