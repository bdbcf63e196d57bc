#pragma once

#include "MainFormUi.h"
#include "RecentFiles.h"

#include <QMainWindow>

#include <memory>

namespace ergotab {

class Document;
class DocumentEditing;
class DocumentCommands;
class RecentFilesMenu;
class ReportCommands;
class TProgressForm;
class TWizardData;
namespace library {
class LibraryCommands;
}
namespace tree {
class CategorisationPanel;
class ClipboardCommands;
} // namespace tree
namespace workers {
class TWorkersForm;
}

// The one main window: lives from start to end and owns the open document, the recent files
// and the controls. Commands live in their own classes; this class wires them to the menus
// and buttons and runs the start-up and close sequences.
class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    MainFormUi &ui() { return m_ui; }
    const MainFormUi &ui() const { return m_ui; }
    Document &document() { return *m_document; }
    DocumentCommands &documentCommands() { return *m_documentCommands; }
    const RecentFiles &recentFiles() const { return m_recentFiles; }
    // The tree, the record editor and the structure commands on DataTreeNT and the pages.
    tree::CategorisationPanel &categorisation() { return *m_categorisation; }
    // The add and store commands as the wizard and the library window use them.
    DocumentEditing &editing();
    // The library opened at start-up, its window, "Vzor" and the administrator's commands.
    library::LibraryCommands &library() { return *m_library; }

    // The progress dialog long operations report to; the main window does not own it.
    void setProgressForm(TProgressForm *form);
    TProgressForm *progressForm() const { return m_progressForm; }

    // The program's first command-line argument: a document to open at start-up.
    void setCommandLineDocument(const QString &path) { m_commandLineDocument = path; }

    // Decided once, at start-up, from the marker file.
    bool isAdministratorMode() const { return m_administratorMode; }
    // Set while the tree is being filled, so that its selection changes are ignored.
    bool isTreeBuilding() const { return m_treeBuilding; }

    // Caption "<document name> - Ergotab", or "Ergotab" for an unnamed document. Other
    // windows keep their own titles.
    void UpdateCaption();
    void OpenDocument(const QString &path);
    void addRecentFile(const QString &path);

    // Hooks of the tree: empty the tree with its item table; build it from the document's
    // Object table (with the tree-building flag set) and show the selection in the editor.
    void ClearTree();
    void BuildTreeFromDocument();
    // Hook of the subtree clipboard: prepare its folder at start-up.
    void PrepareClipboardFolder();
    // Fills "Sestavy" again from the reports folder (at start-up and after the designer).
    void rebuildReportsMenu();

public slots:
    void New1Click();
    void Open1Click();
    void Save1Click();
    void SaveAs1Click();
    void MRUManager1Click(const QString &path);
    void Index1Click();
    void Oprogramu1Click();
    // "Zaměstnanci" / "Editovat": the worker register, modal. The menu itself stays hidden.
    void Editovat1Click();
    // "Souhrn kategorií": counts per factor and category for the document or the selected node.
    void Souhrn1Click();
    // A command of "Sestavy": the report of that name over the stored document, then its preview.
    void Vytvoit1Click(const QString &reportName);
    // "Úprava sestav": the designer over the stored document, then "Sestavy" built again.
    void ModifyReport1Click();
    void Exit1Click();
    // The tree's commands; the wizard and the library call the add and store commands.
    void AddNodeSpeedButtonClick();
    void AddKatSpeedButtonClick();
    void DeleteSpeedButtonClick();
    // "Přidat průvodcem": a fresh wizard, modal, that adds its assessment through the two
    // commands above.
    void WizardSpeedButton1Click();
    void StoreBitBtnClick();
    void CancelBitBtnClick();
    void LoadEditor();
    // The start-up sequence; runs once, at the first show.
    void FormShow();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

    // False (with a notice) while the editor holds unsaved changes; otherwise saves the
    // recent files and allows closing.
    bool FormCloseQuery();
    // Removes the document's working folder; the window is closing.
    void FormClose();

private:
    void connectCommands();
    void createCategorisation();
    void createLibrary();
    void createWorkersForm();
    void loadRecentFiles();
    void saveRecentFiles() const;

    MainFormUi m_ui;
    std::unique_ptr<Document> m_document;
    DocumentCommands *m_documentCommands = nullptr;
    tree::CategorisationPanel *m_categorisation = nullptr;
    library::LibraryCommands *m_library = nullptr;
    std::unique_ptr<tree::ClipboardCommands> m_clipboard;
    // The wizard's pictures, drawn once and kept for every run of the wizard.
    std::unique_ptr<TWizardData> m_wizardData;
    RecentFiles m_recentFiles;
    RecentFilesMenu *m_recentFilesMenu = nullptr;
    ReportCommands *m_reports = nullptr;
    TProgressForm *m_progressForm = nullptr;
    workers::TWorkersForm *m_workersForm = nullptr; // made once, reused at every opening
    QString m_commandLineDocument;
    bool m_firstShow = true;
    bool m_treeBuilding = false;
    bool m_administratorMode = false;
};

} // namespace ergotab
