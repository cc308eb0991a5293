#pragma once

#include <QString>

namespace Corvala {

// Corvala's release notes, newest version first, each line ended by CR LF.
QString NotasDeVersion();

} // namespace Corvala
