#include "frontend/logic/CarpetaDeInicio.h"

#include "comun/logic/CarpetaMame.h"
#include "comun/logic/Motivos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace Corvala::CarpetaDeInicio {

namespace {

bool MismaCarpeta(const QString &una, const QString &otra)
{
    const QString real = QFileInfo(una).canonicalFilePath();
    return !real.isEmpty() && real == QFileInfo(otra).canonicalFilePath();
}

} // namespace

Eleccion Elegir(const QString &programa, const QString &instalada, const QString &casa,
                const QString &emulador)
{
    if (CarpetaMame(programa).TieneEmulador() && !MismaCarpeta(programa, instalada))
        return {programa, {}};
    const QString propia = QDir(casa).filePath(QStringLiteral("mame"));
    if (CarpetaMame(propia).TieneEmulador())
        return {propia, {}};
    if (!emulador.isEmpty())
        return {propia, emulador};
    return {programa, {}};
}

QString EmuladorInstalado()
{
    const QFileInfo debian(QStringLiteral("/usr/games/mame"));
    if (debian.isFile() && debian.isExecutable())
        return debian.filePath();
    return QStandardPaths::findExecutable(CarpetaMame::NombreEmulador());
}

Resultado Preparar(const QString &carpeta, const QString &emulador)
{
    if (!QDir().mkpath(QDir(carpeta).filePath(QStringLiteral("roms"))))
        return Resultado::Fallo(
                QStringLiteral("no se puede crear la carpeta %1/roms").arg(carpeta));
    QFile enlace(CarpetaMame(carpeta).Emulador());
    if (!enlace.link(emulador, enlace.fileName()))
        return Resultado::Fallo(Motivos::DeArchivo(enlace));
    return {};
}

Mensaje MensajePreparar(const QString &carpeta, const QString &emulador)
{
    return {QStringLiteral("Corvala! no encuentra ninguna carpeta de M.A.M.E.\n\n¿Quieres que "
                           "prepare la carpeta %1 para el emulador instalado en el sistema (%2)? "
                           "Dentro tendrá la carpeta %1/roms, donde se guardan las ROMs.")
                    .arg(QDir::toNativeSeparators(carpeta), emulador),
            QStringLiteral("Preparar la carpeta de M.A.M.E"), Mensaje::Icono::Informacion,
            Mensaje::Botones::SiNo};
}

Mensaje MensajePreparada(const QString &carpeta)
{
    return {QStringLiteral("La carpeta %1 ya está preparada. Copia las ROMs de tus juegos "
                           "(archivos .zip) en la carpeta %1/roms y pulsa \"Actualizar ROMs\" "
                           "para verlas en la lista.")
                    .arg(QDir::toNativeSeparators(carpeta)),
            QStringLiteral("Carpeta preparada."), Mensaje::Icono::Informacion,
            Mensaje::Botones::Aceptar};
}

Mensaje MensajeNoPreparada(const QString &carpeta, const QString &motivo)
{
    return {QStringLiteral("No se ha podido preparar la carpeta %1: %2.")
                    .arg(QDir::toNativeSeparators(carpeta), motivo),
            QStringLiteral("Error."), Mensaje::Icono::Critico, Mensaje::Botones::Aceptar};
}

std::optional<QString> Decidir(const QString &programa, const QString &instalada,
                               const QString &casa, const QString &emulador)
{
    const Eleccion eleccion = Elegir(programa, instalada, casa, emulador);
    if (eleccion.preparar.isEmpty())
        return eleccion.carpeta;
    if (Mensajes::Mostrar(MensajePreparar(eleccion.carpeta, eleccion.preparar)) != Respuesta::Si)
        return std::nullopt;
    const Resultado preparada = Preparar(eleccion.carpeta, eleccion.preparar);
    if (!preparada) {
        Mensajes::Mostrar(MensajeNoPreparada(eleccion.carpeta, preparada.Motivo()));
        return std::nullopt;
    }
    Mensajes::Mostrar(MensajePreparada(eleccion.carpeta));
    return eleccion.carpeta;
}

} // namespace Corvala::CarpetaDeInicio
