#pragma once

#include "core/LibraryWorkCopy.h"
#include "tree/DocumentEditing.h"

#include <QObject>

#include <functional>

class QWidget;

namespace ergotab {
class Document;
class ProgressSink;
namespace tree {
struct EditorControls;
}
} // namespace ergotab

namespace ergotab::library {

class TLibForm;

// The message boxes the library's commands show; the main window passes its own.
struct LibraryPrompts
{
    std::function<void(QWidget *parent, const QString &title, const QString &text)> information;
    std::function<bool(const QString &caption, const QString &text)> question;
    std::function<void(const QString &text)> error;
    // Another file to write the library to, starting from `suggested`; empty when cancelled.
    std::function<QString(const QString &suggested)> saveLibraryAs;
};

// The library's part of the main window: the working copy opened at start-up and closed at
// the end, the library window ("Přidat z knihovny"), "Vzor" in the assessment editor, and
// the administrator's "Export do knihovny" and "Editace vzoru opatreni".
class LibraryCommands : public QObject
{
    Q_OBJECT
public:
    LibraryCommands(QWidget *mainWindow, Document &document, DocumentEditing &editing,
                    const tree::EditorControls &editor, LibraryPrompts prompts, QObject *parent = nullptr);
    ~LibraryCommands() override;

    // Library.LIB beside the program unless set otherwise.
    void setLibraryFile(const QString &path) { m_libraryFile = path; }
    const QString &libraryFile() const { return m_libraryFile; }
    void setProgress(ProgressSink *progress);
    // How "Kopírovat" of the library window fills the subtree clipboard.
    void setClipboardCopy(std::function<void(dbf::Table &samples, int index)> copy);
    // Whether the library file may be replaced (canReplaceFile unless a test says otherwise).
    void setReplaceCheck(std::function<bool(const QString &path)> check) { m_canReplace = std::move(check); }

    LibraryWorkCopy &workCopy() { return m_workCopy; }
    TLibForm &libForm() { return *m_libForm; }

    // Start-up: a library that cannot be read is reported and an empty one used instead.
    void OpenLibrary();
    void CloseLibrary();

public slots:
    void AddLibSpeedButtonClick();
    void VzorButtonClick();
    void Exportujknihovnu1Click();
    void Editacevzoruopatreni1Click();

private:
    // Where the library may be written: the library file, or when its folder refuses and the
    // user agrees, another file chosen then; empty to write nothing.
    QString writableTarget(const QString &caption);

    QWidget *m_mainWindow;
    Document &m_document;
    DocumentEditing &m_editing;
    const tree::EditorControls &m_editor;
    LibraryPrompts m_prompts;
    ProgressSink *m_progress = nullptr;
    QString m_libraryFile;
    std::function<bool(const QString &)> m_canReplace;
    LibraryWorkCopy m_workCopy;
    TLibForm *m_libForm; // a child of the main window
};

} // namespace ergotab::library
