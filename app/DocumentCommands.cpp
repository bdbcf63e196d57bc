#include "DocumentCommands.h"

#include "MessageBoxes.h"
#include "TMainForm.h"
#include "storage/document/Document.h"

#include <QFileInfo>

namespace ergotab {

DocumentCommands::DocumentCommands(TMainForm &window, Document &document)
    : QObject(&window)
    , m_window(window)
    , m_document(document)
{
}

bool DocumentCommands::askSaveChanges()
{
    if (!m_document.isModified())
        return true;
    if (MessageBoxes::question(
            &m_window, QStringLiteral("Uložit"), QStringLiteral("Data byla změněna!\n\rUložit změny?")))
        m_window.Save1Click();
    else
        m_document.setModified(false);
    return !m_document.isModified();
}

bool DocumentCommands::openDocument(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        MessageBoxes::warning(&m_window, QStringLiteral("Soubor nenalezen."));
        return false;
    }
    m_document.open(path);
    m_window.UpdateCaption();
    m_window.addRecentFile(path);
    m_document.forgetHighestIndexes();
    return true;
}

void DocumentCommands::newDocument()
{
    // The document's "new" operation comes here: empty tables, no name, caption, tree rebuilt.
}

void DocumentCommands::openWithDialog()
{
    // The open dialog ("Soubory Ergotab (*.tvo)") and openDocument() come here.
}

void DocumentCommands::save()
{
    // Document::save() into the document's name, or saveAs() while it has none, comes here.
}

void DocumentCommands::saveAs()
{
    // The save dialog, the ".TVO" rule, Document::save(), the caption and the recent files
    // come here.
}

} // namespace ergotab
