#include "catalogue/logic/Catalogo.h"

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/CarpetaMame.h"
#include "comun/logic/Motivos.h"
#include "emulator/logic/Ejecucion.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <optional>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace Corvala {

namespace {

// The layout's number, kept in the database (user_version): a catalogue of another layout is
// built again rather than read.
constexpr int kVersionDelEsquema = 4;

const char *const kEsquema[] = {
        "CREATE TABLE maquinas(nombre TEXT PRIMARY KEY, descripcion TEXT, anio TEXT, "
        "fabricante TEXT, clon_de TEXT, rom_de TEXT, estado TEXT, es_bios INTEGER, "
        "es_dispositivo INTEGER, es_mecanica INTEGER, jugadores INTEGER, ejecutable INTEGER, "
        "bios_por_defecto TEXT, muestras_de TEXT)",
        "CREATE TABLE roms(maquina TEXT, nombre TEXT, tamano INTEGER, crc TEXT, sha1 TEXT, "
        "fusion TEXT, estado TEXT, bios TEXT, opcional INTEGER)",
        "CREATE TABLE dispositivos(maquina TEXT, dispositivo TEXT)",
        "CREATE TABLE discos(maquina TEXT, nombre TEXT, sha1 TEXT, fusion TEXT, estado TEXT, "
        "opcional INTEGER)",
        "CREATE TABLE muestras(maquina TEXT, nombre TEXT)",
        "CREATE TABLE listas_de_maquina(maquina TEXT, lista TEXT, etiqueta TEXT, estado TEXT, "
        "filtro TEXT)",
        "CREATE TABLE catalogo(version TEXT, huella TEXT)",
};

} // namespace

QString Catalogo::Ruta(const CarpetaMame &carpeta)
{
    return carpeta.Ruta(QStringLiteral("corvala.db"));
}

QString Catalogo::RutaNueva(const CarpetaMame &carpeta)
{
    return carpeta.Ruta(QStringLiteral("corvala.db.nuevo"));
}

QString Catalogo::Huella(const CarpetaMame &carpeta)
{
    const std::optional<QByteArray> lista
            = ArchivoTexto::LeerBytes(carpeta.Ruta(QStringLiteral("lista.txt")));
    if (!lista)
        return {};
    return QString::fromLatin1(QCryptographicHash::hash(*lista, QCryptographicHash::Sha1).toHex());
}

namespace {

// A database opened for reading, closed with its statement on every way out.
struct Lectura
{
    sqlite3 *base = nullptr;
    sqlite3_stmt *filas = nullptr;

    ~Lectura()
    {
        sqlite3_finalize(filas);
        sqlite3_close(base);
    }
    QString Motivo() const { return Motivos::DeSqlite(base); }
    bool Preparar(const char *sql)
    {
        sqlite3_finalize(filas);
        filas = nullptr;
        return sqlite3_prepare_v2(base, sql, -1, &filas, nullptr) == SQLITE_OK;
    }
};

QString Texto(sqlite3_stmt *filas, int columna)
{
    const auto *texto = static_cast<const char16_t *>(sqlite3_column_text16(filas, columna));
    return texto ? QString::fromUtf16(texto, sqlite3_column_bytes16(filas, columna) / 2)
                 : QString();
}

} // namespace

