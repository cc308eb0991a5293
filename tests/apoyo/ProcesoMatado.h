#pragma once

#include "apoyo/CarpetaDePrueba.h"

#include <QProcess>
#include <QStringList>
#include <QTest>

// Runs one piece of Corvala's work in a process of its own (see ProcesoDePrueba.cpp) and
// kills it (SIGKILL) after the given milliseconds, wherever it is.
inline bool EjecutarYMatar(const QStringList &argumentos, int ms)
{
    QProcess proceso;
    proceso.start(QStringLiteral(CORVALA_PROCESO_DE_PRUEBA), argumentos);
    if (!proceso.waitForStarted())
        return false;
    QTest::qSleep(ms);
    proceso.kill();
    return proceso.waitForFinished();
}

// After a game killed with the defined keys in force and a start-up: the player's own
// cfg/default.cfg and cfg/GAME.cfg (with the contents "mio-default" and "mio-GAME") are back,
// nothing is left aside, and mame.ini no longer names Corvala's controller set.
inline bool CfgDelJugadorEnSuSitio(const CarpetaDePrueba &carpeta, const QString &juego)
{
    return carpeta.Leer(QStringLiteral("cfg/default.cfg")) == "mio-default"
           && carpeta.Leer(QStringLiteral("cfg/") + juego + QStringLiteral(".cfg"))
                      == "mio-" + juego.toUtf8()
           && !carpeta.Existe(QStringLiteral("cfg/default.bak"))
           && !carpeta.Existe(QStringLiteral("cfg/") + juego + QStringLiteral(".bak"))
           && !carpeta.Leer(QStringLiteral("mame.ini")).contains("ctrlr                   Corvala");
}
