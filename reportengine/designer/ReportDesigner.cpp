#include "ReportDesigner.h"

#include "BandDialog.h"
#include "DataTree.h"
#include "DesignSurface.h"
#include "DialogPageEditor.h"
#include "ExpressionEditor.h"
#include "PageSetupDialog.h"
#include "PageTabs.h"
#include "PropertyPanel.h"
#include "RichTextEditor.h"
#include "Ruler.h"
#include "TemplateInfoDialog.h"
#include "VariablesDialog.h"
#include "reportengine/designer/core/ObjectClipboard.h"
#include "reportengine/designer/core/SurfaceGeometry.h"
#include "reportengine/model/TemplateLoader.h"
#include "reportengine/model/TemplateXml.h"
#include "reportengine/preview/ReportPreview.h"
#include "storage/AppError.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace ergotab::report::designer {

namespace {

const QString templateFilter = QStringLiteral("Šablony sestav (*.frf)");

DesignerHooks standardHooks()
{
    DesignerHooks hooks;
    hooks.openFileName = [](QWidget *parent, const QString &folder) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Otevřít šablonu sestavy"), folder, templateFilter);
    };
    hooks.saveFileName = [](QWidget *parent, const QString &suggested) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Uložit šablonu sestavy"), suggested,
                                            templateFilter);
    };
    hooks.ask = [](QWidget *parent, const QString &question) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Úprava sestav"), question,
                        QMessageBox::Yes | QMessageBox::No, parent);
        box.setButtonText(QMessageBox::Yes, QStringLiteral("Ano"));
        box.setButtonText(QMessageBox::No, QStringLiteral("Ne"));
        // Escape and the close button call the command off instead of answering No.
        QAbstractButton *escape = box.addButton(QMessageBox::Cancel);
        escape->hide();
        box.setEscapeButton(escape);
        const int result = box.exec();
        return result == QMessageBox::Yes  ? DesignerHooks::Answer::Yes
               : result == QMessageBox::No ? DesignerHooks::Answer::No
                                           : DesignerHooks::Answer::Cancel;
    };
    hooks.showError = [](QWidget *parent, const QString &message) {
        QMessageBox::critical(parent, QStringLiteral("Chyba"), message);
    };
    hooks.showWarnings = [](QWidget *parent, const QString &message, const QStringList &warnings) {
        auto *box =
            new QMessageBox(QMessageBox::Warning, QStringLiteral("Úprava sestav"), message, QMessageBox::Ok, parent);
        box->setObjectName(QStringLiteral("TemplateWarningsBox"));
        box->setDetailedText(warnings.join(QLatin1Char('\n')));
        box->setWindowModality(Qt::NonModal);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->show();
    };
    hooks.showPreview = [](QWidget *parent, PreparedReport report) {
        ReportPreview preview(std::move(report), parent);
        preview.exec();
    };
    return hooks;
}

} // namespace

ReportTemplate ReportDesigner::emptyTemplate()
{
    ReportTemplate report;
    ReportPage page;
    page.name = QStringLiteral("Page1");
    report.pages.push_back(page);
    return report;
}

