// The page's own objects (outside every band) take every object command as band objects do, each
// step undone exactly; report pages come and go as one step each; and where the surface puts
// page objects and where a band dragged by its caption lands.

#include "reportengine/designer/core/DesignerModel.h"
#include "reportengine/designer/core/ObjectFactory.h"
#include "reportengine/designer/core/SurfaceGeometry.h"

#include <gtest/gtest.h>

using namespace ergotab::report;
using namespace ergotab::report::designer;

namespace {

// A data band with Text1 and a page carrying Text2 and Line3 of its own, as templates of the
// earlier engine have them.
ReportTemplate withPageObjects()
{
    ReportTemplate report;
    ReportPage page;
    page.name = QStringLiteral("Page1");
    page.margins = {15, 12, 10, 10};
    Band data = newBand(BandKind::MasterData);
    data.name = QStringLiteral("Band1");
    ReportObject inBand = newTextObject(QStringLiteral("[Text]"), QRectF(0, 0, 40, 5));
    inBand.name = QStringLiteral("Text1");
    data.objects.push_back(inBand);
    page.bands.push_back(data);
    ReportObject stamp = newTextObject(QStringLiteral("Důvěrné"), QRectF(150, 260, 30, 6));
    stamp.name = QStringLiteral("Text2");
    ReportObject rule = newObject(ObjectKind::Line, QRectF(0, 270, 180, 0));
    rule.name = QStringLiteral("Line3");
    page.objects = {stamp, rule};
    report.pages.push_back(page);
    return report;
}

QStringList namesOf(const std::vector<ReportObject> &objects)
{
    QStringList names;
    for (const ReportObject &o : objects)
        names << o.name;
    return names;
}

class PageObjects : public ::testing::Test
{
protected:
    void SetUp() override { model.reset(withPageObjects()); }
    const std::vector<ReportObject> &pageObjects() { return model.reportTemplate().pages[0].objects; }
    // Undoes `steps` steps and checks the template is the starting one again.
    void undoneGivesStart(int steps)
    {
        for (int i = 0; i < steps; ++i)
            model.undoStack().undo();
        EXPECT_EQ(model.reportTemplate(), withPageObjects());
    }

    DesignerModel model;
    const ObjectRef stamp = ObjectRef::pageObject(0, 0);
    const ObjectRef rule = ObjectRef::pageObject(0, 1);
};

} // namespace

TEST_F(PageObjects, AreAddressedAndValidatedBesideTheBands)
{
    EXPECT_TRUE(stamp.isPageLevel());
    EXPECT_EQ(model.object(stamp).name, QStringLiteral("Text2"));
    EXPECT_EQ(model.object(rule).name, QStringLiteral("Line3"));
    EXPECT_TRUE(model.isValid(rule));
    EXPECT_FALSE(model.isValid(ObjectRef::pageObject(0, 2)));
    EXPECT_FALSE(model.isValid(ObjectRef::pageObject(1, 0)));
    EXPECT_FALSE(model.isValid(BandRef::pageObjects(0))); // not a band: no band options for it
    EXPECT_EQ(model.objectsIn(BandRef::pageObjects(0)).size(), 2u);
    // Their names count as taken.
    EXPECT_FALSE(model.isNameFree(QStringLiteral("line3")));
}

TEST_F(PageObjects, MovedResizedAndEditedAndEachStepUndone)
{
    model.moveObjects({stamp, rule}, QPointF(-5, 2));
    EXPECT_EQ(model.object(stamp).rect, QRectF(145, 262, 30, 6));
    EXPECT_EQ(model.object(rule).rect, QRectF(-5, 272, 180, 0));
    model.resizeObjects({stamp}, QSizeF(10, -1));
    EXPECT_EQ(model.object(stamp).rect, QRectF(145, 262, 40, 5));
    model.setRects({rule, {0, 0, 0}}, {QRectF(1, 2, 3, 0), QRectF(4, 1, 20, 5)}, QStringLiteral("Zarovnat"));
    EXPECT_EQ(model.object(rule).rect, QRectF(1, 2, 3, 0));
    EXPECT_EQ(model.object({0, 0, 0}).rect, QRectF(4, 1, 20, 5)); // a band object in the same step
    model.editObjects(
        {stamp}, [](ReportObject &o) { std::get<TextObject>(o.content).font.bold = true; }, QStringLiteral("Tučné"));
    EXPECT_TRUE(std::get<TextObject>(model.object(stamp).content).font.bold);
    EXPECT_EQ(model.undoStack().count(), 4);
    undoneGivesStart(4);
    while (model.undoStack().canRedo())
        model.undoStack().redo();
    EXPECT_EQ(model.object(rule).rect, QRectF(1, 2, 3, 0));
}

