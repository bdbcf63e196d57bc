#include "ReportPreview.h"

#include "PageThumbnails.h"
#include "PageView.h"
#include "PreviewIcons.h"
#include "ReportPrinting.h"
#include "TextSearch.h"
#include "reportengine/render/PreparedReportFile.h"
#include "reportengine/render/ReportExporter.h"
#include "storage/AppError.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace ergotab::report {

namespace {

const QString folderKey = QStringLiteral("ReportPreview/LastFolder");

PreviewHooks standardHooks()
{
    PreviewHooks hooks;
    hooks.openFileName = [](QWidget *parent, const QString &folder) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Otevřít připravenou sestavu"), folder,
                                            exportFormats().front().filter);
    };
    hooks.saveFileName = [](QWidget *parent, const QString &folder, QString *filter) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Uložit sestavu"), folder, exportDialogFilter(),
                                            filter);
    };
    hooks.showError = [](QWidget *parent, const QString &message) {
        QMessageBox::critical(parent, QStringLiteral("Chyba"), message);
    };
    hooks.choosePrinter = [](QWidget *parent, QPrinter &printer, int pageCount) {
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle(QStringLiteral("Tisk sestavy"));
        dialog.setMinMax(1, std::max(1, pageCount));
        dialog.setOption(QAbstractPrintDialog::PrintPageRange);
        return dialog.exec() == QDialog::Accepted;
    };
    hooks.showHelp = [](QWidget *) {};
    return hooks;
}

PreviewHooks &defaultHooks()
{
    static PreviewHooks hooks = standardHooks();
    return hooks;
}

// The extension of a save-dialog filter such as "Dokument PDF (*.pdf)".
QString extensionOfFilter(const QString &filter)
{
    for (const ExportFormat &format : exportFormats())
        if (format.filter == filter)
            return format.extensions.front();
    return {};
}

} // namespace

void ReportPreview::setDefaultHooks(const PreviewHooks &hooks)
{
    const PreviewHooks standard = standardHooks();
    PreviewHooks &target = defaultHooks();
    target.openFileName = hooks.openFileName ? hooks.openFileName : standard.openFileName;
    target.saveFileName = hooks.saveFileName ? hooks.saveFileName : standard.saveFileName;
    target.showError = hooks.showError ? hooks.showError : standard.showError;
    target.choosePrinter = hooks.choosePrinter ? hooks.choosePrinter : standard.choosePrinter;
    target.showHelp = hooks.showHelp ? hooks.showHelp : standard.showHelp;
}

ReportPreview::ReportPreview(PreparedReport report, QWidget *parent)
    : QDialog(parent, Qt::Window)
    , m_report(std::move(report))
    , m_hooks(defaultHooks())
{
    setObjectName(QStringLiteral("TPreviewForm"));
    setModal(true);
    auto *pages = new QHBoxLayout;
    pages->setSpacing(0);
    m_thumbnails = new PageThumbnails(this);
    m_view = new PageView(this);
    pages->addWidget(m_thumbnails);
    pages->addWidget(m_view, 1);
    buildToolBar();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(findChild<QToolBar *>(QStringLiteral("PreviewToolBar")));
    layout->addLayout(pages, 1);
    connect(m_view, &PageView::currentPageChanged, this, &ReportPreview::updatePageControls);
    connect(m_view, &PageView::currentPageChanged, m_thumbnails, &PageThumbnails::showCurrentPage);
    connect(m_thumbnails, &PageThumbnails::pageChosen, m_view, &PageView::goToPage);
    connect(m_view, &PageView::zoomChanged, this, &ReportPreview::updateZoomLabel);
    resize(1100, 900);
    showReport();
    m_view->setFocus();
}

ReportPreview::~ReportPreview() = default;

