// The design surface driven with the mouse as a user drives it: report pages as tabs, the page's
// own objects, bands dragged by their captions, a selection scaled by its handles, texts kept
// inside their rectangles. Each change checked in the template, and undone.

#include "reportengine/designer/DesignSurface.h"
#include "reportengine/designer/PageTabs.h"
#include "reportengine/designer/ReportDesigner.h"
#include "reportengine/designer/core/Arrange.h"
#include "reportengine/designer/core/ObjectFactory.h"
#include "reportengine/designer/core/TextFit.h"
#include "tests/reportengine/designer/DesignerTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace ergotab::report;
using namespace ergotab::report::designer;

namespace {

// The two bands of twoBandTemplate() and a stamp of the page's own, Text9 at 100,200 from
// the margins.
ReportTemplate sample()
{
    ReportTemplate report = test::twoBandTemplate();
    ReportObject stamp = newTextObject(QStringLiteral("Důvěrné"), QRectF(100, 200, 30, 6));
    stamp.name = QStringLiteral("Text9");
    report.pages[0].objects.push_back(stamp);
    return report;
}

class DesignSurfaceTest : public test::ShownDesigner
{
protected:
    void SetUp() override { open(DesignerHost {}, sample()); }

    SurfaceGeometry geometry() { return SurfaceGeometry(model().reportTemplate().pages.at(surface().page())); }
    QPoint pixel(QPointF sheetMm) { return surface().toPixels(sheetMm).toPoint(); }
    QPoint centreOf(ObjectRef ref) { return pixel(geometry().objectRect(ref.band, model().object(ref).rect).center()); }
    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(&surface(), Qt::LeftButton, {}, from);
        for (int step = 1; step <= 4; ++step) {
            const QPoint at = from + (to - from) * step / 4;
            QMouseEvent move(QEvent::MouseMove, at, surface().mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(&surface(), &move);
        }
        QTest::mouseRelease(&surface(), Qt::LeftButton, {}, to);
    }
    QAction *action(const char *name) { return designer->action(QLatin1String(name)); }
    void undoAll()
    {
        while (model().undoStack().canUndo())
            model().undoStack().undo();
    }

    const ObjectRef stamp = ObjectRef::pageObject(0, 0);
};

} // namespace

TEST_F(DesignSurfaceTest, ReportPagesAreTabsThatComeAndGoAlsoByUndo)
{
    PageTabs &tabs = designer->pageTabs();
    ASSERT_EQ(tabs.count(), 1);
    EXPECT_EQ(tabs.tabText(0), QStringLiteral("Stránka: Page1"));
    EXPECT_FALSE(action("DeletePageAction")->isEnabled()); // the only page stays

    action("NewPageAction")->trigger();
    ASSERT_EQ(model().reportTemplate().pages.size(), 2u);
    EXPECT_EQ(tabs.count(), 2);
    EXPECT_EQ(tabs.currentIndex(), 1);
    EXPECT_EQ(surface().page(), 1);
    EXPECT_TRUE(action("DeletePageAction")->isEnabled());
    designer->insertBand(BandKind::PageFooter);
    EXPECT_EQ(model().reportTemplate().pages[1].bands.size(), 1u);
    EXPECT_EQ(model().reportTemplate().pages[0], sample().pages[0]);

    // The design area goes with the tab in front.
    tabs.setCurrentIndex(0);
    EXPECT_EQ(surface().page(), 0);
    EXPECT_TRUE(surface().isVisibleTo(designer.get()));
    designer->insertDialogPage();
    EXPECT_EQ(tabs.count(), 3);
    EXPECT_EQ(tabs.currentDialog(), 0);
    EXPECT_FALSE(action("DeletePageAction")->isEnabled()); // a dialog page in front
    model().undoStack().undo();

    // A page holding bands is deleted only when the user agrees.
    tabs.showReportPage(1);
    answers = {DesignerHooks::Answer::No, DesignerHooks::Answer::Yes};
    action("DeletePageAction")->trigger();
    EXPECT_EQ(model().reportTemplate().pages.size(), 2u);
    action("DeletePageAction")->trigger();
    EXPECT_EQ(questions.size(), 2);
    ASSERT_EQ(model().reportTemplate().pages.size(), 1u);
    EXPECT_EQ(tabs.count(), 1);
    EXPECT_EQ(surface().page(), 0);

    model().undoStack().undo(); // the page is back with its band
    ASSERT_EQ(tabs.count(), 2);
    EXPECT_EQ(model().reportTemplate().pages[1].bands.size(), 1u);
    undoAll();
    EXPECT_EQ(model().reportTemplate(), sample());
    EXPECT_EQ(tabs.count(), 1);
    model().undoStack().redo();
    EXPECT_EQ(tabs.count(), 2);
}

