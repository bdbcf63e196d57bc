#pragma once

#include "HelpCatalogue.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QToolButton;
class QTreeWidget;

namespace ergotab {

// The program's help window: HTML pages in the "help" folder beside the program, the contents
// page "index.html" first and one page per context number under "topics/<number>.html".
// On the left the tabs "Obsah" (the contents as a tree), "Rejstřík" (keywords) and "Hledat"
// (full text). One window serves the whole program; asking again brings it to the front.
class HelpViewer : public QDialog
{
    Q_OBJECT
public:
    explicit HelpViewer(QWidget *parent = nullptr);

    // The contents page.
    static HelpViewer *showContents(QWidget *parent);
    // The topic of a context number (the wizard's pages have their own).
    static HelpViewer *showContext(QWidget *parent, int contextNumber);

    // Folder of the help pages: the program's folder + "/help" unless set otherwise (tests).
    static QString helpFolder();
    static void setHelpFolder(const QString &folder);

    static QString contentsPath();
    static QString topicPath(int contextNumber);

    void openContents();
    void openContext(int contextNumber);
    // Opens a page given relative to the help folder ("topics/100.html").
    void openRelative(const QString &path);
    // Fills the search tab's result list for the query and shows the best page.
    void search(const QString &query);
    QTextBrowser *browser() const { return m_browser; }
    const HelpCatalogue &catalogue() const { return m_catalogue; }

private:
    QWidget *buildContentsTab();
    QWidget *buildIndexTab();
    QWidget *buildSearchTab();
    void filterIndex(const QString &typed);
    static HelpViewer *instance(QWidget *parent);
    void openPage(const QString &path, const QString &missingText);
    void raiseWindow();

    QTextBrowser *m_browser;
    QToolButton *m_back;
    QToolButton *m_forward;
    QToolButton *m_home;
    HelpCatalogue m_catalogue;
    QTabWidget *m_tabs = nullptr;
    QTreeWidget *m_contents = nullptr;
    QLineEdit *m_indexFilter = nullptr;
    QListWidget *m_indexList = nullptr;
    QLineEdit *m_searchEdit = nullptr;
    QListWidget *m_results = nullptr;
};

} // namespace ergotab
