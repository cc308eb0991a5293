#include "controls/logic/UsoDeTeclas.h"

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/Mensajes.h"
#include "comun/logic/modPrincipal.h"
#include "comun/logic/Sesion.h"
#include "controls/logic/ArchivosControlador.h"
#include "emulator/logic/CfgApartados.h"
#include "input/logic/TablaTeclas.h"

#include <QDir>
#include <QFile>

namespace Corvala {

namespace {

const QString kCarpetaCorvala = QStringLiteral("ctrlr/Corvala");
const QString kDefaultIni = QStringLiteral("ctrlr/Corvala/default.ini");
const QString kCorvalaCfg = QStringLiteral("ctrlr/Corvala.cfg");
const QString kDefaultCfg = QStringLiteral("cfg/default.cfg");
const QString kDefault = QStringLiteral("default"); // cfg/default.cfg, set aside
const QString kCtrlr = QStringLiteral("ctrlr");

} // namespace

UsoDeTeclas::UsoDeTeclas(Sesion &sesion, QObject *parent)
    : QObject(parent)
    , m_sesion(sesion)
{
}

QString UsoDeTeclas::TextoErrorTeclado() const
{
    return QStringLiteral("Se ha producido un error al guardar el teclado, comprueba que el "
                          "archivo 'default.ini' dentro de la carpeta ")
           + m_sesion.carpeta.Ruta(kCarpetaCorvala)
           + QStringLiteral(" no tiene la propiedad 'sólo lectura' lo cual no permitiría seguir "
                            "ejecutando Corvala! de forma normal.");
}

QString UsoDeTeclas::TextoErrorCfg() const
{
    return QStringLiteral("Se ha producido un error al modificar las configuraciones de M.A.M.E, "
                          "comprueba que los archivos dentro de la carpeta ")
           + m_sesion.carpeta.Ruta(QStringLiteral("cfg"))
           + QStringLiteral(" no tienen la propiedad 'sólo lectura' pues de ser así Corvala! no "
                            "podrá funcionar de forma correcta.");
}

QString UsoDeTeclas::TextoTablaDanada() const
{
    return QStringLiteral(
                   "El archivo de teclas %1 está dañado o incompleto: le faltan nombres de "
                   "controles o códigos de teclas, así que no se ha guardado nada. Bórralo y "
                   "Corvala! lo creará de nuevo la próxima vez que arranque.")
            .arg(m_sesion.carpeta.Ruta(QStringLiteral("Corvala.tlc")));
}

QString UsoDeTeclas::TextoErrorMameIni()
{
    return MensajeErrorMameIni().texto;
}

void UsoDeTeclas::Error(const QString &texto) const
{
    Mensajes::Mostrar(
            {texto, QStringLiteral("Error"), Mensaje::Icono::Critico, Mensaje::Botones::Aceptar});
}

void UsoDeTeclas::Marcar(bool marcada)
{
    if (marcada == m_marcada)
        return;
    m_marcada = marcada;
    Q_EMIT marcadaCambiada(marcada);
    AlCambiar();
}

void UsoDeTeclas::Pulsar(bool marcada)
{
    if (m_sesion.ocupado) {
        Q_EMIT marcadaCambiada(m_marcada);
        return;
    }
    Marcar(marcada);
}

void UsoDeTeclas::AlCambiar()
{
    if (m_sesion.ocupado)
        return;
    const CarpetaMame &carpeta = m_sesion.carpeta;
    if (m_marcada) {
        if (!ExisteArchivo(carpeta.Ruta(kDefaultIni))) {
            Marcar(false);
            Mensajes::Mostrar({QStringLiteral("No hay un archivo de teclado configurado, debes "
                                              "configurar las teclas antes de seleccionar la "
                                              "casilla."),
                               QStringLiteral("Todavía no."), Mensaje::Icono::Informacion,
                               Mensaje::Botones::Aceptar});
            return;
        }
        // The keys are in force only when both steps went through.
        if (!CfgApartados::Apartar(carpeta, kDefault)) {
            Error(TextoErrorCfg());
            Marcar(false);
        } else if (!FijarOpcion(kCtrlr, QStringLiteral("Corvala"), false)) {
            Marcar(false);
        }
        return;
    }
    CfgApartados::Devolver(carpeta, kDefault);
    if (!m_sesion.lineaCtrlrGuardada.isEmpty() && !m_marcada) {
        FijarOpcion(kCtrlr, QString(), true);
        m_sesion.lineaCtrlrGuardada.clear();
    }
}

bool UsoDeTeclas::FijarOpcion(const QString &nombre, const QString &valor, bool restaurar)
{
    const ResultadoMameIni resultado = FijarOpcionMameIni(m_sesion.carpeta, nombre, valor,
                                                          restaurar, m_sesion.lineaCtrlrGuardada);
    switch (resultado) {
    case ResultadoMameIni::Cambiado:
    case ResultadoMameIni::SinCambios:
        return true;
    case ResultadoMameIni::NoSeLee:
    case ResultadoMameIni::NoSeEdita:
        Mensajes::Mostrar(MensajeDeMameIni(resultado));
        return false;
    case ResultadoMameIni::NoSeRenombra:
        Error(TextoErrorMameIni());
        Marcar(false);
        return false;
    }
    return false;
}

bool UsoDeTeclas::Guardar(const TeclasAsignadas &teclas, const TablaTeclas &tabla,
                          const MandosAsignados *mandos)
{
    const CarpetaMame &carpeta = m_sesion.carpeta;
    if (!tabla.CubreTeclas(teclas)) {
        Error(TextoTablaDanada());
        return false;
    }
    const QString ini = carpeta.Ruta(kDefaultIni);
    const QString cfg = carpeta.Ruta(kCorvalaCfg);
    // What the controller files held before, to put back when a later step fails.
    const std::optional<QByteArray> iniAntes = ArchivoTexto::LeerBytes(ini);
    const std::optional<QByteArray> cfgAntes = ArchivoTexto::LeerBytes(cfg);
    if (!QDir().mkpath(carpeta.Ruta(kCarpetaCorvala))
        || !ArchivoTexto::EscribirJuntos(
                {{ini, ArchivoTexto::BytesDeLineas(
                               LineasDefaultIni(teclas, tabla, m_sesion.versionMame, mandos))},
                 {cfg, ArchivoTexto::BytesDeLineas(
                               LineasCorvalaCfg(teclas, tabla, m_sesion.versionMame, mandos))}})) {
        Error(TextoErrorTeclado());
        return false;
    }
    const auto deshacer = [&] {
        for (const auto &[ruta, antes] : {std::pair(ini, iniAntes), std::pair(cfg, cfgAntes)}) {
            if (antes)
                ArchivoTexto::EscribirBytes(ruta, *antes);
            else
                QFile::remove(ruta);
        }
    };
    const bool apartado = ExisteArchivo(carpeta.Ruta(kDefaultCfg));
    if (!CfgApartados::Apartar(carpeta, kDefault)) {
        deshacer();
        Error(TextoErrorCfg());
        return false;
    }
    if (!FijarOpcion(kCtrlr, QStringLiteral("Corvala"), false)) {
        if (apartado && !ExisteArchivo(carpeta.Ruta(kDefaultCfg)))
            CfgApartados::Devolver(carpeta, kDefault);
        deshacer();
        return false;
    }
    Marcar(true);
    return true;
}

} // namespace Corvala
