#include "frontend/logic/UsoDelCatalogo.h"

#include "catalogue/logic/Catalogo.h"
#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/HiloDeFondo.h"
#include "comun/logic/Registro.h"
#include "comun/logic/Sesion.h"
#include "emulator/logic/Ejecucion.h"
#include "emulator/logic/Emulador.h"

#include <QFile>
#include <QFileInfo>

namespace Corvala::UsoDelCatalogo {

std::optional<OrdenEmulador> Orden(const Sesion &sesion)
{
    if (!sesion.Escribe())
        return std::nullopt;
    return Emulador(sesion.carpeta).OrdenCatalogo();
}

Catalogo::Sello SelloActual(const Sesion &sesion)
{
    return {sesion.versionMame, Catalogo::Huella(sesion.carpeta)};
}

namespace {

QString RutaDelFallo(const CarpetaMame &carpeta)
{
    return carpeta.Ruta(QStringLiteral("corvala.db.fallo"));
}

const QString kVersion = QStringLiteral("version=");
const QString kHuella = QStringLiteral("huella=");
const QString kMotivo = QStringLiteral("motivo=");

// Whether a build failed against the folder as it is now.
bool FalloRecordado(const CarpetaMame &carpeta, const Catalogo::Sello &actual)
{
    const std::optional<QStringList> lineas = ArchivoTexto::LeerLineas(RutaDelFallo(carpeta));
    return lineas && lineas->contains(kVersion + actual.version)
           && lineas->contains(kHuella + actual.huella);
}

} // namespace

bool HayQueConstruir(const Sesion &sesion, const Catalogo::Sello &actual, bool listaRenovada)
{
    if (listaRenovada)
        return true;
    if (sesion.catalogo && sesion.catalogo->SelloDe() == actual)
        return false;
    return !FalloRecordado(sesion.carpeta, actual);
}

Resultado RecordarFallo(const Sesion &sesion, const QString &motivo)
{
    const Catalogo::Sello sello = SelloActual(sesion);
    QString unaLinea = motivo;
    unaLinea.replace(QLatin1Char('\n'), QLatin1Char(' '))
            .replace(QLatin1Char('\r'), QLatin1Char(' '));
    return ArchivoTexto::EscribirLineas(
            RutaDelFallo(sesion.carpeta),
            {QStringLiteral("# Corvala: el catálogo del emulador no se pudo preparar."),
             kVersion + sello.version, kHuella + sello.huella, kMotivo + unaLinea});
}

void OlvidarFallo(const CarpetaMame &carpeta)
{
    if (QFileInfo(RutaDelFallo(carpeta)).isFile())
        QFile::remove(RutaDelFallo(carpeta));
}

Mensaje MensajeCatalogoFallido(const QString &motivo, bool recordado)
{
    return {QStringLiteral("No se ha podido preparar el catálogo de juegos del emulador (%1).\n\n"
                           "La lista de juegos funciona igual, pero sin los filtros que necesitan "
                           "el catálogo, sin la información de cada juego y sin reconocer las ROMs "
                           "desconocidas. %2")
                    .arg(motivo,
                         recordado ? QStringLiteral("Corvala! no lo intentará de nuevo hasta que "
                                                    "cambie el emulador o su lista de juegos, o "
                                                    "hasta que pulses \"Actualizar lista de "
                                                    "juegos\".")
                                   : QStringLiteral("Corvala! lo intentará de nuevo la próxima "
                                                    "vez que se abra.")),
            QStringLiteral("Catálogo no disponible"), Mensaje::Icono::Exclamacion,
            Mensaje::Botones::Aceptar};
}

QString TextoCatalogoApartado(const QString &motivo)
{
    // Short enough for the status line: the list itself shows it works.
    return QStringLiteral("corvala.db: %1.").arg(motivo);
}

void QuitarConstruccionInterrumpida(const CarpetaMame &carpeta)
{
    // Only a file: a folder of that name is the player's, and the build will say it fails.
    if (QFileInfo(Catalogo::RutaNueva(carpeta)).isFile())
        QFile::remove(Catalogo::RutaNueva(carpeta));
}

LecturaDelCatalogo::~LecturaDelCatalogo()
{
    if (m_hilo) {
        m_hilo->disconnect(this);
        m_hilo->wait();
        delete m_hilo;
    }
}

void LecturaDelCatalogo::Iniciar(const CarpetaMame &carpeta)
{
    const QString ruta = Catalogo::Ruta(carpeta);
    if (m_hilo)
        return;
    if (!QFileInfo::exists(ruta)) {
        QMetaObject::invokeMethod(
                this, [this] { Q_EMIT leido(nullptr, Catalogo::SinCatalogo::Ausente, {}); },
                Qt::QueuedConnection);
        return;
    }
    m_hilo = QThread::create(
            [this, ruta] { m_catalogo = Catalogo::Abrir(ruta, &m_motivo, &m_porQue); });
    connect(m_hilo, &QThread::finished, this, [this] {
        HiloDeFondo::Soltar(m_hilo);
        if (!m_catalogo)
            qCWarning(lcCatalogo) << "corvala.db cannot be read:" << m_motivo;
        Q_EMIT leido(std::exchange(m_catalogo, nullptr), m_porQue, m_motivo);
    });
    m_hilo->start();
}

AuditoriaDeLaColeccion::~AuditoriaDeLaColeccion()
{
    HiloDeFondo::Detener(m_hilo, m_cancelar, m_generacion, this);
}

void AuditoriaDeLaColeccion::Detener()
{
    m_otraVez.reset();
    HiloDeFondo::Detener(m_hilo, m_cancelar, m_generacion, this);
}

void AuditoriaDeLaColeccion::Iniciar(const CarpetaMame &carpeta,
                                     std::shared_ptr<const Catalogo> catalogo,
                                     const ModeloDeJuegos &filas, bool comprobando)
{
    if (m_hilo) {
        m_otraVez = Pedido{carpeta, std::move(catalogo), &filas};
        return;
    }
    m_cancelar = false;
    auto resultado = std::make_shared<ResultadoAuditoria>();
    // The verdicts come first from the folder's own entries; the files of its sets' folders
    // are compared after, and only a change there brings verdicts again.
    m_hilo = QThread::create([resultado, carpeta, catalogo, claves = filas.ClavesDeAuditoria(),
                              etiqueta = filas.Generacion(), comprobando, this] {
        *resultado = Auditoria::Auditar(carpeta, false, &m_cancelar, !comprobando);
        if (catalogo && resultado->motivo.isEmpty())
            Auditoria::ClonesEnElPadre(*resultado, *catalogo);
        resultado->Ordenar(claves, etiqueta);
    });
    connect(m_hilo, &QThread::finished, this,
            [this, resultado, generacion = m_generacion, comprobando, carpeta, catalogo,
             filas = &filas] {
                if (generacion != m_generacion)
                    return;
                HiloDeFondo::Soltar(m_hilo);
                if (!resultado->motivoAlGuardar.isEmpty())
                    qCWarning(lcCatalogo) << "the audit cannot be kept in corvala.db:"
                                          << resultado->motivoAlGuardar;
                if (!resultado->motivo.isEmpty())
                    qCWarning(lcCatalogo)
                            << "the collection cannot be audited:" << resultado->motivo;
                else if (!comprobando || !resultado->guardado)
                    Q_EMIT auditada(resultado);
                if (m_otraVez) {
                    const Pedido pedido = *std::exchange(m_otraVez, std::nullopt);
                    Iniciar(pedido.carpeta, pedido.catalogo, *pedido.filas);
                } else if (resultado->carpetasPorComprobar) {
                    Iniciar(carpeta, catalogo, *filas, true);
                }
            });
    m_hilo->start();
}

std::optional<Mensaje> PreguntaAntesDeJugar(const JuegoDeLista &fila)
{
    if (fila.jugable != JuegoDeLista::Jugable::Incorrecto)
        return std::nullopt;
    return Mensaje{QStringLiteral("Según los archivos de la carpeta roms, \"%1\" no se puede "
                                  "jugar:\n\n%2\n\n¿Quieres intentarlo de todos modos?")
                           .arg(fila.titulo, fila.Motivo()),
                   QStringLiteral("Juego incompleto"), Mensaje::Icono::Exclamacion,
                   Mensaje::Botones::SiNo};
}

Menu EstadoDelMenu(const ModeloDeJuegos &filas, int fila, const DatosDelJugador &jugador,
                   bool conCatalogo)
{
    Menu menu;
    menu.informacion = filas.Valida(fila);
    menu.favorito = menu.informacion && !filas.Fila(fila).desconocida;
    menu.esFavorito = menu.favorito && filas.Fila(fila).favorito;
    menu.filtrosDelCatalogo = conCatalogo;
    // The ten most recent whose archives are in the list, however many are gone before them.
    for (const QString &juego : jugador.Recientes(DatosDelJugador::kMaximoDeJugados)) {
        const int p = filas.FilaDeJuego(juego);
        if (p >= 0)
            menu.recientes << qMakePair(filas.Fila(p).titulo, p);
        if (menu.recientes.size() == 10)
            break;
    }
    return menu;
}

QString PorQueSinCatalogo(const Sesion &sesion, bool construyendose)
{
    if (sesion.catalogo)
        return {};
    if (sesion.cd)
        return QStringLiteral("No disponible desde un CD-ROM: este filtro necesita el catálogo de "
                              "juegos del emulador, que no se guarda en el disco.");
    if (construyendose)
        return QStringLiteral("Disponible en cuanto el catálogo de juegos del emulador esté listo; "
                              "la barra bajo la línea de estado muestra cuánto falta.");
    if (!Orden(sesion))
        return QStringLiteral("No disponible: este emulador no describe sus juegos (-listxml), y "
                              "este filtro necesita esa descripción.");
    return QStringLiteral(
            "No disponible: no se ha podido preparar el catálogo de juegos del "
            "emulador. Pulsa \"Actualizar lista de juegos\" para intentarlo de nuevo.");
}

} // namespace Corvala::UsoDelCatalogo
