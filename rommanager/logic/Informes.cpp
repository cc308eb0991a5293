#include "rommanager/logic/Informes.h"

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/CarpetaMame.h"
#include "comun/logic/Emulador.h"
#include "comun/logic/modPrincipal.h"
#include "comun/logic/OpcionesEmulador.h"

#include <QFile>

namespace Corvala::Informes {

namespace {

// The lines of one of the emulator's outputs, which is then removed; none when it is missing.
QStringList Salida(const CarpetaMame &carpeta, const QString &nombre)
{
    const QString ruta = carpeta.Ruta(nombre);
    QStringList lineas = ArchivoTexto::LeerLineas(ruta).value_or(QStringList());
    QFile::remove(ruta);
    return lineas;
}

// The section of a command about a set: what the emulator printed, or why it was not asked.
QStringList SeccionDeJuego(const CarpetaMame &carpeta, const QString &rom, const QString &salida)
{
    if (!Emulador::EsNombreDeJuego(rom))
        return {NoPreguntado(rom)};
    return Salida(carpeta, salida);
}

} // namespace

QString NoPreguntado(const QString &nombre)
{
    return QStringLiteral("No se ha preguntado a M.A.M.E porque \"%1\" no puede ser el nombre de "
                          "un juego.")
        .arg(nombre);
}

QString SinReconocer()
{
    return QStringLiteral("Esta versión de M.A.M.E no tiene la orden -isknown.");
}

QString Ruta(const CarpetaMame &carpeta)
{
    return carpeta.Ruta(QStringLiteral("comparacion.log"));
}

bool InformeDeArchivo(const CarpetaMame &carpeta, const QString &archivo)
{
    const QString rom = QuitarExtension(archivo);
    // The report's commands share one limit: the ROM manager is never held longer.
    Emulador emulador(carpeta);
    emulador.Plazo(QDeadlineTimer(Emulador::LimitesEnUso().informeMs));
    emulador.IdentificarArchivo(archivo, QStringLiteral("1.p"));
    emulador.ListarRoms(rom, QStringLiteral("2.p"));
    emulador.VerificarRoms(rom, QStringLiteral("3.p"));
    const bool reconoce = OpcionesEmulador::De(carpeta).ReconoceArchivos();
    if (reconoce)
        emulador.ReconocerArchivo(archivo, QStringLiteral("4.p"));

    QStringList informe;
    informe << QStringLiteral("/* COMPROBACIÓN DE LOS ARCHIVOS DE LA ROM */") << QString()
            << Salida(carpeta, QStringLiteral("1.p")) << QString();
    informe << QStringLiteral("/* ROMS QUE DEBERÍA TENER EL ARCHIVO PARA QUE FUNCIONE */") << QString()
            << SeccionDeJuego(carpeta, rom, QStringLiteral("2.p")) << QString();
    informe << QStringLiteral("/* COMPROBACIÓN DE LA INTEGRIDAD DEL ARCHIVO */") << QString()
            << SeccionDeJuego(carpeta, rom, QStringLiteral("3.p")) << QString();
    informe << QStringLiteral("/* ¿RECONOCE M.A.M.E. ESTA ROM? */")
            << QStringLiteral("/* NOTA: Que M.A.M.E. reconozca al completo(KNOWN) o en parte(PARTKNOWN) "
                              "esta ROM no implica que la emule. */")
            << QString()
            << (reconoce ? Salida(carpeta, QStringLiteral("4.p")) : QStringList{SinReconocer()});
    return ArchivoTexto::EscribirLineas(Ruta(carpeta), informe);
}

bool InformeDeJuego(const CarpetaMame &carpeta, const QString &titulo, const QString &archivoDelJuego)
{
    const QString rom = QuitarExtension(QuitarBlancos(archivoDelJuego).toString());
    Emulador(carpeta).ListarRoms(rom, QStringLiteral("1.p"));
    QStringList informe;
    informe << QString() << QStringLiteral("/* ") + titulo.toUpper() + QStringLiteral(" */")
            << QStringLiteral("/* ARCHIVOS QUE DEBE TENER SU .ZIP */") << QString()
            << SeccionDeJuego(carpeta, rom, QStringLiteral("1.p"));
    return ArchivoTexto::EscribirLineas(Ruta(carpeta), informe);
}

Mensaje MensajeSinInforme()
{
    return {QStringLiteral("No se ha podido escribir el informe comparacion.log en la carpeta de "
                           "M.A.M.E. Comprueba que la carpeta no sea de sólo lectura."),
            QStringLiteral("Error."), Mensaje::Icono::Critico};
}

} // namespace Corvala::Informes
