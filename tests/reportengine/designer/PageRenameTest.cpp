// Renaming a report page: one step that also moves the subreports naming the page to the new
// name, undone exactly; names used elsewhere, empty or unchanged ones do nothing.

#include "reportengine/designer/core/DesignerModel.h"
#include "reportengine/designer/core/ObjectFactory.h"

#include <gtest/gtest.h>

using namespace ergotab::report;
using namespace ergotab::report::designer;

namespace {

ReportObject subreport(const QString &name, const QString &page)
{
    ReportObject object;
    object.name = name;
    object.rect = QRectF(0, 0, 50, 5);
    object.content = SubreportObject {page};
    return object;
}

// Page1 prints Detail through a subreport in its band and one of its own objects; Detail holds
// a subreport naming Missing, a page that does not exist (yet).
ReportTemplate withSubreports()
{
    ReportTemplate report;
    ReportPage main;
    main.name = QStringLiteral("Page1");
    Band data = newBand(BandKind::MasterData);
    data.name = QStringLiteral("Band1");
    data.objects.push_back(subreport(QStringLiteral("Sub1"), QStringLiteral("Detail")));
    main.bands.push_back(data);
    main.objects.push_back(subreport(QStringLiteral("Sub2"), QStringLiteral("Detail")));
    ReportPage detail;
    detail.name = QStringLiteral("Detail");
    detail.objects.push_back(subreport(QStringLiteral("Sub3"), QStringLiteral("Missing")));
    report.pages = {main, detail};
    return report;
}

QString target(const ReportObject &object)
{
    return std::get<SubreportObject>(object.content).page;
}

} // namespace

TEST(ReportPageRename, SubreportsFollowTheirPageInOneStep)
{
    DesignerModel model;
    model.reset(withSubreports());
    int changes = 0;
    QObject::connect(&model, &DesignerModel::changed, [&changes] { ++changes; });
    ASSERT_TRUE(model.renameReportPage(1, QStringLiteral("  Missing ")));
    EXPECT_EQ(model.undoStack().count(), 1);
    EXPECT_EQ(changes, 1);
    const ReportTemplate &report = model.reportTemplate();
    EXPECT_EQ(report.pages[1].name, QStringLiteral("Missing"));
    EXPECT_EQ(target(report.pages[0].bands[0].objects[0]), QStringLiteral("Missing"));
    EXPECT_EQ(target(report.pages[0].objects[0]), QStringLiteral("Missing"));
    EXPECT_EQ(printedPages(report), std::vector<const ReportPage *> {&report.pages[0]});

    // Undo gives back the old names; the subreport that named the new one before keeps it.
    model.undoStack().undo();
    EXPECT_EQ(model.reportTemplate(), withSubreports());
    model.undoStack().redo();
    EXPECT_EQ(target(model.reportTemplate().pages[0].objects[0]), QStringLiteral("Missing"));
    model.undoStack().undo();

    // Only the case of its own name may change without the name being free.
    EXPECT_TRUE(model.renameReportPage(1, QStringLiteral("DETAIL")));
    EXPECT_EQ(target(model.reportTemplate().pages[0].objects[0]), QStringLiteral("DETAIL"));
    model.undoStack().undo();
}

TEST(ReportPageRename, RefusedNamesChangeNothing)
{
    DesignerModel model;
    model.reset(withSubreports());
    EXPECT_FALSE(model.renameReportPage(1, QStringLiteral("Detail")));
    EXPECT_FALSE(model.renameReportPage(1, QStringLiteral("   ")));
    EXPECT_FALSE(model.renameReportPage(1, QStringLiteral("page1"))) << "another page";
    EXPECT_FALSE(model.renameReportPage(1, QStringLiteral("band1"))) << "a band";
    EXPECT_FALSE(model.renameReportPage(0, QStringLiteral("Sub3"))) << "an object";
    EXPECT_FALSE(model.renameReportPage(2, QStringLiteral("Other")));
    EXPECT_FALSE(model.renameReportPage(-1, QStringLiteral("Other")));
    EXPECT_EQ(model.undoStack().count(), 0);
    EXPECT_EQ(model.reportTemplate(), withSubreports());
}
