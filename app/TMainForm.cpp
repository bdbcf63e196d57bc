#include "TMainForm.h"

#include "AdminMode.h"
#include "DocumentCommands.h"
#include "FileDialogs.h"
#include "MessageBoxes.h"
#include "RecentFilesMenu.h"
#include "ReportCommands.h"
#include "ReportDesignerCommand.h"
#include "TAboutForm.h"
#include "TProgressForm.h"
#include "TSummaryForm.h"
#include "UserSettings.h"
#include "WindowPlacement.h"
#include "help/HelpKey.h"
#include "help/HelpTopics.h"
#include "help/HelpViewer.h"
#include "library/LibraryCommands.h"
#include "storage/document/Document.h"
#include "tree/CategorisationPanel.h"
#include "tree/CategorySummary.h"
#include "tree/DataTreeItem.h"
#include "tree/DocumentTree.h"
#include "tree/RecordEditor.h"
#include "tree/StructureCommands.h"
#include "tree/TreeContextMenu.h"
#include "tree/clipboard/ClipboardCommands.h"
#include "wizard/TWizardData.h"
#include "wizard/TWizardForm.h"
#include "workers/TWorkersForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QTreeWidget>

namespace ergotab {

TMainForm::TMainForm(QWidget *parent)
    : QMainWindow(parent)
    , m_document(std::make_unique<Document>())
    , m_wizardData(std::make_unique<TWizardData>())
{
    m_ui.setupUi(this);
    m_documentCommands = new DocumentCommands(*this, *m_document);
    createCategorisation();
    createLibrary();
    createWorkersForm();
    m_recentFilesMenu = new RecentFilesMenu(m_ui.File1, this);
    m_reports = new ReportCommands(this, *m_document, m_ui.Sestavy1, this);
    connect(m_reports, &ReportCommands::reportChosen, this, &TMainForm::Vytvoit1Click);
    connect(m_ui.ModifyReport1, &QAction::triggered, this, &TMainForm::ModifyReport1Click);
    installReportPreviewHooks();
    connectCommands();
    m_recentFilesMenu->rebuild(m_recentFiles.paths());

    resize(573, 445);
    centreOnScreen(this);
    UpdateCaption();
}

TMainForm::~TMainForm()
{
    // A window destroyed without being closed still leaves no working folder behind.
    try {
        m_document->shutDown();
    } catch (...) {
    }
}

void TMainForm::createCategorisation()
{
    tree::CategorisationWidgets w;
    w.DataTreeNT = m_ui.DataTreeNT;
    w.pages = {m_ui.NoneTabSheet, m_ui.NodeTabSheet, m_ui.ItemTabSheet};
    w.lock.store = m_ui.StoreBitBtn;
    w.lock.cancel = m_ui.CancelBitBtn;
    for (QMenu *menu : {m_ui.File1, m_ui.Workers1, m_ui.Sestavy1, m_ui.Zobrazit1, m_ui.Help1, m_ui.Administrace1})
        w.lock.menus.append(menu->menuAction());
    w.lock.widgets = {m_ui.Panel1,
                      m_ui.AddNodeSpeedButton,
                      m_ui.AddKatSpeedButton,
                      m_ui.AddLibSpeedButton,
                      m_ui.WizardSpeedButton1,
                      m_ui.DeleteSpeedButton};
    w.AddNodeSpeedButton = m_ui.AddNodeSpeedButton;
    w.AddKatSpeedButton = m_ui.AddKatSpeedButton;
    w.AddLibSpeedButton = m_ui.AddLibSpeedButton;
    w.WizardSpeedButton1 = m_ui.WizardSpeedButton1;
    w.DeleteSpeedButton = m_ui.DeleteSpeedButton;
    m_categorisation = new tree::CategorisationPanel(
        w, *m_document,
        [this](const QString &caption, const QString &text) { return MessageBoxes::question(this, caption, text); },
        this);
}

void TMainForm::createLibrary()
{
    library::LibraryPrompts prompts;
    prompts.information = [](QWidget *parent, const QString &title, const QString &text) {
        MessageBoxes::information(parent, title, text);
    };
    prompts.question = [this](const QString &caption, const QString &text) {
        return MessageBoxes::question(this, caption, text);
    };
    prompts.error = [this](const QString &text) { showErrorBox(this, text); };
    prompts.saveLibraryAs = [this](const QString &suggested) { return FileDialogs::saveLibraryName(this, suggested); };
    m_library = new library::LibraryCommands(this, *m_document, editing(), m_categorisation->editor().controls(),
                                             std::move(prompts), this);
    connect(m_ui.AddLibSpeedButton, &QAbstractButton::clicked, m_library,
            &library::LibraryCommands::AddLibSpeedButtonClick);
    connect(m_ui.Exportujknihovnu1, &QAction::triggered, m_library, &library::LibraryCommands::Exportujknihovnu1Click);
    connect(m_ui.Editacevzoruopatreni1, &QAction::triggered, m_library,
            &library::LibraryCommands::Editacevzoruopatreni1Click);
}

void TMainForm::createWorkersForm()
{
    workers::WorkerPrompts prompts;
    prompts.question = [this](const QString &caption, const QString &text) {
        return MessageBoxes::question(m_workersForm, caption, text);
    };
    prompts.notice = [this](const QString &text) { showErrorBox(m_workersForm, text); };
    m_workersForm = new workers::TWorkersForm(*m_document, prompts, this);
    centreOnScreen(m_workersForm);
}

void TMainForm::connectCommands()
{
    connect(m_ui.New1, &QAction::triggered, this, &TMainForm::New1Click);
    connect(m_ui.Open1, &QAction::triggered, this, &TMainForm::Open1Click);
    connect(m_ui.Save1, &QAction::triggered, this, &TMainForm::Save1Click);
    connect(m_ui.SaveAs1, &QAction::triggered, this, &TMainForm::SaveAs1Click);
    connect(m_ui.Exit1, &QAction::triggered, this, &TMainForm::Exit1Click);
    connect(m_ui.Souhrn1, &QAction::triggered, this, &TMainForm::Souhrn1Click);
    connect(m_ui.Index1, &QAction::triggered, this, &TMainForm::Index1Click);
    // F1 here is "Témata", the contents; the window's own topic is linked from there.
    setHelpKeyContext(this, HelpTopic::MainWindow);
    connect(m_ui.Oprogramu1, &QAction::triggered, this, &TMainForm::Oprogramu1Click);
    connect(m_ui.Editovat1, &QAction::triggered, this, &TMainForm::Editovat1Click);
    connect(m_ui.WizardSpeedButton1, &QAbstractButton::clicked, this, &TMainForm::WizardSpeedButton1Click);
    connect(m_recentFilesMenu, &RecentFilesMenu::chosen, this, &TMainForm::MRUManager1Click);
}

void TMainForm::setProgressForm(TProgressForm *form)
{
    m_progressForm = form;
    m_document->setProgressSink(form);
    m_library->setProgress(form);
}

void TMainForm::UpdateCaption()
{
    const QString name = m_document->displayName();
    const QString caption = name.isEmpty() ? QStringLiteral("Ergotab") : name + QStringLiteral(" - Ergotab");
    // Only this window's title: an application display name would be appended to the title
    // of every other window too.
    setWindowTitle(caption);
}

void TMainForm::addRecentFile(const QString &path)
{
    m_recentFiles.add(path);
    m_recentFilesMenu->rebuild(m_recentFiles.paths());
}

void TMainForm::loadRecentFiles()
{
    m_recentFiles.load(*openUserSettings());
    m_recentFilesMenu->rebuild(m_recentFiles.paths());
}

void TMainForm::saveRecentFiles() const
{
    m_recentFiles.save(*openUserSettings());
}

void TMainForm::OpenDocument(const QString &path)
{
    m_documentCommands->openDocument(path);
}

void TMainForm::ClearTree()
{
    m_categorisation->clearTree();
}

void TMainForm::BuildTreeFromDocument()
{
    m_treeBuilding = true;
    m_categorisation->rebuildTree();
    m_treeBuilding = false;
}

DocumentEditing &TMainForm::editing()
{
    return m_categorisation->editing();
}

void TMainForm::AddNodeSpeedButtonClick()
{
    m_categorisation->commands().AddNodeSpeedButtonClick();
}

void TMainForm::AddKatSpeedButtonClick()
{
    m_categorisation->commands().AddKatSpeedButtonClick();
}

void TMainForm::DeleteSpeedButtonClick()
{
    m_categorisation->commands().DeleteSpeedButtonClick();
}

void TMainForm::StoreBitBtnClick()
{
    m_categorisation->editor().StoreBitBtnClick();
}

void TMainForm::CancelBitBtnClick()
{
    m_categorisation->editor().CancelBitBtnClick();
}

void TMainForm::LoadEditor()
{
    m_categorisation->editor().LoadEditor();
}

void TMainForm::PrepareClipboardFolder()
{
    m_clipboard = std::make_unique<tree::ClipboardCommands>(m_categorisation->tree(),
                                                            tree::SubtreeClipboard::PrepareClipboardFolder());
    m_categorisation->contextMenu().setClipboardCommands([this] { m_clipboard->Copy1Click(); },
                                                         [this] { m_clipboard->Paste1Click(); },
                                                         [this] { return m_clipboard->ClipboardHasRows(); });
    m_library->setClipboardCopy(
        [this](dbf::Table &samples, int index) { m_clipboard->clipboard().copyFrom(samples, index, m_progressForm); });
}

void TMainForm::WizardSpeedButton1Click()
{
    TWizardForm wizard(this, &editing(), m_wizardData.get());
    wizard.exec();
}

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_firstShow) {
        loadRecentFiles();
        FormShow();
    }
}

