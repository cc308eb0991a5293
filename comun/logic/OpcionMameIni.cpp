#include "comun/logic/OpcionMameIni.h"

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/CarpetaMame.h"
#include "comun/logic/LineasIni.h"
#include "comun/logic/modPrincipal.h"

#include <QFile>
#include <QFileInfo>

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
                                    const QString &valor, bool restaurar,
                                    QString &lineaGuardada)
{
    const QString ini = carpeta.Ruta(QStringLiteral("mame.ini"));
    const QString temporal = carpeta.Ruta(QStringLiteral("mame.in"));
    const std::optional<QStringList> lineas = QFileInfo::exists(ini) ? ArchivoTexto::LeerLineas(ini)
                                                                     : std::nullopt;
    if (!lineas)
        return ResultadoMameIni::NoSeLee;

    // The saved line changes only when the rewrite goes through.
    QString guardada = lineaGuardada;
    QStringList nuevas;
    nuevas.reserve(lineas->size());
    for (const QString &linea : *lineas) {
        if (!linea.startsWith(QLatin1Char('#'))) {
            if (NombreDeLinea(linea) != nombre) {
                nuevas << linea;
            } else if (restaurar) {
                nuevas << guardada;
            } else if (!valor.isEmpty() && ValorDeOpcion(linea) == valor) {
                return ResultadoMameIni::SinCambios;
            } else {
                guardada = linea;
                nuevas << (valor.isEmpty() && nombre == QLatin1String("ctrlr")
                               ? LineaOpcionSinFijar(nombre)
                               : LineaOpcion(nombre, valor));
            }
        } else {
            const QString resto = linea.mid(2);
            if (NombreDeLinea(resto) != nombre) {
                nuevas << linea;
            } else {
                guardada = linea;
                nuevas << (ValorDeOpcion(resto) != valor ? LineaOpcion(nombre, valor) : resto);
            }
        }
    }

    if (!ArchivoTexto::EscribirLineas(temporal, nuevas))
        return ResultadoMameIni::NoSeLee;
    if (!MoverArchivo(temporal, ini)) {
        QFile::remove(temporal);
        return ResultadoMameIni::NoSeRenombra;
    }
    lineaGuardada = guardada;
    return ResultadoMameIni::Cambiado;
}

Mensaje MensajeErrorMameIni()
{
    return {QStringLiteral("Se ha producido un error al modificar el archivo de inicio de M.A.M.E, "
                           "comprueba que el archivo 'mame.ini' dentro de la carpeta del M.A.M.E no "
                           "tiene la propiedad de 'sólo lectura' de ser así Corvala! no podrá "
                           "continuar funcionando correctamente."),
            QStringLiteral("Error"), Mensaje::Icono::Critico, Mensaje::Botones::Aceptar};
}

} // namespace Corvala