std::shared_ptr<const Catalogo> Catalogo::Abrir(const QString &ruta, QString *motivo,
                                                SinCatalogo *porQue)
{
    Lectura lectura;
    const auto falloPor = [&](const QString &texto, SinCatalogo por) {
        if (motivo)
            *motivo = texto;
        if (porQue)
            *porQue = por;
        return nullptr;
    };
    // What SQLite failed at tells a file that is no catalogue from one that cannot be read now.
    const auto fallo = [&](const QString &texto) {
        switch (lectura.base ? sqlite3_errcode(lectura.base) : SQLITE_CANTOPEN) {
        case SQLITE_NOTADB:
        case SQLITE_CORRUPT:
        case SQLITE_FORMAT:
        case SQLITE_ERROR: // a table or a column it lacks
            return falloPor(texto, SinCatalogo::Inservible);
        default:
            return falloPor(texto, SinCatalogo::Inaccesible);
        }
    };
    const QFileInfo info(ruta);
    if (!info.exists())
        return falloPor(Motivos::DelSistema(ENOENT), SinCatalogo::Ausente);
    // A pipe or a device of that name would be waited on, or read without end.
    if (!info.isFile())
        return falloPor(Motivos::NoEsArchivoNormal(), SinCatalogo::Inaccesible);
    auto catalogo = std::make_shared<Catalogo>();
    if (sqlite3_open_v2(QFile::encodeName(ruta).constData(), &lectura.base, SQLITE_OPEN_READONLY,
                        nullptr)
                != SQLITE_OK
        // The audit writes to the same database now and then, another program may too: a read
        // waits for them a while.
        || sqlite3_busy_timeout(lectura.base, kEsperaMs) != SQLITE_OK
        || !lectura.Preparar("PRAGMA user_version"))
        return fallo(lectura.Motivo());
    if (sqlite3_step(lectura.filas) != SQLITE_ROW)
        return fallo(lectura.Motivo());
    if (const int version = sqlite3_column_int(lectura.filas, 0); version != kVersionDelEsquema)
        return falloPor(QStringLiteral("es de otra versión de Corvala (disposición %1, no %2)")
                                .arg(version)
                                .arg(kVersionDelEsquema),
                        SinCatalogo::Inservible);
    if (!lectura.Preparar("SELECT version, huella FROM catalogo"))
        return fallo(lectura.Motivo());
    int paso = sqlite3_step(lectura.filas);
    if (paso != SQLITE_ROW)
        return paso == SQLITE_DONE
                       ? falloPor(QStringLiteral("el catálogo no dice de qué emulador es"),
                                  SinCatalogo::Inservible)
                       : fallo(lectura.Motivo());
    catalogo->m_sello = {Texto(lectura.filas, 0), Texto(lectura.filas, 1)};
    if (!lectura.Preparar("SELECT nombre, descripcion, anio, fabricante, clon_de, rom_de, estado, "
                          "es_bios, es_dispositivo, es_mecanica, jugadores FROM maquinas"))
        return fallo(lectura.Motivo());
    while ((paso = sqlite3_step(lectura.filas)) == SQLITE_ROW) {
        FichaMaquina maquina;
        int k = 0;
        for (QString *texto :
             {&maquina.nombre, &maquina.descripcion, &maquina.anio, &maquina.fabricante,
              &maquina.clonDe, &maquina.romDe, &maquina.estado})
            *texto = Texto(lectura.filas, k++);
        maquina.esBios = sqlite3_column_int(lectura.filas, 7) != 0;
        maquina.esDispositivo = sqlite3_column_int(lectura.filas, 8) != 0;
        maquina.esMecanica = sqlite3_column_int(lectura.filas, 9) != 0;
        maquina.jugadores = sqlite3_column_int(lectura.filas, 10);
        catalogo->Agregar(std::move(maquina));
        if (catalogo->Cantidad() > kMaximoDeMaquinas)
            return falloPor(QStringLiteral("tiene más de %1 máquinas").arg(kMaximoDeMaquinas),
                            SinCatalogo::Inservible);
    }
    if (paso != SQLITE_DONE)
        return fallo(lectura.Motivo());
    if (catalogo->Cantidad() == 0)
        return falloPor(QStringLiteral("el catálogo no tiene ninguna máquina"),
                        SinCatalogo::Inservible);
    bool demasiadas = false;
    if (!catalogo->LeerRoms(lectura.base, demasiadas))
        return demasiadas ? falloPor(QStringLiteral("tiene más de %1 ROMs").arg(kMaximoDeRoms),
                                     SinCatalogo::Inservible)
                          : fallo(lectura.Motivo());
    if (!lectura.Preparar("SELECT maquina, lista, etiqueta, estado, filtro FROM listas_de_maquina"))
        return fallo(lectura.Motivo());
    while ((paso = sqlite3_step(lectura.filas)) == SQLITE_ROW) {
        const qint32 numero = catalogo->m_numeros.value(Texto(lectura.filas, 0).toLower(), -1);
        if (numero >= 0)
            catalogo->m_fichas[numero].listasDeSoftware.push_back(
                    {Texto(lectura.filas, 1), Texto(lectura.filas, 2), Texto(lectura.filas, 3),
                     Texto(lectura.filas, 4)});
    }
    if (paso != SQLITE_DONE)
        return fallo(lectura.Motivo());
    catalogo->Sellar(catalogo->m_sello);
    return catalogo;
}

