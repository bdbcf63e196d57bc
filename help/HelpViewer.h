#pragma once

#include <QDialog>

class QTextBrowser;
class QToolButton;

namespace ergotab {

// The program's help window: HTML pages in the "help" folder beside the program, the contents
// page "index.html" first and one page per context number under "topics/<number>.html".
// One window serves the whole program; asking again brings it to the front.
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
    QTextBrowser *browser() const { return m_browser; }

private:
    static HelpViewer *instance(QWidget *parent);
    void openPage(const QString &path, const QString &missingText);
    void raiseWindow();

    QTextBrowser *m_browser;
    QToolButton *m_back;
    QToolButton *m_forward;
    QToolButton *m_home;
};

} // namespace ergotab