ReportDesigner::ReportDesigner(DesignerHost host, QWidget *parent)
    : QDialog(parent)
    , m_host(std::move(host))
    , m_hooks(standardHooks())
{
    setObjectName(QStringLiteral("ReportDesigner"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    resize(1280, 820);
    m_model.reset(emptyTemplate());
    m_surface = new DesignSurface(m_model);
    m_panel = new PropertyPanel(m_model, *m_surface);
    m_tree = new DataTree(m_host);
    buildLayout();
    buildMenus();
    buildToolBars();
    if (m_host.showHelp) {
        // One F1 for the window: the topic of the tab in front (report page or dialog page).
        auto *help = new QAction(this);
        help->setObjectName(QStringLiteral("HelpAction"));
        help->setShortcut(QKeySequence::HelpContents);
        connect(help, &QAction::triggered, this, &ReportDesigner::showHelp);
        QWidget::addAction(help);
    }

    connect(&m_model, &DesignerModel::changed, this, [this] {
        m_tabs->follow();
        m_tree->refresh(m_model.reportTemplate());
        updateTitle();
        updateActions();
    });
    connect(&m_model, &DesignerModel::templateReplaced, this, [this] {
        m_tree->rebuild(m_model.reportTemplate());
        m_tabs->follow();
        m_tabs->setCurrentIndex(0);
    });
    connect(m_tabs, &QTabWidget::currentChanged, this, &ReportDesigner::updateActions);
    connect(&m_model.undoStack(), &QUndoStack::cleanChanged, this, &ReportDesigner::updateTitle);
    connect(m_surface, &DesignSurface::selectionChanged, this, &ReportDesigner::updateActions);
    connect(m_surface, &DesignSurface::currentBandChanged, this, &ReportDesigner::updateActions);
    connect(m_surface, &DesignSurface::editObjectRequested, this, &ReportDesigner::editObjectText);
    connect(m_surface, &DesignSurface::bandOptionsRequested, this, &ReportDesigner::editBand);
    connect(m_panel, &PropertyPanel::editTextRequested, this, &ReportDesigner::editObjectText);
    m_panel->setExpressionEditor([this](const QString &expression) -> std::optional<QString> {
        ExpressionEditor editor(m_host, m_model.reportTemplate(), ExpressionEditor::Mode::Expression, expression, this);
        if (editor.exec() != QDialog::Accepted)
            return std::nullopt;
        return editor.text().simplified();
    });
    connect(m_surface, &DesignSurface::insertKindChanged, this, [this] {
        for (auto &[action, kind] : m_insertActions)
            action->setChecked(m_surface->insertKind() == kind);
    });
    m_tree->rebuild(m_model.reportTemplate());
    updateTitle();
    updateActions();
}

DialogPageEditor *ReportDesigner::dialogEditor(int index) const
{
    return m_tabs->dialogEditor(index);
}

void ReportDesigner::insertDialogPage()
{
    DialogPage page;
    page.caption = QStringLiteral("Údaje pro sestavu");
    m_tabs->showDialog(m_model.insertDialogPage(page));
}

void ReportDesigner::deleteDialogPage()
{
    if (const int index = m_tabs->currentDialog(); index >= 0)
        m_model.deleteDialogPage(index);
}

void ReportDesigner::insertReportPage()
{
    // The new page takes the paper and margins of the one in front.
    const int current = m_surface->page();
    const int index = m_model.insertReportPage(current + 1, PageSetup::of(m_model.reportTemplate().pages.at(current)));
    m_tabs->showReportPage(index);
}

void ReportDesigner::deleteReportPage()
{
    const int index = m_tabs->currentReportPage();
    const auto &pages = m_model.reportTemplate().pages;
    if (index < 0 || pages.size() < 2)
        return;
    const ReportPage &page = pages[size_t(index)];
    if ((!page.bands.empty() || !page.objects.empty()) &&
        m_hooks.ask(this, QStringLiteral("Odstranit stránku %1 se všemi jejími pásy a objekty?").arg(page.name)) !=
            DesignerHooks::Answer::Yes)
        return;
    m_model.deleteReportPage(index);
}

void ReportDesigner::showHelp()
{
    m_host.showHelp(this, m_tabs->currentDialog() >= 0 ? DesignerHelp::DialogPage : DesignerHelp::Designer);
}

ReportDesigner::~ReportDesigner() = default;

void ReportDesigner::buildLayout()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *designArea = new QWidget;
    auto *grid = new QGridLayout(designArea);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    m_scroll = new QScrollArea;
    m_scroll->setObjectName(QStringLiteral("SurfaceScroll"));
    m_scroll->setWidget(m_surface);
    m_scroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_hRuler = new Ruler(Qt::Horizontal, *m_surface);
    m_vRuler = new Ruler(Qt::Vertical, *m_surface);
    auto *corner = new QWidget;
    corner->setFixedSize(22, 22);
    grid->addWidget(corner, 0, 0);
    grid->addWidget(m_hRuler, 0, 1);
    grid->addWidget(m_vRuler, 1, 0);
    grid->addWidget(m_scroll, 1, 1);
    // The rulers start where the sheet is drawn, inside the scroll area's frame.
    auto follow = [this] {
        const QPoint at = m_surface->mapTo(m_scroll, QPoint(0, 0));
        m_hRuler->setOffset(-at.x());
        m_vRuler->setOffset(-at.y());
    };
    connect(m_scroll->horizontalScrollBar(), &QScrollBar::valueChanged, this, follow);
    connect(m_scroll->verticalScrollBar(), &QScrollBar::valueChanged, this, follow);
    connect(m_surface, &DesignSurface::zoomChanged, this, [this, follow] {
        follow();
        m_hRuler->update();
        m_vRuler->update();
        m_zoomLabel->setText(QStringLiteral("%1 %").arg(qRound(m_surface->zoom() * 100)));
    });
    connect(m_surface, &DesignSurface::cursorMoved, this, [this](QPointF mm) {
        m_hRuler->setMarker(mm.x());
        m_vRuler->setMarker(mm.y());
        m_position->setText(QStringLiteral("x: %1 mm  y: %2 mm")
                                .arg(QString::number(mm.x(), 'f', 1).replace(u'.', u','),
                                     QString::number(mm.y(), 'f', 1).replace(u'.', u',')));
    });

    m_tabs = new PageTabs(m_model, m_host, *m_surface, designArea);

    auto *splitter = new QSplitter;
    splitter->addWidget(m_tree);
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_panel);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setStretchFactor(2, 0);
    splitter->setSizes({220, 700, 360});
    layout->addWidget(splitter, 1);

    auto *status = new QStatusBar;
    m_position = new QLabel;
    m_zoomLabel = new QLabel(QStringLiteral("100 %"));
    status->addWidget(m_position, 1);
    status->addPermanentWidget(m_zoomLabel);
    layout->addWidget(status);
}

