#include "HelpViewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace ergotab {

namespace {

QString s_helpFolder;
QPointer<HelpViewer> s_viewer;
constexpr int PathRole = Qt::UserRole + 1;

QToolButton *navigationButton(QWidget *parent, QStyle::StandardPixmap icon, const QString &text, const char *name)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setText(text);
    button->setToolTip(text);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    return button;
}

} // namespace

HelpViewer::HelpViewer(QWidget *parent)
    : QDialog(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Nápověda – Ergotab"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_back = navigationButton(this, QStyle::SP_ArrowBack, QStringLiteral("Zpět"), "HelpBackButton");
    m_forward = navigationButton(this, QStyle::SP_ArrowForward, QStringLiteral("Vpřed"), "HelpForwardButton");
    m_home = navigationButton(this, QStyle::SP_DirHomeIcon, QStringLiteral("Obsah"), "HelpContentsButton");
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenExternalLinks(true);

    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_home, &QToolButton::clicked, this, &HelpViewer::openContents);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);

    m_catalogue.load(helpFolder());
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("HelpTabs"));
    m_tabs->addTab(buildContentsTab(), QStringLiteral("Obsah"));
    m_tabs->addTab(buildIndexTab(), QStringLiteral("Rejstřík"));
    m_tabs->addTab(buildSearchTab(), QStringLiteral("Hledat"));

    auto *bar = new QHBoxLayout;
    bar->addWidget(m_back);
    bar->addWidget(m_forward);
    bar->addWidget(m_home);
    bar->addStretch();
    auto *splitter = new QSplitter(this);
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 620});
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(splitter, 1);
    resize(900, 620);
}

QWidget *HelpViewer::buildContentsTab()
{
    m_contents = new QTreeWidget;
    m_contents->setObjectName(QStringLiteral("HelpContentsTree"));
    m_contents->setHeaderHidden(true);
    // The last item of each depth so far; an entry hangs under the one a level above it.
    QList<QTreeWidgetItem *> lastAt;
    for (const HelpCatalogue::ContentsEntry &entry : m_catalogue.contents()) {
        const qsizetype depth = qMin<qsizetype>(entry.depth, lastAt.size());
        auto *item = depth == 0 ? new QTreeWidgetItem(m_contents) : new QTreeWidgetItem(lastAt[depth - 1]);
        item->setText(0, entry.title);
        item->setData(0, PathRole, entry.path);
        item->setToolTip(0, entry.title);
        lastAt.resize(depth);
        lastAt.append(item);
    }
    m_contents->expandToDepth(0);
    connect(m_contents, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { openRelative(item->data(0, PathRole).toString()); });
    connect(m_contents, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { openRelative(item->data(0, PathRole).toString()); });
    return m_contents;
}

QWidget *HelpViewer::buildIndexTab()
{
    auto *tab = new QWidget;
    m_indexFilter = new QLineEdit(tab);
    m_indexFilter->setObjectName(QStringLiteral("HelpIndexFilter"));
    m_indexFilter->setPlaceholderText(QStringLiteral("Napište hledané slovo"));
    m_indexList = new QListWidget(tab);
    m_indexList->setObjectName(QStringLiteral("HelpIndexList"));
    const QList<HelpCatalogue::IndexEntry> &index = m_catalogue.index();
    for (qsizetype i = 0; i < index.size(); ++i) {
        const bool shared = (i > 0 && index[i - 1].keyword == index[i].keyword) ||
                            (i + 1 < index.size() && index[i + 1].keyword == index[i].keyword);
        // A keyword of several pages names the page on each of its lines.
        auto *row = new QListWidgetItem(shared ? QStringLiteral("%1 – %2").arg(index[i].keyword, index[i].pageTitle)
                                               : index[i].keyword,
                                        m_indexList);
        row->setData(PathRole, index[i].path);
        row->setToolTip(index[i].pageTitle);
    }
    connect(m_indexFilter, &QLineEdit::textChanged, this, &HelpViewer::filterIndex);
    connect(m_indexFilter, &QLineEdit::returnPressed, this, [this] {
        if (QListWidgetItem *row = m_indexList->currentItem())
            openRelative(row->data(PathRole).toString());
    });
    connect(m_indexList, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *row) { openRelative(row->data(PathRole).toString()); });
    connect(m_indexList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *row) { openRelative(row->data(PathRole).toString()); });
    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(m_indexFilter);
    layout->addWidget(m_indexList, 1);
    return tab;
}

