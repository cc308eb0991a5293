#include "frontend/logic/ListaDeJuegos.h"

#include "catalogue/logic/Catalogo.h"
#include "catalogue/logic/CatalogoSoftware.h"
#include "catalogue/logic/ListaMame.h"
#include "collection/logic/SoftwareDeRoms.h"
#include "comun/logic/ArchivosDeCarpeta.h"
#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/CarpetaMame.h"
#include "comun/logic/modPrincipal.h"
#include "emulator/logic/Ejecucion.h"
#include "emulator/logic/Emulador.h"
#include "frontend/logic/OrdenLista.h"
#include "input/logic/TablaTeclas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace Corvala {

QString ListaCargada::TextoListaFallida()
{
    return QStringLiteral("No se ha podido crear la lista de juegos.");
}

QString ListaCargada::TextoRomsIlegibles(const QString &motivo)
{
    return QStringLiteral("No se puede leer la carpeta roms: %1.").arg(motivo);
}

namespace ListaDeJuegos {

void PrepararCarpeta(const CarpetaMame &carpeta, bool cd)
{
    if (!cd && !ExisteArchivo(carpeta.Ruta(QStringLiteral("snaps"))))
        QDir(carpeta.Ruta()).mkdir(QStringLiteral("snaps"));
    if (!ExisteArchivo(carpeta.Ruta(QStringLiteral("Corvala.tlc"))))
        CrearTablaTeclas(carpeta);
    ArchivosDeCarpeta::CrearAllBat(carpeta);
}

std::optional<ListaCargada> CargarDatos(const CarpetaMame &carpeta, bool cd,
                                        const std::function<void()> &creandoLista, bool soloLectura)
{
    if (cd && ArchivosDeCarpeta::FaltanArchivosDeCD(carpeta))
        return std::nullopt;
    if (!soloLectura)
        PrepararCarpeta(carpeta, cd);
    bool fallida = false;
    std::optional<ListaMame> enMemoria;
    if (!ExisteArchivo(carpeta.Ruta(QStringLiteral("lista.txt")))) {
        if (creandoLista)
            creandoLista();
        if (soloLectura) {
            // Nothing can be written: the emulator's list is kept in memory.
            if (const std::optional<QString> texto = Emulador(carpeta).ListaEnMemoria())
                enMemoria = ListaMame::DesdeTexto(*texto);
            fallida = !enMemoria;
        } else {
            fallida = Emulador(carpeta).ListarJuegos() != FinEjecucion::Bien;
            const QString anterior = carpeta.Ruta(QStringLiteral("lista.anterior"));
            if (fallida)
                MoverArchivo(anterior, carpeta.Ruta(QStringLiteral("lista.txt")));
            else
                QFile::remove(anterior);
        }
    } else if (!cd && !soloLectura) {
        // A renewal whose new list came another way (the ROM manager makes one too) leaves
        // nothing of the old one behind.
        QFile::remove(carpeta.Ruta(QStringLiteral("lista.anterior")));
    }
    ListaCargada lista = Cargar(carpeta, enMemoria ? &*enMemoria : nullptr);
    lista.listaFallida = fallida;
    return lista;
}

Mensaje MensajeNoSeApartaLista()
{
    return {QStringLiteral("Se ha producido un error, comprueba si el archivo 'Lista.txt' está "
                           "cómo sólo lectura ya que si es así es imposible seguir."),
            QStringLiteral("Error."), Mensaje::Icono::Critico, Mensaje::Botones::Aceptar};
}

bool ApartarLista(const CarpetaMame &carpeta)
{
    // Only a file is the list: anything else there cannot be set aside as one.
    if (!QFileInfo(carpeta.Ruta(QStringLiteral("lista.txt"))).isFile())
        return false;
    return MoverArchivo(carpeta.Ruta(QStringLiteral("lista.txt")),
                        carpeta.Ruta(QStringLiteral("lista.anterior")));
}

ListaCargada Cargar(const CarpetaMame &carpeta, const ListaMame *enMemoria)
{
    ListaCargada lista;
    const QString roms = carpeta.Ruta(QStringLiteral("roms"));
    lista.ROMs = ArchivosDeCarpeta::ListarArchivos(roms, &lista.motivoRoms);
    // The software of the lists the emulator has, in their folders: a folder that holds nothing
    // else is no set.
    const bool conCarpetas
            = std::any_of(lista.ROMs.cbegin(), lista.ROMs.cend(),
                          [](const QString &a) { return a.endsWith(QLatin1Char('/')); });
    const SoftwareDeRoms::Listado software
            = conCarpetas ? SoftwareDeRoms::Listar(
                      roms, lista.ROMs,
                      CatalogoSoftware::Archivos(CatalogoSoftware::Carpetas(carpeta)))
                          : SoftwareDeRoms::Listado{};
    if (!software.archivos.isEmpty()) {
        lista.ROMs.removeIf([&software](const QString &archivo) {
            return software.soloSoftware.contains(archivo);
        });
        lista.ROMs << software.archivos;
        lista.software = CatalogoSoftware::Abrir(Catalogo::Ruta(carpeta), software.listas, nullptr,
                                                 &software.items);
    }
    std::optional<ListaMame> deArchivo;
    if (!enMemoria)
        deArchivo = ListaMame::Cargar(carpeta.Ruta(QStringLiteral("lista.txt")));
    const ListaMame *juegos = enMemoria ? enMemoria : deArchivo ? &*deArchivo : nullptr;
    if (!juegos)
        return lista;
    lista.juegosListados = int(juegos->Juegos().size());

    QStringList textos;
    textos.reserve(lista.ROMs.size());
    for (const QString &archivo : std::as_const(lista.ROMs))
        textos << (SoftwareDeRoms::ListaDe(archivo).isEmpty()
                           ? TituloDeRom(*juegos, archivo)
                           : SoftwareDeRoms::Titulo(lista.software.get(), archivo));
    lista.ROMTemporal = OrdenarLista(textos);
    lista.juegos.reserve(textos.size());
    for (const int k : std::as_const(lista.ROMTemporal))
        lista.juegos << textos[k];
    return lista;
}

} // namespace ListaDeJuegos
} // namespace Corvala
