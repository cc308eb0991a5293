#include "frontend/logic/Arranque.h"

#include "collection/logic/RenombrePendiente.h"
#include "comun/logic/ArchivosDeCarpeta.h"
#include "comun/logic/CarpetaMame.h"
#include "comun/logic/modPrincipal.h"
#include "comun/logic/Sesion.h"
#include "emulator/logic/CfgApartados.h"
#include "emulator/logic/Ejecucion.h"
#include "emulator/logic/Emulador.h"
#include "emulator/logic/OpcionMameIni.h"
#include "frontend/logic/AvisoDeOtraCopia.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace Corvala::Arranque {

Mensaje MensajeSinEmulador()
{
    return {QStringLiteral("No se ha encontrado el archivo ejecutable de M.A.M.E (%1) sin este "
                           "archivo el Corvala! no funcionará, por favor copia este programa en la "
                           "misma carpeta que el M.A.M.E.")
                    .arg(CarpetaMame::NombreEmulador()),
            QStringLiteral("Fichero no encontrado."), Mensaje::Icono::Critico,
            Mensaje::Botones::Aceptar};
}

Mensaje MensajeYaAbierto()
{
    return {QStringLiteral("Corvala! ya se encuentra abierto, búscalo, debe estar por ahí."),
            QStringLiteral("Corvala ya está abierto."), Mensaje::Icono::Informacion,
            Mensaje::Botones::Aceptar};
}

QString RutaBloqueo(const CarpetaMame &carpeta)
{
    const QFileInfo info(carpeta.Ruta());
    if (info.isDir() && info.isWritable())
        return carpeta.Ruta(QStringLiteral("corvala.lock"));
    // Every login shares the system's temporary folder, whatever its own runtime folder.
    const QString real = info.canonicalFilePath().isEmpty() ? info.absoluteFilePath()
                                                            : info.canonicalFilePath();
    const QByteArray clave
            = QCryptographicHash::hash(QFile::encodeName(real), QCryptographicHash::Sha1)
                      .toHex()
                      .left(16);
    return QDir(QDir::tempPath())
            .filePath(QStringLiteral("corvala-%1.lock").arg(QLatin1String(clave)));
}

std::unique_ptr<QLockFile> TomarBloqueo(const QString &ruta)
{
    auto bloqueo = std::make_unique<QLockFile>(ruta);
    // A running copy's lock is never too old; one whose process is gone is taken over.
    bloqueo->setStaleLockTime(0);
    if (!bloqueo->tryLock(0))
        return nullptr;
    return bloqueo;
}

Configuracion ConfiguracionDeVersion(const QString &version)
{
    if (version == VersionDesconocida()
        || CompararVersiones(version, QStringLiteral("0.37 BETA 14")) <= 0)
        return Configuracion::NoConfigurable;
    if (CompararVersiones(version, QStringLiteral("0.59")) <= 0)
        return Configuracion::ControlesNoConfigurables;
    return Configuracion::Configurable;
}

QString TextoDeVersion(const QString &version, Configuracion configuracion)
{
    switch (configuracion) {
    case Configuracion::NoConfigurable:
        return version == VersionDesconocida() ? version
                                               : QStringLiteral("Version de M.A.M.E. (") + version
                                                         + QStringLiteral(") (No configurable)");
    case Configuracion::ControlesNoConfigurables:
        return QStringLiteral("Versión de M.A.M.E. (") + version
               + QStringLiteral(") (Controles no configurables)");
    case Configuracion::Configurable:
        break;
    }
    return QStringLiteral("Versión de M.A.M.E. (") + version + QLatin1Char(')');
}

void RetirarControladorAntiguo(const CarpetaMame &carpeta)
{
    const bool controladoresDelEmulador
            = ExisteArchivo(carpeta.Ruta(QStringLiteral("ctrlr/hotrod.cfg")))
              || ExisteArchivo(carpeta.Ruta(QStringLiteral("slikstik.cfg")))
              || ExisteArchivo(carpeta.Ruta(QStringLiteral("hotrodse.cfg")));
    const QString ini = carpeta.Ruta(QStringLiteral("ctrlr/Corvala/default.ini"));
    if (!controladoresDelEmulador
        || ExisteArchivo(carpeta.Ruta(QStringLiteral("ctrlr/Corvala.cfg"))) || !ExisteArchivo(ini))
        return;
    QFile::remove(ini);
    // The folder goes only when nothing else is left in it.
    QDir().rmdir(carpeta.Ruta(QStringLiteral("ctrlr/Corvala")));
}

void DeshacerLoApartado(Sesion &sesion)
{
    const CarpetaMame &carpeta = sesion.carpeta;
    CfgApartados::DevolverTodo(carpeta);
    if (CtrlrDeCorvala(carpeta))
        FijarOpcionMameIni(carpeta, QStringLiteral("ctrlr"), QString(), false,
                           sesion.lineaCtrlrGuardada);
}

void LimpiarAlCerrar(const CarpetaMame &carpeta)
{
    CfgApartados::Devolver(carpeta, QStringLiteral("default"));
    for (const char *trabajo : {"1.p", "all.bat", "comparacion.log"}) {
        const QString ruta = carpeta.Ruta(QLatin1String(trabajo));
        if (QFileInfo(ruta).isFile())
            QFile::remove(ruta);
    }
}

