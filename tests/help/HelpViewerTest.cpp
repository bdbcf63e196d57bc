#include "help/HelpViewer.h"
#include "tests/support/TempDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>

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

namespace {

// A small help folder: contents with a heading and nested topics, keywords, Czech text.
class HelpNavigation : public HelpViewerTest
{
protected:
    void SetUp() override
    {
        HelpViewerTest::SetUp();
        page(
            QStringLiteral("index.html"), QStringLiteral("Obsah"), QString(),
            QStringLiteral("<p>Úvod <a href=\"topics/100.html\">mimo seznam</a></p><ul>"
                           "<li><a href=\"topics/100.html\">Hlavní okno</a><ul>"
                           "<li><a href=\"topics/110.html\">Editor</a></li></ul></li>"
                           "<li>Sestavy &amp; tisk<ul><li><a href=\"topics/430.html\">Náhled</a></li></ul></li></ul>"));
        page(QStringLiteral("topics/100.html"), QStringLiteral("Hlavní okno"), QStringLiteral("strom; okno"),
             QStringLiteral("<p>Strom a ŽLUŤOUČKÝ kůň. Strom.</p>"));
        page(QStringLiteral("topics/110.html"), QStringLiteral("Editor"), QStringLiteral("okno; Čeština"),
             QStringLiteral("<p>Zátěž hlukem &ndash; editor, strom.</p>"));
        page(QStringLiteral("topics/430.html"), QStringLiteral("Náhled"), QStringLiteral("lupa"),
             QStringLiteral("<p>Zvětšení stránky.</p><script>strom</script>"));
    }
    void page(const QString &path, const QString &title, const QString &keywords, const QString &body)
    {
        test::TempDir::write(dir.file(path),
                             QStringLiteral("<html><head><meta charset=\"utf-8\"><meta name=\"keywords\" "
                                            "content=\"%1\"><title>%2</title></head><body>%3</body></html>")
                                 .arg(keywords, title, body)
                                 .toUtf8());
    }
};

} // namespace

TEST_F(HelpNavigation, ContentsIndexAndSearchFromThePages)
{
    HelpCatalogue catalogue;
    catalogue.load(dir.path());
    QStringList contents;
    for (const auto &entry : catalogue.contents())
        contents << QStringLiteral("%1:%2:%3").arg(entry.depth).arg(entry.title, entry.path);
    EXPECT_EQ(contents,
              (QStringList {QStringLiteral("0:Hlavní okno:topics/100.html"), QStringLiteral("1:Editor:topics/110.html"),
                            QStringLiteral("0:Sestavy & tisk:"), QStringLiteral("1:Náhled:topics/430.html")}));

    QStringList index;
    for (const auto &entry : catalogue.index())
        index << entry.keyword + QLatin1Char('>') + entry.path;
    // Czech order: "Č" after "c" and before "l"; a keyword of two pages twice.
    EXPECT_EQ(index, (QStringList {QStringLiteral("Čeština>topics/110.html"), QStringLiteral("lupa>topics/430.html"),
                                   QStringLiteral("okno>topics/110.html"), QStringLiteral("okno>topics/100.html"),
                                   QStringLiteral("strom>topics/100.html")}));

    // Case and accents do not matter; every word must be there; the title and the count rank;
    // scripts and tags are not text.
    const auto found = [&catalogue](const QString &query) {
        QStringList paths;
        for (const auto *page : catalogue.search(query))
            paths << page->path;
        return paths;
    };
    EXPECT_EQ(found(QStringLiteral("zlutoucky")), QStringList {QStringLiteral("topics/100.html")});
    EXPECT_EQ(found(QStringLiteral("ZATEZ hluk")), QStringList {QStringLiteral("topics/110.html")});
    EXPECT_EQ(found(QStringLiteral("strom")),
              (QStringList {QStringLiteral("topics/100.html"), QStringLiteral("topics/110.html")}));
    EXPECT_EQ(found(QStringLiteral("strom lupa")), QStringList {});
    EXPECT_EQ(found(QStringLiteral("body")), QStringList {});
    EXPECT_EQ(found(QStringLiteral("   ")), QStringList {});
}

TEST_F(HelpNavigation, TheWindowsTabsOpenWhatTheyList)
{
    viewer = HelpViewer::showContents(nullptr);
    auto *contents = viewer->findChild<QTreeWidget *>(QStringLiteral("HelpContentsTree"));
    ASSERT_TRUE(contents);
    ASSERT_EQ(contents->topLevelItemCount(), 2);
    QTreeWidgetItem *editor = contents->topLevelItem(0)->child(0);
    ASSERT_TRUE(editor);
    emit contents->itemClicked(editor, 0);
    EXPECT_TRUE(shownText().contains(QStringLiteral("Zátěž hlukem – editor")));

    auto *filter = viewer->findChild<QLineEdit *>(QStringLiteral("HelpIndexFilter"));
    auto *index = viewer->findChild<QListWidget *>(QStringLiteral("HelpIndexList"));
    filter->setText(QStringLiteral("lu"));
    ASSERT_TRUE(index->currentItem());
    EXPECT_EQ(index->currentItem()->text(), QStringLiteral("lupa"));
    emit filter->returnPressed();
    EXPECT_TRUE(shownText().contains(QStringLiteral("Zvětšení stránky")));
    EXPECT_EQ(index->item(2)->text(), QStringLiteral("okno – Editor")) << "a keyword of two pages names the page";

    viewer->search(QStringLiteral("kun"));
    auto *results = viewer->findChild<QListWidget *>(QStringLiteral("HelpSearchResults"));
    ASSERT_EQ(results->count(), 1);
    EXPECT_EQ(results->item(0)->text(), QStringLiteral("Hlavní okno"));
    EXPECT_TRUE(shownText().contains(QStringLiteral("ŽLUŤOUČKÝ")));
    viewer->search(QStringLiteral("nic takového"));
    EXPECT_EQ(results->item(0)->text(), QStringLiteral("Nic nenalezeno."));
}
