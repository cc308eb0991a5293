#include "controls/logic/ArchivosControlador.h"

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/LineasIni.h"
#include "comun/logic/modPrincipal.h"
#include "controls/logic/TeclasPorDefecto.h"
#include "emulator/logic/Ejecucion.h"

#include <QRegularExpression>

namespace Corvala {

namespace {

// A control's default codes, its key as the emulator of that version names it.
QStringList CodigosPorDefecto(int p, int c, const QString &version)
{
    QStringList codigos = TeclasPorDefecto::Codigos(p, c);
    if (!TeclasPorDefecto::Tecla(p, c).isEmpty())
        codigos[0] = CodigoParaEmulador(codigos[0], version);
    return codigos;
}

const QChar kComillas = QLatin1Char('"');
const QChar kTab = QLatin1Char('\t');

// Calls the function with the port name and key code of every assignment, in file order, the
// code as the emulator of that version names it.
template <typename Funcion>
void ParaCadaAsignacion(const TeclasAsignadas &teclas, const TablaTeclas &tabla,
                        const QString &version, const MandosAsignados *mandos, Funcion funcion)
{
    for (int p = 0; p < kJugadores; ++p) {
        for (int c = 0; c < kControles; ++c) {
            const int k = teclas[p][c];
            const QString mando = mandos ? (*mandos)[p][c] : QString();
            QStringList codigos;
            if (k > 0)
                codigos << CodigoParaEmulador(tabla.CodigoDeTecla(k), version);
            else if (k == kDefectoSinTecla)
                codigos << TeclasPorDefecto::SinTecla(p, c);
            else if (!mando.isEmpty())
                codigos << CodigosPorDefecto(p, c, version);
            if (!mando.isEmpty())
                codigos << mando;
            if (!codigos.isEmpty())
                funcion(tabla.NombreDePuerto(p, c), codigos.join(QLatin1String(" OR ")));
        }
    }
}

const QString kSufijoTeclado = QStringLiteral("_PAD");

} // namespace

QString CodigoParaEmulador(const QString &codigo, const QString &version)
{
    // The keypad's keys lost the "_" before PAD with the emulator's new input system (0.116):
    // KEYCODE_0_PAD became KEYCODE_0PAD. A current emulator drops an unknown name, and 0.251
    // crashes on a controller file that holds one.
    if (!codigo.endsWith(kSufijoTeclado) || version.isEmpty() || version == VersionDesconocida()
        || CompararVersiones(version, QStringLiteral("0.116")) < 0)
        return codigo;
    return codigo.chopped(kSufijoTeclado.size()) + QStringLiteral("PAD");
}

QString CodigoDeLaTabla(const QString &codigo)
{
    static const QRegularExpression kTeclado(QStringLiteral("^(KEYCODE_.*[^_])PAD$"));
    const QRegularExpressionMatch coincide = kTeclado.match(codigo);
    return coincide.hasMatch() ? coincide.captured(1) + kSufijoTeclado : codigo;
}

QStringList LineasDefaultIni(const TeclasAsignadas &teclas, const TablaTeclas &tabla,
                             const QString &version, const MandosAsignados *mandos)
{
    QStringList lineas{QStringLiteral("#   Teclas configuradas para el Corvala"),
                       QStringLiteral("#")};
    ParaCadaAsignacion(teclas, tabla, version, mandos,
                       [&](const QString &puerto, const QString &codigo) {
                           lineas << RellenarEspacios(puerto, 24) + kComillas + codigo + kComillas;
                       });
    return lineas;
}

QStringList LineasCorvalaCfg(const TeclasAsignadas &teclas, const TablaTeclas &tabla,
                             const QString &version, const MandosAsignados *mandos)
{
    const QString tab2 = QString(2, kTab);
    const QString tab3 = QString(3, kTab);
    QStringList lineas{QStringLiteral("<mameconfig version=\"10\">"),
                       kTab + QStringLiteral("<system name=\"default\">"), QString(),
                       tab2 + QStringLiteral("<!-- Configuracion del teclado para Corvala -->"),
                       tab2 + QStringLiteral("<input>")};
    ParaCadaAsignacion(
            teclas, tabla, version, mandos, [&](const QString &puerto, const QString &codigo) {
                lineas << tab3 + QStringLiteral("<port type=\"") + puerto + QStringLiteral("\">")
                       << tab3 + kTab + QStringLiteral("<newseq type=\"standard\">") + codigo
                                  + QStringLiteral("</newseq>")
                       << tab3 + QStringLiteral("</port>");
            });
    lineas << tab2 + QStringLiteral("</input>") << kTab + QStringLiteral("</system>")
           << QStringLiteral("</mameconfig>");
    return lineas;
}

TeclasAsignadas CargarTeclasDeControlador(const QString &ruta, const TablaTeclas &tabla,
                                          MandosAsignados *mandos)
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
        if (jugador < 1 || jugador > kJugadores
            || tabla.NombreDePuerto(jugador - 1, control) != nombre)
            continue;
        const int p = jugador - 1;
        QStringList codigos = ValorDeLinea(linea).mid(1).split(QStringLiteral(" OR "));
        // A pad's input last, beside the key or the default codes.
        if (codigos.size() > 1 && codigos.last().startsWith(QLatin1String("JOYCODE_"))
            && !TeclasPorDefecto::Codigos(p, control).contains(codigos.last())) {
            const QString mando = codigos.takeLast();
            if (mandos)
                (*mandos)[p][control] = mando;
        }
        for (QString &codigo : codigos)
            codigo = CodigoDeLaTabla(codigo);
        const QString valor = codigos.join(QStringLiteral(" OR "));
        teclas[p][control]
                = codigos == TeclasPorDefecto::Codigos(p, control) ? std::int16_t(-1)
                  : valor == TeclasPorDefecto::SinTecla(p, control)
                          ? kDefectoSinTecla
                          : static_cast<std::int16_t>(tabla.TeclaDeCodigo(codigos.first()));
    }
    return teclas;
}

} // namespace Corvala
