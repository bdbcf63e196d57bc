#include "AdminMode.h"

#include <QFileInfo>

namespace ergotab {

QString adminMarkerPath()
{
    const QString overridden = qEnvironmentVariable("ERGOTAB_ADMIN_MARKER");
    if (!overridden.isEmpty())
        return overridden;
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\Admin.set");
#else
    return QStringLiteral("/Admin.set");
#endif
}

bool administratorMarkerExists()
{
    return QFileInfo::exists(adminMarkerPath());
}

} // namespace ergotab
