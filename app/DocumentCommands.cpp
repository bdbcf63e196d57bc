#include "DocumentCommands.h"

#include "FileDialogs.h"
#include "MessageBoxes.h"
#include "TMainForm.h"
#include "storage/document/Document.h"
#include "storage/document/DocumentFile.h"

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
    switch (MessageBoxes::askYesNo(&m_window, QStringLiteral("Uložit"),
                                   QStringLiteral("Data byla změněna!\n\rUložit změny?"))) {
    case MessageBoxes::Answer::Yes:
        m_window.Save1Click();
        break;
    case MessageBoxes::Answer::No:
        m_document.setModified(false);
        break;
    case MessageBoxes::Answer::Cancelled:
        return false; // Escape or the close button: the command is called off
    }
    return !m_document.isModified();
}

bool DocumentCommands::openDocument(const QString &path)
{
    try {
        m_document.open(path);
    } catch (const DocumentNotFound &) {
        MessageBoxes::warning(&m_window, QStringLiteral("Soubor nenalezen."));
        return false;
    } catch (...) {
        // The document is empty and unnamed now: the window shows it before the error box.
        m_window.UpdateCaption();
        m_window.BuildTreeFromDocument();
        throw;
    }
    m_window.UpdateCaption();
    m_window.addRecentFile(path);
    return true;
}

void DocumentCommands::openAndShow(const QString &path)
{
    if (openDocument(path))
        m_window.BuildTreeFromDocument();
}

void DocumentCommands::newDocument()
{
    if (!askSaveChanges())
        return;
    m_document.newDocument();
    m_window.UpdateCaption();
    m_window.BuildTreeFromDocument();
}

void DocumentCommands::openWithDialog()
{
    if (!askSaveChanges())
        return;
    const QString path = FileDialogs::openDocumentName(&m_window);
    if (!path.isEmpty())
        openAndShow(path);
}

void DocumentCommands::openRecent(const QString &path)
{
    if (askSaveChanges())
        openAndShow(path);
}

void DocumentCommands::save()
{
    if (m_document.fileName().isEmpty())
        saveAs();
    else
        m_document.save();
}

QString DocumentCommands::withDocumentExtension(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("tvo"), Qt::CaseInsensitive) == 0
               ? path
               : path + QStringLiteral(".TVO");
}

void DocumentCommands::saveAs()
{
    const QString chosen = FileDialogs::saveDocumentName(&m_window);
    if (chosen.isEmpty())
        return;
    m_document.setFileName(withDocumentExtension(chosen));
    m_document.save();
    m_window.UpdateCaption();
    m_window.addRecentFile(m_document.fileName());
}

} // namespace ergotab
