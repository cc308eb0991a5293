#include "rommanager/logic/Informes.h"

#include "catalogue/logic/Catalogo.h"
#include "catalogue/logic/CatalogoSoftware.h"
#include "collection/logic/AuditoriaSoftware.h"
#include "collection/logic/Identificacion.h"
#include "collection/logic/SistemaDeSoftware.h"
#include "collection/logic/SoftwareDeRoms.h"
#include "comun/logic/ArchivosDeCarpeta.h"
#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/CarpetaMame.h"
#include "comun/logic/modPrincipal.h"
#include "comun/logic/Registro.h"
#include "emulator/logic/Emulador.h"
#include "emulator/logic/OpcionesEmulador.h"

#include <QFile>

#include <functional>

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

namespace {

// A report, with every name in it as the player is shown it: one line of the report per line.
Resultado EscribirInforme(const CarpetaMame &carpeta, QStringList lineas)
{
    for (QString &linea : lineas)
        linea = ArchivoTexto::Visible(std::move(linea));
    return ArchivoTexto::EscribirLineas(Ruta(carpeta), lineas);
}

} // namespace

QString Ruta(const CarpetaMame &carpeta)
{
    return carpeta.Ruta(QStringLiteral("comparacion.log"));
}

QStringList SeccionDeCandidatos(const Catalogo &catalogo, const QString &ruta)
{
    // A BIOS's files are in hundreds of sets: the best are enough.
    constexpr int kMostrados = 20;
    QStringList seccion{QStringLiteral("/* JUEGOS CUYAS ROMS CONTIENE EL ARCHIVO */"), QString()};
    const DirectorioZip directorio = DirectorioZip::LeerConjunto(ruta);
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
    return bool(EscribirInforme(carpeta, informe));
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
    return bool(EscribirInforme(carpeta, informe));
}