bool Catalogo::LeerRoms(sqlite3 *base, bool &demasiadas)
{
    // 340,000 rows: read straight from SQLite, without a value object for every field.
    sqlite3_stmt *filas = nullptr;
    bool bien = sqlite3_prepare_v2(base,
                                   "SELECT maquina, tamano, crc, fusion IS NULL FROM roms "
                                   "WHERE crc IS NOT NULL AND estado IS NOT 'nodump'",
                                   -1, &filas, nullptr)
                == SQLITE_OK;
    QByteArray anterior;
    qint32 maquina = -1;
    int paso = SQLITE_DONE;
    int leidas = 0;
    while (bien && (paso = sqlite3_step(filas)) == SQLITE_ROW) {
        if (++leidas > kMaximoDeRoms) {
            demasiadas = true;
            bien = false;
            break;
        }
        // A set's ROMs lie together: its name is looked up once.
        const auto *texto = reinterpret_cast<const char *>(sqlite3_column_text(filas, 0));
        const QByteArray nombre
                = QByteArray::fromRawData(texto ? texto : "", sqlite3_column_bytes(filas, 0));
        if (nombre != anterior || maquina < 0) {
            anterior = QByteArray(nombre.constData(), nombre.size());
            maquina = m_numeros.value(QString::fromUtf8(anterior).toLower(), -1);
        }
        bool esCrc = false;
        const auto *crc = reinterpret_cast<const char *>(sqlite3_column_text(filas, 2));
        const quint32 valor
                = QByteArray::fromRawData(crc, sqlite3_column_bytes(filas, 2)).toUInt(&esCrc, 16);
        if (maquina >= 0 && esCrc)
            AgregarRom(maquina, valor, sqlite3_column_int64(filas, 1),
                       sqlite3_column_int(filas, 3) != 0);
    }
    bien = bien && paso == SQLITE_DONE;
    sqlite3_finalize(filas);
    return bien;
}

const FichaMaquina *Catalogo::Maquina(const QString &nombre) const
{
    const qint32 numero = m_numeros.value(nombre.toLower(), -1);
    return numero < 0 ? nullptr : &m_fichas[numero];
}

void Catalogo::Agregar(FichaMaquina maquina, const QVector<FichaRom> &roms)
{
    // The lists a machine's audit needs (devices, disks, samples) stay in the database: the
    // catalogue in memory serves the list, its filters and the identification.
    maquina.dispositivos.clear();
    maquina.discos.clear();
    maquina.muestras.clear();
    const QString clave = maquina.nombre.toLower();
    qint32 numero = m_numeros.value(clave, -1);
    if (numero < 0) {
        numero = qint32(m_fichas.size());
        m_numeros.insert(clave, numero);
        m_fichas.append(std::move(maquina));
        m_cuentas.append(Cuenta{});
    } else {
        m_fichas[numero] = std::move(maquina);
    }
    for (const FichaRom &rom : roms) {
        bool esCrc = false;
        const quint32 crc = rom.crc.toUInt(&esCrc, 16);
        if (esCrc && rom.estado != u"nodump")
            AgregarRom(numero, crc, rom.tamano, rom.fusion.isEmpty());
    }
}

QVector<qint32> Catalogo::MaquinasDeLista(const QString &lista) const
{
    return m_porLista.value(lista);
}

void Catalogo::AgregarRom(qint32 maquina, quint32 crc, qint64 tamano, bool propia)
{
    // No ROM comes near 4 GiB; a size beyond it could not be told apart.
    if (tamano < 0 || tamano > qint64(std::numeric_limits<quint32>::max()))
        return;
    m_roms.append({crc, quint32(tamano), maquina, propia});
    Cuenta &cuenta = m_cuentas[maquina];
    ++cuenta.roms;
    cuenta.propias += propia ? 1 : 0;
}

namespace {

bool Antes(const Catalogo::Rom &a, const Catalogo::Rom &b)
{
    return a.crc != b.crc ? a.crc < b.crc : a.tamano < b.tamano;
}

} // namespace

void Catalogo::Sellar(Sello sello)
{
    m_sello = std::move(sello);
    m_porLista.clear();
    for (qint32 k = 0; k < qint32(m_fichas.size()); ++k) {
        for (const FichaMaquina::ListaDeSoftware &lista : m_fichas[k].listasDeSoftware) {
            QVector<qint32> &suyas = m_porLista[lista.lista];
            if (suyas.isEmpty() || suyas.last() != k)
                suyas.append(k);
        }
    }
    std::sort(m_roms.begin(), m_roms.end(), Antes);
    m_roms.squeeze();
}