QAction *ReportDesigner::addAction(QMenu *menu, const QString &text, const char *name, const QKeySequence &shortcut,
                                   std::function<void()> slot)
{
    auto *action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    connect(action, &QAction::triggered, this, [slot = std::move(slot)] { slot(); });
    menu->addAction(action);
    QWidget::addAction(action);
    return action;
}

QAction *ReportDesigner::action(const QString &objectName) const
{
    return findChild<QAction *>(objectName);
}

void ReportDesigner::buildMenus()
{
    auto *bar = new QMenuBar(this);
    layout()->setMenuBar(bar);

    QMenu *file = bar->addMenu(QStringLiteral("&Soubor"));
    addAction(file, QStringLiteral("&Nová sestava"), "NewAction", QKeySequence::New, [this] { newReport(); });
    addAction(file, QStringLiteral("&Otevřít…"), "OpenAction", QKeySequence::Open, [this] { openDialog(); });
    addAction(file, QStringLiteral("&Uložit"), "SaveAction", QKeySequence::Save, [this] { save(); });
    addAction(file, QStringLiteral("Uložit &jako…"), "SaveAsAction", QKeySequence(QStringLiteral("Ctrl+Shift+S")),
              [this] { saveAs(); });
    file->addSeparator();
    QAction *previewAction = addAction(file, QStringLiteral("Ná&hled"), "PreviewAction",
                                       QKeySequence(QStringLiteral("Ctrl+P")), [this] { preview(); });
    previewAction->setEnabled(bool(m_host.prepare));
    addAction(file, QStringLiteral("&Vzhled stránky…"), "PageSetupAction", {}, [this] { editPageSetup(); });
    addAction(file, QStringLiteral("Vlastnosti &sestavy…"), "TemplateInfoAction", {}, [this] { editTemplateInfo(); });
    addAction(file, QStringLiteral("&Proměnné…"), "VariablesAction", {}, [this] { editVariables(); });
    addAction(file, QStringLiteral("S&kripty šablony…"), "ScriptsAction", {}, [this] { showScripts(); });
    file->addSeparator();
    addAction(file, QStringLiteral("&Zavřít"), "CloseAction", {}, [this] { close(); });

    QMenu *edit = bar->addMenu(QStringLiteral("Úpr&avy"));
    QAction *undo = addAction(edit, QStringLiteral("&Zpět"), "UndoAction", QKeySequence::Undo,
                              [this] { m_model.undoStack().undo(); });
    QAction *redo = addAction(edit, QStringLiteral("Z&novu"), "RedoAction", QKeySequence(QStringLiteral("Ctrl+Y")),
                              [this] { m_model.undoStack().redo(); });
    connect(&m_model.undoStack(), &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(&m_model.undoStack(), &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    undo->setEnabled(false);
    redo->setEnabled(false);
    edit->addSeparator();
    m_selectionActions.push_back(
        addAction(edit, QStringLiteral("&Vyjmout"), "CutAction", QKeySequence::Cut, [this] { cut(); }));
    m_selectionActions.push_back(
        addAction(edit, QStringLiteral("&Kopírovat"), "CopyAction", QKeySequence::Copy, [this] { copy(); }));
    addAction(edit, QStringLiteral("V&ložit"), "PasteAction", QKeySequence::Paste, [this] { paste(); });
    m_selectionActions.push_back(addAction(edit, QStringLiteral("&Odstranit"), "DeleteAction",
                                           QKeySequence(Qt::Key_Delete), [this] { deleteSelection(); }));
    m_bandActions.push_back(addAction(edit, QStringLiteral("Vybrat vše v pásu"), "SelectAllAction",
                                      QKeySequence::SelectAll, [this] { m_surface->selectAllInCurrentBand(); }));
    edit->addSeparator();
    m_selectionActions.push_back(addAction(edit, QStringLiteral("Do &popředí"), "FrontAction", {}, [this] {
        m_surface->setSelection(m_model.bringToFront(m_surface->selection()));
    }));
    m_selectionActions.push_back(addAction(edit, QStringLiteral("Do po&zadí"), "BackAction", {}, [this] {
        m_surface->setSelection(m_model.sendToBack(m_surface->selection()));
    }));
    m_selectionActions.push_back(
        addAction(edit, QStringLiteral("&Text objektu…"), "EditTextAction", {}, [this] { editObjectText(); }));

    QMenu *insert = bar->addMenu(QStringLiteral("&Vložit"));
    QMenu *bands = insert->addMenu(QStringLiteral("&Pás"));
    bands->setObjectName(QStringLiteral("InsertBandMenu"));
    for (BandKind kind : bandKinds()) {
        auto *action = bands->addAction(bandKindCaption(kind), this, [this, kind] { insertBand(kind); });
        action->setObjectName(QStringLiteral("InsertBand%1").arg(int(kind)));
    }
    QAction *newPage =
        addAction(insert, QStringLiteral("&Nová stránka"), "NewPageAction", {}, [this] { insertReportPage(); });
    QAction *deletePage =
        addAction(insert, QStringLiteral("Odstranit stránku"), "DeletePageAction", {}, [this] { deleteReportPage(); });
    m_pageActions.push_back(deletePage);
    QAction *newDialog = addAction(insert, QStringLiteral("&Dialogová stránka"), "InsertDialogAction", {},
                                   [this] { insertDialogPage(); });
    QAction *deleteDialog = addAction(insert, QStringLiteral("Odstranit dialogovou stránku"), "DeleteDialogAction", {},
                                      [this] { deleteDialogPage(); });
    m_tabs->setTabMenuActions({newPage, deletePage, newDialog, deleteDialog});
    insert->addSeparator();
    for (ObjectKind kind : objectKinds()) {
        auto *action = insert->addAction(objectKindCaption(kind));
        action->setObjectName(QStringLiteral("InsertObject%1").arg(int(kind)));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, kind](bool on) {
            m_surface->setInsertKind(on ? std::optional(kind) : std::nullopt);
            m_surface->setFocus();
        });
        m_insertActions.emplace_back(action, kind);
    }

    QMenu *band = bar->addMenu(QStringLiteral("&Pás"));
    m_bandActions.push_back(addAction(band, QStringLiteral("&Vlastnosti pásu…"), "BandOptionsAction", {},
                                      [this] { editBand(m_surface->currentBand()); }));
    m_bandActions.push_back(
        addAction(band, QStringLiteral("&Odstranit pás"), "DeleteBandAction", {}, [this] { deleteBand(); }));
    m_bandActions.push_back(addAction(band, QStringLiteral("Posunout &nahoru"), "BandUpAction", {}, [this] {
        const int b = m_surface->currentBand();
        m_model.moveBand({m_surface->page(), b}, b - 1);
        m_surface->setCurrentBand(std::max(0, b - 1));
    }));
    m_bandActions.push_back(addAction(band, QStringLiteral("Posunout &dolů"), "BandDownAction", {}, [this] {
        const int b = m_surface->currentBand();
        const int last = int(m_model.reportTemplate().pages.at(m_surface->page()).bands.size()) - 1;
        m_model.moveBand({m_surface->page(), b}, b + 1);
        m_surface->setCurrentBand(std::min(last, b + 1));
    }));

    QMenu *align = bar->addMenu(QStringLiteral("&Zarovnat"));
    const std::tuple<QString, const char *, Alignment> aligns[] = {
        {QStringLiteral("&Vlevo"), "AlignLeftAction", Alignment::Left},
        {QStringLiteral("V&pravo"), "AlignRightAction", Alignment::Right},
        {QStringLiteral("&Nahoru"), "AlignTopAction", Alignment::Top},
        {QStringLiteral("&Dolů"), "AlignBottomAction", Alignment::Bottom},
        {QStringLiteral("Na střed &vodorovně"), "AlignHCentreAction", Alignment::HorizontalCentre},
        {QStringLiteral("Na střed &svisle"), "AlignVCentreAction", Alignment::VerticalCentre},
    };
    for (const auto &[text, name, alignment] : aligns)
        m_multiActions.push_back(addAction(align, text, name, {}, [this, alignment, text] {
            arrange([alignment](std::vector<QRectF> r) { return aligned(std::move(r), alignment); },
                    QStringLiteral("Zarovnat"));
        }));
    align->addSeparator();
    m_multiActions.push_back(addAction(align, QStringLiteral("Stejná &šířka"), "SameWidthAction", {}, [this] {
        arrange([](std::vector<QRectF> r) { return sameWidth(std::move(r)); }, QStringLiteral("Stejná šířka"));
    }));
    m_multiActions.push_back(addAction(align, QStringLiteral("Stejná &výška"), "SameHeightAction", {}, [this] {
        arrange([](std::vector<QRectF> r) { return sameHeight(std::move(r)); }, QStringLiteral("Stejná výška"));
    }));
    m_multiActions.push_back(addAction(align, QStringLiteral("Rozmístit vodorov&ně"), "DistributeHAction", {}, [this] {
        arrange([](std::vector<QRectF> r) { return distributed(std::move(r), Direction::Horizontal); },
                QStringLiteral("Rozmístit"));
    }));
    m_multiActions.push_back(addAction(align, QStringLiteral("Rozmístit svisl&e"), "DistributeVAction", {}, [this] {
        arrange([](std::vector<QRectF> r) { return distributed(std::move(r), Direction::Vertical); },
                QStringLiteral("Rozmístit"));
    }));

    QMenu *view = bar->addMenu(QStringLiteral("Zo&brazit"));
    QAction *grid = addAction(view, QStringLiteral("&Mřížka"), "GridAction", {}, [] {});
    grid->setCheckable(true);
    grid->setChecked(m_surface->gridVisible());
    connect(grid, &QAction::toggled, m_surface, &DesignSurface::setGridVisible);
    QAction *snap = addAction(view, QStringLiteral("&Přichytit k mřížce"), "SnapAction", {}, [] {});
    snap->setCheckable(true);
    snap->setChecked(m_surface->snapToGrid());
    connect(snap, &QAction::toggled, m_surface, &DesignSurface::setSnapToGrid);
    QMenu *step = view->addMenu(QStringLiteral("&Krok mřížky"));
    auto *steps = new QActionGroup(this);
    for (const double mm : {1.0, 2.0, 2.5, 5.0}) {
        QAction *a = step->addAction(QString::number(mm).replace(u'.', u',') + QStringLiteral(" mm"));
        a->setObjectName(QStringLiteral("GridStep%1").arg(mm * 10));
        a->setCheckable(true);
        a->setChecked(qFuzzyCompare(mm, m_surface->gridMm()));
        steps->addAction(a);
        connect(a, &QAction::triggered, this, [this, mm] { m_surface->setGridMm(mm); });
    }
    view->addSeparator();
    addAction(view, QStringLiteral("Z&většit"), "ZoomInAction", QKeySequence::ZoomIn,
              [this] { m_surface->setZoom(m_surface->zoom() * 1.25); });
    addAction(view, QStringLiteral("Z&menšit"), "ZoomOutAction", QKeySequence::ZoomOut,
              [this] { m_surface->setZoom(m_surface->zoom() / 1.25); });
    addAction(view, QStringLiteral("&100 %"), "Zoom100Action", QKeySequence(QStringLiteral("Ctrl+0")),
              [this] { m_surface->setZoom(1.0); });

    if (m_host.showHelp) {
        QMenu *help = bar->addMenu(QStringLiteral("&Nápověda"));
        help->addAction(QStringLiteral("&Nápověda k návrháři"), this, &ReportDesigner::showHelp);
    }
}