void TMainForm::FormShow()
{
    if (!m_firstShow)
        return;
    // Cleared first: a failing step is reported once and not run again at the next show.
    m_firstShow = false;

    m_document->forgetHighestIndexes();

    m_administratorMode = administratorMarkerExists();
    m_ui.Administrace1->menuAction()->setVisible(m_administratorMode);
    m_ui.AdminRxLabel->setVisible(m_administratorMode);

    UpdateCaption();
    m_ui.PageControl1->setCurrentWidget(m_ui.NoneTabSheet);
    ClearTree();

    m_library->OpenLibrary();
    m_document->start();

    if (!m_commandLineDocument.isEmpty()) {
        // A missing file is told as the Open command tells it; a damaged one is shown in the
        // error box. Either way the rest of the start-up still runs.
        try {
            OpenDocument(m_commandLineDocument);
        } catch (const std::exception &e) {
            showErrorBox(this, QString::fromUtf8(e.what()));
        }
    }

    m_treeBuilding = true;
    BuildTreeFromDocument();
    m_treeBuilding = false;

    PrepareClipboardFolder();
    rebuildReportsMenu();
}

void TMainForm::rebuildReportsMenu()
{
    m_reports->rebuildMenu();
}

void TMainForm::Vytvoit1Click(const QString &reportName)
{
    m_reports->run(reportName);
}

