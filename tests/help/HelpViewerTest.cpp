#include "help/HelpViewer.h"
#include "tests/support/TempDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextBrowser>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace ergotab;

class HelpViewerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir().mkpath(dir.file(QStringLiteral("topics")));
        test::TempDir::write(dir.file(QStringLiteral("index.html")),
                             QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body><h1>Obsah nápovědy</h1>"
                                            "<a href=\"topics/510.html\">Průvodce</a></body></html>")
                                 .toUtf8());
        test::TempDir::write(dir.file(QStringLiteral("topics/510.html")),
                             QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>"
                                            "<h1>Zátěž prachem</h1></body></html>")
                                 .toUtf8());
        HelpViewer::setHelpFolder(dir.path());
    }
    void TearDown() override
    {
        delete viewer;
        HelpViewer::setHelpFolder(QString());
    }

    QString shownText() const { return viewer->browser()->toPlainText(); }
    QToolButton *button(const char *name) const { return viewer->findChild<QToolButton *>(QLatin1String(name)); }

    test::TempDir dir;
    HelpViewer *viewer = nullptr;
};

TEST_F(HelpViewerTest, OpensTheContentsAndTopicsByContextNumberInOneWindow)
{
    viewer = HelpViewer::showContents(nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(shownText().contains(QStringLiteral("Obsah nápovědy")));

    EXPECT_EQ(HelpViewer::showContext(nullptr, 510), viewer);
    EXPECT_TRUE(shownText().contains(QStringLiteral("Zátěž prachem")));

    // Back returns to the contents, forward to the topic, the contents button goes home.
    ASSERT_TRUE(button("HelpBackButton")->isEnabled());
    button("HelpBackButton")->click();
    EXPECT_TRUE(shownText().contains(QStringLiteral("Obsah nápovědy")));
    ASSERT_TRUE(button("HelpForwardButton")->isEnabled());
    button("HelpForwardButton")->click();
    EXPECT_TRUE(shownText().contains(QStringLiteral("Zátěž prachem")));
    button("HelpContentsButton")->click();
    EXPECT_TRUE(shownText().contains(QStringLiteral("Obsah nápovědy")));
}

TEST_F(HelpViewerTest, AMissingPageSaysSoInCzech)
{
    viewer = HelpViewer::showContext(nullptr, 999);
    EXPECT_TRUE(shownText().contains(QStringLiteral("Téma nápovědy č. 999 nebylo nalezeno.")));
    EXPECT_TRUE(shownText().contains(QDir::toNativeSeparators(dir.file(QStringLiteral("topics/999.html")))));

    QFile::remove(dir.file(QStringLiteral("index.html")));
    viewer->openContents();
    EXPECT_TRUE(shownText().contains(QStringLiteral("Obsah nápovědy nebyl nalezen.")));
}

TEST(HelpPages, LieBesideTheProgramWithTheContentsFirst)
{
    HelpViewer::setHelpFolder(QString());
    EXPECT_EQ(HelpViewer::contentsPath(), QCoreApplication::applicationDirPath() + QStringLiteral("/help/index.html"));
    EXPECT_EQ(HelpViewer::topicPath(510),
              QCoreApplication::applicationDirPath() + QStringLiteral("/help/topics/510.html"));

    // The build copies the pages into the program's folder, unchanged.
    const QByteArray shipped = test::TempDir::read(QStringLiteral(ERGOTAB_PROGRAM_DIR "/help/index.html"));
    const QByteArray source = test::TempDir::read(QStringLiteral(ERGOTAB_SOURCE_DIR "/help/pages/index.html"));
    ASSERT_FALSE(source.isEmpty());
    EXPECT_EQ(shipped, source);
    const QString text = QString::fromUtf8(shipped);
    EXPECT_TRUE(text.contains(QStringLiteral("charset=\"utf-8\"")));
    EXPECT_TRUE(text.contains(QStringLiteral("Průvodce kategorizací")));
}
