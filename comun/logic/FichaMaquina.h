#pragma once

#include <QString>
#include <QVector>

namespace Corvala {

// One machine of the emulator's catalogue, as its -listxml describes it.
struct FichaMaquina
{
    QString nombre;
    QString descripcion;
    QString anio;
    QString fabricante;
    QString clonDe; // the parent set of a clone
    QString romDe;  // the set whose ROMs it shares (its parent, or a BIOS)
    QString estado; // the driver's status: good, imperfect or preliminary
    bool esBios = false;
    bool esDispositivo = false;
    bool esMecanica = false;
    int jugadores = 0;
};

// One ROM of a machine.
struct FichaRom
{
    QString nombre;
    qint64 tamano = 0;
    QString crc;
    QString sha1;
    QString fusion; // the name of the ROM in the set it is merged from, if any
    QString estado; // baddump or nodump; good when absent
};

} // namespace Corvala
