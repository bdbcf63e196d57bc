#pragma once

#include <QObject>

namespace ergotab {

class Document;
class TMainForm;

// The commands of the "Soubor" menu that make, open and save documents. The main window's
// handlers call these; the document itself (storage/document) does the work on the files.
class DocumentCommands : public QObject
{
    Q_OBJECT
public:
    DocumentCommands(TMainForm &window, Document &document);

    // Guard of every command that would drop unsaved changes: when the document is modified,
    // asks "Uložit" (Yes saves, No drops the changes). True when the caller may go on, that
    // is when the modified flag is clear afterwards.
    bool askSaveChanges();

    // Makes the file the open document, names the window after it and puts it at the top of
    // the recent files. A path naming no file shows "Soubor nenalezen." and changes nothing.
    // True when the document was opened; a damaged file raises the container's error.
    bool openDocument(const QString &path);

    // "&Nový", "&Otevřít...", "&Uložit" and "Uložit j&ako...": completed with the document's
    // open, save and new operations.
    void newDocument();
    void openWithDialog();
    void save();
    void saveAs();

private:
    TMainForm &m_window;
    Document &m_document;
};

} // namespace ergotab
