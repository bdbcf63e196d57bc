#pragma once

#include <QString>

namespace ergotab {

// "Verze " followed by the first two dot-separated parts of a four-part file version
// ("1.7.0.0" gives "Verze 1.7"). An empty version gives "Verze " alone.
QString versionText(const QString &fileVersion);

// The same for this build's own version.
QString programVersionText();

} // namespace ergotab
