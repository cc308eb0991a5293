#include "comun/logic/ArchivosDeCarpeta.h"

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/CarpetaMame.h"
#include "comun/logic/modPrincipal.h"
#include "comun/logic/Motivos.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <sys/stat.h>
#endif

#include <algorithm>
#include <cerrno>

namespace Corvala::ArchivosDeCarpeta {

bool FaltanArchivosDeCD(const CarpetaMame &carpeta)
{
    for (const char *archivo : {"all.bat", "lista.txt", "Corvala.tlc"}) {
        if (!ExisteArchivo(carpeta.Ruta(QLatin1String(archivo))))
            return true;
    }
    return false;
}

Mensaje MensajeFaltanArchivosDeCD()
{
    return {QStringLiteral("Estás ejecutando el Corvala des de una unidad de CD, y no se han "
                           "encontrado los "
                           "archivos necesarios para su funcionamiento, ya que Corvala los crearía "
                           "de forma "
                           "automática , pero en una unidad de sólo lectura es imposible.\r\n"
                           "Si quieres ejecutar Corvala desde un CD-ROM deberás al menos "
                           "ejecutarlo una vez "
                           "con el M.A.M.E que vas a copiar al CD, para que genere los archivos "
                           "necesarios."),
            QStringLiteral("Error Crítico."), Mensaje::Icono::Critico, Mensaje::Botones::Aceptar};
}

void CrearAllBat(const CarpetaMame &carpeta)
{
    if (!ExisteArchivo(carpeta.Ruta(QStringLiteral("all.bat"))))
        ArchivoTexto::EscribirLineas(carpeta.Ruta(QStringLiteral("all.bat")),
                                     {QStringLiteral("mame -listfull > lista.txt")});
}

namespace {

// Calls the function with the name of every file of the folder, as its bytes stand. Qt's own
// listing leaves out names that are not UTF-8; the system's does not. The system's error number
// when the folder cannot be opened; 0 when it could.
template <typename Funcion>
int ParaCadaNombre(const QString &carpeta, Funcion funcion)
{
#ifdef Q_OS_UNIX
    const QByteArray ruta = QFile::encodeName(carpeta);
    DIR *dir = ::opendir(ruta.constData());
    if (!dir)
        return errno;
    while (const dirent *entrada = ::readdir(dir)) {
        const QByteArray nombre(entrada->d_name);
        bool archivo = entrada->d_type == DT_REG;
        if (entrada->d_type == DT_UNKNOWN || entrada->d_type == DT_LNK) {
            struct stat datos;
            const QByteArray completa = ruta + '/' + nombre;
            archivo = ::stat(completa.constData(), &datos) == 0 && S_ISREG(datos.st_mode);
        }
        if (archivo)
            funcion(nombre);
    }
    ::closedir(dir);
#else
    QDirIterator it(carpeta, QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden);
    while (it.hasNext())
        funcion(QFile::encodeName(it.nextFileInfo().fileName()));
#endif
    return 0;
}

} // namespace

QStringList ListarArchivos(const QString &carpetaRoms, QString *motivo)
{
    QStringList archivos;
    const int error = ParaCadaNombre(carpetaRoms, [&](const QByteArray &nombre) {
        if (nombre.startsWith('.') || nombre.size() < 4
            || qstricmp(nombre.right(4).constData(), ".zip") != 0)
            return;
        // A name that is not UTF-8 is shown as Windows-1252 would read it.
        archivos << ArchivoTexto::DecodificarLinea(nombre);
    });
    // A folder without roms has no archives yet: nothing is wrong with it.
    if (motivo)
        *motivo = error != 0 && error != ENOENT ? Motivos::DelSistema(error) : QString();
    std::sort(archivos.begin(), archivos.end(), [](const QString &a, const QString &b) {
        const int orden = a.compare(b, Qt::CaseInsensitive);
        return orden != 0 ? orden < 0 : a < b;
    });
    return archivos;
}

bool NombreIlegible(const QString &carpetaRoms, const QString &archivo)
{
    if (QFileInfo::exists(carpetaRoms + QLatin1Char('/') + archivo))
        return false;
    bool ilegible = false;
    ParaCadaNombre(carpetaRoms, [&](const QByteArray &nombre) {
        ilegible = ilegible
                   || (!ArchivoTexto::DecodificarUtf8(nombre)
                       && ArchivoTexto::DecodificarLinea(nombre) == archivo);
    });
    return ilegible;
}

Mensaje MensajeNombreIlegible(const QString &archivo)
{
    return {QStringLiteral(
                    "El nombre del archivo %1 no está escrito en UTF-8, así que ni M.A.M.E ni "
                    "Corvala! pueden usarlo. Cámbiale el nombre (por ejemplo desde el "
                    "gestor de archivos) y pulsa 'Actualizar ROMs'.")
                    .arg(archivo),
            QStringLiteral("Nombre no válido"), Mensaje::Icono::Exclamacion,
            Mensaje::Botones::Aceptar};
}

} // namespace Corvala::ArchivosDeCarpeta