namespace {

// A report's section head: its title and how many run, run with the best there is, or cannot;
// cuantos says "1 juego", "3 juegos".
QStringList Recuento(const QString &titulo, qsizetype correctos, qsizetype mejores,
                     qsizetype incorrectos, const std::function<QString(qsizetype)> &cuantos)
{
    return {QString(),
            titulo,
            QString(),
            QStringLiteral("Se pueden jugar: %1.").arg(cuantos(correctos)),
            QStringLiteral("Se pueden jugar con lo mejor que hay: %1.").arg(cuantos(mejores)),
            QStringLiteral("No se pueden jugar: %1.").arg(cuantos(incorrectos))};
}

// What keeps the most from running first: how many each thing is missing for, then by name.
QVector<std::pair<int, QString>> PorCuantos(const QHash<QString, int> &veces)
{
    QVector<std::pair<int, QString>> orden;
    for (auto v = veces.cbegin(); v != veces.cend(); ++v)
        orden.push_back({v.value(), v.key()});
    std::sort(orden.begin(), orden.end(), [](const auto &a, const auto &b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    return orden;
}

} // namespace

QStringList LineasDeColeccion(const ResultadoAuditoria &auditoria, const Catalogo &catalogo)
{
    // The games: no BIOS and no device, each with its title.
    struct Juego
    {
        QString titulo;
        const Veredicto *veredicto;
        QString nombre; // its set's
    };
    QVector<Juego> incorrectos;
    int correctos = 0, mejores = 0;
    // BIOS and devices apart: how many there are, and how many of them serve.
    int bios = 0, biosQueSirven = 0, dispositivos = 0, dispositivosQueSirven = 0;
    QHash<QString, int> archivosQueFaltan;
    for (auto v = auditoria.veredictos.cbegin(); v != auditoria.veredictos.cend(); ++v) {
        const FichaMaquina *maquina = catalogo.Maquina(v.key());
        if (maquina && !maquina->EsJuego()) {
            const bool sirve = v->estado != Veredicto::Estado::Incorrecto;
            (maquina->esBios ? bios : dispositivos) += 1;
            (maquina->esBios ? biosQueSirven : dispositivosQueSirven) += sirve ? 1 : 0;
            continue;
        }
        switch (v->estado) {
        case Veredicto::Estado::Correcto:
            ++correctos;
            break;
        case Veredicto::Estado::MejorDisponible:
            ++mejores;
            break;
        case Veredicto::Estado::Incorrecto:
            incorrectos.push_back({QStringLiteral("%1 (%2)").arg(
                                           maquina ? maquina->descripcion : v.key(), v.key()),
                                   &*v, v.key()});
            for (const QString &archivo : v->archivosQueFaltan)
                ++archivosQueFaltan[archivo];
            break;
        }
    }
    std::sort(incorrectos.begin(), incorrectos.end(),
              [](const Juego &a, const Juego &b) { return a.titulo < b.titulo; });
    QStringList lineas = Recuento(QStringLiteral("/* INFORME DE LA COLECCIÓN */"), correctos,
                                  mejores, incorrectos.size(), [](qsizetype n) {
                                      return n == 1 ? QStringLiteral("1 juego")
                                                    : QStringLiteral("%1 juegos").arg(n);
                                  });
    if (bios + dispositivos > 0)
        lineas << QStringLiteral("Además, que no son juegos: %1 de %2 BIOS y %3 de %4 "
                                 "dispositivos tienen lo que necesitan.")
                          .arg(biosQueSirven)
                          .arg(bios)
                          .arg(dispositivosQueSirven)
                          .arg(dispositivos);

    // What would fix most: the archives missing for the most games first.
    QStringList arreglos;
    for (const auto &[cuantos, archivo] : PorCuantos(archivosQueFaltan))
        arreglos << (cuantos == 1 ? QStringLiteral("%1: la necesita 1 juego.").arg(archivo)
                                  : QStringLiteral("%1: la necesitan %2 juegos.")
                                            .arg(archivo)
                                            .arg(cuantos));
    // Files one set lacks that another archive of the folder holds, by size and CRC.
    // A set's own archives and folder are where it is looked for already: never sent back to.
    QMultiHash<QPair<quint32, quint64>, const ContenidoDeRoms::Conjunto *> dondeEsta;
    for (const ContenidoDeRoms::Conjunto &conjunto : auditoria.contenido.conjuntos) {
        for (const DirectorioZip::Archivo &archivo : conjunto.archivos)
            dondeEsta.insert({archivo.crc, archivo.tamano}, &conjunto);
    }
    for (const Juego &juego : std::as_const(incorrectos)) {
        for (const Veredicto::Falta &falta : juego.veredicto->faltan) {
            if (falta.tamano == 0)
                continue;
            for (const auto *donde : dondeEsta.values({falta.crc, quint64(falta.tamano)})) {
                if (donde->nombre == juego.nombre)
                    continue;
                arreglos << QStringLiteral("%1 está en %2 (lo necesita %3).")
                                    .arg(falta.nombre, donde->Archivo(), juego.titulo);
                break;
            }
        }
    }
    lineas << QString() << QStringLiteral("/* LO QUE MÁS AYUDARÍA */") << QString();
    lineas << (arreglos.isEmpty() ? QStringList{QStringLiteral("Nada: a ningún juego le falta un "
                                                               "archivo que esté en la carpeta o "
                                                               "que necesiten varios.")}
                                  : arreglos);
    lineas << QString() << QStringLiteral("/* JUEGOS QUE NO SE PUEDEN JUGAR */") << QString();
    for (const Juego &juego : std::as_const(incorrectos))
        lineas << juego.titulo + QLatin1String(": ") + juego.veredicto->motivo;
    return lineas;
}

QStringList LineasDeSoftware(const ResultadoAuditoriaSoftware &software,
                             const CatalogoSoftware *items, const Catalogo &catalogo,
                             const ResultadoAuditoria &auditoria)
{
    if (software.veredictos.isEmpty())
        return {};
    int correctos = 0, mejores = 0;
    QStringList incorrectos;
    QHash<QString, int> sinMaquina; // why no machine runs them, and for how many
    for (auto v = software.veredictos.cbegin(); v != software.veredictos.cend(); ++v) {
        const qsizetype barra = v.key().indexOf(QLatin1Char('/'));
        const QString lista = v.key().left(barra);
        const FichaSoftware *item = items ? items->Item(lista, v.key().mid(barra + 1)) : nullptr;
        QString motivo = v->estado == Veredicto::Estado::Incorrecto ? v->motivo : QString();
        if (motivo.isEmpty() && item) {
            const QStringList maquinas = SistemaDeSoftware::Maquinas(catalogo, &auditoria, *item);
            motivo = SistemaDeSoftware::SinMaquina(catalogo, &auditoria, lista, maquinas,
                                                   maquinas.value(0));
            if (!motivo.isEmpty())
                ++sinMaquina[motivo];
        }
        if (!motivo.isEmpty())
            incorrectos << QStringLiteral("%1 (%2): %3")
                                   .arg(item ? item->descripcion : v.key(),
                                        QString(v.key()).replace(barra, 1, QLatin1Char(':')),
                                        motivo);
        else
            ++(v->estado == Veredicto::Estado::Correcto ? correctos : mejores);
    }
    incorrectos.sort();
    const auto programas = [](qsizetype n) {
        return n == 1 ? QStringLiteral("1 programa") : QStringLiteral("%1 programas").arg(n);
    };
    QStringList lineas = Recuento(QStringLiteral("/* SOFTWARE DE CONSOLAS Y ORDENADORES */"),
                                  correctos, mejores, incorrectos.size(), programas);
    // What would fix most: the machines that keep the most items from running.
    for (const auto &[cuantos, motivo] : PorCuantos(sinMaquina))
        lineas << QStringLiteral("%1 (lo que más ayudaría: le pasa a %2)")
                          .arg(motivo, programas(cuantos));
    lineas << QString() << incorrectos;
    return lineas;
}

bool InformeDeColeccion(const CarpetaMame &carpeta, const Catalogo &catalogo)
{
    const ResultadoAuditoria auditoria = Auditoria::Auditar(carpeta, true);
    if (!auditoria.motivo.isEmpty()) {
        qCWarning(lcCatalogo) << "the collection cannot be audited:" << auditoria.motivo;
        return false;
    }
    QStringList lineas = LineasDeColeccion(auditoria, catalogo);
    // The software of the lists' folders, as the list shows it.
    const QString roms = carpeta.Ruta(QStringLiteral("roms"));
    const QSet<QString> listas
            = SoftwareDeRoms::Listar(
                      roms, ArchivosDeCarpeta::ListarArchivos(roms),
                      CatalogoSoftware::Archivos(CatalogoSoftware::Carpetas(carpeta)))
                      .listas;
    if (!listas.isEmpty()) {
        const ResultadoAuditoriaSoftware software = AuditoriaSoftware::Auditar(carpeta, listas);
        if (software.motivo.isEmpty())
            lineas << LineasDeSoftware(
                    software, CatalogoSoftware::Abrir(Catalogo::Ruta(carpeta), listas).get(),
                    catalogo, auditoria);
        else
            qCWarning(lcCatalogo) << "the software cannot be audited:" << software.motivo;
    }
    return bool(EscribirInforme(carpeta, lineas));
}

Mensaje MensajeColeccionSinCatalogo()
{
    return {QStringLiteral("El informe de la colección necesita el catálogo del emulador, y "
                           "todavía no hay uno. Espera a que se prepare, o pulsa \"Actualizar "
                           "lista de juegos\" en la ventana principal."),
            QStringLiteral("Informe de la colección"), Mensaje::Icono::Informacion};
}

Mensaje MensajeSinInforme()
{
    return {QStringLiteral("No se ha podido escribir el informe comparacion.log en la carpeta de "
                           "M.A.M.E. Comprueba que la carpeta no sea de sólo lectura."),
            QStringLiteral("Error."), Mensaje::Icono::Critico};
}

} // namespace Corvala::Informes
