#pragma once

class QCoreApplication;

namespace ergotab {

// Qt's own texts in Czech: the buttons of message boxes ("Ano", "Ne"), the standard open and
// save dialogs and the context menus of edit fields. Qt's Czech translations come from the
// system (Debian: qt6-translations-l10n). False when they are not installed; the program then
// runs with Qt's English texts.
bool installCzechQtTranslations(QCoreApplication &app);

} // namespace ergotab
