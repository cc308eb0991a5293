#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace Corvala {

// Whether a machine of the catalogue can run from what the roms folder holds, as the emulator's
// own check (-verifyroms) judges it.
struct Veredicto
{
    enum class Estado { Correcto, MejorDisponible, Incorrecto };
    Estado estado = Estado::Correcto;
    // Why not correct, in the player's words ("Falta la BIOS neogeo.zip"); empty when correct.
    QString motivo;
    // The samples it plays that are missing, said apart: a game runs without them.
    QString muestras;

    // What the collection report needs of a machine that cannot run: the archives it is looked
    // for in that are not there, and the files missing or wrong.
    QStringList archivosQueFaltan;
    struct Falta
    {
        QString nombre;
        quint32 crc = 0;
        qint64 tamano = 0;
    };
    QVector<Falta> faltan;

    // The word kept in corvala.db's auditoria table: correcto, mejor_disponible, incorrecto.
    static QString Palabra(Estado estado);
    // The state a word of that table stands for.
    static Estado DePalabra(QByteArrayView palabra);
};

} // namespace Corvala
