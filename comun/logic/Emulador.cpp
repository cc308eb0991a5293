#include "comun/logic/Emulador.h"

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/modPrincipal.h"
#include "comun/logic/OpcionesEmulador.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryFile>

namespace Corvala {

namespace {

// The folder's own configuration, for an emulator that would read one from elsewhere.
QStringList OpcionesDeLaCarpeta(const CarpetaMame &carpeta)
{
    if (!OpcionesEmulador::De(carpeta).CarpetaPropia())
        return {};
    return {QStringLiteral("-inipath"), QStringLiteral(".")};
}

} // namespace

Emulador::Emulador(CarpetaMame carpeta)
    : m_carpeta(std::move(carpeta))
{
}

QStringList Emulador::Argumentos(const QString &nombre, const QStringList &opciones)
{
    QStringList argumentos;
    if (!nombre.isEmpty())
        argumentos << nombre;
    return argumentos + opciones;
}

OrdenEmulador Emulador::Orden(const QStringList &argumentos) const
{
    OrdenEmulador orden;
    orden.programa = m_carpeta.Emulador();
    orden.argumentos = argumentos;
    orden.carpeta = m_carpeta.Ruta();
    return orden;
}

bool Emulador::Ejecutar(const QStringList &argumentos, const QString &salida, int limiteMs) const
{
    OrdenEmulador orden = Orden(argumentos + OpcionesDeLaCarpeta(m_carpeta));
    orden.salida = salida.isEmpty() ? QString() : m_carpeta.Ruta(salida);
    orden.limiteMs = limiteMs;
    return EjecutarYEsperar(orden);
}

std::optional<QString> Emulador::Capturar(const QStringList &argumentos, bool conErrores,
                                         int limiteMs) const
{
    QTemporaryFile captura(QDir::temp().filePath(QStringLiteral("corvala-salida-XXXXXX.txt")));
    if (!captura.open())
        return std::nullopt;
    captura.close();

    OrdenEmulador orden = Orden(argumentos);
    orden.salida = captura.fileName();
    orden.conErrores = conErrores;
    orden.limiteMs = limiteMs;
    if (!EjecutarYEsperar(orden))
        return std::nullopt;
    return ArchivoTexto::LeerTexto(captura.fileName()).value_or(QString());
}

std::optional<QString> Emulador::Preguntar(const QStringList &argumentos) const
{
    // An answer about itself comes at once; an emulator that hangs on it must not hold the
    // start-up for ever.
    return Capturar(argumentos, false, 30000);
}

bool Emulador::CrearConfiguracion() const
{
    QStringList argumentos{QStringLiteral("-cc")};
    // The distribution's own settings are carried over; the paths Corvala works with are the
    // folder's.
    if (OpcionesEmulador::De(m_carpeta).CarpetaPropia())
        argumentos << QStringLiteral("-rompath") << QStringLiteral("roms")
                   << QStringLiteral("-cfg_directory") << QStringLiteral("cfg")
                   << QStringLiteral("-ctrlrpath") << QStringLiteral("ctrlr")
                   << QStringLiteral("-snapshot_directory") << QStringLiteral("snaps");
    return EjecutarYEsperar(Orden(argumentos));
}

bool Emulador::ListarJuegos() const
{
    return Ejecutar({QStringLiteral("-listfull")}, QStringLiteral("lista.txt"));
}

std::optional<QString> Emulador::Jugar(const QString &rom, bool sinSonido) const
{
    QStringList opciones;
    if (sinSonido)
        opciones << QStringLiteral("-soundcard") << QStringLiteral("0");
    return Capturar(Argumentos(rom, opciones) + OpcionesDeLaCarpeta(m_carpeta), true, -1);
}

std::optional<QString> Emulador::Version() const
{
    const QString respuesta = Preguntar({QStringLiteral("-version")}).value_or(QString());
    static const QRegularExpression kBlancos(QStringLiteral("\\s+"));
    const QString palabra = respuesta.split(kBlancos, Qt::SkipEmptyParts).value(0);
    static const QRegularExpression kVersion(QStringLiteral("^[0-9]+\\.[0-9]+[0-9A-Za-z.]*$"));
    if (!kVersion.match(palabra).hasMatch())
        return std::nullopt;
    return palabra;
}

bool Emulador::VerificarSets(const QString &rom, int limiteMs) const
{
    // Current emulators dropped -verifysets; -verifyroms answers a set in the same words.
    const QString orden = OpcionesEmulador::De(m_carpeta).VerificaSets() ? QStringLiteral("-verifysets")
                                                                        : QStringLiteral("-verifyroms");
    return Ejecutar(Argumentos(rom, {orden}), QStringLiteral("1.p"), limiteMs);
}

bool Emulador::ListarRoms(const QString &rom, const QString &salida) const
{
    return Ejecutar(Argumentos(rom, {QStringLiteral("-listroms")}), salida);
}

bool Emulador::VerificarRoms(const QString &rom, const QString &salida) const
{
    return Ejecutar(Argumentos(rom, {QStringLiteral("-verifyroms")}), salida);
}

bool Emulador::IdentificarArchivo(const QString &archivo, const QString &salida) const
{
    return Ejecutar({QStringLiteral("roms/") + archivo, QStringLiteral("-romident")}, salida);
}

bool Emulador::ReconocerArchivo(const QString &archivo, const QString &salida) const
{
    return Ejecutar({QStringLiteral("roms/") + archivo, QStringLiteral("-isknown")}, salida);
}

} // namespace Corvala
