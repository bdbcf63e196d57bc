// Renaming a report page from the designer window: the name asked for in a dialog, the tab and a
// subreport naming the page following it, a name already used refused with a message.

#include "DesignerTestSupport.h"

#include "reportengine/designer/PageTabs.h"

#include <QAction>
#include <QInputDialog>
#include <QMessageBox>

using namespace ergotab::report;
using namespace ergotab::report::designer;
using namespace ergotab::report::designer::test;

TEST_F(DesignerWithKinds, AReportPageIsRenamedFromItsTab)
{
    const int added = model().insertReportPage(1, PageSetup::of(model().reportTemplate().pages[0]));
    ReportObject sub = newObject(ObjectKind::Subreport, QRectF(0, 20, 50, 5));
    std::get<SubreportObject>(sub.content).page = model().reportTemplate().pages[1].name;
    model().insertObjects(BandRef {0, 0}, {sub}, QStringLiteral("Vložit"));
    PageTabs &tabs = designer->pageTabs();
    tabs.showReportPage(added);
    auto *rename = tabs.findChild<QAction *>(QStringLiteral("RenamePageAction"));
    ASSERT_TRUE(rename);

    whenModal<QInputDialog>([](QInputDialog &d) {
        d.setTextValue(QStringLiteral("Faktory"));
        d.accept();
    });
    rename->trigger();
    EXPECT_EQ(tabs.tabText(1), QStringLiteral("Stránka: Faktory"));
    const auto &objects = model().reportTemplate().pages[0].bands[0].objects;
    EXPECT_EQ(std::get<SubreportObject>(objects.back().content).page, QStringLiteral("Faktory"));

    // A name some band already has: a message, nothing changed.
    const int steps = model().undoStack().count();
    QString told;
    whenModal<QInputDialog>([](QInputDialog &d) {
        d.setTextValue(QStringLiteral("band1"));
        d.accept();
    });
    whenModal<QMessageBox>([&told](QMessageBox &box) {
        told = box.text();
        box.accept();
    });
    rename->trigger();
    EXPECT_TRUE(told.contains(QStringLiteral("band1"))) << told.toStdString();
    EXPECT_EQ(model().undoStack().count(), steps);

    model().undoStack().undo();
    EXPECT_EQ(tabs.tabText(1), QStringLiteral("Stránka: Page2"));
}
