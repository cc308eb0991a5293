#include "frontend/logic/CarpetaDeInicio.h"

#include "comun/logic/CarpetaMame.h"
#include "comun/logic/Motivos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <filesystem>
#include <system_error>

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

namespace {

// What stands in the way of preparing the folder, said in the player's words with what to do;
// empty when nothing does.
QString Estorbo(const QString &carpeta, const QString &emulador)
{
    const QString otraVez = QStringLiteral(" y abre Corvala! otra vez");
    const QFileInfo mame(carpeta);
    if (mame.isSymLink() && !mame.exists())
        return QStringLiteral("es un enlace a %1, que no existe. Borra el enlace, o crea esa "
                              "carpeta,")
                       .arg(QDir::toNativeSeparators(mame.symLinkTarget()))
               + otraVez;
    if (mame.exists() && !mame.isDir())
        return QStringLiteral("es un archivo, no una carpeta. Cámbiale el nombre o bórralo,")
               + otraVez;
    const QFileInfo roms(QDir(carpeta).filePath(QStringLiteral("roms")));
    if ((roms.exists() || roms.isSymLink()) && !roms.isDir())
        return QStringLiteral("%1 no es una carpeta (es un archivo o un enlace roto). Cámbiale el "
                              "nombre o bórralo,")
                       .arg(QDir::toNativeSeparators(roms.filePath()))
               + otraVez;
    const QFileInfo programa(CarpetaMame(carpeta).Emulador());
    if (programa.isSymLink() && !programa.exists())
        return QStringLiteral("%1 es un enlace a %2, que ya no existe (¿se desinstaló o se movió "
                              "el emulador?). Borra el enlace%3: lo enlazará al emulador "
                              "instalado (%4)")
                .arg(QDir::toNativeSeparators(programa.filePath()),
                     QDir::toNativeSeparators(programa.symLinkTarget()), otraVez, emulador);
    if (programa.exists() || programa.isSymLink())
        return QStringLiteral("%1 ya existe, pero no es un programa que se pueda ejecutar. "
                              "Cámbiale el nombre o bórralo,")
                       .arg(QDir::toNativeSeparators(programa.filePath()))
               + otraVez;
    return {};
}

} // namespace

Resultado Preparar(const QString &carpeta, const QString &emulador)
{
    if (const QString estorbo = Estorbo(carpeta, emulador); !estorbo.isEmpty())
        return Resultado::Fallo(estorbo);
    const QString roms = QDir(carpeta).filePath(QStringLiteral("roms"));
    std::error_code error;
    std::filesystem::create_directories(QFile::encodeName(roms).toStdString(), error);
    if (error)
        return Resultado::Fallo(
                QStringLiteral("no se puede crear la carpeta %1: %2")
                        .arg(QDir::toNativeSeparators(roms), Motivos::DelSistema(error.value())));
    const QString enlace = CarpetaMame(carpeta).Emulador();
    std::filesystem::create_symlink(QFile::encodeName(emulador).toStdString(),
                                    QFile::encodeName(enlace).toStdString(), error);
    if (error)
        return Resultado::Fallo(
                QStringLiteral("no se puede enlazar %1 al emulador: %2")
                        .arg(QDir::toNativeSeparators(enlace), Motivos::DelSistema(error.value())));
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
