#include "emulator/logic/OpcionMameIni.h"

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/CarpetaMame.h"
#include "comun/logic/LineasIni.h"
#include "comun/logic/modPrincipal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace Corvala {

namespace {

// All the text of the line after its name, trimmed.
QString ValorDeOpcion(const QString &linea)
{
    const qsizetype blanco = linea.indexOf(QLatin1Char(' '));
    return blanco < 0 ? QString() : QuitarBlancos(QStringView(linea).mid(blanco)).toString();
}

} // namespace

QString LineaOpcion(const QString &nombre, const QString &valor)
{
    return RellenarEspacios(nombre, 24) + valor;
}

QString LineaOpcionSinFijar(const QString &nombre)
{
    return QStringLiteral("# ") + RellenarEspacios(nombre, 22) + QStringLiteral("<NULL> (Not Set)");
}

ResultadoMameIni FijarOpcionMameIni(const CarpetaMame &carpeta, const QString &nombre,
                                    const QString &valor, bool restaurar, QString &lineaGuardada)
{
    const QString ini = carpeta.Ruta(QStringLiteral("mame.ini"));
    const QString temporal = carpeta.Ruta(QStringLiteral("mame.in"));
    const std::optional<QByteArray> leidos
            = QFileInfo(ini).isFile() ? ArchivoTexto::LeerBytes(ini) : std::nullopt;
    if (!leidos)
        return ResultadoMameIni::NoSeLee;
    const QByteArray &bytes = *leidos;
    // Text in two bytes a character (UTF-16) has NUL bytes; rewritten line by line it would be
    // ruined, so it is left as it is.
    if (bytes.contains('\0'))
        return ResultadoMameIni::NoSeEdita;

    // The saved line changes only when the rewrite goes through. Every line that does not
    // change keeps its bytes exactly, its line end and its encoding included.
    QString guardada = lineaGuardada;
    QByteArray nuevo;
    nuevo.reserve(bytes.size() + 64);
    for (const QByteArrayView enBruto : ArchivoTexto::LineasEnBruto(bytes)) {
        QByteArrayView sinFin = enBruto;
        if (sinFin.endsWith('\n'))
            sinFin.chop(1);
        if (sinFin.endsWith('\r'))
            sinFin.chop(1);
        const QString linea = ArchivoTexto::DecodificarLinea(sinFin);

        std::optional<QString> cambiada;
        if (!linea.startsWith(QLatin1Char('#'))) {
            if (NombreDeLinea(linea) != nombre) {
            } else if (restaurar) {
                cambiada = guardada;
            } else if (!valor.isEmpty() && ValorDeOpcion(linea) == valor) {
                return ResultadoMameIni::SinCambios;
            } else {
                guardada = linea;
                cambiada = valor.isEmpty() && nombre == QLatin1String("ctrlr")
                                   ? LineaOpcionSinFijar(nombre)
                                   : LineaOpcion(nombre, valor);
            }
        } else {
            const QString resto = linea.mid(2);
            if (NombreDeLinea(resto) == nombre) {
                guardada = linea;
                cambiada = ValorDeOpcion(resto) != valor ? LineaOpcion(nombre, valor) : resto;
            }
        }
        // A changed line ends as the line it replaces: CR LF, LF, or (the file's last) none.
        if (cambiada && *cambiada != linea)
            nuevo += cambiada->toUtf8() + enBruto.sliced(sinFin.size()).toByteArray();
        else
            nuevo += enBruto;
    }

    if (!ArchivoTexto::EscribirBytes(temporal, nuevo))
        return ResultadoMameIni::NoSeLee;
    if (!MoverArchivo(temporal, ini)) {
        QFile::remove(temporal);
        return ResultadoMameIni::NoSeRenombra;
    }
    lineaGuardada = guardada;
    return ResultadoMameIni::Cambiado;
}

std::optional<QString> ValorEnMameIni(const CarpetaMame &carpeta, const QString &nombre)
{
    const std::optional<QStringList> lineas
            = ArchivoTexto::LeerLineas(carpeta.Ruta(QStringLiteral("mame.ini")));
    if (!lineas)
        return std::nullopt;
    for (const QString &linea : *lineas) {
        if (!linea.startsWith(QLatin1Char('#')) && NombreDeLinea(linea) == nombre)
            return ValorDeOpcion(linea);
    }
    return std::nullopt;
}

QHash<QString, QString> OpcionesDeIni(const CarpetaMame &carpeta, const QString &archivo)
{
    QHash<QString, QString> opciones;
    const std::optional<QStringList> lineas = ArchivoTexto::LeerLineas(carpeta.Ruta(archivo));
    for (const QString &linea : lineas.value_or(QStringList())) {
        if (linea.startsWith(QLatin1Char('#')))
            continue;
        const QString nombre = NombreDeLinea(linea);
        if (!nombre.isEmpty() && !opciones.contains(nombre))
            opciones.insert(nombre, ValorDeOpcion(linea));
    }
    return opciones;
}

QStringList CarpetasDeOpcion(const CarpetaMame &carpeta, const std::optional<QString> &valor,
                             const QString &porDefecto)
{
    const QString texto = valor && !valor->trimmed().isEmpty() ? valor->trimmed() : porDefecto;
    const QString casa = QDir::homePath();
    QStringList carpetas;
    for (const QString &parte : texto.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        QString ruta = parte.trimmed();
        if (ruta.size() >= 2 && ruta.startsWith(QLatin1Char('"'))
            && ruta.endsWith(QLatin1Char('"')))
            ruta = ruta.mid(1, ruta.size() - 2);
        if (ruta.isEmpty())
            continue;
        ruta.replace(QLatin1String("$HOME"), casa);
        if (ruta == u"~" || ruta.startsWith(QLatin1String("~/")))
            ruta = casa + ruta.mid(1);
        carpetas << (QDir::isAbsolutePath(ruta) ? QDir::cleanPath(ruta) : carpeta.Ruta(ruta));
    }
    return carpetas;
}

bool CtrlrDeCorvala(const CarpetaMame &carpeta)
{
    return ValorEnMameIni(carpeta, QStringLiteral("ctrlr")) == QStringLiteral("Corvala");
}

Mensaje MensajeErrorMameIni()
{
    return {QStringLiteral(
                    "Se ha producido un error al modificar el archivo de inicio de M.A.M.E, "
                    "comprueba que el archivo 'mame.ini' dentro de la carpeta del M.A.M.E no "
                    "tiene la propiedad de 'sólo lectura' de ser así Corvala! no podrá "
                    "continuar funcionando correctamente."),
            QStringLiteral("Error"), Mensaje::Icono::Critico, Mensaje::Botones::Aceptar};
}

Mensaje MensajeMameIniNoEditable()
{
    return {QStringLiteral("El archivo 'mame.ini' de la carpeta del M.A.M.E está guardado en un "
                           "formato de texto que Corvala! no puede modificar sin estropearlo (por "
                           "ejemplo UTF-16), así que no se ha tocado. Si quieres que Corvala! lo "
                           "cambie, guárdalo como texto normal (UTF-8)."),
            QStringLiteral("Error"), Mensaje::Icono::Critico, Mensaje::Botones::Aceptar};
}

Mensaje MensajeDeMameIni(ResultadoMameIni resultado)
{
    return resultado == ResultadoMameIni::NoSeEdita ? MensajeMameIniNoEditable()
                                                    : MensajeErrorMameIni();
}

} // namespace Corvala
