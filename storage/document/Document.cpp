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
    ++m_contentsGeneration;
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

const QString objectDbf = QStringLiteral("Object.dbf");
const QString workerDbf = QStringLiteral("Worker.dbf");
const QString linkDbf = QStringLiteral("Link.dbf");

// Every member of the container is written into the folder; members of a foreign file go
// away with the folder.
void extractDocument(const QString &path, const QString &folder, ProgressScope &progress)
{
    TZLBArchive archive;
    archive.CompressionLevel = fcMaximum;
    archive.CheckCRC = true;
    archive.OnProgress = [&progress](const QString &, int percentage) { progress.set(percentage); };
    archive.OpenArchive(path);
    archive.ExtractAll(folder);
    archive.CloseArchive();
}

// What of the three tables could be read; a damaged table is made into what could be read,
// so that the program shows and saves exactly that.
QList<dbf::TableDamage> salvageTables(const QString &folder)
{
    QList<dbf::TableDamage> found;
    for (const QString &name : {objectDbf, workerDbf, linkDbf}) {
        const dbf::TableDamage damage = dbf::inspectTable(folder + name);
        if (damage.isDamaged()) {
            dbf::salvageTable(folder + name, damage);
            found << damage;
        }
    }
    return found;
}

void nameTablesIn(DocumentTables &tables, const QString &folder, const AfterPostHandler &afterPost)
{
    tables.object = std::make_unique<dbf::Table>(folder + objectDbf);
    tables.worker = std::make_unique<dbf::Table>(folder + workerDbf);
    tables.link = std::make_unique<dbf::Table>(folder + linkDbf);
    for (dbf::Table *table : {tables.object.get(), tables.worker.get(), tables.link.get()})
        table->setAfterPost(afterPost);
}

} // namespace

QList<dbf::TableDamage> Document::open(const QString &path)
{
    if (!QFileInfo(path).isFile())
        throw DocumentNotFound();
    // The file is unpacked, checked and converted in a folder of its own; the open document
    // is replaced only once all of that succeeded, so a failure leaves it as it was.
    ScratchFolder incoming;
    QList<dbf::TableDamage> damage;
    int version = CurrentDocumentVersion;
    {
        ProgressScope progress(m_progress, QStringLiteral("Otevírání: ") + QFileInfo(path).completeBaseName(), 100);
        extractDocument(path, incoming.path(), progress);
        version = readDocumentVersion(incoming.path());
    }
    bool converted = false;
    {
        DocumentTables tables;
        const AfterPostHandler rowWritten = [&converted](dbf::Table &) { converted = true; };
        nameTablesIn(tables, incoming.path(), rowWritten);
        // Other dBase tools may leave the side tables out: they start empty.
        CreateMissingSideTables(tables);
        damage = salvageTables(incoming.path());
        for (dbf::Table *table : {tables.object.get(), tables.worker.get(), tables.link.get()})
            table->open();
        if (version < CurrentDocumentVersion)
            ConvertDocument(tables, incoming.path(), version, rowWritten, m_progress);
        // The engine builds every order from the rows, so a missing or unreadable index file
        // costs nothing but its rewriting.
        RestoreUpLinkIndex(tables);
    }
    takeFilesFrom(incoming.path());
    m_version = version;
    m_fileName = path;
    forgetHighestIndexes();
    // A converted document differs from its file until it is saved.
    setModified(converted);
    return damage;
}

void Document::takeFilesFrom(const QString &folder)
{
    closeTables();
    try {
        deleteFiles(m_workFolder, documentFileNames());
        for (const QString &name : documentFileNames()) {
            if (QFile::exists(folder + name) && !QFile::rename(folder + name, m_workFolder + name))
                throw AppError(QStringLiteral("Cannot move %1 into the working folder").arg(name));
        }
        openTables();
    } catch (...) {
        // Half of one document and half of the other is no document: start afresh.
        deleteFiles(m_workFolder, documentFileNames());
        newDocument();
        throw;
    }
    ++m_contentsGeneration;
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
