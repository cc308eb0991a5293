#include "comun/logic/LineasIni.h"

#include "comun/logic/modPrincipal.h"

namespace Corvala {

namespace {

const QChar kBlanco = QLatin1Char(' ');

} // namespace

QString RellenarEspacios(const QString &texto, int ancho)
{
    return texto.size() >= ancho ? texto : texto + QString(ancho - texto.size(), kBlanco);
}

QString NombreDeLinea(const QString &linea)
{
    const qsizetype blanco = linea.indexOf(kBlanco);
    return blanco < 0 ? QString() : QuitarBlancos(QStringView(linea).left(blanco)).toString();
}

QString ValorDeLinea(const QString &linea)
{
    const qsizetype blanco = linea.indexOf(kBlanco);
    if (blanco < 0)
        return {};
    return QuitarBlancos(QStringView(linea).mid(blanco, linea.size() - 1 - blanco)).toString();
}

} // namespace Corvala