void TMainForm::ModifyReport1Click()
{
    designReports(this, *m_document);
    rebuildReportsMenu();
}

void TMainForm::New1Click()
{
    m_documentCommands->newDocument();
}

void TMainForm::Open1Click()
{
    m_documentCommands->openWithDialog();
}

void TMainForm::Save1Click()
{
    m_documentCommands->save();
}

void TMainForm::SaveAs1Click()
{
    m_documentCommands->saveAs();
}

void TMainForm::MRUManager1Click(const QString &path)
{
    m_documentCommands->openRecent(path);
}

void TMainForm::Index1Click()
{
    HelpViewer::showContents(this);
}

void TMainForm::Oprogramu1Click()
{
    TAboutForm about(this);
    about.exec();
}

void TMainForm::Editovat1Click()
{
    m_workersForm->exec();
}

void TMainForm::Souhrn1Click()
{
    // The node selected in the tree, or the node a selected assessment stands under.
    const QTreeWidgetItem *item = m_categorisation->tree().selectedItem();
    if (item && tree::DataTreeItem::from(item) && tree::DataTreeItem::from(item)->isAssessment())
        item = item->parent();
    const tree::DataTreeItem *node = item ? tree::DataTreeItem::from(item) : nullptr;
    TSummaryForm summary([this](int root) { return tree::summarise(m_document->objects(), root); },
                         node ? node->index() : 0, node ? node->text(0) : QString(), this);
    summary.exec();
}

void TMainForm::Exit1Click()
{
    close();
}

bool TMainForm::FormCloseQuery()
{
    if (m_ui.StoreBitBtn->isEnabled()) {
        MessageBoxes::information(this, QStringLiteral("Nejprve uložte nebo zrušte změny v editovaném záznamu."));
        return false;
    }
    saveRecentFiles();
    return true;
}

void TMainForm::FormClose()
{
    ClearTree();
    m_document->shutDown();
    m_library->CloseLibrary();
    UpdateCaption();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    // Unsaved changes are asked about while closing can still be refused: a user who chose to
    // save and then cancelled the save dialog keeps the window and the changes.
    if (!FormCloseQuery() || !m_documentCommands->askSaveChanges()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TMainForm::keyPressEvent(QKeyEvent *event)
{
    // As in a dialog: Enter presses "Uložit" and Escape "Zrušit" when no control used the key.
    QPushButton *button = nullptr;
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            button = m_ui.StoreBitBtn;
        else if (event->key() == Qt::Key_Escape)
            button = m_ui.CancelBitBtn;
    }
    if (button && button->isEnabled() && button->isVisible()) {
        button->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

} // namespace ergotab
