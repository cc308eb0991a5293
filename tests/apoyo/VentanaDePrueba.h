#pragma once

#include "comun/logic/Sesion.h"
#include "frontend/windows/frmCargador.h"
#include "frontend/windows/VistaDeJuegos.h"

#include "apoyo/CarpetaDePrueba.h"
#include "apoyo/Controles.h"

#include <QAbstractItemModel>
#include <QListView>
#include <QTest>

// The main window over a MAME folder of its own, for the tests that link the windows. The
// example collection is galaga.zip, junk.zip and pacman.zip, with an emulator that knows
// Galaga and Pac-Man.
struct Ventana
{
    explicit Ventana(bool ejemplo = true)
    {
        if (!ejemplo)
            return;
        carpeta.ListaCompleta(ListaClasica());
        for (const char *nombre : {"galaga.zip", "junk.zip", "pacman.zip"})
            carpeta.Archivo(QLatin1String(nombre));
    }

    CarpetaDePrueba carpeta;
    Corvala::Sesion sesion{carpeta.Carpeta()};
    Corvala::frmCargador ventana{sesion};
};

inline const QStringList kFilasDelEjemplo = {QStringLiteral("Galaga"), QStringLiteral("Pac-Man"),
                                             QStringLiteral("ROM desconocida(junk.zip)")};

// The rows the game list shows, in the main window or in the list's own widget.
inline QStringList Filas(const QWidget &ventana)
{
    QStringList filas;
    const QAbstractItemModel *modelo = Control<QListView>(ventana, "lstJuegos")->model();
    for (int i = 0; i < modelo->rowCount(); ++i)
        filas << modelo->index(i, 0).data().toString();
    return filas;
}

// The archive behind a row of the list (the model's row), and every row's archive.
inline QString ArchivoDeFila(const Corvala::frmCargador &ventana, int fila)
{
    return ventana.Juegos().Modelo().Fila(fila).archivo;
}

inline QStringList Archivos(const Corvala::frmCargador &ventana)
{
    QStringList archivos;
    for (int fila = 0; fila < ventana.Juegos().Modelo().Cantidad(); ++fila)
        archivos << ArchivoDeFila(ventana, fila);
    return archivos;
}

inline QRgb ColorDeEstado(const Corvala::frmCargador &ventana)
{
    return Control<QLabel>(ventana, "lblEstado")
            ->palette()
            .color(Control<QLabel>(ventana, "lblEstado")->foregroundRole())
            .rgb();
}

// What a player's double-click on a row of the main list delivers: the row chosen, a click,
// then the double-click and its release. A game started so has ended when this returns.
inline void DobleClic(Corvala::frmCargador &ventana, int fila)
{
    QListView *lista = Control<QListView>(ventana, "lstJuegos");
    const QModelIndex indice = lista->model()->index(fila, 0);
    lista->setCurrentIndex(indice);
    const QPoint centro = lista->visualRect(indice).center();
    QWidget *superficie = lista->viewport();
    QTest::mouseClick(superficie, Qt::LeftButton, {}, centro);
    QTest::mouseDClick(superficie, Qt::LeftButton, {}, centro);
    QTest::mouseRelease(superficie, Qt::LeftButton, {}, centro);
}
