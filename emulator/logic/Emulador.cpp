#include "emulator/logic/Emulador.h"

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/Mensajes.h"
#include "comun/logic/modPrincipal.h"
#include "emulator/logic/Ejecucion.h"
#include "emulator/logic/OpcionesEmulador.h"
#include "emulator/logic/OpcionMameIni.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

namespace Corvala {

namespace {

// The folder's own configuration, for an emulator that would read one from elsewhere.
QStringList OpcionesDeLaCarpeta(const CarpetaMame &carpeta)
{
    if (!OpcionesEmulador::De(carpeta).CarpetaPropia())
        return {};
    return {QStringLiteral("-inipath"), QStringLiteral(".")};
}

} // namespace

Emulador::Limites &Emulador::LimitesEnUso()
{
    static Limites limites;
    return limites;
}

Mensaje Emulador::MensajeNoResponde(const QString &orden)
{
    return {QStringLiteral(
                    "M.A.M.E no ha terminado a tiempo la orden %1 (o ha escrito mucho más de "
                    "lo normal), así que Corvala! lo ha detenido. Comprueba que el emulador de "
                    "esta carpeta funciona bien.")
                    .arg(orden),
            QStringLiteral("El emulador no responde."), Mensaje::Icono::Exclamacion,
            Mensaje::Botones::Aceptar};
}

Emulador::Emulador(CarpetaMame carpeta)
    : m_carpeta(std::move(carpeta))
{
}

QStringList Emulador::Argumentos(const QString &nombre, const QStringList &opciones)
{
    QStringList argumentos;
    if (!nombre.isEmpty())
        argumentos << nombre;
    return argumentos + opciones;
}

OrdenEmulador Emulador::Orden(const QStringList &argumentos) const
{
    OrdenEmulador orden;
    orden.programa = m_carpeta.Emulador();
    orden.argumentos = argumentos;
    orden.carpeta = m_carpeta.Ruta();
    return orden;
}

bool Emulador::Ejecutar(const QStringList &argumentos, const QString &salida, int limiteMs,
                        qint64 limiteBytes, bool conErrores) const
{
    if (m_plazo) {
        const qint64 queda = m_plazo->remainingTime();
        if (queda == 0)
            return false;
        if (queda > 0 && (limiteMs < 0 || queda < limiteMs))
            limiteMs = static_cast<int>(queda);
    }
    OrdenEmulador orden = Orden(argumentos + OpcionesDeLaCarpeta(m_carpeta));
    orden.salida = salida.isEmpty() ? QString() : m_carpeta.Ruta(salida);
    orden.limiteMs = limiteMs;
    orden.limiteBytes = limiteBytes;
    orden.conErrores = conErrores;
    return EjecutarYEsperar(orden);
}

std::optional<QString> Emulador::Capturar(const QStringList &argumentos, bool conErrores,
                                          int limiteMs, qint64 limiteBytes, FinEjecucion *fin,
                                          int *codigoSalida) const
{
    QTemporaryFile captura(QDir::temp().filePath(QStringLiteral("corvala-salida-XXXXXX.txt")));
    if (!captura.open())
        return std::nullopt;
    captura.close();

    OrdenEmulador orden = Orden(argumentos);
    orden.salida = captura.fileName();
    orden.conErrores = conErrores;
    orden.limiteMs = limiteMs;
    orden.limiteBytes = limiteBytes;
    const FinEjecucion final = Corvala::Ejecutar(orden, codigoSalida);
    if (fin)
        *fin = final;
    if (final == FinEjecucion::NoEmpezo || final == FinEjecucion::Cortado)
        return std::nullopt;
    return ArchivoTexto::LeerTexto(captura.fileName()).value_or(QString());
}

std::optional<QString> Emulador::Preguntar(const QStringList &argumentos) const
{
    // An answer about itself comes at once; an emulator that hangs on it, or talks for ever,
    // must not hold the start-up.
    FinEjecucion fin = FinEjecucion::Bien;
    std::optional<QString> respuesta = Capturar(argumentos, false, LimitesEnUso().preguntaMs,
                                                LimitesEnUso().preguntaBytes, &fin);
    if (fin == FinEjecucion::Cortado)
        Mensajes::Mostrar(MensajeNoResponde(argumentos.join(QLatin1Char(' '))));
    return respuesta;
}

namespace {

// The emulator's own menus and messages in Spanish, as Corvala's, when it has that translation
// (Debian's: /usr/share/games/mame/language/Spanish/strings.mo): the mame.ini it has just
// written names where its translations are (languagepath, relative to the folder or not) and
// leaves language empty. A language it already names is kept.
void PonerEnEspanol(const CarpetaMame &carpeta)
{
    const std::optional<QString> idioma = ValorEnMameIni(carpeta, QStringLiteral("language"));
    const std::optional<QString> rutas = ValorEnMameIni(carpeta, QStringLiteral("languagepath"));
    if (!idioma || !idioma->isEmpty() || !rutas)
        return;
    const QDir carpetaMame(carpeta.Ruta());
    for (const QString &ruta : QString(*rutas).remove(QLatin1Char('"')).split(QLatin1Char(';'))) {
        const QDir traducciones(carpetaMame.filePath(ruta.trimmed()));
        if (!ruta.trimmed().isEmpty()
            && QFileInfo(traducciones.filePath(QStringLiteral("Spanish/strings.mo"))).isFile()) {
            QString guardada;
            FijarOpcionMameIni(carpeta, QStringLiteral("language"), QStringLiteral("Spanish"),
                               false, guardada);
            return;
        }
    }
}

} // namespace

bool Emulador::CrearConfiguracion() const
{
    QStringList argumentos{QStringLiteral("-cc")};
    // The distribution's own settings are carried over; the paths Corvala works with are the
    // folder's.
    if (OpcionesEmulador::De(m_carpeta).CarpetaPropia())
        argumentos << QStringLiteral("-rompath") << QStringLiteral("roms")
                   << QStringLiteral("-cfg_directory") << QStringLiteral("cfg")
                   << QStringLiteral("-ctrlrpath") << QStringLiteral("ctrlr")
                   << QStringLiteral("-snapshot_directory")
                   << QStringLiteral("snaps")
                   // A snapshot taken in a game (F12) is then snaps/GAME.png, where the
                   // preview looks.
                   << QStringLiteral("-snapname") << QStringLiteral("%g");
    OrdenEmulador orden = Orden(argumentos);
    orden.limiteMs = LimitesEnUso().preguntaMs;
    if (!EjecutarYEsperar(orden))
        return false;
    PonerEnEspanol(m_carpeta);
    return true;
}

std::optional<QString> Emulador::ListaEnMemoria() const
{
    FinEjecucion fin = FinEjecucion::Bien;
    std::optional<QString> lista
            = Capturar(QStringList{QStringLiteral("-listfull")} + OpcionesDeLaCarpeta(m_carpeta),
                       false, LimitesEnUso().listaMs, LimitesEnUso().listaBytes, &fin);
    if (fin == FinEjecucion::Cortado)
        Mensajes::Mostrar(MensajeNoResponde(QStringLiteral("-listfull")));
    if (fin != FinEjecucion::Bien || !lista || lista->isEmpty())
        return std::nullopt;
    return lista;
}

FinEjecucion Emulador::ListarJuegos() const
{
    // Written beside the list first: only a whole answer replaces it, so a run that fails
    // leaves the list there was (or none) and the next start tries again.
    QTemporaryFile nueva(m_carpeta.Ruta(QStringLiteral("lista-XXXXXX.tmp")));
    if (!nueva.open())
        return FinEjecucion::NoEmpezo;
    // The list is for every account that shares the folder, as Corvala's other files are.
    nueva.setPermissions(ArchivoTexto::PermisosDeArchivoNuevo());
    nueva.close();
    OrdenEmulador orden
            = Orden(QStringList{QStringLiteral("-listfull")} + OpcionesDeLaCarpeta(m_carpeta));
    orden.salida = nueva.fileName();
    orden.limiteMs = LimitesEnUso().listaMs;
    orden.limiteBytes = LimitesEnUso().listaBytes;
    FinEjecucion fin = Corvala::Ejecutar(orden);
    if (fin == FinEjecucion::Bien && QFileInfo(nueva.fileName()).size() == 0)
        fin = FinEjecucion::Fallo;
    if (fin == FinEjecucion::Bien
        && !MoverArchivo(nueva.fileName(), m_carpeta.Ruta(QStringLiteral("lista.txt"))))
        fin = FinEjecucion::NoEmpezo;
    if (fin == FinEjecucion::Cortado)
        Mensajes::Mostrar(MensajeNoResponde(QStringLiteral("-listfull")));
    return fin;
}

std::optional<QString> Emulador::Jugar(const QString &rom, bool sinSonido, int *codigoSalida,
                                       const QString &software) const
{
    QStringList opciones;
    if (!software.isEmpty())
        opciones << software;
    if (sinSonido)
        opciones << QStringLiteral("-soundcard") << QStringLiteral("0");
    return Capturar(Argumentos(rom, opciones) + OpcionesDeLaCarpeta(m_carpeta), true, -1, -1,
                    nullptr, codigoSalida);
}

std::optional<QString> Emulador::Version() const
{
    const QString respuesta = Preguntar({QStringLiteral("-version")}).value_or(QString());
    static const QRegularExpression kBlancos(QStringLiteral("\\s+"));
    const QString palabra = respuesta.split(kBlancos, Qt::SkipEmptyParts).value(0);
    static const QRegularExpression kVersion(QStringLiteral("^[0-9]+\\.[0-9]+[0-9A-Za-z.]*$"));
    if (!kVersion.match(palabra).hasMatch())
        return std::nullopt;
    return palabra;
}

bool Emulador::VerificarSets(const QString &rom, int limiteMs) const
{
    if (!EsNombreDeJuego(rom))
        return false;
    // Current emulators dropped -verifysets; -verifyroms answers a set in the same words.
    const QString orden = OpcionesEmulador::De(m_carpeta).VerificaSets()
                                  ? QStringLiteral("-verifysets")
                                  : QStringLiteral("-verifyroms");
    QStringList opciones{orden};
    // Its answer must not depend on what the player's mame.ini adds to the output.
    if (OpcionesEmulador::De(m_carpeta).Silenciable())
        opciones << QStringLiteral("-noverbose");
    return Ejecutar(Argumentos(rom, opciones), QStringLiteral("1.p"), limiteMs,
                    LimitesEnUso().preguntaBytes);
}

std::optional<OrdenEmulador> Emulador::OrdenCatalogo() const
{
    const OpcionesEmulador &opciones = OpcionesEmulador::De(m_carpeta);
    if (!opciones.DaCatalogo())
        return std::nullopt;
    QStringList argumentos{QStringLiteral("-listxml")};
    // Nothing but the XML on its output, whatever the player's mame.ini says.
    if (opciones.Silenciable())
        argumentos << QStringLiteral("-noverbose");
    return Orden(argumentos + OpcionesDeLaCarpeta(m_carpeta));
}

bool Emulador::EsNombreDeJuego(const QString &nombre)
{
    return !nombre.isEmpty() && !nombre.startsWith(QLatin1Char('-'));
}

bool Emulador::ListarRoms(const QString &rom, const QString &salida) const
{
    if (!EsNombreDeJuego(rom))
        return false;
    return Ejecutar(Argumentos(rom, {QStringLiteral("-listroms")}), salida,
                    LimitesEnUso().informeMs, LimitesEnUso().informeBytes, true);
}

bool Emulador::VerificarRoms(const QString &rom, const QString &salida) const
{
    if (!EsNombreDeJuego(rom))
        return false;
    return Ejecutar(Argumentos(rom, {QStringLiteral("-verifyroms")}), salida,
                    LimitesEnUso().informeMs, LimitesEnUso().informeBytes, true);
}

bool Emulador::IdentificarArchivo(const QString &archivo, const QString &salida) const
{
    return Ejecutar({QStringLiteral("roms/") + archivo, QStringLiteral("-romident")}, salida,
                    LimitesEnUso().informeMs, LimitesEnUso().informeBytes, true);
}

bool Emulador::ReconocerArchivo(const QString &archivo, const QString &salida) const
{
    return Ejecutar({QStringLiteral("roms/") + archivo, QStringLiteral("-isknown")}, salida,
                    LimitesEnUso().informeMs, LimitesEnUso().informeBytes, true);
}

} // namespace Corvala
