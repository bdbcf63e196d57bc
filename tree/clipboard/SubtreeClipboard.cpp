#include "SubtreeClipboard.h"

#include "storage/AppError.h"
#include "storage/dbf/Table.h"
#include "storage/document/Document.h"
#include "storage/document/DocumentTables.h"
#include "storage/document/TableFields.h"
#include "storage/document/WorkFolder.h"

#include <QDir>
#include <QFile>
#include <QLockFile>

namespace ergotab::tree {

namespace {

const QString lockName = QStringLiteral("Clipboard.lck");

// The clipboard's own files, found without regard to letter case.
QString memberPath(const QString &folder, const QString &name)
{
    const QDir dir(folder);
    const QStringList found = dir.entryList({name}, QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    for (const QString &entry : found) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return dir.filePath(name);
}

class ClipboardLock
{
public:
    explicit ClipboardLock(const QString &folder)
        : m_lock(QDir(folder).filePath(lockName))
    {
        m_lock.setStaleLockTime(60000);
        if (!m_lock.tryLock(SubtreeClipboard::LockWaitMs))
            throw AppError(QStringLiteral("Schránku právě používá jiná kopie programu. Zkuste to prosím znovu."));
    }

private:
    QLockFile m_lock;
};

} // namespace

QString SubtreeClipboard::PrepareClipboardFolder()
{
    const QDir temp(QDir::tempPath());
    const QStringList found = temp.entryList(
        {QStringLiteral("CLP*.TMP")}, QDir::Dirs | QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDir::Name | QDir::IgnoreCase);
    if (!found.isEmpty())
        return temp.filePath(found.first());
    return createUniqueTempFolder(QStringLiteral("CLP"));
}

SubtreeClipboard::SubtreeClipboard(QString folder)
    : m_folder(std::move(folder))
{
}

QString SubtreeClipboard::tablePath() const
{
    return memberPath(m_folder, QStringLiteral("Object.dbf"));
}

bool SubtreeClipboard::ClipboardHasRows() const
{
    try {
        ClipboardLock lock(m_folder);
        if (!QFile::exists(tablePath()))
            return false;
        dbf::Table table(tablePath());
        table.open();
        const bool hasRows = table.recordCount() > 0 && table.hasField(fields::object::Index);
        table.close();
        return hasRows;
    } catch (const std::exception &) {
        return false; // a damaged or foreign file, or a clipboard held by another copy
    }
}

int SubtreeClipboard::copyFrom(dbf::Table &source, int startIndex, ProgressSink *progress)
{
    // The subtree goes into a private table first; only a complete table reaches the clipboard.
    ScratchFolder scratch;
    int copied = 0;
    {
        dbf::Table staged(scratch.file(QStringLiteral("Object.dbf")));
        defineObjectTable(staged, false);
        staged.createTable();
        staged.open();
        copied = TransferSubtree(source, startIndex, {staged, 0, nullptr, {}}, progress);
        staged.close();
    }
    ClipboardLock lock(m_folder);
    const QString target = tablePath();
    const QString memo = memberPath(m_folder, QStringLiteral("Object.dbt"));
    copyFileOver(scratch.file(QStringLiteral("Object.dbt")), memo);
    copyFileOver(scratch.file(QStringLiteral("Object.dbf")), target);
    return copied;
}

int SubtreeClipboard::pasteInto(Document &document, int parent, const RowAdded &rowAdded, ProgressSink *progress)
{
    ScratchFolder scratch;
    {
        ClipboardLock lock(m_folder);
        copyFileOver(tablePath(), scratch.file(QStringLiteral("Object.dbf")));
        const QString memo = memberPath(m_folder, QStringLiteral("Object.dbt"));
        if (QFile::exists(memo))
            copyFileOver(memo, scratch.file(QStringLiteral("Object.dbt")));
    }
    dbf::Table clipboard(scratch.file(QStringLiteral("Object.dbf")));
    clipboard.open();
    const int pasted = TransferSubtree(
        clipboard, 1, {document.objects(), parent, &document.cachedHighestObjectIndex, rowAdded}, progress);
    clipboard.close();
    return pasted;
}

} // namespace ergotab::tree