TEST_F(PageObjects, InsertedDeletedAndReorderedAndEachStepUndone)
{
    // A copy of the stamp pasted onto the page gets a free name and goes on top.
    const ObjectRefs pasted =
        model.insertObjects(BandRef::pageObjects(0), {model.object(stamp)}, QStringLiteral("Vložit"));
    ASSERT_EQ(pasted, ObjectRefs({ObjectRef::pageObject(0, 2)}));
    EXPECT_EQ(model.object(pasted[0]).name, QStringLiteral("Text3"));
    // One step deletes a page object and a band object together.
    model.deleteObjects({stamp, {0, 0, 0}}, QStringLiteral("Odstranit"));
    EXPECT_EQ(namesOf(pageObjects()), QStringList({QStringLiteral("Line3"), QStringLiteral("Text3")}));
    EXPECT_TRUE(model.band({0, 0}).objects.empty());
    model.undoStack().undo();
    EXPECT_EQ(namesOf(pageObjects()),
              QStringList({QStringLiteral("Text2"), QStringLiteral("Line3"), QStringLiteral("Text3")}));
    EXPECT_EQ(model.band({0, 0}).objects.size(), 1u);

    const ObjectRefs back = model.sendToBack({ObjectRef::pageObject(0, 2)});
    EXPECT_EQ(back, ObjectRefs({ObjectRef::pageObject(0, 0)}));
    EXPECT_EQ(namesOf(pageObjects()),
              QStringList({QStringLiteral("Text3"), QStringLiteral("Text2"), QStringLiteral("Line3")}));
    const ObjectRefs front = model.bringToFront({ObjectRef::pageObject(0, 1), {0, 0, 0}});
    EXPECT_EQ(front, ObjectRefs({ObjectRef::pageObject(0, 2), {0, 0, 0}}));
    EXPECT_EQ(model.object(front[0]).name, QStringLiteral("Text2"));
    undoneGivesStart(3); // the undone deletion left the history
}

TEST_F(PageObjects, TakenIntoABandAndOutAgain)
{
    const ObjectRefs moved = model.moveObjectsToBand({stamp}, {0, 0}, {QRectF(2, 1, 30, 6)});
    EXPECT_EQ(moved, ObjectRefs({{0, 0, 1}}));
    EXPECT_EQ(namesOf(pageObjects()), QStringList({QStringLiteral("Line3")}));
    EXPECT_EQ(model.object(moved[0]).rect, QRectF(2, 1, 30, 6));
    const ObjectRefs out = model.moveObjectsToBand({{0, 0, 0}}, BandRef::pageObjects(0), {QRectF(0, 0, 40, 5)});
    EXPECT_EQ(out, ObjectRefs({ObjectRef::pageObject(0, 1)}));
    EXPECT_EQ(model.object(out[0]).name, QStringLiteral("Text1"));
    undoneGivesStart(2);
}

