#include "comun/logic/ArchivosDeCarpeta.h"

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/CarpetaMame.h"
#include "comun/logic/modPrincipal.h"
#include "comun/logic/Motivos.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>

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

// Calls the function with the name of every file and folder of the folder, as its bytes stand,
// and whether it is a folder. Qt's own listing leaves out names that are not UTF-8; the
// system's does not. The system's error number when the folder cannot be opened; 0 when it
// could.
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
        bool subcarpeta = entrada->d_type == DT_DIR;
        if (entrada->d_type == DT_UNKNOWN || entrada->d_type == DT_LNK) {
            struct stat datos;
            const QByteArray completa = ruta + '/' + nombre;
            const bool hay = ::stat(completa.constData(), &datos) == 0;
            archivo = hay && S_ISREG(datos.st_mode);
            subcarpeta = hay && S_ISDIR(datos.st_mode);
        }
        if (archivo || subcarpeta)
            funcion(nombre, subcarpeta);
    }
    ::closedir(dir);
#else
    QDirIterator it(carpeta, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        funcion(QFile::encodeName(info.fileName()), info.isDir());
    }
#endif
    return 0;
}

// Whether a name ends in the extension, in any letter case.
bool Termina(const QByteArray &nombre, const char *extension)
{
    const qsizetype largo = qsizetype(qstrlen(extension));
    return nombre.size() > largo && qstricmp(nombre.right(largo).constData(), extension) == 0;
}

} // namespace

QStringList ListarArchivos(const QString &carpetaRoms, QString *motivo, bool *otros)
{
    if (otros)
        *otros = false;
    // Each set once, in the form the emulator looks at first: its folder, NAME.zip, NAME.7z.
    struct Forma
    {
        QString nombre;
        int orden = 0;
    };
    QHash<QByteArray, Forma> porConjunto;
    const int error = ParaCadaNombre(carpetaRoms, [&](const QByteArray &nombre, bool carpeta) {
        if (nombre.startsWith('.'))
            return;
        const int orden = carpeta                   ? 0
                          : Termina(nombre, ".zip") ? 1
                          : Termina(nombre, ".7z")  ? 2
                                                    : -1;
        if (orden < 0) {
            if (otros)
                *otros = true;
            return;
        }
        const QByteArray conjunto = nombre.left(nombre.size()
                                                - (orden == 0   ? 0
                                                   : orden == 1 ? 4
                                                                : 3));
        const auto hay = porConjunto.constFind(conjunto);
        if (hay != porConjunto.cend() && hay->orden < orden)
            return;
        // A name that is not UTF-8 is shown as Windows-1252 would read it; a folder ends in /.
        porConjunto.insert(conjunto, {ArchivoTexto::DecodificarLinea(nombre)
                                              + (carpeta ? QStringLiteral("/") : QString()),
                                      orden});
    });
    QStringList archivos;
    archivos.reserve(porConjunto.size());
    for (const Forma &forma : std::as_const(porConjunto))
        archivos << forma.nombre;
    // A folder without roms has no archives yet: nothing is wrong with it.
    if (motivo)
        *motivo = error != 0 && error != ENOENT ? Motivos::DelSistema(error) : QString();
    std::sort(archivos.begin(), archivos.end(), [](const QString &a, const QString &b) {
        const int orden = a.compare(b, Qt::CaseInsensitive);
        return orden != 0 ? orden < 0 : a < b;
    });
    return archivos;
}

QStringList Formas(const QString &carpetaRoms, const QString &conjunto)
{
    QStringList formas;
    const QDir roms(carpetaRoms);
    if (QFileInfo(roms.filePath(conjunto)).isDir())
        formas << conjunto + QLatin1Char('/');
    for (const QString &extension : {QStringLiteral(".zip"), QStringLiteral(".7z")}) {
        if (QFileInfo(roms.filePath(conjunto + extension)).isFile())
            formas << conjunto + extension;
    }
    return formas;
}

bool NombreIlegible(const QString &carpetaRoms, const QString &archivo)
{
    if (QFileInfo::exists(carpetaRoms + QLatin1Char('/') + archivo))
        return false;
    bool ilegible = false;
    ParaCadaNombre(carpetaRoms, [&](const QByteArray &nombre, bool) {
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
