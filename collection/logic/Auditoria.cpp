#include "collection/logic/Auditoria.h"

#include "catalogue/logic/Catalogo.h"
#include "comun/logic/BaseSqlite.h"
#include "comun/logic/CarpetaMame.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <thread>

namespace Corvala {

QString Veredicto::Palabra(Estado estado)
{
    switch (estado) {
    case Estado::Correcto:
        return QStringLiteral("correcto");
    case Estado::MejorDisponible:
        return QStringLiteral("mejor_disponible");
    case Estado::Incorrecto:
        break;
    }
    return QStringLiteral("incorrecto");
}

namespace {

using Estado = Veredicto::Estado;

// What the audit needs of the catalogue: every machine's ROMs, disks, devices and samples.
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
    int padre = -1; // romDe, by number
    bool esBios = false;
    bool esDispositivo = false;
    QString muestrasDe;
    QStringList muestras;
    QVector<int> dispositivos; // those with ROMs of their own, each once
    QVector<Rom> roms;
    QVector<FichaMaquina::Disco> discos;
};

struct Detalles
{
    QVector<Maquina> maquinas;
    QHash<QString, int> numeros;
    QString motivo;
};

Detalles LeerDetalles(BaseSqlite &base)
{
    Detalles d;
    const auto fallar = [&d, &base] {
        d.motivo = base.Motivo();
        return std::move(d);
    };
    {
        BaseSqlite::Consulta filas(
                base, "SELECT nombre, rom_de, es_bios, es_dispositivo, muestras_de FROM maquinas");
        while (filas.Siguiente()) {
            Maquina m;
            m.nombre = filas.Texto(0);
            m.romDe = filas.Texto(1);
            m.esBios = filas.Entero(2) != 0;
            m.esDispositivo = filas.Entero(3) != 0;
            m.muestrasDe = filas.Texto(4);
            d.numeros.insert(m.nombre, int(d.maquinas.size()));
            d.maquinas.append(std::move(m));
        }
        if (!filas.Bien())
            return fallar();
    }
    for (Maquina &m : d.maquinas)
        m.padre = m.romDe.isEmpty() ? -1 : d.numeros.value(m.romDe, -1);

    // A set's rows lie together: its name is looked up once.
    const auto numero = [&d](BaseSqlite::Consulta &filas, QByteArray &anterior, int &actual) {
        int bytes = 0;
        const char *texto = filas.Utf8(0, &bytes);
        if (actual < 0 || anterior != QByteArrayView(texto, bytes)) {
            anterior = QByteArray(texto, bytes);
            actual = d.numeros.value(QString::fromUtf8(anterior), -1);
        }
        return actual;
    };
    {
        BaseSqlite::Consulta filas(
                base, "SELECT maquina, nombre, tamano, crc, fusion, estado, opcional FROM roms");
        QByteArray anterior;
        int actual = -1;
        while (filas.Siguiente()) {
            const int m = numero(filas, anterior, actual);
            if (m < 0)
                continue;
            Rom rom;
            rom.nombre = filas.Texto(1);
            rom.tamano = filas.Entero(2);
            int bytes = 0;
            const char *crc = filas.Utf8(3, &bytes);
            rom.crc = QByteArrayView(crc, bytes).toUInt(&rom.conCrc, 16);
            rom.fusion = filas.Texto(4);
            const QByteArrayView estado(filas.Utf8(5));
            rom.sinVolcado = estado == "nodump";
            rom.dudoso = estado == "baddump";
            rom.conCrc = rom.conCrc && !rom.sinVolcado;
            rom.opcional = filas.Entero(6) != 0;
            d.maquinas[m].roms.append(std::move(rom));
        }
        if (!filas.Bien())
            return fallar();
    }
    {
        BaseSqlite::Consulta filas(
                base, "SELECT maquina, nombre, sha1, fusion, estado, opcional FROM discos");
        while (filas.Siguiente()) {
            const int m = d.numeros.value(filas.Texto(0), -1);
            if (m >= 0)
                d.maquinas[m].discos.append({filas.Texto(1), filas.Texto(2).toLower(),
                                             filas.Texto(3), filas.Texto(4), filas.Entero(5) != 0});
        }
        if (!filas.Bien())
            return fallar();
    }
    {
        BaseSqlite::Consulta filas(base, "SELECT maquina, nombre FROM muestras");
        while (filas.Siguiente()) {
            const int m = d.numeros.value(filas.Texto(0), -1);
            if (m >= 0)
                d.maquinas[m].muestras << filas.Texto(1);
        }
        if (!filas.Bien())
            return fallar();
    }
    {
        // 700,000 rows, of which only the devices with ROMs of their own matter.
        QHash<QByteArray, int> conRoms;
        for (int k = 0; k < d.maquinas.size(); ++k) {
            if (d.maquinas[k].esDispositivo && !d.maquinas[k].roms.isEmpty())
                conRoms.insert(d.maquinas[k].nombre.toUtf8(), k);
        }
        BaseSqlite::Consulta filas(base, "SELECT maquina, dispositivo FROM dispositivos");
        QByteArray anterior;
        int actual = -1;
        while (filas.Siguiente()) {
            int bytes = 0;
            const char *texto = filas.Utf8(1, &bytes);
            const int dispositivo = conRoms.value(QByteArray::fromRawData(texto, bytes), -1);
            if (dispositivo < 0)
                continue;
            const int m = numero(filas, anterior, actual);
            if (m >= 0 && m != dispositivo && !d.maquinas[m].dispositivos.contains(dispositivo))
                d.maquinas[m].dispositivos.append(dispositivo);
        }
        if (!filas.Bien())
            return fallar();
    }
    return d;
}

// How one file of a machine stands, in the emulator's terms.
enum class Situacion {
    Bien,
    Dudoso,            // found, a bad dump: best available
    SinVolcadoHallado, // found, no good dump known: best available
    FaltaSinVolcado,   // missing, no dump known: best available
    FaltaOpcional,     // best available
    Falta,
    Incorrecto, // wrong size or CRC (SHA-1 for a disk)
};

bool Mala(Situacion s)
{
    return s == Situacion::Falta || s == Situacion::Incorrecto;
}

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

class Auditor
{
public:
    Auditor(const Detalles &detalles, const ContenidoDeRoms &contenido, QString carpetaMuestras)
        : m_d(detalles)
        , m_carpetaMuestras(std::move(carpetaMuestras))
    {
        for (const ContenidoDeRoms::Conjunto &c : contenido.conjuntos)
            (c.carpeta ? m_carpetas : m_zips).insert(c.nombre, &c);
    }