void ReportDesigner::buildToolBars()
{
    auto *bars = new QWidget;
    auto *row = new QHBoxLayout(bars);
    row->setContentsMargins(2, 2, 2, 2);
    m_fileBar = new QToolBar;
    for (const char *name : {"NewAction", "OpenAction", "SaveAction", "PreviewAction", "UndoAction", "RedoAction"})
        m_fileBar->addAction(action(QLatin1String(name)));
    m_objectBar = new QToolBar;
    m_objectBar->setObjectName(QStringLiteral("ObjectToolBar"));
    auto *bandButton = new QAction(QStringLiteral("Pás ▾"), this);
    bandButton->setMenu(findChild<QMenu *>(QStringLiteral("InsertBandMenu")));
    m_objectBar->addAction(bandButton);
    for (auto &[insertAction, kind] : m_insertActions)
        if (kind == ObjectKind::Text || kind == ObjectKind::Line || kind == ObjectKind::Rectangle ||
            kind == ObjectKind::Picture || kind == ObjectKind::CheckBox)
            m_objectBar->addAction(insertAction);
    m_alignBar = new QToolBar;
    for (const char *name : {"AlignLeftAction", "AlignRightAction", "AlignTopAction", "AlignBottomAction",
                             "SameWidthAction", "SameHeightAction", "FrontAction", "BackAction"})
        m_alignBar->addAction(action(QLatin1String(name)));
    row->addWidget(m_fileBar);
    row->addWidget(m_objectBar);
    row->addWidget(m_alignBar, 1);
    static_cast<QVBoxLayout *>(layout())->insertWidget(0, bars);
}

