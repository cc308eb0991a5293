#include "comun/logic/Registro.h"

namespace Corvala {

Q_LOGGING_CATEGORY(lcCatalogo, "corvala.catalogo")
Q_LOGGING_CATEGORY(lcJugador, "corvala.jugador")
Q_LOGGING_CATEGORY(lcExtras, "corvala.extras")
Q_LOGGING_CATEGORY(lcArchivos, "corvala.archivos", QtCriticalMsg)

} // namespace Corvala