    bool Presente(const QString &nombre) const
    {
        return m_zips.contains(nombre) || m_carpetas.contains(nombre);
    }

    // The sets a machine's files are looked for in: itself, then its parent and BIOS.
    QVector<int> Camino(int m) const
    {
        QVector<int> camino{m};
        for (int p = m_d.maquinas[m].padre; p >= 0 && camino.size() < 8 && !camino.contains(p);
             p = m_d.maquinas[p].padre)
            camino.append(p);
        return camino;
    }

    bool Candidata(int m) const
    {
        const QVector<int> camino = Camino(m);
        return std::any_of(camino.cbegin(), camino.cend(),
                           [this](int k) { return Presente(m_d.maquinas[k].nombre); })
               || std::any_of(m_d.maquinas[m].dispositivos.cbegin(),
                              m_d.maquinas[m].dispositivos.cend(),
                              [this](int k) { return Presente(m_d.maquinas[k].nombre); });
    }

    // The verdict of a machine; nothing when the emulator would not count it as present.
    const std::optional<Veredicto> &Juzgado(int m)
    {
        auto hecho = m_juzgadas.find(m);
        if (hecho == m_juzgadas.end()) {
            // A machine that is its own ancestor is not judged twice.
            m_juzgadas.insert(m, std::nullopt);
            std::optional<Veredicto> v = Juzgar(m);
            hecho = m_juzgadas.insert(m, std::move(v));
        }
        return *hecho;
    }
    // Whether the emulator takes a machine as missing: it needs files and has none of its own.
    // One that needs no file at all is not missing.
    bool Ausente(int m)
    {
        Juzgado(m);
        return m_ausentes.contains(m);
    }

private:
    struct Hallado
    {
        bool si = false;
        quint32 crc = 0;
        qint64 tamano = 0;
        int en = 0; // where along the sets looked in
    };
    Hallado Buscar(const QStringList &camino, const Rom &rom) const;
    // Whether an ancestor of the machine holds a ROM of this size and CRC (or name, for one
    // with no dump).
    bool Compartida(const QVector<int> &camino, quint32 crc, qint64 tamano, bool conCrc,
                    const QString &nombre);
    Dueno DuenoDe(const QVector<int> &camino, const Rom &rom) const;
    QString Muestras(const Maquina &maquina);
    std::optional<Veredicto> Juzgar(int m);

