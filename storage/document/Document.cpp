#include "Document.h"

#include "DocumentConversion.h"
#include "DocumentFile.h"
#include "WorkFolder.h"
#include "storage/archive/TZLBArchive.h"

#include <QDir>
#include <QFile>

#include <QFileInfo>

namespace ergotab {

Document::Document(QObject *parent)
    : QObject(parent)
{
}

Document::~Document() = default;

void Document::start()
{
    m_workFolder = CreateWorkFolder() + QLatin1Char('/');
    createEmptyTables();
}

void Document::shutDown()
{
    if (m_workFolder.isEmpty())
        return;
    m_fileName.clear();
    setModified(false);
    DeleteDocumentTables(m_tables, m_workFolder);
    removeWorkFolder(m_workFolder);
    m_workFolder.clear();
}

QString Document::displayName() const
{
    return QFileInfo(m_fileName).completeBaseName();
}

void Document::setModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

void Document::afterPost(dbf::Table &)
{
    setModified(true);
}

void Document::createEmptyTables()
{
    CreateDocumentTables(m_tables, m_workFolder, [this](dbf::Table &table) { afterPost(table); });
    forgetHighestIndexes();
    m_version = CurrentDocumentVersion;
}

void Document::newDocument()
{
    createEmptyTables();
    m_fileName.clear();
    setModified(false);
}

void Document::closeTables()
{
    m_tables.object->close();
    m_tables.worker->close();
    m_tables.link->close();
}

void Document::openTables()
{
    m_tables.object->open();
    m_tables.worker->open();
    m_tables.link->open();
}

namespace {

// Extracts a container into a scratch folder of its own, so that a damaged file never leaves
// a mixture of old and new files in the working folder; only the document's files move on.
void unpackDocument(const QString &path, const QString &workFolder, ProgressScope &progress)
{
    ScratchFolder scratchFolder;
    const QString &scratch = scratchFolder.path();
    {
        TZLBArchive archive;
        archive.CompressionLevel = fcMaximum;
        archive.CheckCRC = true;
        archive.OnProgress = [&progress](const QString &, int percentage) { progress.set(percentage); };
        archive.OpenArchive(path);
        archive.ExtractAll(scratch);
        archive.CloseArchive();
        for (const QString &name : documentFileNames()) {
            if (QFile::exists(scratch + name) && !QFile::rename(scratch + name, workFolder + name))
                throw AppError(QStringLiteral("Cannot move %1 into the working folder").arg(name));
        }
    }
}

} // namespace

void Document::open(const QString &path)
{
    if (!QFileInfo(path).isFile())
        throw DocumentNotFound();
    try {
        {
            ProgressScope progress(m_progress, QStringLiteral("Otevírání: ") + QFileInfo(path).completeBaseName(), 100);
            closeTables();
            deleteFiles(m_workFolder, documentFileNames());
            unpackDocument(path, m_workFolder, progress);
            openTables();
            m_version = readDocumentVersion(m_workFolder);
        }
        if (m_version < CurrentDocumentVersion)
            ConvertDocument(
                m_tables, m_workFolder, m_version, [this](dbf::Table &table) { afterPost(table); }, m_progress);
    } catch (...) {
        // Whatever step failed, the program goes on with an empty, unnamed document.
        deleteFiles(m_workFolder, documentFileNames());
        newDocument();
        throw;
    }
    m_fileName = path;
    forgetHighestIndexes();
}

void Document::save()
{
    ProgressScope progress(m_progress, QStringLiteral("Ukládání: ") + displayName(), 100);
    const QFileInfo target(m_fileName);
    // The mode bits, not the current user's access: a file marked read-only stays untouched
    // even for a user who could write it anyway.
    constexpr auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (target.exists() && !(target.permissions() & anyWrite))
        throw AppError(
            QStringLiteral("Cannot save %1: the file is read-only").arg(QDir::toNativeSeparators(m_fileName)));
    closeTables();
    try {
        writeDocumentVersion(m_workFolder);
        QStringList members;
        for (const QString &name : documentMemberNames())
            members << m_workFolder + name;
        TZLBArchive archive;
        archive.CompressionLevel = fcMaximum;
        archive.CheckCRC = true;
        archive.OnProgress = [&progress](const QString &, int percentage) { progress.set(percentage); };
        archive.FailOnUnreadableFile = true; // a document without one of its tables is no save
        archive.CreateReplacement(m_fileName);
        archive.AddFiles(members);
        archive.CloseArchive();
    } catch (...) {
        openTables();
        throw;
    }
    openTables();
    setModified(false);
}

} // namespace ergotab