TEST_F(DesignSurfaceTest, ThePagesOwnObjectIsSelectedMovedResizedEditedCopiedAndDeleted)
{
    QTest::mouseClick(&surface(), Qt::LeftButton, {}, centreOf(stamp));
    ASSERT_EQ(surface().selection(), ObjectRefs({stamp}));
    auto *left = designer->findChild<QLineEdit *>(QStringLiteral("LeftEdit"));
    ASSERT_TRUE(left);
    EXPECT_EQ(left->text(), QStringLiteral("100"));

    // Dragged 10 mm right and 5 mm down; it stays the page's.
    drag(centreOf(stamp), centreOf(stamp) + pixel(QPointF(10, 5)) - pixel(QPointF(0, 0)));
    EXPECT_EQ(model().object(stamp).rect, QRectF(110, 205, 30, 6));
    EXPECT_EQ(surface().selection(), ObjectRefs({stamp}));
    left->setText(QStringLiteral("50"));
    emit left->editingFinished();
    EXPECT_EQ(model().object(stamp).rect, QRectF(50, 205, 30, 6));
    // The lower right handle, 10 mm right and 5 mm down.
    const QRectF onSheet = geometry().objectRect(pageLevel, model().object(stamp).rect);
    drag(pixel(onSheet.bottomRight()), pixel(onSheet.bottomRight() + QPointF(10, 5)));
    EXPECT_EQ(model().object(stamp).rect, QRectF(50, 205, 40, 11));

    // Copied into the current band, then deleted from the page.
    surface().setCurrentBand(1);
    surface().setSelection({stamp});
    action("CopyAction")->trigger();
    action("PasteAction")->trigger();
    ASSERT_EQ(model().band({0, 1}).objects.size(), 3u);
    EXPECT_EQ(std::get<TextObject>(model().band({0, 1}).objects.back().content).text, QStringLiteral("Důvěrné"));
    surface().setSelection({stamp});
    action("DeleteAction")->trigger();
    EXPECT_TRUE(model().reportTemplate().pages[0].objects.empty());
    EXPECT_EQ(model().undoStack().count(), 5);
    undoAll();
    EXPECT_EQ(model().reportTemplate(), sample());
}

TEST_F(DesignSurfaceTest, ThePagesObjectDraggedOverABandStaysThePages)
{
    const QPoint from = centreOf(stamp);
    const QPoint to(from.x(), pixel(geometry().bandRect(1).center()).y());
    drag(from, to);
    EXPECT_EQ(model().reportTemplate().pages[0].objects.size(), 1u);
    EXPECT_EQ(model().band({0, 1}).objects.size(), 2u);
    EXPECT_EQ(model().object(stamp).rect.left(), 100);
    EXPECT_LT(model().object(stamp).rect.top(), 40);
    EXPECT_EQ(surface().selection(), ObjectRefs({stamp}));
}

TEST_F(DesignSurfaceTest, AnOpenedTemplateShowsAllItsPagesFromTheFirst)
{
    ReportTemplate report = sample();
    report.pages.push_back(report.pages[0]);
    report.pages.back().name = QStringLiteral("Souhrn");
    report.dialogs.emplace_back();
    report.dialogs.back().name = QStringLiteral("Dialog1");
    designer->pageTabs().setCurrentIndex(0);
    model().reset(report);
    PageTabs &tabs = designer->pageTabs();
    ASSERT_EQ(tabs.count(), 3);
    EXPECT_EQ(tabs.reportPageCount(), 2);
    EXPECT_EQ(tabs.tabText(1), QStringLiteral("Stránka: Souhrn"));
    EXPECT_EQ(tabs.tabText(2), QStringLiteral("Dialog: Dialog1"));
    EXPECT_EQ(tabs.currentIndex(), 0);
    tabs.setCurrentIndex(1);
    EXPECT_EQ(surface().page(), 1);
    QTest::mouseClick(&surface(), Qt::LeftButton, {}, centreOf(ObjectRef::pageObject(1, 0)));
    EXPECT_EQ(surface().selection(), ObjectRefs({ObjectRef::pageObject(1, 0)}));
    // Another template replaces it: back to its first page.
    model().reset(sample());
    EXPECT_EQ(tabs.count(), 1);
    EXPECT_EQ(surface().page(), 0);
    EXPECT_TRUE(surface().selection().empty());
}