    const Detalles &m_d;
    QString m_carpetaMuestras;
    QHash<QString, const ContenidoDeRoms::Conjunto *> m_zips;
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

Auditor::Hallado Auditor::Buscar(const QStringList &camino, const Rom &rom) const
{
    for (int en = 0; en < camino.size(); ++en) {
        const QString &conjunto = camino[en];
        // A folder's file by its name; then an archive's by its CRC, or else by its name.
        if (const auto *carpeta = m_carpetas.value(conjunto)) {
            for (const DirectorioZip::Archivo &a : carpeta->archivos) {
                if (a.nombre == rom.nombre)
                    return {true, a.crc, qint64(a.tamano), en};
            }
        }
        if (const auto *zip = m_zips.value(conjunto)) {
            if (rom.conCrc) {
                for (const DirectorioZip::Archivo &a : zip->archivos) {
                    if (a.crc == rom.crc)
                        return {true, a.crc, qint64(a.tamano), en};
                }
            }
            for (const DirectorioZip::Archivo &a : zip->archivos) {
                if (a.nombre.compare(rom.nombre, Qt::CaseInsensitive) == 0)
                    return {true, a.crc, qint64(a.tamano), en};
            }
        }
    }
    return {};
}

bool Auditor::Compartida(const QVector<int> &camino, quint32 crc, qint64 tamano, bool conCrc,
                         const QString &nombre)
{
    for (int k = 1; k < camino.size(); ++k) {
        // A machine's ROMs by size and CRC, and by name, gathered once: a BIOS is an ancestor
        // of hundreds of games.
        auto suyas = m_suyas.find(camino[k]);
        if (suyas == m_suyas.end()) {
            Suyas nuevas;
            for (const Rom &rom : m_d.maquinas[camino[k]].roms) {
                if (rom.conCrc)
                    nuevas.crcs.insert((quint64(rom.crc) << 32) ^ quint64(rom.tamano));
                nuevas.nombres.insert({rom.nombre, rom.tamano});
            }
            suyas = m_suyas.insert(camino[k], std::move(nuevas));
        }
        if (conCrc ? suyas->crcs.contains((quint64(crc) << 32) ^ quint64(tamano))
                   : suyas->nombres.contains({nombre, tamano}))
            return true;
    }
    return false;
}

Dueno Auditor::DuenoDe(const QVector<int> &camino, const Rom &rom) const
{
    if (rom.fusion.isEmpty())
        return {};
    int dueno = -1;
    for (int k = 1; k < camino.size() && dueno < 0; ++k) {
        for (const Rom &suya : m_d.maquinas[camino[k]].roms) {
            if (suya.nombre == rom.fusion) {
                if (suya.fusion.isEmpty())
                    dueno = camino[k];
                else if (k == camino.size() - 1)
                    dueno = camino[k];
                break;
            }
        }
    }
    if (dueno < 0)
        return {};
    const Maquina &m = m_d.maquinas[dueno];
    return {m.esBios ? Dueno::Tipo::Bios : Dueno::Tipo::Padre, m.nombre};
}

QString Auditor::Muestras(const Maquina &maquina)
{
    if (maquina.muestras.isEmpty())
        return {};
    const QString conjunto = maquina.muestrasDe.isEmpty() ? maquina.nombre : maquina.muestrasDe;
    auto hay = m_muestras.find(conjunto);
    if (hay == m_muestras.end()) {
        QSet<QString> archivos;
        const QDir carpeta(m_carpetaMuestras);
        const DirectorioZip zip
                = DirectorioZip::Leer(carpeta.filePath(conjunto + QLatin1String(".zip")));
        for (const DirectorioZip::Archivo &a : zip.archivos)
            archivos.insert(a.nombre.toLower());
        for (const QString &suelto : QDir(carpeta.filePath(conjunto)).entryList(QDir::Files))
            archivos.insert(suelto.toLower());
        hay = m_muestras.insert(conjunto, archivos);
    }
    int faltan = 0;
    for (const QString &muestra : maquina.muestras) {
        const QString base = muestra.toLower();
        if (!hay->contains(base + QLatin1String(".wav"))
            && !hay->contains(base + QLatin1String(".flac")))
            ++faltan;
    }
    if (faltan == 0)
        return {};
    return faltan == maquina.muestras.size()
                   ? QStringLiteral(
                             "Faltan las muestras de sonido (%1.zip); el juego funciona sin ellas.")
                             .arg(conjunto)
                   : QStringLiteral("Faltan %1 de sus %2 muestras de sonido (%3.zip); el juego "
                                    "funciona sin ellas.")
                             .arg(faltan)
                             .arg(maquina.muestras.size())
                             .arg(conjunto);
}

// A list of names for the player: the first few, and how many more.
QString Nombres(const QStringList &nombres)
{
    constexpr int kCuantos = 4;
    if (nombres.size() <= kCuantos)
        return nombres.join(QLatin1String(", "));
    return QStringLiteral("%1 y %2 más")
            .arg(nombres.mid(0, kCuantos).join(QLatin1String(", ")))
            .arg(nombres.size() - kCuantos);
}

std::optional<Veredicto> Auditor::Juzgar(int numero)
{
    const Maquina &maquina = m_d.maquinas[numero];
    const QVector<int> camino = maquina.esDispositivo ? QVector<int>{numero} : Camino(numero);
    QStringList nombres;
    for (const int k : camino)
        nombres << m_d.maquinas[k].nombre;

    int hallados = 0, requeridos = 0, halladosCompartidos = 0, requeridosCompartidos = 0;
    // What went wrong, grouped by whose the files are.
    struct Problema
    {
        Dueno dueno;
        Situacion situacion;
        QString nombre;
    };
    QVector<Problema> problemas;
    Veredicto veredicto;

    const auto contar = [&](const Rom &rom, bool compartida, const Hallado &hallado,
                            const Dueno &dueno, bool halladoCuenta) {
        if (!rom.sinVolcado && !rom.opcional) {
            ++requeridos;
            requeridosCompartidos += compartida ? 1 : 0;
        }
        Situacion s = Situacion::Bien;
        if (!hallado.si)
            s = rom.sinVolcado ? Situacion::FaltaSinVolcado
                : rom.opcional ? Situacion::FaltaOpcional
                               : Situacion::Falta;
        else if (hallado.tamano != rom.tamano)
            s = Situacion::Incorrecto;
        else if (rom.sinVolcado)
            s = Situacion::SinVolcadoHallado;
        else if (rom.conCrc && hallado.crc != rom.crc)
            s = Situacion::Incorrecto;
        else if (rom.dudoso)
            s = Situacion::Dudoso;
        if (hallado.si && (s != Situacion::Incorrecto || halladoCuenta)) {
            ++hallados;
            halladosCompartidos += compartida ? 1 : 0;
        }
        if (s != Situacion::Bien)
            problemas.append({dueno, s, rom.nombre});
        if (Mala(s))
            veredicto.faltan.append({rom.nombre, rom.crc, rom.tamano});
    };

    for (const Rom &rom : maquina.roms) {
        const Hallado hallado = Buscar(nombres, rom);
        const bool compartida = !maquina.esDispositivo
                                && Compartida(camino, rom.crc, rom.tamano, rom.conCrc, rom.nombre);
        // Measured with the emulator (0.251): a wrong file makes the set present only when it
        // lies in the set's own archive in place of one the set does not share with an ancestor.
        const bool cuenta = hallado.si && hallado.en == 0 && !compartida;
        contar(rom, compartida, hallado, DuenoDe(camino, rom), cuenta);
    }
    for (const FichaMaquina::Disco &disco : maquina.discos) {
        const bool sinVolcado = disco.estado == u"nodump";
        QString sha1;
        for (const QString &conjunto : std::as_const(nombres)) {
            if (const auto *carpeta = m_carpetas.value(conjunto)) {
                sha1 = carpeta->discos.value(disco.nombre);
                if (sha1.isEmpty() && !disco.fusion.isEmpty())
                    sha1 = carpeta->discos.value(disco.fusion);
                if (!sha1.isEmpty())
                    break;
            }
        }
        bool compartido = false;
        for (int k = 1; k < camino.size() && !disco.sha1.isEmpty(); ++k) {
            for (const FichaMaquina::Disco &suyo : m_d.maquinas[camino[k]].discos)
                compartido = compartido || suyo.sha1 == disco.sha1;
        }
        Rom comoRom;
        comoRom.nombre = disco.nombre;
        comoRom.sinVolcado = sinVolcado;
        comoRom.dudoso = disco.estado == u"baddump";
        comoRom.opcional = disco.opcional;
        comoRom.conCrc = !sinVolcado && !disco.sha1.isEmpty();
        // A disk is judged by its SHA-1: a CRC of 0 and a size of 0 on both sides.
        Hallado hallado{!sha1.isEmpty(), 0, 0};
        if (hallado.si && !disco.sha1.isEmpty() && sha1 != disco.sha1)
            hallado.crc = 1;
        contar(comoRom, compartido, hallado, {Dueno::Tipo::Disco, disco.nombre}, true);
    }
    // A device's own check takes its own ROMs only; a machine's takes its devices' too.
    for (const int d : maquina.esDispositivo ? QVector<int>() : maquina.dispositivos) {
        const Maquina &dispositivo = m_d.maquinas[d];
        const QStringList caminoDelDispositivo = QStringList{dispositivo.nombre} + nombres;
        for (const Rom &rom : dispositivo.roms)
            contar(rom, true, Buscar(caminoDelDispositivo, rom),
                   {Dueno::Tipo::Dispositivo, dispositivo.nombre}, true);
    }

    // As the emulator: a set of which only what it shares with its ancestors is found, when it
    // has files of its own or its parent is not there either, is not there at all.
    if (maquina.esDispositivo
                ? hallados == 0 && requeridos > 0
                : hallados == halladosCompartidos && requeridos > 0
                          && (requeridos != requeridosCompartidos || halladosCompartidos == 0
                              || (maquina.padre >= 0 && Ausente(maquina.padre)))) {
        m_ausentes.insert(numero);
        return std::nullopt;
    }
    if (hallados == 0)
        return std::nullopt;

    const bool incorrecto = std::any_of(problemas.cbegin(), problemas.cend(),
                                        [](const Problema &p) { return Mala(p.situacion); });
    veredicto.estado = incorrecto            ? Estado::Incorrecto
                       : problemas.isEmpty() ? Estado::Correcto
                                             : Estado::MejorDisponible;

    // The reason, in the player's words: the problems of each owner together.
    QStringList frases;
    QVector<Dueno> duenos;
    for (const Problema &p : std::as_const(problemas)) {
        if ((Mala(p.situacion) || !incorrecto) && !duenos.contains(p.dueno))
            duenos.append(p.dueno);
    }
    for (const Dueno &dueno : std::as_const(duenos)) {
        QStringList faltan, mal, dudosos, sinVolcado, opcionales;
        const std::pair<Situacion, QStringList *> donde[] = {
                {Situacion::Falta, &faltan},
                {Situacion::Incorrecto, &mal},
                {Situacion::Dudoso, &dudosos},
                {Situacion::SinVolcadoHallado, &sinVolcado},
                {Situacion::FaltaSinVolcado, &sinVolcado},
                {Situacion::FaltaOpcional, &opcionales},
        };
        for (const Problema &p : std::as_const(problemas)) {
            for (const auto &[situacion, lista] : donde) {
                if (p.dueno == dueno && p.situacion == situacion)
                    *lista << p.nombre;
            }
        }
        const QString archivo = dueno.conjunto + QLatin1String(".zip");
        const bool ausente = !Presente(dueno.conjunto);
        if ((!faltan.isEmpty() || !mal.isEmpty()) && ausente && dueno.tipo != Dueno::Tipo::Propio
            && dueno.tipo != Dueno::Tipo::Disco && !veredicto.archivosQueFaltan.contains(archivo))
            veredicto.archivosQueFaltan << archivo;
        switch (dueno.tipo) {
        case Dueno::Tipo::Propio:
            if (faltan.size() == 1)
                frases << QStringLiteral("Falta el archivo %1").arg(faltan.first());
            else if (!faltan.isEmpty())
                frases << QStringLiteral("Faltan %1 archivos del juego: %2")
                                  .arg(faltan.size())
                                  .arg(Nombres(faltan));
            if (mal.size() == 1)
                frases << QStringLiteral("El archivo %1 no es el bueno (otro tamaño o CRC)")
                                  .arg(mal.first());
            else if (!mal.isEmpty())
                frases << QStringLiteral("Hay %1 archivos que no son los buenos (otro tamaño o "
                                         "CRC): %2")
                                  .arg(mal.size())
                                  .arg(Nombres(mal));
            break;
        case Dueno::Tipo::Padre:
            if (!faltan.isEmpty() || !mal.isEmpty())
                frases << (ausente ? QStringLiteral("Falta %1, el juego original del que es clon")
                                             .arg(archivo)
                                   : QStringLiteral("Faltan %1 archivos del juego original "
                                                    "(%2): %3")
                                             .arg(faltan.size() + mal.size())
                                             .arg(archivo, Nombres(faltan + mal)));
            break;
        case Dueno::Tipo::Bios:
            if (!faltan.isEmpty() || !mal.isEmpty())
                frases << (ausente ? QStringLiteral("Falta la BIOS %1").arg(archivo)
                                   : QStringLiteral("Faltan %1 archivos de la BIOS %2: %3")
                                             .arg(faltan.size() + mal.size())
                                             .arg(archivo, Nombres(faltan + mal)));
            break;
        case Dueno::Tipo::Dispositivo:
            if (!faltan.isEmpty())
                frases << QStringLiteral("Faltan las ROMs del dispositivo %1").arg(dueno.conjunto);
            if (!mal.isEmpty())
                frases << QStringLiteral("Las ROMs del dispositivo %1 no son las buenas")
                                  .arg(dueno.conjunto);
            break;
        case Dueno::Tipo::Disco:
            if (!faltan.isEmpty())
                frases << QStringLiteral("Falta el disco (CHD) %1").arg(dueno.conjunto);
            if (!mal.isEmpty())
                frases << QStringLiteral("El disco (CHD) %1 no es el bueno").arg(dueno.conjunto);
            break;
        }
        if (!incorrecto) {
            if (!dudosos.isEmpty())
                frases << QStringLiteral("Tiene archivos de los que se espera un volcado mejor: %1")
                                  .arg(Nombres(dudosos));
            if (!sinVolcado.isEmpty())
                frases << QStringLiteral("Le faltan archivos de los que no se conoce un volcado "
                                         "bueno: %1")
                                  .arg(Nombres(sinVolcado));
            if (!opcionales.isEmpty())
                frases << QStringLiteral("Le faltan archivos opcionales: %1")
                                  .arg(Nombres(opcionales));
        }
    }
    if (!frases.isEmpty())
        veredicto.motivo = frases.join(QLatin1String(". ")) + QLatin1Char('.');
    veredicto.muestras = Muestras(maquina);
    return veredicto;
}

// A fingerprint of a folder's entries as they are now (names, sizes and dates).
QString HuellaDeCarpeta(const QString &ruta)
{
    QCryptographicHash huella(QCryptographicHash::Sha1);
    for (const QFileInfo &entrada :
         QDir(ruta).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        huella.addData(QStringLiteral("%1\t%2\t%3\n")
                               .arg(entrada.fileName())
                               .arg(entrada.size())
                               .arg(entrada.lastModified().toMSecsSinceEpoch())
                               .toUtf8());
    return QString::fromLatin1(huella.result().toHex());
}

const char *const kTablas[] = {
        "CREATE TABLE IF NOT EXISTS auditoria(maquina TEXT PRIMARY KEY, estado TEXT, motivo TEXT)",
        "CREATE TABLE IF NOT EXISTS auditoria_muestras(maquina TEXT PRIMARY KEY, motivo TEXT)",
        "CREATE TABLE IF NOT EXISTS auditoria_huella(huella TEXT)",
};

// The verdicts of the last audit, and what it was made against (its huella).
bool LeerGuardado(BaseSqlite &base, ResultadoAuditoria &resultado)
{
    {
        BaseSqlite::Consulta filas(base, "SELECT huella FROM auditoria_huella");
        if (!filas.Siguiente())
            return false;
        resultado.huella = filas.Texto(0);
    }
    {
        BaseSqlite::Consulta cuantas(base, "SELECT count(*) FROM auditoria");
        if (cuantas.Siguiente())
            resultado.veredictos.reserve(qsizetype(std::min<qint64>(cuantas.Entero(0), 1000000)));
    }
    // Read as SQLite keeps them (UTF-8): tens of thousands of rows at every start.
    const auto texto = [](const BaseSqlite::Consulta &filas, int columna) {
        int bytes = 0;
        const char *utf8 = filas.Utf8(columna, &bytes);
        return QString::fromUtf8(utf8, bytes);
    };
    BaseSqlite::Consulta filas(base, "SELECT maquina, estado, motivo FROM auditoria");
    while (filas.Siguiente()) {
        Veredicto v;
        const QByteArrayView estado(filas.Utf8(1));
        v.estado = estado == "correcto"           ? Estado::Correcto
                   : estado == "mejor_disponible" ? Estado::MejorDisponible
                                                  : Estado::Incorrecto;
        v.motivo = texto(filas, 2);
        resultado.veredictos.insert(texto(filas, 0), std::move(v));
    }
    BaseSqlite::Consulta muestras(base, "SELECT maquina, motivo FROM auditoria_muestras");
    while (muestras.Siguiente()) {
        const auto v = resultado.veredictos.find(muestras.Texto(0));
        if (v != resultado.veredictos.end())
            v->muestras = muestras.Texto(1);
    }
    if (!filas.Bien() || !muestras.Bien()) {
        resultado.veredictos.clear();
        return false;
    }
    return true;
}

QString Guardar(BaseSqlite &base, const ResultadoAuditoria &resultado)
{
    // Taken for writing at once: a reader turned writer midway could not wait for another.
    bool bien = base.Ejecutar("BEGIN IMMEDIATE") && base.Ejecutar("DELETE FROM auditoria")
                && base.Ejecutar("DELETE FROM auditoria_muestras")
                && base.Ejecutar("DELETE FROM auditoria_huella");
    {
        BaseSqlite::Consulta fila(base, "INSERT INTO auditoria VALUES (?, ?, ?)");
        BaseSqlite::Consulta muestras(base, "INSERT INTO auditoria_muestras VALUES (?, ?)");
        for (auto v = resultado.veredictos.cbegin(); bien && v != resultado.veredictos.cend();
             ++v) {
            fila.Enlazar(1, v.key());
            fila.Enlazar(2, Veredicto::Palabra(v->estado));
            // Empty, not NULL, for a correct set: the column always holds a text.
            fila.Enlazar(3, v->motivo, false);
            bien = fila.Paso();
            if (bien && !v->muestras.isEmpty()) {
                muestras.Enlazar(1, v.key());
                muestras.Enlazar(2, v->muestras);
                bien = muestras.Paso();
            }
        }
        BaseSqlite::Consulta huella(base, "INSERT INTO auditoria_huella VALUES (?)");
        huella.Enlazar(1, resultado.huella);
        bien = bien && huella.Paso();
    }
    if (bien && base.Ejecutar("COMMIT"))
        return {};
    const QString motivo = base.Motivo();
    base.Ejecutar("ROLLBACK");
    return motivo;
}

} // namespace

namespace Auditoria {

ResultadoAuditoria Auditar(const CarpetaMame &carpeta, bool detalles,
                           const std::atomic<bool> *cancelar)
{
    ResultadoAuditoria resultado;
    const auto cancelado = [cancelar, &resultado] {
        if (cancelar && cancelar->load()) {
            resultado.veredictos.clear();
            resultado.motivo = QStringLiteral("cancelled");
            return true;
        }
        return false;
    };
    const QString ruta = Catalogo::Ruta(carpeta);
    if (!QFileInfo(ruta).isFile()) {
        resultado.motivo = QStringLiteral("there is no catalogue");
        return resultado;
    }
    BaseSqlite base;
    if (!base.Abrir(ruta, false)) {
        resultado.motivo = base.Motivo();
        return resultado;
    }
    QString sello;
    {
        BaseSqlite::Consulta filas(base, "SELECT version, huella FROM catalogo");
        if (!filas.Siguiente()) {
            resultado.motivo
                    = filas.Bien() ? QStringLiteral("the catalogue has no seal") : base.Motivo();
            return resultado;
        }
        sello = filas.Texto(0) + QLatin1Char('\n') + filas.Texto(1);
    }
    for (const char *sql : kTablas) {
        if (!base.Ejecutar(sql)) {
            resultado.motivo = base.Motivo();
            return resultado;
        }
    }

    // The folder as it is now: when the catalogue and it are as the last audit found them, its
    // verdicts stand.
    const QString roms = carpeta.Ruta(QStringLiteral("roms"));
    const QString muestras = carpeta.Ruta(QStringLiteral("samples"));
    const auto huella = [&sello, &muestras](const ContenidoDeRoms &contenido) {
        return QString::fromLatin1(
                QCryptographicHash::hash((sello + QLatin1Char('\n') + contenido.huella
                                          + QLatin1Char('\n') + HuellaDeCarpeta(muestras))
                                                 .toUtf8(),
                                         QCryptographicHash::Sha1)
                        .toHex());
    };
    const auto archivos = [&resultado](const ContenidoDeRoms &contenido) {
        for (const ContenidoDeRoms::Conjunto &conjunto : contenido.conjuntos) {
            if (!conjunto.carpeta)
                resultado.archivos.insert(conjunto.nombre);
        }
    };
    if (!detalles) {
        // The folder is listed while the last verdicts are read: both take a while.
        ContenidoDeRoms listado;
        std::thread listar([&listado, &roms] { listado = ContenidoDeRoms::Listar(roms); });
        ResultadoAuditoria guardado;
        const bool hay = LeerGuardado(base, guardado);
        listar.join();
        resultado.huella = huella(listado);
        if (hay && guardado.huella == resultado.huella) {
            resultado.veredictos = std::move(guardado.veredictos);
            resultado.guardado = true;
            archivos(listado);
            return resultado;
        }
    }
    // The catalogue's details are read while the folder's archives are.
    Detalles catalogo;
    std::thread detallar([&catalogo, &ruta] {
        BaseSqlite suya;
        if (!suya.Abrir(ruta, true))
            catalogo.motivo = suya.Motivo();
        else
            catalogo = LeerDetalles(suya);
    });
    ContenidoDeRoms contenido = ContenidoDeRoms::Leer(roms, ruta, cancelar);
    detallar.join();
    if (cancelado())
        return resultado;
    resultado.leidos = contenido.leidos;
    resultado.motivoAlGuardar = contenido.motivoDeLaBase;
    resultado.huella = huella(contenido);
    archivos(contenido);

    if (!catalogo.motivo.isEmpty()) {
        resultado.motivo = catalogo.motivo;
        return resultado;
    }
    Auditor auditor(catalogo, contenido, muestras);
    for (int m = 0; m < catalogo.maquinas.size(); ++m) {
        if ((m & 1023) == 0 && cancelado())
            return resultado;
        if (!auditor.Candidata(m))
            continue;
        if (const std::optional<Veredicto> &v = auditor.Juzgado(m))
            resultado.veredictos.insert(catalogo.maquinas[m].nombre, *v);
    }
    if (const QString motivo = Guardar(base, resultado); !motivo.isEmpty())
        resultado.motivoAlGuardar = motivo;
    if (detalles)
        resultado.contenido = std::move(contenido);
    return resultado;
}

void ClonesEnElPadre(ResultadoAuditoria &resultado, const Catalogo &catalogo)
{
    resultado.enElPadre.clear();
    for (auto v = resultado.veredictos.cbegin(); v != resultado.veredictos.cend(); ++v) {
        if (v->estado == Estado::Incorrecto || resultado.archivos.contains(v.key()))
            continue;
        const FichaMaquina *maquina = catalogo.Maquina(v.key());
        if (maquina && !maquina->clonDe.isEmpty() && !maquina->esDispositivo
            && resultado.archivos.contains(maquina->clonDe))
            resultado.enElPadre.insert(v.key(), maquina->clonDe);
    }
}

} // namespace Auditoria
} // namespace Corvala
