#pragma once

#include <QFileInfoList>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

namespace Corvala {

// What the player's category files say of each game, as the emulator's interface reads them:
// catver.ini ([Category] "1942=Shooter / Flying Vertical", a " * Mature *" mark on some lines,
// [VerAdded] "1942=.37b5"), nplayers.ini ([NPlayers] "galaga=2P alt") and folder files, each
// [Section] of which is a category holding set names one a line (FOLDER_SETTINGS and
// ROOT_FOLDER are no categories). A game is its set name, or "LIST:ITEM" for software.
class Clasificacion
{
public:
    // The largest category file read: a whole catver.ini is a few megabytes.
    static constexpr qint64 kMaximoPorArchivo = 32 * 1024 * 1024;
    // The most category files read from one folder.
    static constexpr int kMaximoDeArchivos = 1000;

    struct Ficha
    {
        QVector<int> categorias; // catver.ini's first, then the folder files', as read
        int version = -1;
        QString jugadores; // nplayers.ini's words, as they stand
        bool adultos = false;
    };

    // The category files of the folders: every *.ini, by name (a name in an earlier folder
    // hides a later one's), at most kMaximoDeArchivos a folder.
    static QFileInfoList Archivos(const QStringList &carpetas);
    // Reads those files; one that cannot be read is skipped, and why goes to avisos.
    static Clasificacion Leer(const QFileInfoList &archivos, QStringList *avisos = nullptr);
    static Clasificacion Leer(const QStringList &carpetas, QStringList *avisos = nullptr)
    {
        return Leer(Archivos(carpetas), avisos);
    }
    // Adds one file's text.
    void Anadir(const QString &texto);

    bool Vacia() const { return m_fichas.isEmpty(); }
    // A game's entry; null when no file names it.
    const Ficha *De(const QString &juego) const;
    QStringList Categorias(const Ficha &ficha) const;
    QString Version(const Ficha &ficha) const;
    // Every category named, sorted.
    QStringList TodasLasCategorias() const;
    // Whether there are categories, and players' counts.
    bool HayCategorias() const { return !m_categorias.isEmpty(); }
    bool HayJugadores() const { return m_hayJugadores; }

    // The genre of a category: the part before " / ".
    static QString Genero(const QString &categoria);
    // Whether a game of these categories is of the category or genre chosen.
    static bool Pertenece(const QStringList &categorias, const QString &elegida);
    // nplayers.ini's words in the player's ("2P alt" → "2 jugadores alternando"), and the most
    // players a game takes (0: not a count).
    static QString JugadoresEnPalabras(const QString &valor);
    static int CuantosJugadores(const QString &valor);

private:
    int Indice(QVector<QString> &nombres, QHash<QString, int> &indices, const QString &nombre);

    QHash<QString, Ficha> m_fichas;
    QVector<QString> m_categorias;
    QHash<QString, int> m_indiceCategorias;
    QVector<QString> m_versiones;
    QHash<QString, int> m_indiceVersiones;
    bool m_hayJugadores = false;
};

} // namespace Corvala
