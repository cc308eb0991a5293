#include "collection/logic/SoftwareDeRoms.h"

#include "catalogue/logic/CatalogoSoftware.h"
#include "catalogue/logic/ListaMame.h"
#include "comun/logic/ArchivosDeCarpeta.h"
#include "comun/logic/modPrincipal.h"

#include <QDir>

namespace Corvala::SoftwareDeRoms {

Listado Listar(const QString &carpetaRoms, const QStringList &entradas,
               const QHash<QString, QString> &listas)
{
    Listado listado;
    for (const QString &entrada : entradas) {
        if (!entrada.endsWith(QLatin1Char('/')))
            continue;
        const QString lista = entrada.chopped(1);
        if (!listas.contains(lista))
            continue;
        const QString carpeta = QDir(carpetaRoms).filePath(lista);
        // A machine's own files beside the software keep the folder a set too.
        bool suelto = false;
        const QStringList items = ArchivosDeCarpeta::ListarArchivos(carpeta, nullptr, &suelto);
        for (const QString &item : items) {
            listado.archivos << entrada + item;
            listado.items.insert(entrada + QuitarExtension(item));
        }
        if (!items.isEmpty())
            listado.listas.insert(lista);
        if (!items.isEmpty() && !suelto)
            listado.soloSoftware.insert(entrada);
    }
    return listado;
}

QString ListaDe(const QString &archivo)
{
    const qsizetype barra = archivo.indexOf(QLatin1Char('/'));
    return barra > 0 && barra < archivo.size() - 1 ? archivo.left(barra) : QString();
}

QString ItemDe(const QString &archivo)
{
    return QuitarExtension(archivo.mid(archivo.indexOf(QLatin1Char('/')) + 1));
}

QString NombreDeLista(const CatalogoSoftware *catalogo, const QString &lista)
{
    QString nombre = catalogo ? catalogo->Descripcion(lista) : QString();
    if (nombre.isEmpty())
        return lista;
    constexpr int kLargo = 40;
    if (nombre.size() > kLargo) {
        const qsizetype corte = nombre.lastIndexOf(QLatin1Char(' '), kLargo);
        nombre = nombre.left(corte > 0 ? corte : kLargo) + QStringLiteral("…");
    }
    return nombre;
}

QString Titulo(const CatalogoSoftware *catalogo, const QString &archivo)
{
    const QString lista = ListaDe(archivo);
    const FichaSoftware *item = catalogo ? catalogo->Item(lista, ItemDe(archivo)) : nullptr;
    if (!item)
        return TextoRomDesconocida(archivo);
    return item->descripcion + QStringLiteral(" · ") + NombreDeLista(catalogo, lista);
}

} // namespace Corvala::SoftwareDeRoms
