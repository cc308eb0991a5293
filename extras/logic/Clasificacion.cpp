#include "extras/logic/Clasificacion.h"

#include "comun/logic/ArchivoTexto.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace Corvala {

namespace {

const QLatin1String kMadura(" * Mature *");

} // namespace

QFileInfoList Clasificacion::Archivos(const QStringList &carpetas)
{
    QFileInfoList archivos;
    QSet<QString> vistos;
    for (const QString &carpeta : carpetas) {
        const QFileInfoList suyos
                = QDir(carpeta).entryInfoList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name);
        for (const QFileInfo &archivo : suyos.mid(0, kMaximoDeArchivos)) {
            if (!vistos.contains(archivo.fileName().toLower())) {
                vistos.insert(archivo.fileName().toLower());
                archivos << archivo;
            }
        }
    }
    return archivos;
}

Clasificacion Clasificacion::Leer(const QFileInfoList &archivos, QStringList *avisos)
{
    Clasificacion clasificacion;
    for (const QFileInfo &archivo : archivos) {
        QString motivo;
        const std::optional<QByteArray> bytes
                = ArchivoTexto::LeerBytes(archivo.filePath(), kMaximoPorArchivo, &motivo);
        if (!bytes) {
            if (avisos)
                *avisos << archivo.filePath() + QStringLiteral(": ") + motivo;
            continue;
        }
        if (bytes->contains('\0')) {
            if (avisos)
                *avisos << archivo.filePath()
                                   + QStringLiteral(": no es texto UTF-8 ni Windows-1252");
            continue;
        }
        clasificacion.Anadir(ArchivoTexto::Decodificar(*bytes));
    }
    return clasificacion;
}

int Clasificacion::Indice(QVector<QString> &nombres, QHash<QString, int> &indices,
                          const QString &nombre)
{
    const auto hallado = indices.constFind(nombre);
    if (hallado != indices.cend())
        return *hallado;
    nombres << nombre;
    indices.insert(nombre, int(nombres.size() - 1));
    return int(nombres.size() - 1);
}

void Clasificacion::Anadir(const QString &texto)
{
    enum class Seccion { Ninguna, Categoria, Version, Jugadores, Carpeta, Otra };
    Seccion seccion = Seccion::Ninguna;
    int carpeta = -1;
    QString nombreDeCarpeta;
    for (QString linea : ArchivoTexto::PartirLineas(texto)) {
        if (linea.startsWith(QChar(0xFEFF)))
            linea.remove(0, 1);
        linea = linea.trimmed();
        if (linea.isEmpty() || linea.startsWith(QLatin1Char(';'))
            || linea.startsWith(QLatin1Char('#')))
            continue;
        if (linea.startsWith(QLatin1Char('[')) && linea.endsWith(QLatin1Char(']'))) {
            const QString nombre = linea.mid(1, linea.size() - 2).trimmed();
            const QString clave = nombre.toLower();
            carpeta = -1;
            if (clave == u"category")
                seccion = Seccion::Categoria;
            else if (clave == u"veradded")
                seccion = Seccion::Version;
            else if (clave == u"nplayers")
                seccion = Seccion::Jugadores;
            else if (clave == u"folder_settings" || clave == u"root_folder" || nombre.isEmpty())
                seccion = Seccion::Otra;
            else {
                seccion = Seccion::Carpeta;
                nombreDeCarpeta = nombre;
            }
            continue;
        }
        const qsizetype igual = linea.indexOf(QLatin1Char('='));
        if (seccion == Seccion::Carpeta) {
            // A folder section's lines are set names; a key=value line is a setting.
            if (igual >= 0)
                continue;
            if (carpeta < 0)
                carpeta = Indice(m_categorias, m_indiceCategorias, nombreDeCarpeta);
            Ficha &ficha = m_fichas[linea.toLower()];
            if (!ficha.categorias.contains(carpeta))
                ficha.categorias << carpeta;
            continue;
        }
        if (igual <= 0 || seccion == Seccion::Ninguna || seccion == Seccion::Otra)
            continue;
        const QString juego = linea.left(igual).trimmed().toLower();
        QString valor = linea.mid(igual + 1).trimmed();
        if (juego.isEmpty() || valor.isEmpty())
            continue;
        Ficha &ficha = m_fichas[juego];
        if (seccion == Seccion::Categoria) {
            if (valor.endsWith(kMadura, Qt::CaseInsensitive)) {
                ficha.adultos = true;
                valor.chop(kMadura.size());
                valor = valor.trimmed();
            }
            const int indice = Indice(m_categorias, m_indiceCategorias, valor);
            ficha.categorias.removeAll(indice);
            ficha.categorias.prepend(indice);
        } else if (seccion == Seccion::Version) {
            ficha.version = Indice(m_versiones, m_indiceVersiones, valor);
        } else {
            ficha.jugadores = valor;
            m_hayJugadores = true;
        }
    }
}

