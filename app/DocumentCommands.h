#pragma once

#include "storage/dbf/TableDamage.h"

#include <QList>
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
    // asks "Uložit" (Yes saves, No drops the changes, Escape calls the command off). True when
    // the caller may go on, that is when the modified flag is clear afterwards.
    bool askSaveChanges();

    // Makes the file the open document, names the window after it and puts it at the top of
    // the recent files. A path naming no file shows "Soubor nenalezen." and changes nothing.
    // True when the document was opened; a table that could be read only in part is warned
    // about. A file that cannot be opened leaves the open document as it was and raises an
    // error naming the file and the container's or engine's message.
    bool openDocument(const QString &path);

    // "Soubor „name.tvo“ nelze otevřít: <cause>".
    static QString cannotOpenMessage(const QString &path, const QString &cause);
    // "Dokument je poškozen: …" naming each table and what could be read of it.
    static QString damageWarning(const QList<dbf::TableDamage> &damage);

    // "&Nový", "&Otevřít...", a recent file, "&Uložit" and "Uložit j&ako...". A failed open
    // or save raises the error for the error box with the document, its file and the
    // modified flag as they were.
    void newDocument();
    void openWithDialog();
    void openRecent(const QString &path);
    void save();
    void saveAs();

    // The name "Uložit jako" saves under: ".TVO" appended unless the extension already is
    // ".tvo" in any letter case.
    static QString withDocumentExtension(const QString &path);

private:
    void openAndShow(const QString &path);

    TMainForm &m_window;
    Document &m_document;
};

} // namespace ergotab
