#pragma once

#include "catalogue/logic/FichaSoftware.h"
#include "comun/logic/Resultado.h"

#include <QHash>
#include <QSet>
#include <QStringList>

#include <atomic>
#include <memory>

namespace Corvala {

class CarpetaMame;

// The emulator's software lists (the consoles' and computers' cartridges, disks and tapes),
// read from the list files of its hashpath into corvala.db beside the machines:
//   listas_software(nombre, descripcion)
//   software(lista, nombre, descripcion, anio, editor, clon_de, soportado, compatibilidad)
//   roms_software(lista, software, parte, area, nombre, tamano, crc, sha1, estado, disco),
//     indexed on (lista, software) and on crc
//   software_huella(huella): the list files it was read from (names, sizes and dates)
// In memory it holds every list's description and the items of the lists asked for: the
// player's software lies in a few of the 692 lists.
// How far a read of the software lists may go: generous multiples of Debian's 692 lists
// (106 MB, 133,000 items).
struct LimitesSoftware
{
    qint64 tiempoMs = 5 * 60 * 1000;
    qint64 bytes = qint64(1) << 30;
    int items = 1000000;
    int roms = 5000000;
};

class CatalogoSoftware
{
public:
    // The folders the emulator reads its lists from: the folder's mame.ini hashpath (relative
    // to the MAME folder, ';' between folders, $HOME and ~ as the shell reads them; Debian's
    // emulator writes /usr/share/games/mame/hash there), or the emulator's default, hash.
    static QStringList Carpetas(const CarpetaMame &carpeta);
    // The list files of those folders by list name (the first folder that has one wins).
    static QHash<QString, QString> Archivos(const QStringList &carpetas);
    // A fingerprint of the list files (names, sizes, dates): the same means nothing changed.
    static QString Huella(const QHash<QString, QString> &archivos);
    // The fingerprint the database's lists were read with; empty when it has none.
    static QString HuellaGuardada(const QString &rutaBase);

    // Reads the list files into the database at rutaBase (an existing corvala.db), replacing
    // the lists it had, in one step at the end: until then the old ones stand. A list file that
    // cannot be read is passed over, with why, in omitidas ("nes.xml: ..."). Fails, with why, on
    // a database that cannot be written, past a limit, or once cancelar is set.
    static Resultado Construir(const QString &rutaBase, const QHash<QString, QString> &archivos,
                               const QString &huella, QStringList *omitidas = nullptr,
                               const std::atomic<bool> *cancelar = nullptr,
                               LimitesSoftware limites = {});

    // Reads the lists of the database, with the items of the lists named (with soloEstos, only
    // those of its "lista/nombre" keys); null, with why, when it has none (or they cannot be
    // read).
    static std::shared_ptr<const CatalogoSoftware> Abrir(const QString &rutaBase,
                                                         const QSet<QString> &listas,
                                                         QString *motivo = nullptr,
                                                         const QSet<QString> *soloEstos = nullptr);

    // A list's description ("Nintendo Entertainment System cartridges"); empty for a list it
    // lacks.
    QString Descripcion(const QString &lista) const { return m_listas.value(lista); }
    bool TieneLista(const QString &lista) const { return m_listas.contains(lista); }
    // An item of the lists read; null when it lacks it.
    const FichaSoftware *Item(const QString &lista, const QString &nombre) const;
    const QString &HuellaDe() const { return m_huella; }
    int Items() const { return int(m_items.size()); }

private:
    QString m_huella;
    QHash<QString, QString> m_listas;      // description by name
    QHash<QString, FichaSoftware> m_items; // by "lista/nombre"
};

} // namespace Corvala
