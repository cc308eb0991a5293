// A process that runs one piece of Corvala's work over a MAME folder, for the tests that kill
// it in the middle (SIGKILL) and look at what a later start-up makes of what it left:
//   corvala_proceso_de_prueba --jugar FOLDER ARCHIVE        one game, the defined keys in force
//   corvala_proceso_de_prueba --comparar FOLDER ARCHIVE CANDIDATE   one compatibility test
//   corvala_proceso_de_prueba --catalogo FOLDER              one build of the catalogue

#include "catalogue/logic/ConstruccionCatalogo.h"
#include "comun/logic/Sesion.h"
#include "emulator/logic/Emulador.h"
#include "frontend/logic/Partida.h"
#include "rommanager/logic/Compatibilidad.h"

#include <QCoreApplication>
#include <QStringList>

using namespace Corvala;

int main(int argc, char *argv[])
{
    QCoreApplication aplicacion(argc, argv);
    const QStringList argumentos = QCoreApplication::arguments();
    const CarpetaMame carpeta(argumentos.value(2));
    if (argumentos.value(1) == QLatin1String("--jugar")) {
        Sesion sesion(carpeta);
        sesion.versionMame = QStringLiteral("0.251");
        Partida(sesion, [] { return true; }).Jugar(argumentos.value(3));
        return 0;
    }
    if (argumentos.value(1) == QLatin1String("--comparar")) {
        Compatibilidad(carpeta).EsRomCompatible(argumentos.value(3), argumentos.value(4));
        return 0;
    }
    if (argumentos.value(1) == QLatin1String("--catalogo")) {
        ConstruccionCatalogo construccion;
        QObject::connect(&construccion, &ConstruccionCatalogo::terminada, &aplicacion,
                         [](const std::shared_ptr<const Catalogo> &catalogo) {
                             QCoreApplication::exit(catalogo ? 0 : 1);
                         });
        construccion.Iniciar(carpeta, *Emulador(carpeta).OrdenCatalogo(),
                             {QStringLiteral("0.251"), QString()});
        return QCoreApplication::exec();
    }
    return 2;
}
