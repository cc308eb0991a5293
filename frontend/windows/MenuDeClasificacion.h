#pragma once

#include <QObject>
#include <QSet>
#include <QString>

#include <memory>

class QMenu;

namespace Corvala {

class Clasificacion;

// The list menu's "Categoría" and "Jugadores" submenus, from the player's category files: a
// category, a whole genre (the part before " / "), or a number of players to show alone. Both
// stay out of sight while the files say nothing of them.
class MenuDeClasificacion : public QObject
{
    Q_OBJECT

public:
    // Adds both submenus to the end of the menu.
    explicit MenuDeClasificacion(QMenu *menu);

    // Before the menu shows: the files read (null: none), the counts of players the rows have,
    // and the choices in force, which are marked.
    void Actualizar(const std::shared_ptr<const Clasificacion> &clasificacion,
                    const QSet<int> &jugadores, const QString &categoria, int cuantos);

Q_SIGNALS:
    // The player chose a category or genre (empty: all), or a number of players (0: any).
    void categoriaElegida(const QString &categoria);
    void jugadoresElegidos(int jugadores);

private:
    void CrearCategorias(const Clasificacion &clasificacion);

    QMenu *mnuCategoria;
    QMenu *mnuJugadores;
    // The files the categories' entries were made from: made again for others.
    std::weak_ptr<const Clasificacion> m_hecho;
};

} // namespace Corvala
