#include "Document.h"

#include "WorkFolder.h"

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

} // namespace ergotab
