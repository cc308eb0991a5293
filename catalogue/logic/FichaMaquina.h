#pragma once

#include <QString>
#include <QStringList>
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
    bool ejecutable = true;   // runnable: a machine the emulator can start on its own
    QString biosPorDefecto;   // of a machine with BIOS options, the one used when none is asked
    QString muestrasDe;       // sampleof: the set whose samples it plays
    QStringList muestras;     // the samples it plays
    QStringList dispositivos; // device_ref: the devices it uses, in the emulator's order
    struct Disco
    {
        QString nombre;
        QString sha1;
        QString fusion;
        QString estado; // baddump or nodump; good when absent
        bool opcional = false;
    };
    QVector<Disco> discos;
    // The software lists it takes (<softwarelist>): a list's software starts on it.
    struct ListaDeSoftware
    {
        QString lista;
        QString etiqueta;
        QString estado; // original or compatible
        QString filtro; // the compatibility it accepts ("NTSC", "!PAL"); empty: any
    };
    QVector<ListaDeSoftware> listasDeSoftware;

    // A game: neither a BIOS nor a device, which serve games but are not played. The list's
    // filters and the collection report count alike by it.
    bool EsJuego() const { return !esBios && !esDispositivo; }
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
    QString bios;   // the BIOS option the ROM belongs to, if it belongs to one
    bool opcional = false;
};

} // namespace Corvala
