#pragma once

namespace Corvala::MensajesQt {

// Installs the handler that shows Corvala's messages as modal QMessageBoxes.
void Instalar();

} // namespace Corvala::MensajesQt
