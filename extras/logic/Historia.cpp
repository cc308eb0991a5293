#include "extras/logic/Historia.h"

#include "comun/logic/BaseSqlite.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

#include <sqlite3.h>

namespace Corvala::Historia {

QString Archivo(const QStringList &carpetas)
{
    for (const QString &carpeta : carpetas) {
        const QFileInfo archivo(QDir(carpeta).filePath(QStringLiteral("history.xml")));
        if (archivo.isFile())
            return archivo.filePath();
    }
    return {};
}

QString Huella(const QString &archivo)
{
    const QFileInfo info(archivo);
    return QStringLiteral("%1|%2|%3")
            .arg(info.absoluteFilePath())
            .arg(info.size())
            .arg(info.lastModified().toMSecsSinceEpoch());
}

QString HuellaGuardada(const QString &base)
{
    BaseSqlite bd;
    if (!QFileInfo(base).isFile() || !bd.Abrir(base, true))
        return {};
    BaseSqlite::Consulta consulta(bd, "SELECT huella FROM historia_huella");
    return consulta.Bien() && consulta.Siguiente() ? consulta.Texto(0) : QString();
}

namespace {

// The <entry>'s keys and text, read to its end tag.
bool LeerEntrada(QXmlStreamReader &xml, QStringList &claves, QString &texto)
{
    while (xml.readNextStartElement()) {
        if (xml.name() == u"systems" || xml.name() == u"software") {
            while (xml.readNextStartElement()) {
                const QXmlStreamAttributes atributos = xml.attributes();
                const QString nombre = atributos.value(QLatin1String("name")).toString();
                if (xml.name() == u"system" && !nombre.isEmpty())
                    claves << nombre;
                else if (xml.name() == u"item" && !nombre.isEmpty()
                         && !atributos.value(QLatin1String("list")).isEmpty())
                    claves << atributos.value(QLatin1String("list")).toString() + QLatin1Char(':')
                                      + nombre;
                xml.skipCurrentElement();
            }
        } else if (xml.name() == u"text") {
            texto = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (texto.size() > kMaximoPorTexto)
                texto.truncate(kMaximoPorTexto);
        } else {
            xml.skipCurrentElement();
        }
    }
    return !xml.hasError();
}

} // namespace

Resultado Indexar(const QString &base, const QString &archivo, const std::atomic<bool> *cancelar)
{
    const QFileInfo info(archivo);
    if (!info.isFile())
        return Resultado::Fallo(QStringLiteral("no es un archivo"));
    if (info.size() > kMaximoDeBytes)
        return Resultado::Fallo(QStringLiteral("ocupa más de %1 MB").arg(kMaximoDeBytes >> 20));
    QFile entrada(archivo);
    if (!entrada.open(QIODevice::ReadOnly))
        return Resultado::Fallo(entrada.errorString());
    BaseSqlite bd;
    if (!bd.Abrir(base, false) || !bd.Ejecutar("BEGIN IMMEDIATE"))
        return Resultado::Fallo(bd.Motivo());
    const auto fallo = [&bd](const QString &motivo) {
        bd.Ejecutar("ROLLBACK");
        return Resultado::Fallo(motivo);
    };
    for (const char *sql : {"DROP TABLE IF EXISTS historia", "DROP TABLE IF EXISTS historia_textos",
                            "DROP TABLE IF EXISTS historia_huella",
                            "CREATE TABLE historia_textos(id INTEGER PRIMARY KEY, texto TEXT)",
                            "CREATE TABLE historia(clave TEXT PRIMARY KEY, id INTEGER) "
                            "WITHOUT ROWID",
                            "CREATE TABLE historia_huella(huella TEXT)"}) {
        if (!bd.Ejecutar(sql))
            return fallo(bd.Motivo());
    }
    BaseSqlite::Consulta textos(bd, "INSERT INTO historia_textos(id, texto) VALUES (?, ?)");
    BaseSqlite::Consulta claves(bd, "INSERT OR IGNORE INTO historia(clave, id) VALUES (?, ?)");
    QXmlStreamReader xml(&entrada);
    if (!xml.readNextStartElement() || xml.name() != u"history")
        return fallo(xml.hasError() ? xml.errorString()
                                    : QStringLiteral("no es un archivo history.xml"));
    qint64 id = 0;
    while (xml.readNextStartElement()) {
        if (cancelar && *cancelar)
            return fallo(QStringLiteral("cancelado"));
        if (xml.name() != u"entry") {
            xml.skipCurrentElement();
            continue;
        }
        QStringList nombres;
        QString texto;
        if (!LeerEntrada(xml, nombres, texto))
            break;
        texto = texto.trimmed();
        if (nombres.isEmpty() || texto.isEmpty())
            continue;
        textos.Enlazar(1, ++id);
        textos.Enlazar(2, texto);
        if (!textos.Paso())
            return fallo(bd.Motivo());
        for (const QString &nombre : std::as_const(nombres)) {
            claves.Enlazar(1, nombre);
            claves.Enlazar(2, id);
            if (!claves.Paso())
                return fallo(bd.Motivo());
        }
    }
    if (xml.hasError())
        return fallo(QStringLiteral("línea %1: %2").arg(xml.lineNumber()).arg(xml.errorString()));
    BaseSqlite::Consulta sello(bd, "INSERT INTO historia_huella(huella) VALUES (?)");
    sello.Enlazar(1, Huella(archivo));
    if (!sello.Paso() || !bd.Ejecutar("COMMIT"))
        return fallo(bd.Motivo());
    return {};
}

QString Texto(const QString &base, const QStringList &claves)
{
    BaseSqlite bd;
    if (!QFileInfo(base).isFile() || !bd.Abrir(base, true))
        return {};
    // Asked from the window: a database another program holds is not waited on for long.
    sqlite3_busy_timeout(bd.Base(), 250);
    BaseSqlite::Consulta consulta(bd, "SELECT t.texto FROM historia h JOIN historia_textos t "
                                      "ON t.id = h.id WHERE h.clave = ?");
    for (const QString &clave : claves) {
        if (clave.isEmpty() || !consulta.Bien())
            continue;
        consulta.Reiniciar();
        consulta.Enlazar(1, clave);
        if (consulta.Bien() && consulta.Siguiente())
            return consulta.Texto(0);
    }
    return {};
}

} // namespace Corvala::Historia
