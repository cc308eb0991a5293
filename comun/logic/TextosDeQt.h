#pragma once

namespace Corvala {

// Corvala speaks Spanish whatever the desktop's language: Qt's own texts (the buttons of a
// box, a text field's context menu, the system's error texts Qt knows) come from Qt's Spanish
// translations (qtbase_es, in Qt's translations folder). Installed once, on the application;
// false when the translations are not there (the texts then stay Qt's English).
bool CargarTextosDeQt();

} // namespace Corvala
