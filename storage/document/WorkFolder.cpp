#include "WorkFolder.h"

#include "../AppError.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

namespace ergotab {

QString createUniqueTempFolder(const QString &prefix)
{
    const QDir temp(QDir::tempPath());
    // Like the system's unique temporary names: a prefix, up to four hex digits, ".TMP".
    // Start at a random number and walk on, so two runs rarely probe the same names.
    const quint32 start = QRandomGenerator::global()->bounded(0x10000u);
    for (quint32 i = 0; i < 0x10000u; ++i) {
        const quint32 n = (start + i) & 0xFFFFu;
        if (n == 0)
            continue;
        const QString name = prefix + QString::number(n, 16).toUpper() + QStringLiteral(".TMP");
        if (temp.exists(name))
            continue;
        // mkdir fails when another process took the name first: then try the next one.
        if (temp.mkdir(name))
            return temp.filePath(name);
    }
    throw AppError(QStringLiteral("Cannot create a working folder in %1").arg(QDir::toNativeSeparators(temp.path())));
}

QString CreateWorkFolder()
{
    return createUniqueTempFolder(QStringLiteral("TVO"));
}

void removeWorkFolder(const QString &path)
{
    if (path.isEmpty())
        return;
    QDir dir(path);
    const QString name = dir.dirName();
    if (dir.cdUp())
        dir.rmdir(name);
}

void deleteFiles(const QString &folderWithSeparator, const QStringList &names)
{
    for (const QString &name : names)
        QFile::remove(folderWithSeparator + name);
}

void copyFileOver(const QString &source, const QString &target)
{
    const QString part = target + QStringLiteral(".part");
    QFile::remove(part);
    if (!QFile::copy(source, part))
        throw AppError(QStringLiteral("Cannot copy %1 to %2")
                           .arg(QDir::toNativeSeparators(source), QDir::toNativeSeparators(target)));
    QFile::remove(target);
    if (!QFile::rename(part, target)) {
        QFile::remove(part);
        throw AppError(QStringLiteral("Cannot replace %1").arg(QDir::toNativeSeparators(target)));
    }
}

ScratchFolder::ScratchFolder()
    : m_path(CreateWorkFolder() + QLatin1Char('/'))
{
}

ScratchFolder::~ScratchFolder()
{
    QDir dir(m_path);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        dir.remove(name);
    removeWorkFolder(m_path);
}

} // namespace ergotab
