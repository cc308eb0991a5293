#include "frontend/logic/Partida.h"

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/modPrincipal.h"
#include "comun/logic/Sesion.h"
#include "emulator/logic/CfgApartados.h"
#include "emulator/logic/Ejecucion.h"
#include "emulator/logic/Emulador.h"

#include <QFile>

namespace Corvala {

Partida::Partida(Sesion &sesion, std::function<bool()> usaControles)
    : m_sesion(sesion)
    , m_usaControles(std::move(usaControles))
{
}

bool Partida::SinSonido(const QString &version)
{
    return CompararVersiones(version, QStringLiteral("0.53")) < 0;
}

Mensaje Partida::MensajeRomDesconocida()
{
    const QString saltos = QStringLiteral("\r\n\r\n");
    return {QStringLiteral(
                    "La ROM que intentas ejecutar no es compatible con la versión de M.A.M.E "
                    "que tienes, puede que haya cambiado el archivo de nombre para esta "
                    "versión.")
                    + saltos
                    + QStringLiteral(
                            "    NOTA #1: Hay algunas ROMs que son utilizadas por otras cómo "
                            "una base de emulación, cómo es el caso de la 'neogeo.zip' que se "
                            "utiliza para cargar los juegos de NEO GEO, por este motivo puede "
                            "ocurrir que no sea detectada la ROM correctamente pero que si es "
                            "necesario que esté en la misma carpeta de las ROMs.")
                    + saltos
                    + QStringLiteral(
                            "    NOTA #2: Recuerda que también sucede que ROMs que tienes con "
                            "un nombre compatible no carguen debido a que ese archivo para ese "
                            "juego ya no tiene ese nombre pero si uno que podría eceptar "
                            "M.A.M.E(Hay juegos cuyos archivos .zip cambian de nombre para "
                            "nuevas versiones de M.A.M.E)."),
            QStringLiteral("¡ATENCIÓN!"), Mensaje::Icono::Informacion, Mensaje::Botones::Aceptar};
}

Mensaje Partida::MensajeDelLog(const QString &titulo, const QString &log)
{
    if (log.isEmpty())
        return {QStringLiteral("No hay sucesos."), QStringLiteral("Visor de Sucesos.")};
    const QString saltos = QStringLiteral("\r\n\r\n");
    return {QStringLiteral("Juego cargado: ") + titulo + saltos + QStringLiteral("Sucesos:")
                    + saltos + log,
            QStringLiteral("Visor de sucesos.")};
}

Mensaje Partida::MensajeErrorCfg()
{
    return {QStringLiteral("No se puede modificar el archivo de configuraciones, compruebe que "
                           "todos los archivos de la carpeta 'cfg' dentro de la carpeta de M.A.M.E "
                           "no tengan la propiedad 'sólo lectura, de ser así Corvala! no podrá "
                           "continuar con la carga de la ROM."),
            QStringLiteral("Error."), Mensaje::Icono::Critico, Mensaje::Botones::Aceptar};
}

QString Partida::LogSinEmulador()
{
    return QStringLiteral("No se ha podido iniciar el emulador (%1).\r\n")
            .arg(CarpetaMame::NombreEmulador());
}

std::optional<QString> Partida::ArchivoParaJugar(const CarpetaMame &carpeta, const QString &archivo,
                                                 bool cd)
{
    const QString nombre = archivo.toLower();
    if (nombre == archivo || cd)
        return archivo;
    if (Mensajes::Mostrar(PreguntaMinusculas(archivo, nombre)) != Respuesta::Si)
        return std::nullopt;
    if (!RenombrarArchivo(archivo, nombre, carpeta.Ruta(QStringLiteral("roms")))) {
        Mensajes::Mostrar(MensajeSinRenombrar(archivo, nombre));
        return std::nullopt;
    }
    return nombre;
}

Mensaje Partida::PreguntaMinusculas(const QString &archivo, const QString &nombre)
{
    return {QStringLiteral("M.A.M.E sólo encuentra este juego si su archivo se llama %2, en "
                           "minúsculas, y ahora se llama %1. ¿Quieres que Corvala! le cambie el "
                           "nombre?")
                    .arg(archivo, nombre),
            QStringLiteral("Nombre del archivo"), Mensaje::Icono::Exclamacion,
            Mensaje::Botones::SiNo};
}

Mensaje Partida::MensajeSinRenombrar(const QString &archivo, const QString &nombre)
{
    return {QStringLiteral("No se ha podido cambiar el nombre del archivo %1 a %2 en la carpeta "
                           "roms. Comprueba que no exista ya un archivo %2 y que la carpeta no sea "
                           "de sólo lectura.")
                    .arg(archivo, nombre),
            QStringLiteral("Error"), Mensaje::Icono::Critico, Mensaje::Botones::Aceptar};
}

QString Partida::LineaDeFinal(int codigoSalida)
{
    if (codigoSalida < 0)
        return QStringLiteral(
                "M.A.M.E se ha cerrado de golpe: el sistema lo ha detenido con una señal.");
    return QStringLiteral("M.A.M.E ha terminado con el código de error %1.").arg(codigoSalida);
}

QString Partida::TextoTerminadaConError()
{
    return QStringLiteral("La partida terminó con un error, mira \"Ver Log\".");
}

Partida::Resultado Partida::Jugar(const QString &archivo, const QString &software)
{
    const CarpetaMame &carpeta = m_sesion.carpeta;
    // An item of a software list is started on a machine, named as it is.
    const QString rom = software.isEmpty() ? QuitarExtension(archivo) : archivo;
    if (m_usaControles() && !CfgApartados::Apartar(carpeta, rom))
        return Resultado::ErrorCfg;

    int codigo = 0;
    const std::optional<QString> salida
            = Emulador(carpeta).Jugar(rom, SinSonido(m_sesion.versionMame), &codigo, software);
    m_sesion.ultimoLog.clear();
    if (!salida) {
        m_sesion.ultimoLog = LogSinEmulador();
    } else {
        for (const QString &linea : ArchivoTexto::PartirLineas(*salida))
            m_sesion.ultimoLog += linea + QStringLiteral("\r\n");
        if (codigo != 0)
            m_sesion.ultimoLog += LineaDeFinal(codigo) + QStringLiteral("\r\n");
    }
    const Resultado final = !salida || codigo != 0 ? Resultado::ConError : Resultado::Terminada;
    // The emulator's codes for a game it never started: failed validity checks (1), missing
    // files (2), a missing device (4), no such game (5), an invalid configuration (6).
    m_seHaJugado = salida && (codigo == 0 || codigo == 3 || codigo > 6 || codigo < 0);

    // What the emulator wrote while the defined keys were in force goes; the player's own
    // files come back.
    if (m_usaControles()) {
        const QString porDefecto = carpeta.Ruta(QStringLiteral("cfg/default.cfg"));
        if (ExisteArchivo(porDefecto) && !QFile::remove(porDefecto))
            return Resultado::ErrorCfg;
        if (!CfgApartados::Devolver(carpeta, rom))
            return Resultado::ErrorCfg;
    }
    return final;
}

} // namespace Corvala
