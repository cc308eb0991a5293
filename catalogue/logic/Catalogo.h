#pragma once

#include "catalogue/logic/FichaMaquina.h"

#include <QHash>
#include <QString>
#include <QVector>

#include <memory>
#include <optional>
#include <utility>

struct sqlite3;

namespace Corvala {

class CarpetaMame;

// The emulator's catalogue: every machine it knows, with its year, maker, parent, driver
// status and ROMs, kept in the SQLite database corvala.db of the MAME folder so that players
// and tools can query it too. Its tables:
//   maquinas(nombre, descripcion, anio, fabricante, clon_de, rom_de, estado, es_bios,
//            es_dispositivo, es_mecanica, jugadores)
//   roms(maquina, nombre, tamano, crc, sha1, fusion, estado), indexed on crc
//   listas_de_maquina(maquina, lista, etiqueta, estado, filtro): the software lists each takes
//   catalogo(version, huella): the emulator it was built from, and its -listfull output
// Corvala builds it again at will: nothing of the player's is kept in it.
class Catalogo
{
public:
    // What a catalogue was built against: the emulator's version and a fingerprint of the
    // game list (lista.txt) it gave.
    struct Sello
    {
        QString version;
        QString huella;
        bool operator==(const Sello &otro) const
        {
            return version == otro.version && huella == otro.huella;
        }
    };

    // The most machines and ROMs a catalogue may hold: about four times what the emulator
    // describes today (45,294 machines, 336,504 ROMs in 0.251). Past them the output, or the
    // database, is not the emulator's catalogue.
    static constexpr int kMaximoDeMaquinas = 200000;
    static constexpr int kMaximoDeRoms = 1500000;

    // The database, and the file a new one is built in before it replaces it.
    static QString Ruta(const CarpetaMame &carpeta);
    static QString RutaNueva(const CarpetaMame &carpeta);

    // The fingerprint of the folder's lista.txt; empty when it cannot be read.
    static QString Huella(const CarpetaMame &carpeta);

    // How long a database another program is writing is waited for before it is left alone.
    static constexpr int kEsperaMs = 5000;

    // Why a database gave no catalogue: there is none; the file is there but is no catalogue
    // Corvala can read (not SQLite, damaged, of another layout, not whole), so it may be built
    // again; or it cannot be read now (another program holds it, no permission, a disk that
    // fails), so it is left as it is.
    enum class SinCatalogo { Ausente, Inservible, Inaccesible };

    // Reads the machines of a database through SQLite, as EscritorCatalogo wrote it; nothing
    // when it is missing or is not a whole catalogue, and then why in motivo and porQue.
    static std::shared_ptr<const Catalogo> Abrir(const QString &ruta, QString *motivo = nullptr,
                                                 SinCatalogo *porQue = nullptr);

    const Sello &SelloDe() const { return m_sello; }
    // The machine of a set name, in any letter case; null when the catalogue lacks it.
    const FichaMaquina *Maquina(const QString &nombre) const;
    qsizetype Cantidad() const { return m_fichas.size(); }

    // A ROM of a set, as an archive's files are matched against it: by size and CRC. Dumps
    // that do not exist (nodump) are not among them.
    struct Rom
    {
        quint32 crc = 0;
        quint32 tamano = 0;
        qint32 maquina = 0;  // its set, by number (Ficha)
        bool propia = false; // lies in the set's own archive, not merged from a parent or BIOS
    };
    // How many of those a set has, and how many of them are its own.
    struct Cuenta
    {
        int roms = 0;
        int propias = 0;
    };
    // Every ROM of every set with this size and CRC, as a range of the sealed catalogue.
    std::pair<QVector<Rom>::const_iterator, QVector<Rom>::const_iterator>
    Iguales(quint32 crc, quint64 tamano) const;
    const FichaMaquina &Ficha(qint32 maquina) const { return m_fichas[maquina]; }
    Cuenta CuentaDe(qint32 maquina) const { return m_cuentas[maquina]; }
    // The same, by set name in any letter case (none for a set it lacks).
    Cuenta CuentaDe(const QString &nombre) const
    {
        const qint32 numero = m_numeros.value(nombre.toLower(), -1);
        return numero < 0 ? Cuenta{} : m_cuentas[numero];
    }

    // The machines that take a software list, in the catalogue's order.
    QVector<qint32> MaquinasDeLista(const QString &lista) const;

    // How a catalogue is put together while it is built; it is whole once sealed.
    void Agregar(FichaMaquina maquina, const QVector<FichaRom> &roms = {});
    void Sellar(Sello sello);

private:
    // False when they cannot be read, or are too many (then demasiadas).
    bool LeerRoms(sqlite3 *base, bool &demasiadas);
    void AgregarRom(qint32 maquina, quint32 crc, qint64 tamano, bool propia);

    Sello m_sello;
    QVector<FichaMaquina> m_fichas;
    QVector<Cuenta> m_cuentas;
    QHash<QString, qint32> m_numeros;           // by set name in lower case
    QHash<QString, QVector<qint32>> m_porLista; // the machines of each software list
    QVector<Rom> m_roms;                        // in order of CRC and size once sealed
};

// Writes a new database, machine by machine, into one file. The file is whole only once
// Terminar has succeeded; a writer that ends otherwise removes it.
class EscritorCatalogo
{
public:
    explicit EscritorCatalogo(QString ruta);
    ~EscritorCatalogo();
    EscritorCatalogo(const EscritorCatalogo &) = delete;
    EscritorCatalogo &operator=(const EscritorCatalogo &) = delete;

    bool Agregar(const FichaMaquina &maquina, const QVector<FichaRom> &roms);
    bool Terminar(const Catalogo::Sello &sello);
    // Why the last step failed (SQLite's or the system's words).
    const QString &Motivo() const { return m_motivo; }

private:
    struct Conexion;
    bool Empezar();
    // Records why the step failed; false.
    bool Fallar();

    QString m_ruta;
    std::unique_ptr<Conexion> m_conexion;
    bool m_fallido = false;
    bool m_terminado = false;
    QString m_motivo;
};

} // namespace Corvala
