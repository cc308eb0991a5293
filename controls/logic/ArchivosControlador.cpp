#include "controls/logic/ArchivosControlador.h"

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/LineasIni.h"
#include "comun/logic/modPrincipal.h"

namespace Corvala {

namespace {

const QChar kComillas = QLatin1Char('"');
const QChar kTab = QLatin1Char('\t');

// Calls the function with the port name and key code of every assignment, in file order.
template <typename Funcion>
void ParaCadaAsignacion(const TeclasAsignadas &teclas, const TablaTeclas &tabla, Funcion funcion)
{
    for (int p = 0; p < kJugadores; ++p) {
        for (int c = 0; c < kControles; ++c) {
            const int k = teclas[p][c];
            if (k > 0)
                funcion(tabla.NombreDePuerto(p, c), tabla.CodigoDeTecla(k));
        }
    }
}

} // namespace

QStringList LineasDefaultIni(const TeclasAsignadas &teclas, const TablaTeclas &tabla)
{
    QStringList lineas{QStringLiteral("#   Teclas configuradas para el Corvala"),
                       QStringLiteral("#")};
    ParaCadaAsignacion(teclas, tabla, [&](const QString &puerto, const QString &codigo) {
        lineas << RellenarEspacios(puerto, 24) + kComillas + codigo + kComillas;
    });
    return lineas;
}

QStringList LineasCorvalaCfg(const TeclasAsignadas &teclas, const TablaTeclas &tabla)
{
    const QString tab2 = QString(2, kTab);
    const QString tab3 = QString(3, kTab);
    QStringList lineas{QStringLiteral("<mameconfig version=\"10\">"),
                       kTab + QStringLiteral("<system name=\"default\">"),
                       QString(),
                       tab2 + QStringLiteral("<!-- Configuracion del teclado para Corvala -->"),
                       tab2 + QStringLiteral("<input>")};
    ParaCadaAsignacion(teclas, tabla, [&](const QString &puerto, const QString &codigo) {
        lineas << tab3 + QStringLiteral("<port type=\"") + puerto + QStringLiteral("\">")
               << tab3 + kTab + QStringLiteral("<newseq type=\"standard\">") + codigo
                      + QStringLiteral("</newseq>")
               << tab3 + QStringLiteral("</port>");
    });
    lineas << tab2 + QStringLiteral("</input>") << kTab + QStringLiteral("</system>")
           << QStringLiteral("</mameconfig>");
    return lineas;
}

TeclasAsignadas CargarTeclasDeControlador(const QString &ruta, const TablaTeclas &tabla)
{
    TeclasAsignadas teclas = TeclasSinAsignar();
    if (!ExisteArchivo(ruta))
        return teclas;
    const std::optional<QStringList> lineas = ArchivoTexto::LeerLineas(ruta);
    if (!lineas)
        return teclas;
    for (const QString &linea : *lineas) {
        if (linea.startsWith(QLatin1Char('#')))
            continue;
        const int jugador = TablaTeclas::JugadorDeNombre(linea);
        const QString nombre = NombreDeLinea(linea);
        const int control = tabla.ControlDeNombre(nombre);
        // Only a port of the table: an unknown name would otherwise land on control 0.
        if (jugador < 1 || jugador > kJugadores || tabla.NombreDePuerto(jugador - 1, control) != nombre)
            continue;
        teclas[jugador - 1][control] = static_cast<std::int16_t>(
            tabla.TeclaDeCodigo(ValorDeLinea(linea).mid(1)));
    }
    return teclas;
}

} // namespace Corvala
