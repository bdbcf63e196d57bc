#include "AppVersion.h"

#include <QStringList>

namespace ergotab {

QString versionText(const QString &fileVersion)
{
    const QStringList parts = fileVersion.trimmed().split(QLatin1Char('.'), Qt::SkipEmptyParts);
    return QStringLiteral("Verze ") + parts.mid(0, 2).join(QLatin1Char('.'));
}

QString programVersionText()
{
    return versionText(QStringLiteral(ERGOTAB_VERSION));
}

} // namespace ergotab
