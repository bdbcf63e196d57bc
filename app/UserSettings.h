#pragma once

#include <QSettings>

#include <memory>

namespace ergotab {

// The per-user settings store: organisation "Selvar", application "Ergotab" (on Windows the
// registry key HKEY_CURRENT_USER\Software\Selvar\Ergotab, elsewhere Qt's native per-user store).
std::unique_ptr<QSettings> openUserSettings();

} // namespace ergotab