std::pair<QVector<Catalogo::Rom>::const_iterator, QVector<Catalogo::Rom>::const_iterator>
Catalogo::Iguales(quint32 crc, quint64 tamano) const
{
    // A file over 4 GiB matches no ROM.
    if (tamano > std::numeric_limits<quint32>::max())
        return {m_roms.cend(), m_roms.cend()};
    return std::equal_range(m_roms.cbegin(), m_roms.cend(), Rom{crc, quint32(tamano), 0, false},
                            Antes);
}

// The writer speaks to SQLite directly: binding through Qt's layer costs more than SQLite's
// own work for the 380,000 rows of a full catalogue.
struct EscritorCatalogo::Conexion
{
    sqlite3 *base = nullptr;
    sqlite3_stmt *maquina = nullptr;
    sqlite3_stmt *rom = nullptr;
    sqlite3_stmt *dispositivo = nullptr;
    sqlite3_stmt *disco = nullptr;
    sqlite3_stmt *muestra = nullptr;
    sqlite3_stmt *lista = nullptr;

    ~Conexion()
    {
        for (sqlite3_stmt *orden : {maquina, rom, dispositivo, disco, muestra, lista})
            sqlite3_finalize(orden);
        sqlite3_close(base);
    }
    bool Preparar(const char *sql, sqlite3_stmt **orden)
    {
        return sqlite3_prepare_v2(base, sql, -1, orden, nullptr) == SQLITE_OK;
    }
    bool Ejecutar(const char *sql)
    {
        return sqlite3_exec(base, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    }
};

namespace {

// An empty text is stored as NULL: "no parent", "no year".
void Enlazar(sqlite3_stmt *orden, int posicion, const QString &texto)
{
    if (texto.isEmpty()) {
        sqlite3_bind_null(orden, posicion);
        return;
    }
    // SQLite takes the text as it is held and stores it as UTF-8 itself.
    sqlite3_bind_text16(orden, posicion, texto.utf16(), int(texto.size() * 2), SQLITE_STATIC);
}

bool Paso(sqlite3_stmt *orden)
{
    const bool bien = sqlite3_step(orden) == SQLITE_DONE;
    sqlite3_reset(orden);
    return bien;
}

} // namespace

EscritorCatalogo::EscritorCatalogo(QString ruta)
    : m_ruta(std::move(ruta))
{
}

EscritorCatalogo::~EscritorCatalogo()
{
    m_conexion.reset();
    if (!m_terminado)
        QFile::remove(m_ruta);
}

bool EscritorCatalogo::Fallar()
{
    if (m_conexion && m_conexion->base)
        m_motivo = Motivos::DeSqlite(m_conexion->base);
    else if (m_motivo.isEmpty())
        m_motivo = Motivos::DeSqlite(nullptr);
    m_fallido = true;
    return false;
}

bool EscritorCatalogo::Empezar()
{
    // A file left by a build that did not end is no catalogue: it starts again.
    QFile::remove(m_ruta);
    m_conexion = std::make_unique<Conexion>();
    Conexion &c = *m_conexion;
    if (sqlite3_open_v2(QFile::encodeName(m_ruta).constData(), &c.base,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        != SQLITE_OK)
        return false;
    // The file is not the catalogue until it is whole and renamed: no journal is needed.
    if (!c.Ejecutar("PRAGMA journal_mode=OFF") || !c.Ejecutar("PRAGMA synchronous=OFF"))
        return false;
    for (const char *sql : kEsquema) {
        if (!c.Ejecutar(sql))
            return false;
    }
    if (!c.Ejecutar(QByteArray("PRAGMA user_version = " + QByteArray::number(kVersionDelEsquema))
                            .constData()))
        return false;
    return c.Ejecutar("BEGIN")
           && c.Preparar("INSERT OR REPLACE INTO maquinas VALUES "
                         "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                         &c.maquina)
           && c.Preparar("INSERT INTO roms VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)", &c.rom)
           && c.Preparar("INSERT INTO dispositivos VALUES (?, ?)", &c.dispositivo)
           && c.Preparar("INSERT INTO discos VALUES (?, ?, ?, ?, ?, ?)", &c.disco)
           && c.Preparar("INSERT INTO muestras VALUES (?, ?)", &c.muestra)
           && c.Preparar("INSERT INTO listas_de_maquina VALUES (?, ?, ?, ?, ?)", &c.lista);
}

bool EscritorCatalogo::Agregar(const FichaMaquina &maquina, const QVector<FichaRom> &roms)
{
    if (m_fallido)
        return false;
    if (!m_conexion && !Empezar())
        return Fallar();
    sqlite3_stmt *fila = m_conexion->maquina;
    int k = 1;
    for (const QString *texto :
         {&maquina.nombre, &maquina.descripcion, &maquina.anio, &maquina.fabricante,
          &maquina.clonDe, &maquina.romDe, &maquina.estado})
        Enlazar(fila, k++, *texto);
    for (const int valor : {int(maquina.esBios), int(maquina.esDispositivo),
                            int(maquina.esMecanica), maquina.jugadores, int(maquina.ejecutable)})
        sqlite3_bind_int(fila, k++, valor);
    Enlazar(fila, k++, maquina.biosPorDefecto);
    Enlazar(fila, k++, maquina.muestrasDe);
    bool bien = Paso(fila);
    // The lists of names: devices used, samples played.
    for (const auto &[orden, nombres] : {std::pair{m_conexion->dispositivo, &maquina.dispositivos},
                                         std::pair{m_conexion->muestra, &maquina.muestras}}) {
        for (const QString &nombre : *nombres) {
            if (!bien)
                break;
            Enlazar(orden, 1, maquina.nombre);
            Enlazar(orden, 2, nombre);
            bien = Paso(orden);
        }
    }
    sqlite3_stmt *disco = m_conexion->disco;
    for (const FichaMaquina::Disco &ficha : maquina.discos) {
        if (!bien)
            break;
        Enlazar(disco, 1, maquina.nombre);
        Enlazar(disco, 2, ficha.nombre);
        Enlazar(disco, 3, ficha.sha1);
        Enlazar(disco, 4, ficha.fusion);
        Enlazar(disco, 5, ficha.estado);
        sqlite3_bind_int(disco, 6, int(ficha.opcional));
        bien = Paso(disco);
    }
    for (const FichaMaquina::ListaDeSoftware &lista : maquina.listasDeSoftware) {
        if (!bien)
            break;
        int p = 1;
        for (const QString *texto :
             {&maquina.nombre, &lista.lista, &lista.etiqueta, &lista.estado, &lista.filtro})
            Enlazar(m_conexion->lista, p++, *texto);
        bien = Paso(m_conexion->lista);
    }
    sqlite3_stmt *rom = m_conexion->rom;
    for (const FichaRom &ficha : roms) {
        if (!bien)
            break;
        Enlazar(rom, 1, maquina.nombre);
        Enlazar(rom, 2, ficha.nombre);
        sqlite3_bind_int64(rom, 3, ficha.tamano);
        Enlazar(rom, 4, ficha.crc);
        Enlazar(rom, 5, ficha.sha1);
        Enlazar(rom, 6, ficha.fusion);
        Enlazar(rom, 7, ficha.estado);
        Enlazar(rom, 8, ficha.bios);
        sqlite3_bind_int(rom, 9, int(ficha.opcional));
        bien = Paso(rom);
    }
    return bien || Fallar();
}

bool EscritorCatalogo::Terminar(const Catalogo::Sello &sello)
{
    if (m_fallido || !m_conexion)
        return false;
    Conexion &c = *m_conexion;
    sqlite3_stmt *orden = nullptr;
    bool bien
            = sqlite3_prepare_v2(c.base, "INSERT INTO catalogo VALUES (?, ?)", -1, &orden, nullptr)
              == SQLITE_OK;
    if (bien) {
        Enlazar(orden, 1, sello.version);
        Enlazar(orden, 2, sello.huella);
        bien = Paso(orden);
    }
    sqlite3_finalize(orden);
    bien = bien && c.Ejecutar("CREATE INDEX roms_crc ON roms(crc)") && c.Ejecutar("COMMIT");
    if (!bien)
        return Fallar();
    m_conexion.reset();
    // On the disk before it takes the old catalogue's place.
    QFile archivo(m_ruta);
    bien = archivo.open(QIODevice::ReadWrite) && archivo.flush();
    if (!bien)
        m_motivo = Motivos::DeArchivo(archivo);
#ifdef Q_OS_UNIX
    if (bien && ::fsync(archivo.handle()) != 0) {
        m_motivo = Motivos::DelSistema(errno);
        bien = false;
    }
#endif
    m_fallido = !bien;
    m_terminado = bien;
    return bien;
}

} // namespace Corvala
