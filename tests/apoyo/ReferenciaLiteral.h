#pragma once

// The game list built the long way: one scan of lista.txt from its first line for every
// archive, comparing columns 1 to 10, and two exchange passes over the whole list. Corvala
// computes the same list in one pass and O(n log n); tests and the benchmark hold it against
// this reference.

#include "catalogue/logic/ListaMame.h"
#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/modPrincipal.h"

#include <QStringList>
#include <QVector>

#include <utility>

namespace ReferenciaLiteral {

inline QString SinEspacios(QString texto)
{
    while (texto.startsWith(QLatin1Char(' ')))
        texto.remove(0, 1);
    while (texto.endsWith(QLatin1Char(' ')))
        texto.chop(1);
    return texto;
}

// The title of an archive by a scan of the list's lines (classic layout only).
inline QString TituloDeRom(const QStringList &lineasLista, const QString &archivo)
{
    const QString rom = Corvala::QuitarExtension(archivo).toUpper();
    for (const QString &linea : lineasLista) {
        if (SinEspacios(linea.left(10)).toUpper() == rom && linea.size() >= 12)
            return linea.mid(11, linea.size() - 12);
    }
    return QStringLiteral("ROM desconocida(") + archivo + QLatin1Char(')');
}

// The two passes, exchanging the texts and their index list together.
inline QVector<int> Ordenar(QStringList textos)
{
    const int n = int(textos.size());
    QVector<int> indices(n);
    for (int i = 0; i < n; ++i)
        indices[i] = i;
    auto cambiar = [&](int i, int j) {
        std::swap(textos[i], textos[j]);
        std::swap(indices[i], indices[j]);
    };
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            if (textos[i] < textos[j])
                cambiar(i, j);
        }
    }
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            if (textos[j].left(16) != QLatin1String("ROM desconocida("))
                cambiar(i, j);
        }
    }
    return indices;
}

// The whole literal load: the folder listing's titles, sorted.
inline std::pair<QStringList, QVector<int>> Cargar(const QStringList &lineasLista,
                                                   const QStringList &archivos)
{
    QStringList textos;
    for (const QString &archivo : archivos)
        textos << TituloDeRom(lineasLista, archivo);
    const QVector<int> indices = Ordenar(textos);
    QStringList visibles;
    for (const int k : indices)
        visibles << textos[k];
    return {visibles, indices};
}

} // namespace ReferenciaLiteral
