#include "frontend/logic/Emulador.h"

#include "frontend/logic/ArchivoTexto.h"
#include "frontend/logic/modPrincipal.h"

#include <QDir>
#include <QTemporaryFile>

namespace Corvala {

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

bool Emulador::Ejecutar(const QStringList &argumentos, const QString &salida, int limiteMs) const
{
    OrdenEmulador orden;
    orden.programa = m_carpeta.Emulador();
    orden.argumentos = argumentos;
    orden.carpeta = m_carpeta.Ruta();
    orden.salida = salida.isEmpty() ? QString() : m_carpeta.Ruta(salida);
    orden.limiteMs = limiteMs;
    return EjecutarYEsperar(orden);
}

bool Emulador::CrearConfiguracion() const
{
    return Ejecutar({QStringLiteral("-cc")}, {});
}

bool Emulador::ListarJuegos() const
{
    return Ejecutar({QStringLiteral("-listfull")}, QStringLiteral("lista.txt"));
}

std::optional<QString> Emulador::Jugar(const QString &rom, bool sinSonido) const
{
    QTemporaryFile log(QDir::temp().filePath(QStringLiteral("corvala-log-XXXXXX.txt")));
    if (!log.open())
        return std::nullopt;
    log.close();

    QStringList opciones;
    if (sinSonido)
        opciones << QStringLiteral("-soundcard") << QStringLiteral("0");
    OrdenEmulador orden;
    orden.programa = m_carpeta.Emulador();
    orden.argumentos = Argumentos(rom, opciones);
    orden.carpeta = m_carpeta.Ruta();
    orden.salida = log.fileName();
    orden.conErrores = true;
    if (!EjecutarYEsperar(orden))
        return std::nullopt;
    return ArchivoTexto::LeerTexto(log.fileName()).value_or(QString());
}

bool Emulador::VerificarSets(const QString &rom, int limiteMs) const
{
    return Ejecutar(Argumentos(rom, {QStringLiteral("-verifysets")}), QStringLiteral("1.p"), limiteMs);
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
