#include "controls/logic/ArchivosControlador.h"

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/LineasIni.h"
#include "comun/logic/modPrincipal.h"
#include "controls/logic/TeclasPorDefecto.h"
#include "emulator/logic/Ejecucion.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace Corvala {

namespace {

const QChar kComillas = QLatin1Char('"');
const QChar kTab = QLatin1Char('\t');
const QString kO = QStringLiteral(" OR ");

// The word of a cell's state in Corvala's own line of default.ini, by state from -4 to 0 and for
// a key.
const QString kEstados[]
        = {QStringLiteral("sin_nada"), QStringLiteral("sin_mando"), QStringLiteral("sin_tecla"),
           QStringLiteral("defecto"), QStringLiteral("defecto")};
const QString kTecla = QStringLiteral("tecla");
// Corvala's own line before a cell whose sequence alone would not say what the player chose:
// "#corvala P1_BUTTON1 defecto JOYCODE_1_BUTTON1" (the state, then the pad input, if any).
const QString kMarca = QStringLiteral("#corvala ");

// Calls the function with player, control, port name and sequence of every assignment, in file
// order, the codes as the emulator of that version names them. A cell on the default is written
// only with a pad input; no code is written twice in a sequence.
template <typename Funcion>
void ParaCadaAsignacion(const TeclasAsignadas &teclas, const TablaTeclas &tabla,
                        const QString &version, const MandosAsignados *mandos, Funcion funcion)
{
    for (int p = 0; p < kJugadores; ++p) {
        for (int c = 0; c < kControles; ++c) {
            const std::int16_t k = teclas[p][c];
            const QString mando = mandos ? (*mandos)[p][c] : QString();
            if ((k == -1 || k == 0) && mando.isEmpty())
                continue;
            QStringList codigos
                    = k > 0 ? QStringList{tabla.CodigoDeTecla(k)}
                            : TeclasPorDefecto::Variante(p, c, std::min<std::int16_t>(k, -1));
            for (QString &codigo : codigos)
                codigo = CodigoParaEmulador(codigo, version);
            if (!mando.isEmpty() && !codigos.contains(mando))
                codigos << mando;
            funcion(p, c, tabla.NombreDePuerto(p, c),
                    codigos.isEmpty() ? QStringLiteral("NONE") : codigos.join(kO));
        }
    }
}

// A cell of a file without Corvala's own line (as Corvala 0.22 wrote them): its default, its
// default less its key, or a key; and a pad input last, once or twice.
std::int16_t LeerSinMarca(QStringList codigos, int p, int c, const TablaTeclas &tabla,
                          QString &mando)
{
    const auto base = [p, c](const QStringList &cs) -> std::optional<std::int16_t> {
        for (const std::int16_t estado : {std::int16_t(-1), kDefectoSinTecla}) {
            if (cs == TeclasPorDefecto::Variante(p, c, estado))
                return estado;
        }
        return std::nullopt;
    };
    if (const std::optional<std::int16_t> estado = base(codigos))
        return *estado;
    if (codigos.size() > 1 && codigos.constLast().startsWith(QLatin1String("JOYCODE_"))) {
        mando = codigos.takeLast();
        if (const std::optional<std::int16_t> estado = base(codigos))
            return *estado;
    }
    return static_cast<std::int16_t>(tabla.TeclaDeCodigo(codigos.constFirst()));
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
    ParaCadaAsignacion(
            teclas, tabla, version, mandos,
            [&](int p, int c, const QString &puerto, const QString &codigo) {
                const std::int16_t k = teclas[p][c];
                const QString mando = mandos ? (*mandos)[p][c] : QString();
                if (!mando.isEmpty() || k < -1)
                    lineas << (kMarca + puerto + QLatin1Char(' ')
                               + (k > 0 ? kTecla : kEstados[std::max(k, std::int16_t(-4)) + 4])
                               + (mando.isEmpty() ? QString() : QLatin1Char(' ') + mando));
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
    ParaCadaAsignacion(teclas, tabla, version, mandos,
                       [&](int, int, const QString &puerto, const QString &codigo) {
                           lineas << tab3 + QStringLiteral("<port type=\"") + puerto
                                             + QStringLiteral("\">")
                                  << tab3 + kTab + QStringLiteral("<newseq type=\"standard\">")
                                             + codigo + QStringLiteral("</newseq>")
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
    // Corvala's own lines: what the player chose for a cell, by port name.
    QHash<QString, QStringList> marcas;
    for (const QString &linea : *lineas) {
        if (linea.startsWith(kMarca)) {
            const QStringList partes
                    = linea.mid(kMarca.size()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (partes.size() >= 2)
                marcas.insert(partes[0], partes.mid(1));
        }
    }
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
        QStringList codigos = ValorDeLinea(linea).mid(1).split(kO);
        for (QString &codigo : codigos)
            codigo = CodigoDeLaTabla(codigo);
        QString mando;
        std::int16_t &celda = teclas[p][control];
        const auto marca = marcas.constFind(nombre);
        if (marca == marcas.cend()) {
            celda = LeerSinMarca(codigos, p, control, tabla, mando);
        } else {
            const qsizetype estado
                    = std::find(std::cbegin(kEstados), std::cend(kEstados), marca->constFirst())
                      - std::cbegin(kEstados);
            celda = marca->constFirst() == kTecla
                            ? static_cast<std::int16_t>(tabla.TeclaDeCodigo(codigos.constFirst()))
                            : static_cast<std::int16_t>(std::min<qsizetype>(estado, 3) - 4);
            mando = marca->value(1);
        }
        if (mandos)
            (*mandos)[p][control] = mando;
    }
    return teclas;
}

} // namespace Corvala
