#include "HelpViewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace ergotab {

namespace {

QString s_helpFolder;
QPointer<HelpViewer> s_viewer;

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

    auto *bar = new QHBoxLayout;
    bar->addWidget(m_back);
    bar->addWidget(m_forward);
    bar->addWidget(m_home);
    bar->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_browser, 1);
    resize(640, 520);
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