QWidget *HelpViewer::buildSearchTab()
{
    auto *tab = new QWidget;
    m_searchEdit = new QLineEdit(tab);
    m_searchEdit->setObjectName(QStringLiteral("HelpSearchEdit"));
    m_searchEdit->setPlaceholderText(QStringLiteral("Slova, která má stránka obsahovat"));
    auto *go = new QPushButton(QStringLiteral("Hledat"), tab);
    go->setObjectName(QStringLiteral("HelpSearchButton"));
    m_results = new QListWidget(tab);
    m_results->setObjectName(QStringLiteral("HelpSearchResults"));
    auto *note = new QLabel(QStringLiteral("Velikost písmen a diakritika se nerozlišují."), tab);
    note->setWordWrap(true);
    connect(go, &QPushButton::clicked, this, [this] { search(m_searchEdit->text()); });
    connect(m_searchEdit, &QLineEdit::returnPressed, this, [this] { search(m_searchEdit->text()); });
    connect(m_results, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *row) { openRelative(row->data(PathRole).toString()); });
    connect(m_results, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *row) { openRelative(row->data(PathRole).toString()); });
    auto *row = new QHBoxLayout;
    row->addWidget(m_searchEdit, 1);
    row->addWidget(go);
    auto *layout = new QVBoxLayout(tab);
    layout->addLayout(row);
    layout->addWidget(note);
    layout->addWidget(m_results, 1);
    return tab;
}

void HelpViewer::filterIndex(const QString &typed)
{
    // The first keyword that starts with what was typed comes to the top and is selected.
    const QString folded = HelpCatalogue::fold(typed);
    for (int i = 0; i < m_indexList->count(); ++i) {
        QListWidgetItem *row = m_indexList->item(i);
        if (HelpCatalogue::fold(row->text()).startsWith(folded)) {
            m_indexList->setCurrentItem(row);
            m_indexList->scrollToItem(row, QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void HelpViewer::search(const QString &query)
{
    m_results->clear();
    const QList<const HelpCatalogue::Page *> pages = m_catalogue.search(query);
    for (const HelpCatalogue::Page *page : pages) {
        auto *row = new QListWidgetItem(page->title, m_results);
        row->setData(PathRole, page->path);
    }
    if (pages.isEmpty()) {
        auto *row = new QListWidgetItem(QStringLiteral("Nic nenalezeno."), m_results);
        row->setFlags(Qt::NoItemFlags);
        return;
    }
    m_results->setCurrentRow(0);
    openRelative(pages.first()->path);
}

void HelpViewer::openRelative(const QString &path)
{
    if (path.isEmpty())
        return;
    openPage(helpFolder() + QLatin1Char('/') + path,
             QStringLiteral("Stránka nápovědy „%1“ nebyla nalezena.").arg(path));
}

QString HelpViewer::helpFolder()
{
    if (!s_helpFolder.isEmpty())
        return s_helpFolder;
    return QCoreApplication::applicationDirPath() + QStringLiteral("/help");
}

void HelpViewer::setHelpFolder(const QString &folder)
{
    s_helpFolder = folder;
}

QString HelpViewer::contentsPath()
{
    return helpFolder() + QStringLiteral("/index.html");
}

QString HelpViewer::topicPath(int contextNumber)
{
    return helpFolder() + QStringLiteral("/topics/%1.html").arg(contextNumber);
}

HelpViewer *HelpViewer::instance(QWidget *parent)
{
    if (!s_viewer)
        s_viewer = new HelpViewer(parent);
    return s_viewer;
}

HelpViewer *HelpViewer::showContents(QWidget *parent)
{
    HelpViewer *viewer = instance(parent);
    viewer->openContents();
    viewer->raiseWindow();
    return viewer;
}

HelpViewer *HelpViewer::showContext(QWidget *parent, int contextNumber)
{
    HelpViewer *viewer = instance(parent);
    viewer->openContext(contextNumber);
    viewer->raiseWindow();
    return viewer;
}

void HelpViewer::openContents()
{
    openPage(contentsPath(), QStringLiteral("Obsah nápovědy nebyl nalezen."));
}

void HelpViewer::openContext(int contextNumber)
{
    openPage(topicPath(contextNumber), QStringLiteral("Téma nápovědy č. %1 nebylo nalezeno.").arg(contextNumber));
}

void HelpViewer::openPage(const QString &path, const QString &missingText)
{
    if (QFileInfo(path).isFile()) {
        m_browser->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
        return;
    }
    m_browser->setHtml(QStringLiteral("<h2>%1</h2><p>Soubor <tt>%2</tt> chybí. Nápověda má ležet ve složce "
                                      "<tt>help</tt> vedle programu.</p>")
                           .arg(missingText.toHtmlEscaped(), QDir::toNativeSeparators(path).toHtmlEscaped()));
}

void HelpViewer::raiseWindow()
{
    show();
    raise();
    activateWindow();
}

} // namespace ergotab