TEST_F(DesignSurfaceTest, ARubberBandTakesThePagesObjectsToo)
{
    const QRectF onSheet = geometry().objectRect(pageLevel, model().object(stamp).rect);
    drag(pixel(onSheet.topLeft() - QPointF(3, 3)), pixel(onSheet.center()));
    EXPECT_EQ(surface().selection(), ObjectRefs({stamp}));
    QTest::keyClick(&surface(), Qt::Key_Left);
    EXPECT_EQ(model().object(stamp).rect, QRectF(97.5, 200, 30, 6));
}

TEST_F(DesignSurfaceTest, ABandDraggedByItsCaptionTakesItsNewPlaceInOneStep)
{
    const SurfaceGeometry g = geometry();
    const QPoint caption = pixel(g.captionRect(0).center());
    // A click only makes the band current.
    QTest::mouseClick(&surface(), Qt::LeftButton, {}, caption);
    EXPECT_EQ(surface().currentBand(), 0);
    EXPECT_EQ(model().undoStack().count(), 0);
    // Dropped below the data band's middle: the header goes after it.
    drag(caption, pixel(QPointF(g.bandRect(1).center().x(), g.bandRect(1).bottom() - 1)));
    const auto &bands = model().reportTemplate().pages[0].bands;
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[0].name, QStringLiteral("Band2"));
    EXPECT_EQ(bands[1].name, QStringLiteral("Band1"));
    EXPECT_EQ(bands[1].objects.front().name, QStringLiteral("Text1"));
    EXPECT_EQ(surface().currentBand(), 1);
    EXPECT_EQ(model().undoStack().count(), 1);
    // Dropped back into the gap it came from: nothing changes.
    const QPoint again = pixel(geometry().captionRect(1).center());
    drag(again, again + QPoint(0, 8));
    EXPECT_EQ(model().undoStack().count(), 1);
    // Escape while dragging calls the drag off.
    const QPoint target = pixel(QPointF(g.bandRect(0).center().x(), g.bandRect(0).top()));
    QTest::mousePress(&surface(), Qt::LeftButton, {}, again);
    QMouseEvent move(QEvent::MouseMove, target, surface().mapToGlobal(target), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&surface(), &move);
    QTest::keyClick(&surface(), Qt::Key_Escape);
    QTest::mouseRelease(&surface(), Qt::LeftButton, {}, target);
    EXPECT_EQ(model().undoStack().count(), 1);
    model().undoStack().undo();
    EXPECT_EQ(model().reportTemplate(), sample());
}

