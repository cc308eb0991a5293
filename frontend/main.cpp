#include "comun/logic/Sesion.h"
#include "comun/windows/MensajesQt.h"
#include "comun/windows/Twips.h"
#include "frontend/logic/Arranque.h"
#include "frontend/windows/frmCargador.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>

using namespace Corvala;

int main(int argc, char *argv[])
{
    QApplication aplicacion(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvala"));
    QApplication::setFont(Twips::Fuente(8.25));
    MensajesQt::Instalar();

    // Corvala lives in the MAME folder, next to the emulator.
    Sesion sesion(CarpetaMame(QCoreApplication::applicationDirPath()));
    sesion.rutaBloqueo = Arranque::RutaBloqueo(sesion.carpeta);
    frmCargador ventana(sesion);
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
