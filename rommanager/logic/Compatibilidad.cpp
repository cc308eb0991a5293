#include "rommanager/logic/Compatibilidad.h"

#include "catalogue/logic/Catalogo.h"
#include "collection/logic/Identificacion.h"
#include "collection/logic/RenombrePendiente.h"
#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/modPrincipal.h"
#include "emulator/logic/Emulador.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace Corvala {

using RenombrePendiente::EsNombreDeArchivo;

namespace {

// The emulator's word on a set, as a parent or as a clone: good, or the best there can be for
// a set with ROMs nobody has dumped.
bool DiceBueno(const QStringList &salida, const QString &rom)
{
    const QRegularExpression bueno(
            QStringLiteral("^ROMSET %1( \\[[^\\]]*\\])? IS (GOOD|BEST AVAILABLE)$")
                    .arg(QRegularExpression::escape(rom.toUpper())));
    return std::any_of(salida.cbegin(), salida.cend(), [&](const QString &linea) {
        return bueno.match(QuitarBlancos(linea).toString().toUpper()).hasMatch();
    });
}

} // namespace

Compatibilidad::Compatibilidad(CarpetaMame carpeta, int limiteMs)
    : m_carpeta(std::move(carpeta))
    , m_limiteMs(limiteMs)
{
}

QString Compatibilidad::Roms(const QString &archivo) const
{
    return m_carpeta.Ruta(QStringLiteral("roms/") + archivo);
}

bool Compatibilidad::EscribirRegistro(const QString &archivo, const QString &candidato) const
{
    return RenombrePendiente::Escribir(m_carpeta, archivo, candidato);
}

void Compatibilidad::BorrarRegistro() const
{
    RenombrePendiente::Borrar(m_carpeta);
}

QString Compatibilidad::EnSuForma(const QString &archivo, const QString &otro)
{
    const QString nombre = QuitarExtension(otro);
    return nombre.isEmpty() ? otro : nombre + FormaDeArchivo(archivo);
}

bool Compatibilidad::EsRomCompatible(const QString &archivo, const QString &candidato) const
{
    return Probar(archivo, candidato) == Prueba::Compatible;
}

Compatibilidad::Prueba Compatibilidad::Probar(const QString &archivo,
                                              const QString &candidatoDado) const
{
    // A set keeps its form: a 7z is tried as a 7z, a folder as a folder.
    const QString candidato = EnSuForma(archivo, candidatoDado);
    const QString rom = QuitarExtension(candidato);
    // Without a ROM name the emulator would verify every set it knows.
    if (rom.isEmpty() || !EsNombreDeArchivo(archivo) || !EsNombreDeArchivo(candidato))
        return Prueba::Incompatible;
    // The rename below would be refused: no need to write the record first.
    if (QFileInfo::exists(Roms(candidato)) || !QFileInfo::exists(Roms(archivo)))
        return Prueba::Incompatible;
    // What the archive's own files say comes first, when the catalogue knows the set.
    const bool conCatalogo = m_catalogo && m_catalogo->Maquina(rom);
    if (conCatalogo
        && !Identificacion::SirveAlJuego(*m_catalogo, DirectorioZip::LeerConjunto(Roms(archivo)),
                                         rom))
        return Prueba::Incompatible;

    // The record comes first: from the moment of the rename, a killed Corvala can be undone.
    // Without the record or the rename there is no test at all, which is not a negative one.
    if (!EscribirRegistro(archivo, candidato))
        return Prueba::SinPrueba;
    const QString roms = m_carpeta.Ruta(QStringLiteral("roms"));
    if (!RenombrarArchivo(archivo, candidato, roms)) {
        BorrarRegistro();
        return Prueba::SinPrueba;
    }
    const bool verificado = Emulador(m_carpeta).VerificarSets(rom, m_limiteMs);
    const std::optional<QStringList> salida
            = verificado ? ArchivoTexto::LeerLineas(m_carpeta.Ruta(QStringLiteral("1.p")))
                         : std::nullopt;
    // Should the name not come back now, the record stays for the next opening to retry.
    if (!RenombrarArchivo(candidato, archivo, roms))
        return Prueba::Incompatible;
    BorrarRegistro();

    if (!salida || salida->isEmpty())
        return Prueba::Incompatible;
    if (conCatalogo)
        return DiceBueno(*salida, rom) ? Prueba::Compatible : Prueba::Incompatible;
    const QString esperada = QStringLiteral("ROMSET ") + rom.toUpper() + QStringLiteral(" IS GOOD");
    return QuitarBlancos(salida->first()).toString().toUpper() == esperada ? Prueba::Compatible
                                                                           : Prueba::Incompatible;
}

bool Compatibilidad::DevolverNombrePendiente() const
{
    return RenombrePendiente::Devolver(m_carpeta);
}

Compatibilidad::Comparacion Compatibilidad::Comparar(const QString &archivo,
                                                     const QString &archivoDelJuego) const
{
    if (ExisteArchivo(Roms(EnSuForma(archivo, archivoDelJuego))))
        return Comparacion::ExisteArchivoDelJuego;
    switch (Probar(archivo, archivoDelJuego)) {
    case Prueba::Compatible:
        return Comparacion::Compatibles;
    case Prueba::SinPrueba:
        return Comparacion::SinPrueba;
    case Prueba::Incompatible:
        break;
    }
    return Comparacion::Incompatibles;
}