TEST_F(DesignSurfaceTest, HandlesScaleTheWholeSelectionWhileShiftArrowsResizeEach)
{
    surface().setSelection({{0, 1, 0}, {0, 1, 1}});
    // The box around both runs from 10 to 90 mm; its right handle dragged 40 mm makes it half
    // as wide again.
    const QRectF box =
        boundingBox({geometry().objectRect(1, QRectF(10, 1, 30, 5)), geometry().objectRect(1, QRectF(60, 1, 30, 5))});
    const QPointF handle = handlePoint(box, Handle::Right);
    drag(pixel(handle), pixel(handle + QPointF(40, 0)));
    EXPECT_EQ(model().object({0, 1, 0}).rect, QRectF(10, 1, 45, 5));
    EXPECT_EQ(model().object({0, 1, 1}).rect, QRectF(85, 1, 45, 5));
    EXPECT_EQ(model().undoStack().count(), 1);

    surface().setFocus();
    QTest::keyClick(&surface(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(model().object({0, 1, 0}).rect, QRectF(10, 1, 47.5, 5));
    EXPECT_EQ(model().object({0, 1, 1}).rect, QRectF(85, 1, 47.5, 5));
    undoAll();
    EXPECT_EQ(model().reportTemplate(), sample());
    model().undoStack().redo();
    EXPECT_EQ(model().object({0, 1, 1}).rect, QRectF(85, 1, 45, 5));
}

TEST(TextFit, LongTextsEndInAnEllipsisAndShortOnesStayWhole)
{
    TextItem narrow;
    narrow.rect = QRectF(0, 0, 10, 4.5);
    narrow.font = QFont(QStringLiteral("DejaVu Sans"));
    narrow.font.setPointSizeF(8);
    narrow.text = QStringLiteral("[R_KATEGORIE([Fak01])]");
    const TextItem cut = fittedToRect(narrow);
    EXPECT_FALSE(cut.wordWrap);
    EXPECT_FALSE(cut.text.contains(u'\n')); // one line fits the height
    EXPECT_TRUE(cut.text.endsWith(u'…')) << cut.text.toStdString();
    EXPECT_TRUE(cut.text.startsWith(QStringLiteral("[R"))) << cut.text.toStdString();

    TextItem shortText = narrow;
    shortText.text = QStringLiteral("12");
    EXPECT_EQ(fittedToRect(shortText).text, QStringLiteral("12"));

    // Wrapped into a tall box: every word on a line, nothing cut.
    TextItem tall = narrow;
    tall.rect = QRectF(0, 0, 14, 30);
    tall.text = QStringLiteral("Hluk Prach Teplo");
    EXPECT_EQ(fittedToRect(tall).text, QStringLiteral("Hluk\nPrach\nTeplo"));
    // Two lines' height: the second ends in an ellipsis for what is left out.
    tall.rect.setHeight(7.5);
    EXPECT_EQ(fittedToRect(tall).text.split(u'\n').size(), 2);
    EXPECT_TRUE(fittedToRect(tall).text.endsWith(u'…'));
    // Upright text measures along the rectangle's height.
    TextItem upright = narrow;
    upright.rect = QRectF(0, 0, 10, 32);
    upright.rotation = 90;
    upright.font.setPointSizeF(7);
    upright.text = QStringLiteral("13  Zvýšený tlak vzd.");
    EXPECT_EQ(fittedToRect(upright).text, upright.text);
}

TEST_F(DesignSurfaceTest, NarrowTextsDrawNothingOutsideTheirRectangles)
{
    surface().setGridVisible(false);
    const QString longText = QStringLiteral("[R_KATEGORIE([Fak01])] [R_KATEGORIE([Fak02])] [R_KATEGORIE([Fak03])]");
    // Text2 on one line, Text3 wrapped: both far too long for 10 × 4.5 mm.
    model().editObjects(
        {{0, 1, 0}, {0, 1, 1}},
        [&longText](ReportObject &o) {
            o.rect.setSize(QSizeF(10, 4.5));
            auto &text = std::get<TextObject>(o.content);
            text.text = longText;
            text.wordWrap = o.name == QStringLiteral("Text3");
        },
        QStringLiteral("Text"));
    surface().setSelection({});
    const QImage image = surface().grab().toImage();
    auto darkIn = [&](QPointF fromMm, QPointF toMm) {
        int dark = 0;
        const QPoint from = pixel(fromMm);
        const QPoint to = pixel(toMm);
        for (int y = from.y(); y <= to.y(); ++y)
            for (int x = from.x(); x <= to.x(); ++x)
                dark += qGray(image.pixel(x, y)) < 160;
        return dark;
    };
    const QRectF single = geometry().objectRect(1, QRectF(10, 1, 10, 4.5));
    const QRectF wrapped = geometry().objectRect(1, QRectF(60, 1, 10, 4.5));
    const QRectF band = geometry().bandRect(1);
    // Each is drawn inside its rectangle...
    EXPECT_GT(darkIn(single.topLeft(), single.bottomRight()), 10);
    EXPECT_GT(darkIn(wrapped.topLeft(), wrapped.bottomRight()), 10);
    // ...and the band stays light to the right of the one-line text and below the wrapped one.
    EXPECT_EQ(darkIn(QPointF(single.right() + 0.8, single.top()), QPointF(wrapped.left() - 1, single.bottom())), 0);
    EXPECT_EQ(darkIn(QPointF(wrapped.left(), wrapped.bottom() + 0.8), QPointF(wrapped.right(), band.bottom() - 0.8)),
              0);
}
