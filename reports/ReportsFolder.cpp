#include "ReportsFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace ergotab::reports::ReportsFolder {

namespace {

const QString extension = QStringLiteral(".frf");

QString &overriddenPath()
{
    static QString folder;
    return folder;
}

QString withSeparator(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

bool isTemplateName(const QString &fileName)
{
    // ".frf" alone would be a report without a name.
    return fileName.size() > extension.size() && fileName.endsWith(extension, Qt::CaseInsensitive);
}

// The templates of `folder` as the listing returns them; calls `each` with the file name.
template <typename Each> void forEachTemplate(const QString &folder, Each each)
{
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isFile() && isTemplateName(info.fileName()) && !each(info.fileName()))
            return;
    }
}

} // namespace

QString path()
{
    if (!overriddenPath().isEmpty())
        return overriddenPath();
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Reports/");
}

void setPath(const QString &folder)
{
    overriddenPath() = folder.isEmpty() ? QString() : withSeparator(folder);
}

QStringList reportNames(const QString &folder)
{
    QStringList names;
    forEachTemplate(folder, [&names](const QString &fileName) {
        names.append(fileName.chopped(extension.size()));
        return true;
    });
    return names;
}

QString templatePath(const QString &folder, const QString &name)
{
    const QString base = withSeparator(folder);
    const QString upper = base + name + QStringLiteral(".FRF");
    if (QFileInfo(upper).isFile())
        return upper;
    QString found;
    forEachTemplate(folder, [&](const QString &fileName) {
        if (fileName.chopped(extension.size()) != name)
            return true;
        found = base + fileName;
        return false;
    });
    return found.isEmpty() ? upper : found;
}

} // namespace ergotab::reports::ReportsFolder