const Clasificacion::Ficha *Clasificacion::De(const QString &juego) const
{
    const auto ficha = m_fichas.constFind(juego);
    return ficha == m_fichas.cend() ? nullptr : &*ficha;
}

QStringList Clasificacion::Categorias(const Ficha &ficha) const
{
    QStringList nombres;
    for (const int c : ficha.categorias)
        nombres << m_categorias[c];
    return nombres;
}

QString Clasificacion::Version(const Ficha &ficha) const
{
    return ficha.version < 0 ? QString() : m_versiones[ficha.version];
}

QStringList Clasificacion::TodasLasCategorias() const
{
    QStringList todas(m_categorias.cbegin(), m_categorias.cend());
    std::sort(todas.begin(), todas.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return todas;
}

QString Clasificacion::Genero(const QString &categoria)
{
    const qsizetype barra = categoria.indexOf(QLatin1String(" / "));
    return barra < 0 ? categoria : categoria.left(barra);
}

bool Clasificacion::Pertenece(const QStringList &categorias, const QString &elegida)
{
    return std::any_of(categorias.cbegin(), categorias.cend(), [&elegida](const QString &c) {
        return c == elegida
               || (c.size() > elegida.size() + 3 && c.startsWith(elegida)
                   && QStringView(c).mid(elegida.size(), 3) == u" / ");
    });
}

namespace {

// "2P alt", "4P sim", "1P": the count and the way they play; nothing for any other word.
bool LeerParte(const QString &parte, int &cuantos, QString &modo)
{
    static const QRegularExpression forma(QStringLiteral("^(\\d+)P(?:\\s+(alt|sim))?$"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch hallado = forma.match(parte.trimmed());
    if (!hallado.hasMatch())
        return false;
    cuantos = hallado.captured(1).toInt();
    modo = hallado.captured(2).toLower();
    return cuantos > 0;
}

} // namespace

QString Clasificacion::JugadoresEnPalabras(const QString &valor)
{
    QStringList partes;
    for (const QString &parte : valor.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        int cuantos = 0;
        QString modo;
        if (!LeerParte(parte, cuantos, modo)) {
            // The few words nplayers.ini uses for what is no count.
            const QString palabra = parte.trimmed();
            const QString minusculas = palabra.toLower();
            partes << (minusculas == u"???"          ? QStringLiteral("no se sabe")
                       : minusculas == u"non-arcade" ? QStringLiteral("no es de recreativa")
                       : minusculas == u"device"     ? QStringLiteral("dispositivo")
                                                     : palabra);
            continue;
        }
        QString texto = cuantos == 1 ? QStringLiteral("1 jugador")
                                     : QStringLiteral("%1 jugadores").arg(cuantos);
        if (modo == u"alt")
            texto += QStringLiteral(" alternando");
        else if (modo == u"sim")
            texto += QStringLiteral(" a la vez");
        partes << texto;
    }
    return partes.join(QStringLiteral(" o "));
}

int Clasificacion::CuantosJugadores(const QString &valor)
{
    int mas = 0;
    for (const QString &parte : valor.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        int cuantos = 0;
        QString modo;
        if (LeerParte(parte, cuantos, modo))
            mas = std::max(mas, cuantos);
    }
    return mas;
}

} // namespace Corvala