Mensaje Compatibilidad::MensajeDeComparacion(Comparacion comparacion)
{
    switch (comparacion) {
    case Comparacion::ExisteArchivoDelJuego:
        return {QStringLiteral(
                        "No puedes comparar la ROM con el juego seleccionado mientras exista "
                        "un archivo de ROM para este."),
                QStringLiteral("No es posible la comparación"), Mensaje::Icono::Critico};
    case Comparacion::Compatibles:
        return {QStringLiteral(
                        "Las ROMs son compatibles. Puede que actualizando la ROM para el juego "
                        "seleccionado M.A.M.E pueda emularla."),
                QStringLiteral("¡Encontrada!"), Mensaje::Icono::Exclamacion};
    case Comparacion::SinPrueba:
        return MensajeSinPrueba();
    case Comparacion::Incompatibles:
        break;
    }
    return {QStringLiteral("No hay compatibilidad entre estas ROMs."), QStringLiteral("¡Ogh!"),
            Mensaje::Icono::Critico};
}

Compatibilidad::Actualizacion Compatibilidad::Actualizar(const QString &archivo,
                                                         const QString &archivoDelJuegoDado) const
{
    const QString archivoDelJuego = EnSuForma(archivo, archivoDelJuegoDado);
    if (ExisteArchivo(Roms(archivoDelJuego)))
        return Actualizacion::ExisteArchivoDelJuego;
    if (!ExisteArchivo(Roms(archivo)))
        return Actualizacion::ArchivoDesaparecido;
    switch (Probar(archivo, archivoDelJuego)) {
    case Prueba::SinPrueba:
        return Actualizacion::SinPrueba;
    case Prueba::Incompatible:
        return Actualizacion::Incompatible;
    case Prueba::Compatible:
        break;
    }
    return RenombrarArchivo(archivo, archivoDelJuego, m_carpeta.Ruta(QStringLiteral("roms")))
                   ? Actualizacion::Actualizada
                   : Actualizacion::NoRenombrada;
}

std::optional<Mensaje> Compatibilidad::MensajeDeActualizacion(Actualizacion actualizacion,
                                                              const QString &archivo,
                                                              const QString &archivoDelJuego)
{
    switch (actualizacion) {
    case Actualizacion::ExisteArchivoDelJuego:
        return Mensaje{QStringLiteral("No es posible actualizar el archivo zip para el juego "
                                      "seleccionado, ya que existe otro zip con el nombre de la "
                                      "actualización."),
                       QStringLiteral("Error"), Mensaje::Icono::Critico};
    case Actualizacion::ArchivoDesaparecido:
        return Mensaje{QStringLiteral("El archivo a actualizar ha sido borrado o movido durante el "
                                      "proceso de actualización."),
                       QStringLiteral("No es posible continuar"), Mensaje::Icono::Critico};
    case Actualizacion::Incompatible:
        return Mensaje{QStringLiteral("No es posible actualizar esta ROM ya que no sería emulable "
                                      "por la versión de M.A.M.E"),
                       QStringLiteral("¡No!"), Mensaje::Icono::Critico};
    case Actualizacion::NoRenombrada:
        return Mensaje{QStringLiteral("No se ha podido cambiar el nombre del archivo %1 a %2 en la "
                                      "carpeta roms. Comprueba que no sea de sólo lectura.")
                               .arg(archivo, archivoDelJuego),
                       QStringLiteral("Error"), Mensaje::Icono::Critico};
    case Actualizacion::SinPrueba:
        return MensajeSinPrueba();
    case Actualizacion::Actualizada:
        break;
    }
    return std::nullopt;
}

Mensaje Compatibilidad::MensajeSinPrueba()
{
    return {QStringLiteral(
                    "No se puede probar la compatibilidad: Corvala! necesita cambiar el nombre "
                    "del archivo por un momento y no puede hacerlo en la carpeta roms, o no "
                    "puede escribir en la carpeta de M.A.M.E. Comprueba que no sean de sólo "
                    "lectura."),
            QStringLiteral("No es posible la prueba"), Mensaje::Icono::Critico};
}

Mensaje Compatibilidad::MensajeFaltaSeleccion()
{
    return {QStringLiteral("Debes selccionar un archivo de la carpeta roms y un título para que se "
                           "pueda actualizar."),
            QStringLiteral("¡No!"), Mensaje::Icono::Informacion};
}

Mensaje Compatibilidad::PreguntaActualizar(const QString &archivo, const QString &titulo,
                                           const QString &archivoDelJuego)
{
    return {QStringLiteral("¿Deseas actualizar el archivo de ROM ") + archivo
                    + QStringLiteral(" al archivo para el juego ") + titulo + QLatin1Char('(')
                    + archivoDelJuego + QStringLiteral(")?"),
            QStringLiteral("Atención"), Mensaje::Icono::Exclamacion, Mensaje::Botones::SiNo};
}

} // namespace Corvala
