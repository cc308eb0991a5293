#include "rommanager/logic/Informes.h"

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/CarpetaMame.h"
#include "comun/logic/Emulador.h"
#include "comun/logic/Identificacion.h"
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

QStringList SeccionDeCandidatos(const Catalogo &catalogo, const QString &ruta)
{
    // A BIOS's files are in hundreds of sets: the best are enough.
    constexpr int kMostrados = 20;
    QStringList seccion{QStringLiteral("/* JUEGOS CUYAS ROMS CONTIENE EL ARCHIVO */"), QString()};
    const DirectorioZip directorio = DirectorioZip::Leer(ruta);
    const QVector<Candidato> candidatos = Identificacion::Candidatos(catalogo, directorio);
    if (!directorio.legible)
        return seccion << QStringLiteral(
                       "No se puede leer el archivo: no es un .zip o está dañado.");
    if (candidatos.isEmpty())
        return seccion << QStringLiteral(
                       "Ningún juego de M.A.M.E tiene ROMs del tamaño y el CRC de los "
                       "archivos de este .zip.");
    for (const Candidato &candidato : candidatos.mid(0, kMostrados)) {
        seccion << QStringLiteral("%1 %2: %3 de sus %4 ROMs%5")
                           .arg(candidato.nombre, -17)
                           .arg(candidato.titulo)
                           .arg(candidato.presentes)
                           .arg(candidato.roms)
                           .arg(candidato.completo ? QString()
                                                   : QStringLiteral(", le faltan ROMs propias"));
    }
    if (candidatos.size() > kMostrados)
        seccion << QStringLiteral("Y %1 juegos más.").arg(candidatos.size() - kMostrados);
    return seccion;
}

bool InformeDeArchivo(const CarpetaMame &carpeta, const QString &archivo, const Catalogo *catalogo)
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
    informe << QStringLiteral("/* ROMS QUE DEBERÍA TENER EL ARCHIVO PARA QUE FUNCIONE */")
            << QString() << SeccionDeJuego(carpeta, rom, QStringLiteral("2.p")) << QString();
    informe << QStringLiteral("/* COMPROBACIÓN DE LA INTEGRIDAD DEL ARCHIVO */") << QString()
            << SeccionDeJuego(carpeta, rom, QStringLiteral("3.p")) << QString();
    informe << QStringLiteral("/* ¿RECONOCE M.A.M.E. ESTA ROM? */")
            << QStringLiteral(
                       "/* NOTA: Que M.A.M.E. reconozca al completo(KNOWN) o en parte(PARTKNOWN) "
                       "esta ROM no implica que la emule. */")
            << QString()
            << (reconoce ? Salida(carpeta, QStringLiteral("4.p")) : QStringList{SinReconocer()});
    if (catalogo)
        informe << QString()
                << SeccionDeCandidatos(*catalogo, carpeta.Ruta(QStringLiteral("roms/") + archivo));
    return bool(ArchivoTexto::EscribirLineas(Ruta(carpeta), informe));
}

bool InformeDeJuego(const CarpetaMame &carpeta, const QString &titulo,
                    const QString &archivoDelJuego)
{
    const QString rom = QuitarExtension(QuitarBlancos(archivoDelJuego).toString());
    Emulador(carpeta).ListarRoms(rom, QStringLiteral("1.p"));
    QStringList informe;
    informe << QString() << QStringLiteral("/* ") + titulo.toUpper() + QStringLiteral(" */")
            << QStringLiteral("/* ARCHIVOS QUE DEBE TENER SU .ZIP */") << QString()
            << SeccionDeJuego(carpeta, rom, QStringLiteral("1.p"));
    return bool(ArchivoTexto::EscribirLineas(Ruta(carpeta), informe));
}

Mensaje MensajeSinInforme()
{
    return {QStringLiteral("No se ha podido escribir el informe comparacion.log en la carpeta de "
                           "M.A.M.E. Comprueba que la carpeta no sea de sólo lectura."),
            QStringLiteral("Error."), Mensaje::Icono::Critico};
}

} // namespace Corvala::Informes