TEST(ReportPages, NewPagesAreEmptyAndNamedAndTheLastPageStays)
{
    DesignerModel model;
    model.reset(withPageObjects());
    PageSetup setup = PageSetup::of(model.reportTemplate().pages[0]);
    setup.orientation = Orientation::Landscape;
    EXPECT_EQ(model.insertReportPage(1, setup), 1);
    EXPECT_EQ(model.insertReportPage(0, setup), 0);
    EXPECT_EQ(model.insertReportPage(99, setup), 3); // past the end: appended
    const auto &pages = model.reportTemplate().pages;
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(pages[0].name, QStringLiteral("Page3")); // Page1 and Page2 were taken by then
    EXPECT_EQ(pages[1].name, QStringLiteral("Page1"));
    EXPECT_EQ(pages[2].name, QStringLiteral("Page2"));
    EXPECT_EQ(pages[2].orientation, Orientation::Landscape);
    EXPECT_EQ(pages[2].margins, withPageObjects().pages[0].margins);
    EXPECT_TRUE(pages[2].bands.empty() && pages[2].objects.empty());

    // Deleting the page with the content and undoing brings it back whole, at its place.
    EXPECT_TRUE(model.deleteReportPage(1));
    EXPECT_EQ(model.reportTemplate().pages[1].name, QStringLiteral("Page2"));
    model.undoStack().undo();
    EXPECT_EQ(model.reportTemplate().pages[1], withPageObjects().pages[0]);
    while (model.reportTemplate().pages.size() > 1)
        EXPECT_TRUE(model.deleteReportPage(0));
    const int steps = model.undoStack().count();
    EXPECT_FALSE(model.deleteReportPage(0));
    EXPECT_FALSE(model.deleteReportPage(5));
    EXPECT_EQ(model.undoStack().count(), steps);
    while (model.undoStack().canUndo())
        model.undoStack().undo();
    EXPECT_EQ(model.reportTemplate(), withPageObjects());
}

TEST(SurfaceGeometry, PageObjectsStandFromTheMarginsAndMapBack)
{
    const ReportTemplate report = withPageObjects();
    const SurfaceGeometry g(report.pages[0]);
    EXPECT_EQ(g.origin(pageLevel), QPointF(15, 12));
    EXPECT_EQ(g.objectRect(pageLevel, QRectF(150, 260, 30, 6)), QRectF(165, 272, 30, 6));
    // The band's objects start below its caption strip.
    EXPECT_EQ(g.origin(0), QPointF(15, 12 + SurfaceGeometry::captionMm));
    const QRectF onSheet(40, 50, 10, 5);
    EXPECT_EQ(g.objectRect(0, g.objectRectIn(0, onSheet)), onSheet);
    EXPECT_EQ(g.objectRectIn(pageLevel, onSheet), QRectF(25, 38, 10, 5));
}

TEST(SurfaceGeometry, ABandDraggedByItsCaptionDropsIntoTheNearestGap)
{
    ReportPage page;
    for (int i = 0; i < 3; ++i) {
        page.bands.push_back(newBand(BandKind::MasterData));
        page.bands.back().height = 20;
    }
    const SurfaceGeometry g(page);
    // Bands with their captions: 10 – 34.5, 35.5 – 60, 61 – 85.5.
    EXPECT_EQ(g.captionAt(QPointF(50, 12)), 0);
    EXPECT_EQ(g.captionAt(QPointF(50, 37)), 1);
    EXPECT_EQ(g.captionAt(QPointF(50, 45)), -1); // inside the band's area, not its caption
    EXPECT_EQ(g.captionAt(QPointF(5, 12)), -1);  // in the margin
    EXPECT_EQ(g.dropGap(QPointF(50, 0)), 0);
    EXPECT_EQ(g.dropGap(QPointF(50, 30)), 1); // below the first band's middle
    EXPECT_EQ(g.dropGap(QPointF(50, 70)), 2);
    EXPECT_EQ(g.dropGap(QPointF(50, 80)), 3);
    EXPECT_EQ(g.dropGap(QPointF(50, 500)), 3);
    EXPECT_DOUBLE_EQ(g.dropLineY(1), 35);
    EXPECT_DOUBLE_EQ(g.dropLineY(3), 86);
    // The first band dropped below the second goes to index 1; into the gaps beside it, nowhere.
    EXPECT_EQ(SurfaceGeometry::positionForGap(0, 2), 1);
    EXPECT_EQ(SurfaceGeometry::positionForGap(0, 0), 0);
    EXPECT_EQ(SurfaceGeometry::positionForGap(0, 1), 0);
    EXPECT_EQ(SurfaceGeometry::positionForGap(2, 0), 0);
    EXPECT_EQ(SurfaceGeometry::positionForGap(1, 3), 2);
}
