#include "apoyo/CarpetaDePrueba.h"

#include "emulator/logic/OpcionesEmulador.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <stdexcept>

CarpetaDePrueba::CarpetaDePrueba()
    : m_carpeta(m_temporal.path())
{
    if (!m_temporal.isValid())
        throw std::runtime_error("no temporary folder");
    QDir carpeta(m_temporal.path());
    carpeta.mkdir(QStringLiteral("roms"));
    carpeta.mkdir(QStringLiteral(".fakemame"));
    QFile::link(QStringLiteral(CORVALA_FAKE_MAME), Ruta(QStringLiteral("mame")));
}

QString CarpetaDePrueba::Ruta(const QString &relativa) const
{
    return relativa.isEmpty() ? m_carpeta.Ruta() : m_carpeta.Ruta(relativa);
}

void CarpetaDePrueba::Escribir(const QString &relativa, const QByteArray &contenido) const
{
    const QString ruta = Ruta(relativa);
    QDir().mkpath(QFileInfo(ruta).path());
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || archivo.write(contenido) != contenido.size())
        throw std::runtime_error("cannot write a test file");
}

QByteArray CarpetaDePrueba::Leer(const QString &relativa) const
{
    QFile archivo(Ruta(relativa));
    return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
}

void CarpetaDePrueba::Bloquear(const QString &relativa) const
{
    Escribir(relativa + QStringLiteral("/bloqueo"), "");
}

bool CarpetaDePrueba::Existe(const QString &relativa) const
{
    return QFileInfo::exists(Ruta(relativa));
}

void CarpetaDePrueba::Borrar(const QString &relativa) const
{
    QFile::remove(Ruta(relativa));
}

void CarpetaDePrueba::Archivo(const QString &nombre, const QByteArray &contenido) const
{
    Escribir(QStringLiteral("roms/") + nombre, contenido);
}

void CarpetaDePrueba::ListaCompleta(const QByteArray &salida) const
{
    Escribir(QStringLiteral(".fakemame/listfull.txt"), salida);
}

void CarpetaDePrueba::Control(const QByteArray &conf) const
{
    Escribir(QStringLiteral(".fakemame/conf"), conf);
    // What the emulator knows may have changed with it.
    Corvala::OpcionesEmulador::Olvidar();
}

void CarpetaDePrueba::ConCatalogo() const
{
    QFile fijo(QStringLiteral(CORVALA_LISTXML));
    if (!fijo.open(QIODevice::ReadOnly))
        throw std::runtime_error("no -listxml fixture");
    Escribir(QStringLiteral(".fakemame/listxml.xml"), fijo.readAll());
    Corvala::OpcionesEmulador::Olvidar();
}

void CarpetaDePrueba::SinEmulador() const
{
    QFile::remove(Ruta(QStringLiteral("mame")));
}

namespace {
QList<QJsonObject> Registros(const QByteArray &texto)
{
    QList<QJsonObject> registros;
    for (const QByteArray &linea : texto.split('\n')) {
        if (!linea.isEmpty())
            registros << QJsonDocument::fromJson(linea).object();
    }
    return registros;
}
} // namespace

QList<CarpetaDePrueba::Llamada> CarpetaDePrueba::LlamadasTalCual() const
{
    QList<Llamada> llamadas;
    for (const QJsonObject &registro : Registros(Leer(QStringLiteral(".fakemame/calls.jsonl")))) {
        Llamada llamada;
        for (const QJsonValue &argumento : registro.value(QLatin1String("args")).toArray())
            llamada.argumentos << argumento.toString();
        llamada.carpeta = registro.value(QLatin1String("cwd")).toString();
        llamadas << llamada;
    }
    return llamadas;
}

QList<CarpetaDePrueba::Llamada> CarpetaDePrueba::LlamadasDeTrabajo() const
{
    QList<Llamada> llamadas;
    for (Llamada llamada : LlamadasTalCual()) {
        if (llamada.argumentos == QStringList{QStringLiteral("-showusage")}
            || llamada.argumentos == QStringList{QStringLiteral("-version")})
            continue;
        const qsizetype ini = llamada.argumentos.indexOf(QStringLiteral("-inipath"));
        if (ini >= 0 && llamada.argumentos.value(ini + 1) == QLatin1String("."))
            llamada.argumentos.remove(ini, 2);
        llamada.argumentos.removeAll(QStringLiteral("-noverbose"));
        llamadas << llamada;
    }
    return llamadas;
}

QList<QStringList> CarpetaDePrueba::Llamadas() const
{
    QList<QStringList> llamadas;
    for (const Llamada &llamada : LlamadasDeTrabajo())
        llamadas << llamada.argumentos;
    return llamadas;
}

QStringList CarpetaDePrueba::CarpetasDeLlamadas() const
{
    QStringList carpetas;
    for (const Llamada &llamada : LlamadasDeTrabajo())
        carpetas << llamada.carpeta;
    return carpetas;
}

void CarpetaDePrueba::OlvidarLlamadas() const
{
    Borrar(QStringLiteral(".fakemame/calls.jsonl"));
}

QStringList CarpetaDePrueba::Contenido() const
{
    QStringList nombres
            = QDir(Ruta()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    nombres.removeAll(QStringLiteral("mame"));
    return nombres;
}

QStringList CrearConfiguracionEnLaCarpeta()
{
    return {QStringLiteral("-cc"),   QStringLiteral("-rompath"),
            QStringLiteral("roms"),  QStringLiteral("-cfg_directory"),
            QStringLiteral("cfg"),   QStringLiteral("-ctrlrpath"),
            QStringLiteral("ctrlr"), QStringLiteral("-snapshot_directory"),
            QStringLiteral("snaps"), QStringLiteral("-snapname"),
            QStringLiteral("%g")};
}

QByteArray ListaClasica()
{
    return "name      description\r\n"
           "galaga    \"Galaga\"\r\n"
           "pacman    \"Pac-Man\"\r\n";
}

QByteArray ListaAncha()
{
    return "Name:             Description:\n"
           "galaga            \"Galaga (Namco rev. B)\"\n"
           "pacman            \"Pac-Man (Midway)\"\n"
           "1943mii           \"1943: The Battle of Midway Mark II (US)\"\n"
           "pacmanbootleg     \"Pac-Man (bootleg \"quoted\" set)\"\n";
}
