#include "catalogue/logic/CatalogoSoftware.h"

#include "catalogue/logic/LectorListaSoftware.h"
#include "comun/logic/BaseSqlite.h"
#include "comun/logic/CarpetaMame.h"
#include "emulator/logic/OpcionMameIni.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace Corvala {

namespace {

const char *const kTablas[] = {
        "CREATE TABLE %1listas_software(nombre TEXT PRIMARY KEY, descripcion TEXT)",
        "CREATE TABLE %1software(lista TEXT, nombre TEXT, descripcion TEXT, anio TEXT, "
        "editor TEXT, clon_de TEXT, soportado TEXT, compatibilidad TEXT, "
        "PRIMARY KEY (lista, nombre)) WITHOUT ROWID",
        "CREATE TABLE %1roms_software(lista TEXT, software TEXT, parte TEXT, area TEXT, "
        "nombre TEXT, tamano INTEGER, crc TEXT, sha1 TEXT, estado TEXT, disco INTEGER)",
        "CREATE TABLE %1software_huella(huella TEXT)",
};
const char *const kNombres[] = {"listas_software", "software", "roms_software", "software_huella"};

bool Ejecutar(BaseSqlite &base, const QString &sql)
{
    return base.Ejecutar(sql.toUtf8().constData());
}

} // namespace

QStringList CatalogoSoftware::Carpetas(const CarpetaMame &carpeta)
{
    return CarpetasDeOpcion(carpeta, ValorEnMameIni(carpeta, QStringLiteral("hashpath")),
                            QStringLiteral("hash"));
}

QHash<QString, QString> CatalogoSoftware::Archivos(const QStringList &carpetas)
{
    QHash<QString, QString> archivos;
    for (const QString &carpeta : carpetas) {
        const QFileInfoList entradas = QDir(carpeta).entryInfoList(
                {QStringLiteral("*.xml")}, QDir::Files | QDir::Readable, QDir::Name);
        for (const QFileInfo &info : entradas) {
            const QString lista = info.completeBaseName();
            if (!archivos.contains(lista))
                archivos.insert(lista, info.filePath());
        }
    }
    return archivos;
}

QString CatalogoSoftware::Huella(const QHash<QString, QString> &archivos)
{
    QStringList listas = archivos.keys();
    std::sort(listas.begin(), listas.end());
    QCryptographicHash huella(QCryptographicHash::Sha1);
    for (const QString &lista : std::as_const(listas)) {
        const QFileInfo info(archivos.value(lista));
        huella.addData(info.filePath().toUtf8());
        const qint64 datos[] = {info.size(), info.lastModified().toMSecsSinceEpoch()};
        huella.addData(QByteArrayView(reinterpret_cast<const char *>(datos), sizeof datos));
    }
    return QString::fromLatin1(huella.result().toHex());
}

QString CatalogoSoftware::HuellaGuardada(const QString &rutaBase)
{
    BaseSqlite base;
    if (!QFileInfo(rutaBase).isFile() || !base.Abrir(rutaBase, true))
        return {};
    BaseSqlite::Consulta fila(base, "SELECT huella FROM software_huella");
    return fila.Siguiente() ? fila.Texto(0) : QString();
}

