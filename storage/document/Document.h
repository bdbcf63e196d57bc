#pragma once

#include "DocumentTables.h"
#include "VersionInfo.h"
#include "storage/Progress.h"
#include "storage/dbf/TableDamage.h"

#include <QList>
#include <QObject>

namespace ergotab {

// The open document: its working folder with the three tables, its file name, version,
// modified flag and the cached highest Index values. There is always one: empty and unnamed
// after start() and newDocument(), named after a successful open or save as.
class Document : public QObject
{
    Q_OBJECT
public:
    explicit Document(QObject *parent = nullptr);
    ~Document() override;

    void setProgressSink(ProgressSink *sink) { m_progress = sink; }
    ProgressSink *progressSink() const { return m_progress; }

    // Start-up: a working folder of its own with three empty tables.
    void start();
    // Shut-down: the tables closed, their files deleted and the working folder removed.
    void shutDown();
    bool isStarted() const { return !m_workFolder.isEmpty(); }

    // Path of the working folder with a trailing separator.
    const QString &workFolder() const { return m_workFolder; }
    DocumentTables &tables() { return m_tables; }
    dbf::Table &objects() { return *m_tables.object; }
    dbf::Table &workers() { return *m_tables.worker; }
    dbf::Table &links() { return *m_tables.link; }

    const QString &fileName() const { return m_fileName; }
    void setFileName(const QString &path) { m_fileName = path; }
    // The name shown in captions and progress texts: file name without folder and extension.
    QString displayName() const;

    bool isModified() const { return m_modified; }
    void setModified(bool modified);

    int version() const { return m_version; }

    // Highest Index of the Object and Worker tables once scanned; -1 while unknown.
    int cachedHighestObjectIndex = -1;
    int cachedHighestWorkerIndex = -1;
    void forgetHighestIndexes() { cachedHighestObjectIndex = cachedHighestWorkerIndex = -1; }

    // "Nový": empty tables, no name, not modified.
    void newDocument();
    // Makes the file the open document: unpacked, checked and converted apart, then put in
    // place of the open one. A failure leaves the open document, its name and its modified
    // flag as they were (only a failure while the files change places leaves an empty,
    // unnamed document). Tables that could be read only in part are returned, as read.
    QList<dbf::TableDamage> open(const QString &path);
    // Packs the working folder into fileName(). The previous file stays untouched until the
    // new container is complete; on failure the tables are open again, the flag stays set.
    void save();

    void closeTables();
    void openTables();

    // Changes whenever the tables are replaced (new, opened, reset after a failure), so a
    // caller can tell whether what it shows is still the document.
    quint64 contentsGeneration() const { return m_contentsGeneration; }

signals:
    void modifiedChanged(bool modified);

private:
    void createEmptyTables();
    void afterPost(dbf::Table &);
    void takeFilesFrom(const QString &folderWithSeparator);

    ProgressSink *m_progress = nullptr;
    QString m_workFolder;
    DocumentTables m_tables;
    QString m_fileName;
    bool m_modified = false;
    int m_version = CurrentDocumentVersion;
    quint64 m_contentsGeneration = 0;
};

} // namespace ergotab
