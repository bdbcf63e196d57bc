#include "UserSettings.h"

namespace ergotab {

std::unique_ptr<QSettings> openUserSettings()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Selvar"),
                                       QStringLiteral("Ergotab"));
}

} // namespace ergotab
