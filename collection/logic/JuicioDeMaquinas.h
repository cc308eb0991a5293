#pragma once

#include "catalogue/logic/FichaMaquina.h"
#include "collection/logic/ContenidoDeRoms.h"
#include "collection/logic/Veredicto.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <optional>

namespace Corvala {

// What judging a machine needs of the catalogue: every machine's ROMs, disks, devices and
// samples, each machine by its number.
struct DetallesDeAuditoria
{
    struct Rom
    {
        QString nombre;
        QString fusion;
        quint32 crc = 0;
        qint64 tamano = 0;
        bool conCrc = false;
        bool sinVolcado = false; // nodump
        bool dudoso = false;     // baddump
        bool opcional = false;
    };

    struct Maquina
    {
        QString nombre;
        QString romDe;
        int padre = -1; // romDe, by number (see Enlazar)
        bool esBios = false;
        bool esDispositivo = false;
        QString muestrasDe;
        QStringList muestras;
        QVector<int> dispositivos; // those with ROMs of their own, each once
        QVector<Rom> roms;
        QVector<FichaMaquina::Disco> discos;
    };

    QVector<Maquina> maquinas;
    QHash<QString, int> numeros;
    // Why the catalogue's details could not be read; empty when they could.
    QString motivo;

    // Adds a machine under its name's number.
    int Agregar(Maquina maquina);
    // Gives every machine its parent's number, from romDe.
    void Enlazar();
};

// Judges the machines of the catalogue as the emulator's -verifyroms judges them, from the
// catalogue's details and what the roms folder holds: a machine's files are looked for in its
// own set, then its parent's and its BIOS's, then its devices'; a file is found by CRC whatever
// its name in an archive, by its name in a folder. It reads no file and asks no database: the
// sample files of a set come from whoever made it.
class JuicioDeMaquinas
{
public:
    // The sample files a set has (their names in lower case); asked once per set.
    using MuestrasDe = std::function<QSet<QString>(const QString &conjunto)>;

    JuicioDeMaquinas(const DetallesDeAuditoria &detalles, const ContenidoDeRoms &contenido,
                     MuestrasDe muestrasDe);

    // Judges software as the emulator's -verifysoftlist does: an item is there as soon as one of
    // its files is found, in its own archive or its parent's, right or wrong.
    void ComoSoftware() { m_software = true; }

    // Whether the roms folder holds a set (archive or folder) of that name.
    bool Presente(const QString &nombre) const;
    // How the player holds a set, as a reason names it: its forms there ("neogeo.zip",
    // "neogeo/ y neogeo.7z"), or that there is none ("neogeo (ni .zip, ni .7z, ni carpeta)").
    QString Formas(const QString &nombre) const;

    // Whether any set the machine's files are looked for in is there: only such a machine can
    // have a verdict.
    bool Candidata(int m) const;

    // The verdict of a machine; nothing when the emulator would not count it as present.
    const std::optional<Veredicto> &Juzgado(int m);

private:
    // Whose a file is, as the player is told.
    struct Dueno
    {
        enum class Tipo { Propio, Padre, Bios, Dispositivo, Disco } tipo = Tipo::Propio;
        QString conjunto;
        bool operator==(const Dueno &otro) const
        {
            return tipo == otro.tipo && conjunto == otro.conjunto;
        }
    };
    struct Hallado
    {
        bool si = false;
        quint32 crc = 0;
        qint64 tamano = 0;
        int en = 0; // where along the sets looked in
    };
    using Rom = DetallesDeAuditoria::Rom;
    using Maquina = DetallesDeAuditoria::Maquina;

    // The sets a machine's files are looked for in: itself, then its parent and BIOS.
    QVector<int> Camino(int m) const;
    // Whether the emulator takes a machine as missing: it needs files and has none of its own.
    // One that needs no file at all is not missing.
    bool Ausente(int m);
    Hallado Buscar(const QStringList &camino, const Rom &rom) const;
    // Whether an ancestor of the machine holds a ROM of this size and CRC (or name, for one
    // with no dump).
    bool Compartida(const QVector<int> &camino, quint32 crc, qint64 tamano, bool conCrc,
                    const QString &nombre);
    Dueno DuenoDe(const QVector<int> &camino, const Rom &rom) const;
    QString Muestras(const Maquina &maquina);
    std::optional<Veredicto> Juzgar(int m);
    // The reason of a verdict, in the player's words, and the archives it lacks.
    struct Problema;
    void Explicar(const QVector<Problema> &problemas, bool incorrecto, Veredicto &veredicto) const;

    const DetallesDeAuditoria &m_d;
    MuestrasDe m_muestrasDe;
    bool m_software = false;
    // A set's archives in the order the emulator opens them (NAME.zip, then NAME.7z), and its
    // folder, which it looks in before either.
    QHash<QString, QVector<const ContenidoDeRoms::Conjunto *>> m_archivos;
    QHash<QString, const ContenidoDeRoms::Conjunto *> m_carpetas;
    QHash<QString, QSet<QString>> m_muestras; // the sample files of a set, in lower case
    QHash<int, std::optional<Veredicto>> m_juzgadas;
    QSet<int> m_ausentes;
    struct Suyas
    {
        QSet<quint64> crcs;
        QSet<std::pair<QString, qint64>> nombres;
    };
    QHash<int, Suyas> m_suyas;
};

} // namespace Corvala
