#include "VersionInfo.h"

#include "../AppError.h"
#include "../codepage/CodePage.h"

#include <QFile>

namespace ergotab {

static const QString versionFileName = QStringLiteral("Version.Inf");

int readDocumentVersion(const QString &folderWithSeparator)
{
    QFile file(folderWithSeparator + versionFileName);
    if (!file.exists())
        return 0;
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Cannot open file %1").arg(file.fileName()));
    QByteArray line = file.readLine(256);
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    const QString text = CodePage::windows1250().decode(line);
    bool ok = false;
    const int version = text.trimmed().toInt(&ok);
    if (!ok)
        throw AppError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return version;
}

void writeDocumentVersion(const QString &folderWithSeparator)
{
    QFile file(folderWithSeparator + versionFileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw AppError(QStringLiteral("Cannot create file %1").arg(file.fileName()));
    const QByteArray line = QByteArray::number(CurrentDocumentVersion) + "\r\n";
    if (file.write(line) != line.size())
        throw AppError(QStringLiteral("Cannot write file %1").arg(file.fileName()));
}

} // namespace ergotab