void ReportPreview::buildToolBar()
{
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("PreviewToolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto action = [&](const char *name, const QString &text, QStyle::StandardPixmap icon,
                            const QKeySequence &shortcut, auto slot) {
        QAction *a = bar->addAction(style()->standardIcon(icon), text);
        a->setObjectName(QLatin1String(name));
        if (!shortcut.isEmpty()) {
            a->setShortcut(shortcut);
            a->setToolTip(QStringLiteral("%1 (%2)").arg(text, shortcut.toString(QKeySequence::NativeText)));
        }
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    // Arrows need no words beside them; their names show as tool tips.
    const auto iconOnly = [bar](QAction *a) {
        if (auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(a)))
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    };
    QAction *thumbnails =
        action("PreviewThumbnailsShown", QStringLiteral("Miniatury stran"), QStyle::SP_FileDialogListView, {},
               [this](bool shown) { m_thumbnails->setVisible(shown); });
    thumbnails->setCheckable(true);
    thumbnails->setChecked(true);
    iconOnly(thumbnails);
    const auto zoomAction = [&](QAction *a, const QIcon &icon) {
        a->setIcon(icon);
        iconOnly(a);
    };
    zoomAction(action("PreviewWholePage", QStringLiteral("Celá stránka"), QStyle::SP_TitleBarMaxButton, {},
                      [this] { m_view->setZoomMode(PageView::ZoomMode::WholePage); }),
               PreviewIcons::wholePage());
    zoomAction(action("PreviewPageWidth", QStringLiteral("Šířka stránky"), QStyle::SP_ToolBarHorizontalExtensionButton,
                      {}, [this] { m_view->setZoomMode(PageView::ZoomMode::PageWidth); }),
               PreviewIcons::pageWidth());
    zoomAction(action("PreviewActualSize", QStringLiteral("Skutečná velikost (100 %)"),
                      QStyle::SP_FileDialogContentsView, {}, [this] { m_view->setZoomFactor(1.0); }),
               PreviewIcons::actualSize());
    m_zoomLabel = new QLabel(bar);
    m_zoomLabel->setObjectName(QStringLiteral("PreviewZoom"));
    m_zoomLabel->setMinimumWidth(m_zoomLabel->fontMetrics().horizontalAdvance(QStringLiteral(" 800 % ")));
    bar->addWidget(m_zoomLabel);
    bar->addSeparator();

    iconOnly(action("PreviewFirstPage", QStringLiteral("První"), QStyle::SP_MediaSkipBackward, {},
                    [this] { m_view->goToPage(0); }));
    iconOnly(action("PreviewPreviousPage", QStringLiteral("Předchozí"), QStyle::SP_MediaSeekBackward, {},
                    [this] { m_view->goToPage(std::max(0, m_view->currentPage() - 1)); }));
    m_pageNumber = new QSpinBox(bar);
    m_pageNumber->setObjectName(QStringLiteral("PreviewPageNumber"));
    m_pageNumber->setToolTip(QStringLiteral("Číslo strany"));
    m_pageNumber->setKeyboardTracking(false);
    bar->addWidget(m_pageNumber);
    m_pageCount = new QLabel(bar);
    m_pageCount->setObjectName(QStringLiteral("PreviewPageCount"));
    bar->addWidget(m_pageCount);
    connect(m_pageNumber, &QSpinBox::valueChanged, this, [this](int page) {
        if (page - 1 != m_view->currentPage())
            m_view->goToPage(page - 1);
    });
    iconOnly(action("PreviewNextPage", QStringLiteral("Další"), QStyle::SP_MediaSeekForward, {},
                    [this] { m_view->goToPage(std::min(m_view->pageCount() - 1, m_view->currentPage() + 1)); }));
    iconOnly(action("PreviewLastPage", QStringLiteral("Poslední"), QStyle::SP_MediaSkipForward, {},
                    [this] { m_view->goToPage(m_view->pageCount() - 1); }));
    bar->addSeparator();

    m_findText = new QLineEdit(bar);
    m_findText->setObjectName(QStringLiteral("PreviewFindText"));
    m_findText->setPlaceholderText(QStringLiteral("Hledat text"));
    m_findText->setClearButtonEnabled(true);
    m_findText->setMaximumWidth(200);
    bar->addWidget(m_findText);
    connect(m_findText, &QLineEdit::returnPressed, this, &ReportPreview::findNext);
    iconOnly(action("PreviewFindPrevious", QStringLiteral("Předchozí výskyt"), QStyle::SP_ArrowUp,
                    QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { findPrevious(); }));
    iconOnly(action("PreviewFindNext", QStringLiteral("Další výskyt"), QStyle::SP_ArrowDown, QKeySequence(Qt::Key_F3),
                    [this] { findNext(); }));
    m_findStatus = new QLabel(bar);
    m_findStatus->setObjectName(QStringLiteral("PreviewFindStatus"));
    bar->addWidget(m_findStatus);
    auto *findFocus = new QAction(this);
    findFocus->setShortcut(QKeySequence::Find);
    connect(findFocus, &QAction::triggered, this, [this] { m_findText->setFocus(), m_findText->selectAll(); });
    addAction(findFocus);
    bar->addSeparator();

    action("PreviewOpen", QStringLiteral("Otevřít…"), QStyle::SP_DialogOpenButton, QKeySequence::Open,
           [this] { openFile(); });
    action("PreviewSave", QStringLiteral("Uložit…"), QStyle::SP_DialogSaveButton, QKeySequence::Save,
           [this] { save(); });
    action("PreviewPrint", QStringLiteral("Tisk…"), QStyle::SP_FileIcon, QKeySequence::Print, [this] { print(); });
    action("PreviewHelp", QStringLiteral("Nápověda"), QStyle::SP_DialogHelpButton, QKeySequence::HelpContents,
           [this] { m_hooks.showHelp(this); });
    action("PreviewClose", QStringLiteral("Zavřít"), QStyle::SP_DialogCloseButton, {}, [this] { accept(); });
}

