#pragma once

#include "catalogue/logic/Catalogo.h"
#include "collection/logic/Identificacion.h"
#include "frontend/logic/DatosDelJugador.h"
#include "frontend/logic/ModeloDeJuegos.h"

#include <QList>
#include <QPair>
#include <QString>

namespace Corvala {

// What Corvala tells of a game beyond its title: from the catalogue, its year, maker, parent
// and driver status; from the player's data, its plays.
namespace InformacionJuego {

// The driver status as the player reads it.
QString TextoEstado(const QString &estado);

// The list's tooltip's second line ("Año: 1980 · Fabricante: Namco · …"); empty when the
// catalogue knows nothing of the game.
QString LineaDeAyuda(const FichaMaquina *maquina, const Catalogo *catalogo);

// Whether a row's game can run, as the audit of the archives found it, with why not and the
// samples it lacks: the list's tooltip line; empty until an audit has looked at it.
QString LineaDeJugable(const JuegoDeLista &fila);
// The same as the information window's value ("Sí", "No: …").
QString ValorDeJugable(const JuegoDeLista &fila);
// The archive behind a row as the information window names it: a clone whose files lie in
// its parent's archive says so.
// formas: the forms the set is held in (ArchivosDeCarpeta::Formas); all of them are named when
// there are more than one.
QString TextoDeArchivo(const JuegoDeLista &fila, const QStringList &formas = {});
// The tooltip's line of a set held in more than one form; empty otherwise.
QString LineaDeFormas(const QStringList &formas);
// The tooltip's line for such a clone; empty for any other row.
QString LineaDeOrigen(const JuegoDeLista &fila);

// The rows of the "Información del juego" window, as label and value. parecido: the game an
// archive the emulator does not know appears to be, when one is known; jugable: ValorDeJugable.
QList<QPair<QString, QString>> Filas(const QString &titulo, const QString &archivo,
                                     const FichaMaquina *maquina, const Catalogo *catalogo,
                                     const Jugado &jugado, bool favorito,
                                     const Candidato *parecido = nullptr,
                                     const QString &jugable = {});

// The same of an item of a software list: its list, publisher and year, the item it is a
// version of; the machine it starts on is the window's choice (Maquinas).
QList<QPair<QString, QString>> FilasDeSoftware(const JuegoDeLista &fila,
                                               const CatalogoSoftware *software,
                                               const Jugado &jugado,
                                               const Candidato *parecido = nullptr);

// The machines a software row can start on, as the information window offers them: the name
// and, for the player, "Nintendo Entertainment System / Famicom (NTSC) (nes)"; the row's own
// first.
QList<QPair<QString, QString>> Maquinas(const ModeloDeJuegos &filas, int fila);

// The tooltip's line of a software row: its list, publisher, year and machine.
QString LineaDeSoftware(const JuegoDeLista &fila, const CatalogoSoftware *software,
                        const Catalogo *catalogo);

// What the player's category files say of a row, as the information window's rows
// ("Categoría:", "Añadido en la versión:", "Jugadores:"), and as the tooltip's line; none or
// empty when they say nothing.
QList<QPair<QString, QString>> FilasDeClasificacion(const JuegoDeLista &fila,
                                                    const Clasificacion *clasificacion);
QString LineaDeClasificacion(const JuegoDeLista &fila);
// The rows with others added: one of a label already there takes its place ("Jugadores:" of
// the player's files says more than the catalogue's count).
QList<QPair<QString, QString>> Con(QList<QPair<QString, QString>> filas,
                                   const QList<QPair<QString, QString>> &otras);

} // namespace InformacionJuego
} // namespace Corvala
