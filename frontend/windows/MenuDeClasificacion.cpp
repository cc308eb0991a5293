#include "frontend/windows/MenuDeClasificacion.h"

#include "extras/logic/Clasificacion.h"

#include <QMenu>

#include <algorithm>

namespace Corvala {

MenuDeClasificacion::MenuDeClasificacion(QMenu *menu)
    : QObject(menu)
{
    mnuCategoria = menu->addMenu(QStringLiteral("Categoría"));
    mnuCategoria->setObjectName(QStringLiteral("mnuCategoria"));
    mnuJugadores = menu->addMenu(QStringLiteral("Jugadores"));
    mnuJugadores->setObjectName(QStringLiteral("mnuJugadores"));
    for (QMenu *submenu : {mnuCategoria, mnuJugadores})
        submenu->menuAction()->setVisible(false);
}

void MenuDeClasificacion::CrearCategorias(const Clasificacion &clasificacion)
{
    mnuCategoria->clear();
    const auto accion = [this](QMenu *en, const QString &texto, const QString &categoria) {
        // An ampersand is the text's own, not a shortcut's mark.
        QAction *hecha
                = en->addAction(QString(texto).replace(QLatin1Char('&'), QLatin1String("&&")), this,
                                [this, categoria] { Q_EMIT categoriaElegida(categoria); });
        hecha->setCheckable(true);
        hecha->setData(categoria);
    };
    accion(mnuCategoria, QStringLiteral("Todas las categorías"), QString());
    mnuCategoria->addSeparator();
    const QStringList todas = clasificacion.TodasLasCategorias();
    for (qsizetype i = 0; i < todas.size();) {
        const QString genero = Clasificacion::Genero(todas[i]);
        qsizetype fin = i;
        while (fin < todas.size() && Clasificacion::Genero(todas[fin]) == genero)
            ++fin;
        if (fin - i == 1 && todas[i] == genero) {
            accion(mnuCategoria, genero, genero);
        } else {
            QMenu *submenu = mnuCategoria->addMenu(
                    QString(genero).replace(QLatin1Char('&'), QLatin1String("&&")));
            accion(submenu, QStringLiteral("Todo «%1»").arg(genero), genero);
            submenu->addSeparator();
            for (qsizetype k = i; k < fin; ++k) {
                if (todas[k] != genero)
                    accion(submenu, todas[k].mid(genero.size() + 3), todas[k]);
            }
        }
        i = fin;
    }
}

void MenuDeClasificacion::Actualizar(const std::shared_ptr<const Clasificacion> &clasificacion,
                                     const QSet<int> &jugadores, const QString &categoria,
                                     int cuantos)
{
    const bool hayCategorias = clasificacion && clasificacion->HayCategorias();
    mnuCategoria->menuAction()->setVisible(hayCategorias);
    if (hayCategorias && m_hecho.lock() != clasificacion)
        CrearCategorias(*clasificacion);
    m_hecho = clasificacion;
    const auto marcar = [&categoria](QMenu *menu, const auto &propia) -> void {
        for (QAction *accion : menu->actions()) {
            if (accion->menu())
                propia(accion->menu(), propia);
            else if (accion->isCheckable())
                accion->setChecked(accion->data().toString() == categoria);
        }
    };
    marcar(mnuCategoria, marcar);

    mnuJugadores->clear();
    mnuJugadores->menuAction()->setVisible(clasificacion && clasificacion->HayJugadores());
    QList<int> cuentas(jugadores.cbegin(), jugadores.cend());
    cuentas.removeAll(0);
    std::sort(cuentas.begin(), cuentas.end());
    cuentas.prepend(0);
    for (const int n : std::as_const(cuentas)) {
        const QString texto = n == 0   ? QStringLiteral("Cualquier número")
                              : n == 1 ? QStringLiteral("1 jugador")
                                       : QStringLiteral("%1 jugadores").arg(n);
        QAction *accion
                = mnuJugadores->addAction(texto, this, [this, n] { Q_EMIT jugadoresElegidos(n); });
        accion->setCheckable(true);
        accion->setChecked(n == cuantos);
        if (n == 0)
            mnuJugadores->addSeparator();
    }
}

} // namespace Corvala
