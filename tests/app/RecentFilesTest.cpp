#include "app/RecentFiles.h"
#include "app/RecentFilesMenu.h"
#include "tests/support/TempDir.h"

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace ergotab;

namespace {

QString doc(int n)
{
    return QStringLiteral("/data/Dokument %1.tvo").arg(n);
}

} // namespace

TEST(RecentFiles, KeepsTheTenNewestNewestFirst)
{
    RecentFiles recent;
    for (int n = 1; n <= 11; ++n)
        recent.add(doc(n));

    ASSERT_EQ(recent.size(), 10);
    for (int position = 0; position < 10; ++position)
        EXPECT_EQ(recent.paths().at(position), doc(11 - position));
    EXPECT_FALSE(recent.paths().contains(doc(1)));
}

TEST(RecentFiles, ReopeningAnEntryMovesItToTheTopWithoutDuplicating)
{
    RecentFiles recent;
    for (int n = 1; n <= 11; ++n)
        recent.add(doc(n));
    const QString third = recent.paths().at(2);

    recent.add(third);

    EXPECT_EQ(recent.size(), 10);
    EXPECT_EQ(recent.paths().first(), third);
    EXPECT_EQ(recent.paths().count(third), 1);
    EXPECT_EQ(recent.paths().at(1), doc(11));
    EXPECT_EQ(recent.paths().at(2), doc(10));
    EXPECT_EQ(recent.paths().at(3), doc(8));
}

TEST(RecentFiles, ComparesWithoutRegardToCaseAndIgnoresEmptyPaths)
{
    RecentFiles recent;
    recent.add(QStringLiteral("C:/Práce/Hala.tvo"));
    recent.add(QStringLiteral("C:/Práce/Sklad.tvo"));
    recent.add(QStringLiteral("c:/PRÁCE/hala.TVO"));
    recent.add(QString());

    EXPECT_EQ(recent.paths(),
              (QStringList {QStringLiteral("c:/PRÁCE/hala.TVO"), QStringLiteral("C:/Práce/Sklad.tvo")}));
}

class RecentFilesSettings : public ::testing::Test
{
protected:
    test::TempDir dir;
    QSettings settings {dir.file(QStringLiteral("settings.ini")), QSettings::IniFormat};
};

TEST_F(RecentFilesSettings, SaveWritesItemsFromPositionZeroAndDropsUserNumbers)
{
    settings.beginGroup(RecentFiles::settingsGroup());
    for (int i = 0; i < 10; ++i) {
        settings.setValue(QStringLiteral("Item_%1").arg(i), doc(100 + i));
        settings.setValue(QStringLiteral("User_%1").arg(i), 0);
    }
    settings.endGroup();

    RecentFiles recent;
    recent.add(doc(2));
    recent.add(doc(1));
    recent.save(settings);

    settings.beginGroup(QStringLiteral("TMainForm.MRUManager1"));
    EXPECT_EQ(settings.childKeys(), (QStringList {QStringLiteral("Item_0"), QStringLiteral("Item_1")}));
    EXPECT_EQ(settings.value(QStringLiteral("Item_0")).toString(), doc(1));
    EXPECT_EQ(settings.value(QStringLiteral("Item_1")).toString(), doc(2));
    settings.endGroup();
}

TEST_F(RecentFilesSettings, LoadRestoresTheOrderAndSkipsGaps)
{
    settings.beginGroup(RecentFiles::settingsGroup());
    settings.setValue(QStringLiteral("Item_0"), doc(1));
    settings.setValue(QStringLiteral("Item_1"), QString());
    settings.setValue(QStringLiteral("Item_2"), doc(3));
    settings.setValue(QStringLiteral("Item_9"), doc(10));
    settings.endGroup();

    RecentFiles recent;
    recent.add(doc(50));
    recent.load(settings);
    EXPECT_EQ(recent.paths(), (QStringList {doc(1), doc(3), doc(10)}));

    RecentFiles roundTrip;
    recent.save(settings);
    roundTrip.load(settings);
    EXPECT_EQ(roundTrip.paths(), recent.paths());
}

TEST(RecentFilesMenu, ItemsFollowTheLastFixedItemWithAcceleratorsOneToA)
{
    QMenu menu;
    menu.addAction(QStringLiteral("Konec"));
    RecentFilesMenu recentMenu(&menu);
    QStringList paths;
    for (int n = 1; n <= 10; ++n)
        paths.append(doc(n));

    recentMenu.rebuild(paths);

    const QList<QAction *> actions = menu.actions();
    ASSERT_EQ(actions.size(), 12);
    EXPECT_TRUE(actions.at(1)->isSeparator());
    EXPECT_EQ(actions.at(2)->text(), QStringLiteral("&1 /data/Dokument 1.tvo"));
    EXPECT_EQ(actions.at(10)->text(), QStringLiteral("&9 /data/Dokument 9.tvo"));
    EXPECT_EQ(actions.at(11)->text(), QStringLiteral("&A /data/Dokument 10.tvo"));

    recentMenu.rebuild({doc(7)});
    ASSERT_EQ(menu.actions().size(), 3);
    EXPECT_EQ(menu.actions().at(2)->text(), QStringLiteral("&1 /data/Dokument 7.tvo"));

    recentMenu.rebuild({});
    EXPECT_EQ(menu.actions().size(), 1) << "no separator for an empty list";
}

TEST(RecentFilesMenu, ChoosingAnItemReportsItsFullPathEvenWithAnAmpersand)
{
    QMenu menu;
    RecentFilesMenu recentMenu(&menu);
    const QString path = QStringLiteral("/data/Výroba & sklad.tvo");
    recentMenu.rebuild({path, doc(2)});
    QSignalSpy chosen(&recentMenu, &RecentFilesMenu::chosen);

    EXPECT_EQ(recentMenu.actions().at(1)->text(), QStringLiteral("&1 /data/Výroba && sklad.tvo"));
    recentMenu.actions().at(1)->trigger();

    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toString(), path);
}