void ReportDesigner::updateTitle()
{
    const QString name = m_fileName.isEmpty() ? QStringLiteral("Nová sestava") : QFileInfo(m_fileName).fileName();
    setWindowTitle(
        QStringLiteral("Úprava sestav – %1%2").arg(name, m_model.isModified() ? QStringLiteral(" *") : QString()));
}

void ReportDesigner::updateActions()
{
    const size_t selected = m_surface->selection().size();
    for (QAction *a : m_selectionActions)
        a->setEnabled(selected > 0);
    for (QAction *a : m_multiActions)
        a->setEnabled(selected > 1);
    for (QAction *a : m_bandActions)
        a->setEnabled(m_surface->currentBand() >= 0);
    for (QAction *a : m_pageActions)
        a->setEnabled(m_tabs->currentReportPage() >= 0 && m_tabs->reportPageCount() > 1);
}

void ReportDesigner::showError(const QString &message)
{
    m_hooks.showError(this, message);
}

void ReportDesigner::newReport()
{
    if (!maybeSave())
        return;
    m_model.reset(emptyTemplate());
    m_fileName.clear();
    m_olderFormat = false;
    updateTitle();
}

bool ReportDesigner::openDialog()
{
    if (!maybeSave())
        return false;
    const QString folder = m_fileName.isEmpty() ? m_host.reportsFolder : QFileInfo(m_fileName).absolutePath();
    const QString path = m_hooks.openFileName(this, folder);
    return !path.isEmpty() && openFile(path);
}