Resultado CatalogoSoftware::Construir(const QString &rutaBase,
                                      const QHash<QString, QString> &archivos,
                                      const QString &huella, QStringList *omitidas,
                                      const std::atomic<bool> *cancelar, LimitesSoftware limites)
{
    QElapsedTimer reloj;
    reloj.start();
    // Written aside first, without a journal; copied into the catalogue in one step.
    const QString aparte = rutaBase + QLatin1String(".software");
    QFile::remove(aparte);
    struct Quitar
    {
        QString ruta;
        ~Quitar() { QFile::remove(ruta); }
    } quitar{aparte};
    {
        BaseSqlite base;
        if (!base.Crear(aparte) || !base.Ejecutar("PRAGMA journal_mode=OFF")
            || !base.Ejecutar("PRAGMA synchronous=OFF"))
            return Resultado::Fallo(base.Motivo());
        for (const char *sql : kTablas) {
            if (!Ejecutar(base, QString::fromLatin1(sql).arg(QString())))
                return Resultado::Fallo(base.Motivo());
        }
        if (!base.Ejecutar("BEGIN"))
            return Resultado::Fallo(base.Motivo());
        BaseSqlite::Consulta lista(base, "INSERT OR REPLACE INTO listas_software VALUES (?, ?)");
        BaseSqlite::Consulta item(base, "INSERT OR REPLACE INTO software VALUES "
                                        "(?, ?, ?, ?, ?, ?, ?, ?)");
        BaseSqlite::Consulta rom(base, "INSERT INTO roms_software VALUES "
                                       "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        QStringList listas = archivos.keys();
        std::sort(listas.begin(), listas.end());
        qint64 bytes = 0;
        int items = 0, roms = 0;
        QString pasado; // the limit passed, in the player's words
        bool bien = true;
        const LectorListaSoftware::Receptor receptor
                = [&](const FichaSoftware &ficha, const QVector<FichaRomSoftware> &suyas) {
                      if (++items > limites.items)
                          pasado = QStringLiteral("más de %1 programas").arg(limites.items);
                      roms += int(suyas.size());
                      if (roms > limites.roms)
                          pasado = QStringLiteral("más de %1 ROMs").arg(limites.roms);
                      if (reloj.elapsed() > limites.tiempoMs)
                          pasado = QStringLiteral("más de %1 s").arg(limites.tiempoMs / 1000);
                      if (!pasado.isEmpty())
                          return false;
                      int k = 1;
                      for (const QString *texto :
                           {&ficha.lista, &ficha.nombre, &ficha.descripcion, &ficha.anio,
                            &ficha.editor, &ficha.clonDe, &ficha.soportado, &ficha.compatibilidad})
                          item.Enlazar(k++, *texto);
                      bien = bien && item.Paso();
                      for (const FichaRomSoftware &r : suyas) {
                          rom.Enlazar(1, ficha.lista);
                          rom.Enlazar(2, ficha.nombre);
                          rom.Enlazar(3, r.parte);
                          rom.Enlazar(4, r.area);
                          rom.Enlazar(5, r.nombre);
                          rom.Enlazar(6, r.tamano);
                          rom.Enlazar(7, r.crc);
                          rom.Enlazar(8, r.sha1);
                          rom.Enlazar(9, r.estado);
                          rom.Enlazar(10, qint64(r.disco));
                          bien = bien && rom.Paso();
                      }
                      return bien;
                  };
        for (const QString &nombre : std::as_const(listas)) {
            const QString ruta = archivos.value(nombre);
            bytes += QFileInfo(ruta).size();
            if (bytes > limites.bytes)
                pasado = QStringLiteral("más de %1 MB").arg(limites.bytes >> 20);
            if (!pasado.isEmpty())
                break;
            ListaDeSoftware leida;
            const Resultado r = LectorListaSoftware::Leer(ruta, leida, receptor, cancelar);
            if (cancelar && cancelar->load())
                return Resultado::Fallo(QStringLiteral("cancelado"));
            if (!bien)
                return Resultado::Fallo(base.Motivo());
            if (!pasado.isEmpty())
                break;
            if (!r && omitidas)
                *omitidas << QStringLiteral("%1: %2").arg(QFileInfo(ruta).fileName(), r.Motivo());
            // A list the file began is kept with what could be read of it.
            lista.Enlazar(1, leida.nombre);
            lista.Enlazar(2, leida.descripcion);
            if (!lista.Paso())
                return Resultado::Fallo(base.Motivo());
        }
        if (!pasado.isEmpty())
            return Resultado::Fallo(QStringLiteral("las listas de software tienen %1").arg(pasado));
        BaseSqlite::Consulta sello(base, "INSERT INTO software_huella VALUES (?)");
        sello.Enlazar(1, huella);
        if (!sello.Paso() || !base.Ejecutar("COMMIT"))
            return Resultado::Fallo(base.Motivo());
    }
    // Into the catalogue, replacing the lists it had, in one transaction.
    BaseSqlite base;
    if (!base.Abrir(rutaBase, false))
        return Resultado::Fallo(base.Motivo());
    BaseSqlite::Consulta adjuntar(base, "ATTACH DATABASE ? AS nuevas");
    adjuntar.Enlazar(1, aparte);
    if (!adjuntar.Paso() || !base.Ejecutar("BEGIN IMMEDIATE"))
        return Resultado::Fallo(base.Motivo());
    bool bien = true;
    for (int k = 0; bien && k < int(std::size(kNombres)); ++k) {
        const QString nombre = QString::fromLatin1(kNombres[k]);
        bien = Ejecutar(base, QStringLiteral("DROP TABLE IF EXISTS main.%1").arg(nombre))
               && Ejecutar(base, QString::fromLatin1(kTablas[k]).arg(QStringLiteral("main.")))
               && Ejecutar(
                       base,
                       QStringLiteral("INSERT INTO main.%1 SELECT * FROM nuevas.%1").arg(nombre));
    }
    bien = bien
           && base.Ejecutar("CREATE INDEX main.roms_software_item ON "
                            "roms_software(lista, software)")
           && base.Ejecutar("CREATE INDEX main.roms_software_crc ON roms_software(crc)")
           && base.Ejecutar("COMMIT");
    if (!bien) {
        const QString motivo = base.Motivo();
        base.Ejecutar("ROLLBACK");
        return Resultado::Fallo(motivo);
    }
    base.Ejecutar("DETACH DATABASE nuevas");
    return {};
}

std::shared_ptr<const CatalogoSoftware> CatalogoSoftware::Abrir(const QString &rutaBase,
                                                                const QSet<QString> &listas,
                                                                QString *motivo,
                                                                const QSet<QString> *soloEstos)
{
    BaseSqlite base;
    const auto fallo = [&](const QString &texto) {
        if (motivo)
            *motivo = texto;
        return nullptr;
    };
    if (!QFileInfo(rutaBase).isFile())
        return fallo(QStringLiteral("no hay catálogo"));
    if (!base.Abrir(rutaBase, true))
        return fallo(base.Motivo());
    auto catalogo = std::make_shared<CatalogoSoftware>();
    {
        BaseSqlite::Consulta sello(base, "SELECT huella FROM software_huella");
        if (!sello.Siguiente())
            return fallo(sello.Bien() ? QStringLiteral("no tiene las listas de software")
                                      : base.Motivo());
        catalogo->m_huella = sello.Texto(0);
    }
    BaseSqlite::Consulta filas(base, "SELECT nombre, descripcion FROM listas_software");
    while (filas.Siguiente())
        catalogo->m_listas.insert(filas.Texto(0), filas.Texto(1));
    if (!filas.Bien())
        return fallo(base.Motivo());
    BaseSqlite::Consulta items(base, "SELECT lista, nombre, descripcion, anio, editor, clon_de, "
                                     "soportado, compatibilidad FROM software WHERE lista = ?");
    // Most items of a list are not the player's: only their names are looked at, as SQLite
    // holds them.
    QHash<QString, QSet<QByteArray>> buscados;
    for (const QString &clave : soloEstos ? *soloEstos : QSet<QString>()) {
        const qsizetype barra = clave.indexOf(QLatin1Char('/'));
        buscados[clave.left(barra)].insert(clave.mid(barra + 1).toUtf8());
    }
    for (const QString &lista : listas) {
        const QSet<QByteArray> suyos = buscados.value(lista);
        items.Enlazar(1, lista);
        while (items.Siguiente()) {
            int bytes = 0;
            const char *nombre = items.Utf8(1, &bytes);
            if (soloEstos && !suyos.contains(QByteArray::fromRawData(nombre, bytes)))
                continue;
            QString clave = lista + QLatin1Char('/') + items.Texto(1);
            FichaSoftware ficha;
            int k = 0;
            for (QString *texto :
                 {&ficha.lista, &ficha.nombre, &ficha.descripcion, &ficha.anio, &ficha.editor,
                  &ficha.clonDe, &ficha.soportado, &ficha.compatibilidad})
                *texto = items.Texto(k++);
            catalogo->m_items.insert(std::move(clave), std::move(ficha));
        }
        if (!items.Bien())
            return fallo(base.Motivo());
        items.Reiniciar();
    }
    return catalogo;
}

const FichaSoftware *CatalogoSoftware::Item(const QString &lista, const QString &nombre) const
{
    const auto item = m_items.constFind(lista + QLatin1Char('/') + nombre);
    return item == m_items.cend() ? nullptr : &*item;
}

} // namespace Corvala
