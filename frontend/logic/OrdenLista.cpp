#include "frontend/logic/OrdenLista.h"

#include "catalogue/logic/ListaMame.h"

#include <algorithm>
#include <numeric>

namespace Corvala {

QVector<int> OrdenarLista(const QStringList &textos)
{
    const int n = int(textos.size());

    // First pass: descending order.
    QVector<int> descendente(n);
    std::iota(descendente.begin(), descendente.end(), 0);
    std::stable_sort(descendente.begin(), descendente.end(),
                     [&textos](int a, int b) { return textos[b] < textos[a]; });

    // Second pass. For each i, every recognised entry after i is exchanged with entry i in
    // turn: the recognised entries at and after i rotate by one, the last of them lands at i,
    // and an unrecognised entry at i moves to the first recognised position after i. So the
    // k recognised entries end at 0..k-1 in reverse, and step i moves the entry then at i to
    // the i-th recognised position of the descending list whenever the two differ.
    QVector<int> reconocidas;
    for (int p = 0; p < n; ++p) {
        if (!EsRomDesconocida(textos[descendente[p]]))
            reconocidas.push_back(p);
    }
    const int k = int(reconocidas.size());

    QVector<int> orden = descendente;
    for (int i = 0; i < k; ++i) {
        if (reconocidas[i] != i)
            orden[reconocidas[i]] = orden[i];
    }
    for (int i = 0; i < k; ++i)
        orden[i] = descendente[reconocidas[k - 1 - i]];
    return orden;
}

} // namespace Corvala