bool ReportDesigner::openFile(const QString &path)
{
    try {
        QStringList warnings;
        ReportTemplate report = loadTemplate(path, &warnings);
        QFile file(path);
        const bool ours = file.open(QIODevice::ReadOnly) && looksLikeTemplateXml(file.read(4096));
        m_model.reset(std::move(report));
        m_fileName = path;
        m_olderFormat = !ours;
        updateTitle();
        if (!warnings.isEmpty() && m_hooks.showWarnings)
            m_hooks.showWarnings(this,
                                 QStringLiteral("Šablonu „%1“ nebylo možné převzít úplně přesně (upozornění: %2). "
                                                "Podrobnosti ukáže tlačítko níže.")
                                     .arg(QFileInfo(path).fileName())
                                     .arg(warnings.size()),
                                 warnings);
        return true;
    } catch (const AppError &e) {
        showError(e.message());
        return false;
    }
}

bool ReportDesigner::writeTo(const QString &path)
{
    try {
        saveTemplate(m_model.reportTemplate(), path);
    } catch (const AppError &e) {
        showError(e.message());
        return false;
    }
    m_fileName = path;
    m_olderFormat = false;
    m_model.markSaved();
    updateTitle();
    return true;
}

bool ReportDesigner::save()
{
    if (m_fileName.isEmpty())
        return saveAs();
    if (m_olderFormat) {
        // The file is kept for the earlier program unless the author chooses to replace it.
        const auto answer = m_hooks.ask(
            this, QStringLiteral("Šablona „%1“ je ve formátu starší verze.\n"
                                 "Přepsat ji novým formátem? (Ne: uložit pod jiným názvem a původní soubor ponechat.)")
                      .arg(QFileInfo(m_fileName).fileName()));
        if (answer == DesignerHooks::Answer::Cancel)
            return false;
        if (answer == DesignerHooks::Answer::No)
            return saveAs();
    }
    return writeTo(m_fileName);
}

bool ReportDesigner::saveAs()
{
    QString suggested = m_fileName;
    if (suggested.isEmpty() || m_olderFormat) {
        const QString base = m_fileName.isEmpty()
                                 ? (m_model.reportTemplate().name.isEmpty() ? QStringLiteral("Nová sestava")
                                                                            : m_model.reportTemplate().name)
                                 : QFileInfo(m_fileName).completeBaseName() + QStringLiteral(" (nový formát)");
        suggested = QDir(m_host.reportsFolder).filePath(base + QStringLiteral(".frf"));
    }
    QString path = m_hooks.saveFileName(this, suggested);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".frf");
    return writeTo(path);
}

bool ReportDesigner::maybeSave()
{
    if (!m_model.isModified())
        return true;
    switch (m_hooks.ask(this, QStringLiteral("Šablona sestavy byla změněna.\nUložit změny?"))) {
    case DesignerHooks::Answer::Yes:
        return save();
    case DesignerHooks::Answer::No:
        return true;
    case DesignerHooks::Answer::Cancel:
        break;
    }
    return false;
}

void ReportDesigner::closeEvent(QCloseEvent *event)
{
    if (maybeSave()) {
        m_model.markSaved(); // asked once: closing goes on without asking again
        event->accept();
        QDialog::closeEvent(event);
    } else {
        event->ignore();
    }
}

void ReportDesigner::reject()
{
    if (maybeSave()) {
        m_model.markSaved(); // asked once: closing goes on without asking again
        QDialog::reject();
    }
}

