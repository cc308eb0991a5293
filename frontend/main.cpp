#include "comun/logic/Sesion.h"
#include "comun/logic/TextosDeQt.h"
#include "comun/windows/MensajesQt.h"
#include "comun/windows/Twips.h"
#include "frontend/logic/Arranque.h"
#include "frontend/logic/CarpetaDeInicio.h"
#include "frontend/logic/SenalesDeCierre.h"
#include "frontend/windows/frmCargador.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QScreen>
#include <QSessionManager>
#include <QStyle>

using namespace Corvala;

int main(int argc, char *argv[])
{
    QApplication aplicacion(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvala"));
    QApplication::setFont(Twips::Fuente(8.25));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/imagenes/corvala.png")));
    QGuiApplication::setDesktopFileName(QStringLiteral("corvala"));
    MensajesQt::Instalar();
    if (!CargarTextosDeQt())
        qWarning("Qt's Spanish translations (qtbase_es) are not installed: Qt's own texts stay "
                 "in English");

    // Corvala lives in the MAME folder, next to the emulator; installed, in the player's.
    const std::optional<QString> carpeta = CarpetaDeInicio::Decidir(
            QCoreApplication::applicationDirPath(), QStringLiteral(CORVALA_CARPETA_INSTALADA),
            QDir::homePath(), CarpetaDeInicio::EmuladorInstalado());
    if (!carpeta)
        return 0;
    Sesion sesion{CarpetaMame(*carpeta)};
    sesion.rutaBloqueo = Arranque::RutaBloqueo(sesion.carpeta);
    frmCargador ventana(sesion);
    // A logout, a shutdown or a signal closes Corvala as the player would.
    SenalesDeCierre senales;
    QObject::connect(&senales, &SenalesDeCierre::pedido, &ventana, &frmCargador::FinDelSistema);
    QObject::connect(&aplicacion, &QGuiApplication::commitDataRequest, &ventana,
                     [&ventana](QSessionManager &) { ventana.FinDelSistema(); });
    // Queued: an end asked for during start-up comes before the event loop runs at all.
    QObject::connect(
            &ventana, &frmCargador::programaTerminado, &aplicacion,
            [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    ventana.Form_Load();
    if (ventana.Terminado())
        return 0;
    ventana.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, ventana.size(),
                                            ventana.screen()->availableGeometry()));
    ventana.show();
    return QApplication::exec();
}
