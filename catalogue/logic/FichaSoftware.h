#pragma once

#include <QString>
#include <QVector>

namespace Corvala {

// One item of a software list (the emulator's hash/LIST.xml): a cartridge, a disk, a tape.
struct FichaSoftware
{
    QString lista;
    QString nombre;
    QString descripcion;
    QString anio;
    QString editor;         // publisher
    QString clonDe;         // cloneof: the item it is a version of
    QString soportado;      // supported: yes, partial or no
    QString compatibilidad; // its sharedfeat "compatibility" ("NTSC,PAL"); empty: any
};

// One file of an item, by part and data area; a disk (CHD) of a disk area has no size nor CRC.
struct FichaRomSoftware
{
    QString parte;
    QString area;
    QString nombre;
    qint64 tamano = 0;
    QString crc;
    QString sha1;
    QString estado; // baddump or nodump; good when absent
    bool disco = false;
};

// A software list as its file describes it.
struct ListaDeSoftware
{
    QString nombre;
    QString descripcion;
};

} // namespace Corvala