void ReportDesigner::preview()
{
    if (!m_host.prepare)
        return;
    PrepareResult result;
    try {
        result = m_host.prepare(m_model.reportTemplate());
    } catch (const AppError &e) {
        showError(e.message());
        return;
    }
    if (result.status == PrepareResult::Status::Failed)
        showError(result.error);
    else if (result.status == PrepareResult::Status::Done)
        m_hooks.showPreview(this, std::move(result.report));
}

void ReportDesigner::copy()
{
    std::vector<ReportObject> objects;
    for (const ObjectRef &ref : m_surface->selection())
        objects.push_back(m_model.object(ref));
    if (objects.empty())
        return;
    auto *data = new QMimeData;
    data->setData(QLatin1String(objectsMimeType), objectsToXml(objects));
    QStringList texts;
    for (ReportObject &o : objects)
        if (const QString *text = PropertyPanel::contentText(o))
            texts << *text;
    data->setText(texts.join(u'\n'));
    QApplication::clipboard()->setMimeData(data);
}

void ReportDesigner::cut()
{
    copy();
    m_model.deleteObjects(m_surface->selection(), QStringLiteral("Vyjmout"));
}

void ReportDesigner::paste()
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    if (!data)
        return;
    std::vector<ReportObject> objects = objectsFromXml(data->data(QLatin1String(objectsMimeType)));
    if (objects.empty() && data->hasText() && !data->text().isEmpty())
        objects.push_back(newTextObject(data->text(), QRectF(0, 0, 40, 5)));
    const int page = m_surface->page();
    const auto &bands = m_model.reportTemplate().pages.at(page).bands;
    if (objects.empty() || bands.empty())
        return;
    const int band = m_surface->currentBand() >= 0 ? m_surface->currentBand() : 0;
    // Pasted over the originals they would hide them: shifted by a grid step.
    const auto &present = bands[band].objects;
    const bool covers = std::all_of(objects.begin(), objects.end(), [&present](const ReportObject &o) {
        return std::any_of(present.begin(), present.end(), [&o](const ReportObject &p) { return p.rect == o.rect; });
    });
    if (covers)
        for (ReportObject &o : objects)
            o.rect.translate(m_surface->gridMm(), m_surface->gridMm());
    m_model.insertObjects({page, band}, std::move(objects), QStringLiteral("Vložit ze schránky"));
}

void ReportDesigner::deleteSelection()
{
    if (!m_surface->selection().empty())
        m_model.deleteObjects(m_surface->selection(), QStringLiteral("Odstranit"));
}

void ReportDesigner::arrange(const std::function<std::vector<QRectF>(std::vector<QRectF>)> &how, const QString &text)
{
    const ObjectRefs refs = m_surface->selection();
    if (refs.size() < 2)
        return;
    // Arranged on the sheet, so objects of different bands line up as they are seen.
    const SurfaceGeometry geometry(m_model.reportTemplate().pages.at(m_surface->page()));
    std::vector<QRectF> rects;
    for (const ObjectRef &ref : refs)
        rects.push_back(geometry.objectRect(ref.band, m_model.object(ref).rect));
    rects = how(std::move(rects));
    for (size_t i = 0; i < refs.size(); ++i)
        rects[i] = geometry.objectRectIn(refs[i].band, rects[i]);
    m_model.setRects(refs, rects, text);
}

void ReportDesigner::insertBand(BandKind kind)
{
    const int page = m_surface->page();
    const auto &bands = m_model.reportTemplate().pages.at(page).bands;
    // A child band follows the band it belongs to; any other goes where its kind belongs.
    int position = suggestedBandPosition(m_model.reportTemplate().pages.at(page), kind);
    if (kind == BandKind::Child && m_surface->currentBand() >= 0)
        position = m_surface->currentBand() + 1;
    Band band = newBand(kind);
    if (isDataBand(kind) && !m_host.sources.empty())
        band.dataSource = m_host.sources.front().name;
    (void)bands;
    const BandRef ref = m_model.insertBand(page, position, band);
    m_surface->setCurrentBand(ref.band);
    if (isDataBand(kind) || kind == BandKind::GroupHeader)
        editBand(ref.band);
}