LineaDeEstado EstadoTrasCargar(const ListaCargada &lista, const LineaDeEstado &siNoFalla)
{
    if (lista.listaFallida)
        return {ListaCargada::TextoListaFallida(), ColorEstado::Rojo};
    if (!lista.motivoRoms.isEmpty())
        return {ListaCargada::TextoRomsIlegibles(lista.motivoRoms), ColorEstado::Rojo};
    return siNoFalla;
}

Mensaje MensajeSoloLectura(const CarpetaMame &carpeta)
{
    return {QStringLiteral("La carpeta %1 es de sólo lectura. Puedes ver la lista de juegos y "
                           "jugar, pero Corvala! no puede guardar nada en ella: ni los favoritos, "
                           "ni los juegos jugados, ni los filtros, ni el catálogo del emulador "
                           "(sin él no hay filtros por catálogo ni información de cada juego). "
                           "Tampoco se pueden cambiar las teclas ni usar el gestor de ROMs.")
                    .arg(QDir::toNativeSeparators(carpeta.Ruta())),
            QStringLiteral("Carpeta de sólo lectura"), Mensaje::Icono::Informacion,
            Mensaje::Botones::Aceptar};
}

Inicio Iniciar(Sesion &sesion, const std::function<void()> &creandoLista)
{
    const CarpetaMame &carpeta = sesion.carpeta;
    Inicio inicio;
    sesion.cd = sesion.esUnidadCD(carpeta.Ruta());
    sesion.soloLectura = !sesion.cd && sesion.esSoloLectura(carpeta.Ruta());
    if (!carpeta.TieneEmulador()) {
        inicio.rechazo = MensajeSinEmulador();
        return inicio;
    }
    if (!sesion.rutaBloqueo.isEmpty()) {
        sesion.bloqueo = TomarBloqueo(sesion.rutaBloqueo);
        if (!sesion.bloqueo) {
            // The copy that runs comes to the front.
            AvisoDeOtraCopia::Avisar(sesion.rutaBloqueo);
            inicio.rechazo = MensajeYaAbierto();
            return inicio;
        }
    }
    // What a killed Corvala left aside or misnamed is put back before anything else: the
    // player's cfg files, mame.ini, an archive under another name.
    if (sesion.Escribe()) {
        DeshacerLoApartado(sesion);
        RenombrePendiente::Devolver(carpeta);
    }
    std::optional<ListaCargada> lista
            = ListaDeJuegos::CargarDatos(carpeta, sesion.cd, creandoLista, sesion.soloLectura);
    if (!lista) {
        inicio.rechazo = ArchivosDeCarpeta::MensajeFaltanArchivosDeCD();
        return inicio;
    }
    inicio.lista = std::move(*lista);

    sesion.versionMame = VersionMame(carpeta);
    inicio.configuracion = ConfiguracionDeVersion(sesion.versionMame);
    inicio.estado = {TextoDeVersion(sesion.versionMame, inicio.configuracion),
                     inicio.configuracion == Configuracion::Configurable ? ColorEstado::Turquesa
                                                                         : ColorEstado::Rojo};
    if (inicio.configuracion != Configuracion::NoConfigurable && sesion.Escribe()
        && !ExisteArchivo(carpeta.Ruta(QStringLiteral("mame.ini"))))
        Emulador(carpeta).CrearConfiguracion();
    if (inicio.configuracion == Configuracion::Configurable && sesion.Escribe())
        RetirarControladorAntiguo(carpeta);
    if (sesion.soloLectura)
        inicio.aviso = MensajeSoloLectura(carpeta);
    inicio.estado = EstadoTrasCargar(inicio.lista, inicio.estado);
    if (sesion.cd)
        inicio.estado
                = {QStringLiteral("Ejecutando desde CD (Modo deshabilitado)"), ColorEstado::Rojo};
    return inicio;
}

Cierre Cerrar(Sesion &sesion)
{
    if (sesion.ocupado)
        return {false, QStringLiteral("Si MAME está activo, no se puede cerrar Corvala!"), {}};
    Cierre cierre;
    const CarpetaMame &carpeta = sesion.carpeta;
    // Only what Corvala did is undone: a ctrlr value of the player's own stays. Corvala's is
    // replaced by the line it replaced, or unset.
    if (sesion.Escribe() && ExisteArchivo(carpeta.Ruta(QStringLiteral("mame.ini")))
        && CtrlrDeCorvala(carpeta)) {
        const ResultadoMameIni resultado = FijarOpcionMameIni(
                carpeta, QStringLiteral("ctrlr"), QString(), !sesion.lineaCtrlrGuardada.isEmpty(),
                sesion.lineaCtrlrGuardada);
        if (resultado != ResultadoMameIni::Cambiado && resultado != ResultadoMameIni::SinCambios)
            cierre.error = MensajeDeMameIni(resultado);
    }
    LimpiarAlCerrar(carpeta);
    return cierre;
}

} // namespace Corvala::Arranque
