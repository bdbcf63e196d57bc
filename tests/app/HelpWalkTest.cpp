// Help for every window: each context number has a Czech page the contents reach, and each
// window of the program opens its own page on F1.
#include "MainFormFixture.h"

#include "app/TAboutForm.h"
#include "app/TSummaryForm.h"
#include "help/HelpCatalogue.h"
#include "help/HelpKey.h"
#include "help/HelpTopics.h"
#include "library/LibraryCommands.h"
#include "library/TFindDialog.h"
#include "library/TLibForm.h"
#include "library/TVyberForm.h"
#include "library/TVzoryForm.h"
#include "tree/CategorisationPanel.h"
#include "wizard/TWizardForm.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextBrowser>

#include <map>

using namespace ergotab;

namespace {

const QString pagesFolder = QStringLiteral(ERGOTAB_SOURCE_DIR "/help/pages");

// Every number of the list of topics, read from its header so that topics added later are
// checked too, and the wizard's pages and criteria.
std::map<int, QString> allTopics()
{
    QFile header(QStringLiteral(ERGOTAB_SOURCE_DIR "/help/HelpTopics.h"));
    EXPECT_TRUE(header.open(QIODevice::ReadOnly));
    std::map<int, QString> topics;
    static const QRegularExpression constant(QStringLiteral("constexpr int (\\w+) = (\\d+);"));
    for (auto it = constant.globalMatch(QString::fromUtf8(header.readAll())); it.hasNext();) {
        const auto match = it.next();
        topics[match.captured(2).toInt()] = match.captured(1);
    }
    for (int page = 510; page <= 710; page += 10)
        topics[page] = QStringLiteral("wizard page");
    for (int factor = 810; factor <= 930; factor += 10)
        topics[factor] = QStringLiteral("factor criteria");
    return topics;
}

HelpViewer *openViewer()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *viewer = qobject_cast<HelpViewer *>(window); viewer && viewer->isVisible())
            return viewer;
    return nullptr;
}

QString shownPage()
{
    HelpViewer *viewer = openViewer();
    return viewer ? viewer->browser()->source().toLocalFile() : QString();
}

class HelpWalk : public test::MainFormFixture
{
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        HelpViewer::setHelpFolder(pagesFolder);
    }
    void TearDown() override
    {
        delete openViewer();
        MainFormFixture::TearDown();
    }

    // F1 pressed in the window opens the help window on the window's own topic.
    void expectF1Opens(QWidget *window, int topic)
    {
        SCOPED_TRACE(window->objectName().toStdString());
        EXPECT_EQ(helpKeyContext(window), topic);
        delete openViewer();
        window->show();
        // A window the main window made modal at start-up does not become the active one by
        // itself on the offscreen platform; the user's click would make it so.
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        ASSERT_EQ(QApplication::activeWindow(), window);
        QTest::keyClick(window, Qt::Key_F1);
        EXPECT_EQ(shownPage().toStdString(), HelpViewer::topicPath(topic).toStdString());
        window->hide();
    }
};

} // namespace

TEST(HelpPages, EveryTopicHasACzechPageWithKeywordsThatTheContentsReach)
{
    HelpCatalogue catalogue;
    catalogue.load(pagesFolder);
    QSet<QString> inContents;
    for (const HelpCatalogue::ContentsEntry &entry : catalogue.contents())
        inContents.insert(entry.path);
    QSet<QString> withKeywords;
    for (const HelpCatalogue::IndexEntry &entry : catalogue.index())
        withKeywords.insert(entry.path);

    for (const auto &[number, name] : allTopics()) {
        SCOPED_TRACE(QStringLiteral("%1 (%2)").arg(number).arg(name).toStdString());
        const QString path = QStringLiteral("topics/%1.html").arg(number);
        QFile page(pagesFolder + QLatin1Char('/') + path);
        ASSERT_TRUE(page.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(page.readAll());
        EXPECT_TRUE(html.contains(QStringLiteral("lang=\"cs\"")));
        EXPECT_GT(HelpCatalogue::plainText(html).size(), 150) << "a page that says something";
        EXPECT_TRUE(inContents.contains(path)) << "reached from the contents";
        EXPECT_TRUE(withKeywords.contains(path)) << "named in the index";
    }
}

TEST(HelpPages, LinksBetweenPagesLeadToPagesThatExist)
{
    HelpCatalogue catalogue;
    catalogue.load(pagesFolder);
    static const QRegularExpression link(QStringLiteral("href=\"([^\"#:]+)[^\"]*\""));
    for (const HelpCatalogue::Page &page : catalogue.pages()) {
        QFile file(pagesFolder + QLatin1Char('/') + page.path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString folder = QFileInfo(file.fileName()).absolutePath();
        for (auto it = link.globalMatch(QString::fromUtf8(file.readAll())); it.hasNext();) {
            const QString target = it.next().captured(1);
            EXPECT_TRUE(QFileInfo::exists(folder + QLatin1Char('/') + target))
                << qPrintable(page.path + QStringLiteral(" → ") + target);
        }
    }
}

TEST_F(HelpWalk, EveryWindowOpensItsOwnTopicOnF1)
{
    TMainForm &main = shownForm();
    EXPECT_EQ(helpKeyContext(&main), HelpTopic::MainWindow);
    // The main window's F1 is "Témata": the contents, which lead to the window's own page.
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(&main, Qt::Key_F1);
    EXPECT_EQ(shownPage().toStdString(), HelpViewer::contentsPath().toStdString());

    // The windows the main window keeps, and any another part of the program adds to it. The
    // help window goes first: each F1 below replaces it.
    delete openViewer();
    QList<QPointer<QDialog>> dialogs;
    for (QDialog *dialog : main.findChildren<QDialog *>())
        dialogs.append(dialog);
    for (QDialog *dialog : dialogs) {
        if (!dialog || qobject_cast<HelpViewer *>(dialog))
            continue;
        SCOPED_TRACE(dialog->metaObject()->className());
        EXPECT_NE(helpKeyContext(dialog), 0);
        if (helpKeyContext(dialog) != 0)
            expectF1Opens(dialog, helpKeyContext(dialog));
    }
    EXPECT_EQ(helpKeyContext(&main.library().libForm()), HelpTopic::Library);

    // The windows made for one use.
    TAboutForm about(&main);
    expectF1Opens(&about, HelpTopic::About);
    TSummaryForm summary([](int) { return tree::CategorySummary {}; }, 0, QString(), &main);
    expectF1Opens(&summary, HelpTopic::Summary);
    library::TVzoryForm templates(main.library().workCopy().OpatTable(), {}, &main);
    expectF1Opens(&templates, HelpTopic::MeasureTemplates);
    library::TVyberForm chooser(&main);
    expectF1Opens(&chooser, HelpTopic::SampleVariants);
    library::TFindDialog find(&main);
    expectF1Opens(&find, HelpTopic::Library);
}

TEST_F(HelpWalk, TheWizardsF1FollowsItsPage)
{
    TMainForm &main = shownForm();
    TWizardForm wizard(&main, &main.categorisation().editing());
    expectF1Opens(&wizard, 510);
    wizard.show();
    wizard.findChild<QLineEdit *>(QStringLiteral("NameEdit"))->setText(QStringLiteral("Svářeč"));
    wizard.NextButtonClick();
    EXPECT_EQ(helpKeyContext(&wizard), 520);
    expectF1Opens(&wizard, 520);
}