void ReportPreview::showReport()
{
    setWindowTitle(m_report.title.isEmpty() ? QStringLiteral("Náhled sestavy")
                                            : QStringLiteral("Náhled sestavy – %1").arg(m_report.title));
    m_hits.clear();
    m_hitsFor.clear();
    m_hit = -1;
    m_findStatus->clear();
    const int count = int(m_report.pages.size());
    m_pageNumber->setRange(count > 0 ? 1 : 0, count);
    m_pageCount->setText(QStringLiteral(" z %1 ").arg(count));
    m_view->setReport(&m_report);
    m_thumbnails->setReport(&m_report);
    m_thumbnails->showCurrentPage(m_view->currentPage());
    updatePageControls(m_view->currentPage());
    updateZoomLabel(m_view->zoomFactor());
}

void ReportPreview::updatePageControls(int page)
{
    const QSignalBlocker block(m_pageNumber);
    m_pageNumber->setValue(page + 1);
}

void ReportPreview::updateZoomLabel(double factor)
{
    m_zoomLabel->setText(QStringLiteral(" %1 % ").arg(qRound(factor * 100)));
}

void ReportPreview::keyPressEvent(QKeyEvent *event)
{
    // Page keys move through pages wherever the focus is, except in the find box and number.
    if (!m_findText->hasFocus() && !m_pageNumber->hasFocus() &&
        (event->key() == Qt::Key_PageDown || event->key() == Qt::Key_PageUp || event->key() == Qt::Key_Home ||
         event->key() == Qt::Key_End)) {
        QCoreApplication::sendEvent(m_view, event);
        return;
    }
    QDialog::keyPressEvent(event);
}

void ReportPreview::find(int step)
{
    const QString text = m_findText->text();
    if (text != m_hitsFor) {
        m_hits = findText(m_report, text);
        m_hitsFor = text;
        m_hit = -1;
        // Start from the page in view rather than from the first page.
        const int page = m_view->currentPage();
        for (std::size_t i = 0; i < m_hits.size(); ++i)
            if (m_hits[i].page >= page) {
                m_hit = int(i) - (step > 0 ? 1 : 0);
                break;
            }
    }
    if (m_hits.empty()) {
        m_view->setHighlight(-1, {});
        m_findStatus->setText(text.trimmed().isEmpty() ? QString() : QStringLiteral(" Nenalezeno "));
        return;
    }
    const int count = int(m_hits.size());
    m_hit = ((m_hit + step) % count + count) % count;
    m_view->setHighlight(m_hits[m_hit].page, m_hits[m_hit].rectMm);
    m_findStatus->setText(QStringLiteral(" %1 z %2 ").arg(m_hit + 1).arg(count));
}

void ReportPreview::findNext()
{
    find(1);
}

void ReportPreview::findPrevious()
{
    find(-1);
}

void ReportPreview::fail(const QString &message)
{
    m_hooks.showError(this, message);
}

QString ReportPreview::lastFolder() const
{
    const QString folder = QSettings().value(folderKey).toString();
    return QDir(folder).exists() && !folder.isEmpty() ? folder : QDir::homePath();
}

void ReportPreview::rememberFolder(const QString &fileName)
{
    QSettings().setValue(folderKey, QFileInfo(fileName).absolutePath());
}

void ReportPreview::openFile()
{
    const QString fileName = m_hooks.openFileName(this, lastFolder());
    if (fileName.isEmpty())
        return;
    rememberFolder(fileName);
    try {
        m_report = PreparedReportFile::load(fileName);
    } catch (const AppError &error) {
        fail(error.message());
        return;
    }
    showReport();
}

void ReportPreview::save()
{
    QString filter;
    QString fileName = m_hooks.saveFileName(this, lastFolder(), &filter);
    if (fileName.isEmpty())
        return;
    // A name typed without an extension takes the one of the filter chosen.
    if (QFileInfo(fileName).suffix().isEmpty()) {
        const QString extension = extensionOfFilter(filter);
        fileName += QLatin1Char('.') + (extension.isEmpty() ? QStringLiteral("pdf") : extension);
    }
    rememberFolder(fileName);
    try {
        exportReport(m_report, fileName);
    } catch (const AppError &error) {
        fail(error.message());
    }
}

void ReportPreview::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_report.title);
    printer.setCopyCount(1);
    printer.setCollateCopies(true);
    if (!m_hooks.choosePrinter(this, printer, int(m_report.pages.size())))
        return;
    try {
        printReport(m_report, printer);
    } catch (const AppError &error) {
        fail(error.message());
    }
}

} // namespace ergotab::report