void ReportDesigner::editBand(int band)
{
    const BandRef ref {m_surface->page(), band};
    if (!m_model.isValid(ref))
        return;
    BandDialog dialog(m_host, m_model.reportTemplate(), m_model.band(ref), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Band options = dialog.band();
    if (options.name != m_model.band(ref).name && !m_model.isNameFree(options.name)) {
        showError(QStringLiteral("Název „%1“ už v šabloně je.").arg(options.name));
        options.name = m_model.band(ref).name;
    }
    m_model.setBandOptions(ref, options, QStringLiteral("Vlastnosti pásu"));
}

void ReportDesigner::deleteBand()
{
    const BandRef ref {m_surface->page(), m_surface->currentBand()};
    if (!m_model.isValid(ref))
        return;
    if (!m_model.band(ref).objects.empty() &&
        m_hooks.ask(this, QStringLiteral("Odstranit pás %1 se všemi jeho objekty?").arg(m_model.band(ref).name)) !=
            DesignerHooks::Answer::Yes)
        return;
    m_model.deleteBand(ref);
}

void ReportDesigner::editPageSetup()
{
    const int page = m_surface->page();
    PageSetupDialog dialog(m_host, PageSetup::of(m_model.reportTemplate().pages.at(page)), this);
    if (dialog.exec() == QDialog::Accepted)
        m_model.setPageSetup(page, dialog.setup());
}

void ReportDesigner::editTemplateInfo()
{
    TemplateInfoDialog dialog(m_host, TemplateInfo::of(m_model.reportTemplate()), this);
    if (dialog.exec() == QDialog::Accepted)
        m_model.setTemplateInfo(dialog.info());
}

void ReportDesigner::editVariables()
{
    VariablesDialog dialog(m_host, m_model.reportTemplate(), this);
    if (dialog.exec() == QDialog::Accepted)
        m_model.setVariables(dialog.variables());
}

void ReportDesigner::editObjectText()
{
    if (m_surface->selection().empty())
        return;
    const ObjectRefs refs = m_surface->selection();
    ReportObject first = m_model.object(refs.front());
    QString *text = PropertyPanel::contentText(first);
    if (!text)
        return;
    if (std::holds_alternative<RichTextObject>(first.content)) {
        RichTextEditor editor(m_host, m_model.reportTemplate(), *text, this);
        if (editor.exec() == QDialog::Accepted)
            m_model.editObjects(
                refs,
                [html = editor.html()](ReportObject &o) {
                    if (auto *rich = std::get_if<RichTextObject>(&o.content))
                        rich->html = html;
                },
                QStringLiteral("Formátovaný text"));
        return;
    }
    // Texts and rich texts hold [ ] parts; check boxes, bar codes and picture sources are one expression.
    const bool textMode = std::holds_alternative<TextObject>(first.content) ||
                          std::holds_alternative<RichTextObject>(first.content) ||
                          std::holds_alternative<BarcodeObject>(first.content);
    ExpressionEditor editor(m_host, m_model.reportTemplate(),
                            textMode ? ExpressionEditor::Mode::Text : ExpressionEditor::Mode::Expression, *text, this);
    if (editor.exec() != QDialog::Accepted)
        return;
    const QString value = editor.text();
    m_model.editObjects(
        refs,
        [value](ReportObject &o) {
            if (QString *t = PropertyPanel::contentText(o))
                *t = value;
        },
        QStringLiteral("Text"));
}

void ReportDesigner::showScripts()
{
    // Scripts come from templates of the earlier program; they are kept and shown, never run.
    QStringList parts;
    const ReportTemplate &report = m_model.reportTemplate();
    auto add = [&parts](const QString &owner, const QString &script) {
        if (!script.trimmed().isEmpty())
            parts << QStringLiteral("— %1 —\n%2").arg(owner, script);
    };
    add(QStringLiteral("Sestava"), report.script);
    for (const ReportPage &page : report.pages) {
        add(QStringLiteral("Stránka ") + page.name, page.script);
        for (const Band &band : page.bands) {
            add(QStringLiteral("Pás ") + band.name, band.script);
            for (const ReportObject &object : band.objects)
                add(QStringLiteral("Objekt ") + object.name, object.script);
        }
        for (const ReportObject &object : page.objects)
            add(QStringLiteral("Objekt ") + object.name, object.script);
    }
    for (const DialogPage &dialog : report.dialogs) {
        add(QStringLiteral("Dialog ") + dialog.name, dialog.script);
        for (const DialogControl &control : dialog.controls)
            add(QStringLiteral("Prvek ") + control.name, control.script);
    }
    QDialog box(this);
    box.setObjectName(QStringLiteral("ScriptsDialog"));
    box.setWindowTitle(QStringLiteral("Skripty šablony"));
    box.resize(600, 420);
    auto *layout = new QVBoxLayout(&box);
    auto *note = new QLabel(QStringLiteral("Skripty pocházejí ze šablon starší verze. Uchovávají se a ukládají, "
                                           "ale při přípravě sestavy se nespouštějí."));
    note->setWordWrap(true);
    layout->addWidget(note);
    auto *view = new QPlainTextEdit(parts.isEmpty() ? QStringLiteral("Šablona nemá žádné skripty.")
                                                    : parts.join(QStringLiteral("\n\n")));
    view->setReadOnly(true);
    layout->addWidget(view);
    box.exec();
}

} // namespace ergotab::report::designer
