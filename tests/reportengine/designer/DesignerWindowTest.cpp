// The designer window driven as a user drives it: clicks, Shift/Ctrl-clicks, rubber band, keys,
// drags into another band, drawing and dropping new objects, the property panel on several
// objects, the expression editor, files old and new, and the question on closing.

#include "reportengine/designer/DataTree.h"
#include "reportengine/designer/DesignSurface.h"
#include "reportengine/designer/ExpressionEditor.h"
#include "reportengine/designer/PropertyPanel.h"
#include "reportengine/designer/ReportDesigner.h"
#include "reportengine/designer/core/ObjectFactory.h"
#include "reportengine/model/TemplateLoader.h"
#include "tests/reportengine/designer/DesignerTestSupport.h"
#include "tests/support/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

using namespace ergotab::report;
using namespace ergotab::report::designer;

namespace {

ReportTemplate sample()
{
    return test::twoBandTemplate();
}

DesignerHost host()
{
    return test::testHost();
}

class DesignerWindow : public test::ShownDesigner
{
protected:
    void SetUp() override { open(host(), sample()); }

    // The centre of an object in surface pixels.
    QPoint centreOf(ObjectRef ref)
    {
        const SurfaceGeometry geometry(model().reportTemplate().pages[0]);
        return surface().toPixels(geometry.objectRect(ref.band, model().object(ref).rect).center()).toPoint();
    }
    QPoint pointInBand(int band, QPointF mm)
    {
        const SurfaceGeometry geometry(model().reportTemplate().pages[0]);
        return surface().toPixels(geometry.bandRect(band).topLeft() + mm).toPoint();
    }
};

} // namespace

TEST_F(DesignerWindow, ClicksShiftCtrlAndRubberBandSelect)
{
    QTest::mouseClick(&surface(), Qt::LeftButton, {}, centreOf({0, 1, 0}));
    EXPECT_EQ(surface().selection(), ObjectRefs({{0, 1, 0}}));
    QTest::mouseClick(&surface(), Qt::LeftButton, Qt::ShiftModifier, centreOf({0, 0, 0}));
    EXPECT_EQ(surface().selection(), ObjectRefs({{0, 1, 0}, {0, 0, 0}}));
    QTest::mouseClick(&surface(), Qt::LeftButton, Qt::ControlModifier, centreOf({0, 1, 0}));
    EXPECT_EQ(surface().selection(), ObjectRefs({{0, 0, 0}}));
    // A click on the empty band clears; a rubber band over the data band's objects selects both.
    QTest::mouseClick(&surface(), Qt::LeftButton, {}, pointInBand(1, QPointF(100, 8)));
    EXPECT_TRUE(surface().selection().empty());
    EXPECT_EQ(surface().currentBand(), 1);
    QTest::mousePress(&surface(), Qt::LeftButton, {}, pointInBand(1, QPointF(5, 0.5)));
    QTest::mouseMove(&surface(), pointInBand(1, QPointF(70, 4)));
    QTest::mouseRelease(&surface(), Qt::LeftButton, {}, pointInBand(1, QPointF(70, 4)));
    EXPECT_EQ(surface().selection(), ObjectRefs({{0, 1, 0}, {0, 1, 1}}));
}

TEST_F(DesignerWindow, ArrowsMoveShiftArrowsResizeCtrlIsOnePixelAndUndoTakesEachBack)
{
    surface().setSelection({{0, 1, 0}});
    surface().setFocus();
    QTest::keyClick(&surface(), Qt::Key_Right);
    EXPECT_EQ(model().object({0, 1, 0}).rect, QRectF(12.5, 1, 30, 5));
    QTest::keyClick(&surface(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_NEAR(model().object({0, 1, 0}).rect.top(), 1 + 25.4 / 96, 1e-9);
    QTest::keyClick(&surface(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(model().object({0, 1, 0}).rect.width(), 27.5);
    EXPECT_EQ(surface().selection(), ObjectRefs({{0, 1, 0}})); // still selected after each step
    designer->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(designer.get()));
    QTest::keyClick(designer.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(designer.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(designer.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(model().reportTemplate(), sample());
    QTest::keyClick(designer.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(model().object({0, 1, 0}).rect, QRectF(12.5, 1, 30, 5));
}

TEST_F(DesignerWindow, DraggingAnObjectIntoAnotherBandMovesItThereOnTheGrid)
{
    const QPoint from = centreOf({0, 0, 0});
    QTest::mousePress(&surface(), Qt::LeftButton, {}, from);
    const QPoint to = pointInBand(1, QPointF(30.4, 3.4)); // Text1's centre lands here
    QMouseEvent move(QEvent::MouseMove, to, surface().mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&surface(), &move);
    QTest::mouseRelease(&surface(), Qt::LeftButton, {}, to);
    EXPECT_TRUE(model().band({0, 0}).objects.empty());
    ASSERT_EQ(model().band({0, 1}).objects.size(), 3u);
    const ReportObject &moved = model().band({0, 1}).objects.back();
    EXPECT_EQ(moved.name, QStringLiteral("Text1"));
    EXPECT_DOUBLE_EQ(moved.rect.left(), 10.0); // 30.4 − 20 = 10.4, snapped to 10
    EXPECT_DOUBLE_EQ(moved.rect.top(), 0.0);   // 3.4 − 3 = 0.4, snapped to 0
    EXPECT_EQ(surface().selection(), ObjectRefs({{0, 1, 2}}));
}

TEST_F(DesignerWindow, AlignAndDistributeWorkOnTheSheetAcrossBands)
{
    surface().setSelection({{0, 1, 1}, {0, 0, 0}});
    designer->action(QStringLiteral("AlignLeftAction"))->trigger();
    EXPECT_EQ(model().object({0, 0, 0}).rect.left(), 60);
    designer->action(QStringLiteral("AlignBottomAction"))->trigger();
    // Text3 ends 1 mm + 5 mm into the data band; the header's Text1 is moved to end level with
    // it on the sheet, that is below its own band.
    const SurfaceGeometry geometry(model().reportTemplate().pages[0]);
    EXPECT_NEAR(geometry.objectRect(0, model().object({0, 0, 0}).rect).bottom(),
                geometry.objectRect(1, model().object({0, 1, 1}).rect).bottom(), 1e-9);
    model().undoStack().undo();
    model().undoStack().undo();
    EXPECT_EQ(model().reportTemplate(), sample());
    // With one object selected there is nothing to align.
    surface().setSelection({{0, 1, 1}});
    EXPECT_FALSE(designer->action(QStringLiteral("AlignLeftAction"))->isEnabled());
}

TEST_F(DesignerWindow, ChosenKindIsDrawnWhereClickedAndFieldsDropAsTexts)
{
    designer->action(QStringLiteral("InsertObject%1").arg(int(ObjectKind::Rectangle)))->trigger();
    QTest::mouseClick(&surface(), Qt::LeftButton, {}, pointInBand(1, QPointF(41.1, 2.4)));
    ASSERT_EQ(model().band({0, 1}).objects.size(), 3u);
    EXPECT_EQ(model().band({0, 1}).objects.back().rect, QRectF(40, 2.5, 20, 10));
    EXPECT_EQ(objectKindOf(model().band({0, 1}).objects.back()), ObjectKind::Rectangle);
    EXPECT_FALSE(surface().insertKind()); // one object per choice

    QTreeWidgetItem *field =
        designer->dataTree().findField(QStringLiteral("Kategorie_DataSet"), QStringLiteral("Pracov"));
    ASSERT_TRUE(field);
    QMimeData mime;
    mime.setData(QLatin1String(fieldMimeType), DataTree::fieldText(field).toUtf8());
    const QPoint at = pointInBand(0, QPointF(70, 1));
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&surface(), &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&surface(), &drop);
    ASSERT_EQ(model().band({0, 0}).objects.size(), 2u);
    EXPECT_EQ(std::get<TextObject>(model().band({0, 0}).objects.back().content).text,
              QStringLiteral("[Kategorie_DataSet.\"Pracov\"]"));
}

TEST_F(DesignerWindow, PropertyPanelShowsWhatSeveralShareAndChangesAllInOneStep)
{
    surface().setSelection({{0, 1, 0}, {0, 1, 1}});
    auto *size = designer->findChild<QLineEdit *>(QStringLiteral("FontSizeEdit"));
    auto *top = designer->findChild<QLineEdit *>(QStringLiteral("TopEdit"));
    auto *bold = designer->findChild<QCheckBox *>(QStringLiteral("BoldCheck"));
    ASSERT_TRUE(size && top && bold);
    EXPECT_EQ(size->text(), QString()); // 8 and 10 pt
    EXPECT_EQ(top->text(), QStringLiteral("1"));
    const int steps = model().undoStack().count();
    bold->click();
    EXPECT_EQ(model().undoStack().count(), steps + 1);
    EXPECT_TRUE(std::get<TextObject>(model().object({0, 1, 0}).content).font.bold);
    EXPECT_TRUE(std::get<TextObject>(model().object({0, 1, 1}).content).font.bold);
    size->setText(QStringLiteral("11,5"));
    emit size->editingFinished();
    EXPECT_EQ(std::get<TextObject>(model().object({0, 1, 1}).content).font.sizePt, 11.5);
    EXPECT_EQ(size->text(), QStringLiteral("11,5"));
}

TEST_F(DesignerWindow, ExpressionEditorNamesTheErrorAndItsPosition)
{
    ExpressionEditor editor(host(), sample(), ExpressionEditor::Mode::Text, QStringLiteral("Počet: [Pracov * ]"));
    EXPECT_TRUE(editor.problem().startsWith(QStringLiteral("Chyba na pozici 18"))) << editor.problem().toStdString();
    editor.setText(QStringLiteral("Počet: [Pracov * 2] v [Dokument]"));
    EXPECT_TRUE(editor.problem().isEmpty()) << editor.problem().toStdString();
    ExpressionEditor condition(host(), sample(), ExpressionEditor::Mode::Expression, QStringLiteral("(Pracov > 2"));
    EXPECT_FALSE(condition.problem().isEmpty());
}

TEST_F(DesignerWindow, SavesLoadsAndAsksBeforeDroppingChanges)
{
    ergotab::test::TempDir dir;
    designer->hooks().saveFileName = [&dir](QWidget *, const QString &) { return dir.file(QStringLiteral("Nová")); };
    surface().setSelection({{0, 1, 0}});
    designer->deleteSelection();
    ASSERT_TRUE(designer->save());
    EXPECT_EQ(designer->fileName(), dir.file(QStringLiteral("Nová.frf")));
    EXPECT_EQ(loadTemplate(designer->fileName()), model().reportTemplate());
    EXPECT_TRUE(questions.isEmpty());

    model().moveObjects({{0, 1, 0}}, QPointF(1, 0));
    answers = {DesignerHooks::Answer::Cancel};
    designer->close();
    EXPECT_TRUE(designer->isVisible()); // Escape on the question: the designer stays
    answers = {DesignerHooks::Answer::No};
    designer->newReport();
    EXPECT_EQ(model().reportTemplate(), ReportDesigner::emptyTemplate());
    EXPECT_EQ(questions.size(), 2);
    ASSERT_TRUE(designer->openFile(dir.file(QStringLiteral("Nová.frf"))));
    EXPECT_FALSE(model().isModified());
}

TEST_F(DesignerWindow, TemplatesOfAnOlderFormatAreKeptUnlessOverwritingIsChosen)
{
    registerTemplateFormat({QStringLiteral("zkušební"),
                            [](const QByteArray &head) { return head.startsWith("OLDFMT"); },
                            [](const QByteArray &, const QString &) { return sample(); }});
    ergotab::test::TempDir dir;
    const QString old = dir.file(QStringLiteral("Stará.frf"));
    ergotab::test::TempDir::write(old, "OLDFMT binary");
    ASSERT_TRUE(designer->openFile(old));
    EXPECT_EQ(model().reportTemplate(), sample());
    designer->hooks().saveFileName = [&dir](QWidget *, const QString &suggested) {
        EXPECT_TRUE(suggested.endsWith(QStringLiteral("Stará (nový formát).frf"))) << suggested.toStdString();
        return dir.file(QStringLiteral("Nová.frf"));
    };
    answers = {DesignerHooks::Answer::No};
    ASSERT_TRUE(designer->save());
    EXPECT_EQ(ergotab::test::TempDir::read(old), QByteArray("OLDFMT binary"));
    EXPECT_EQ(loadTemplate(dir.file(QStringLiteral("Nová.frf"))), sample());

    ASSERT_TRUE(designer->openFile(old));
    answers = {DesignerHooks::Answer::Yes};
    ASSERT_TRUE(designer->save());
    EXPECT_EQ(loadTemplate(old), sample());
    EXPECT_TRUE(ergotab::test::TempDir::read(old).startsWith("<?xml"));
}

TEST_F(DesignerWindow, WhatAnOlderTemplateCouldNotCarryOverIsToldOnOpening)
{
    registerTemplateFormat({QStringLiteral("zkušební s upozorněními"),
                            [](const QByteArray &head) { return head.startsWith("OLDWARN"); },
                            {},
                            [](const QByteArray &, const QString &, QStringList &warnings) {
                                warnings << QStringLiteral("Skript objektu Memo1 se nespouští")
                                         << QStringLiteral("Dvojitý rámeček se tiskne jednoduchý");
                                return sample();
                            }});
    QStringList told;
    QString message;
    designer->hooks().showWarnings = [&](QWidget *, const QString &text, const QStringList &warnings) {
        message = text;
        told = warnings;
    };
    ergotab::test::TempDir dir;
    const QString old = dir.file(QStringLiteral("Upozornění.frf"));
    ergotab::test::TempDir::write(old, "OLDWARN binary");
    ASSERT_TRUE(designer->openFile(old));
    EXPECT_EQ(model().reportTemplate(), sample());
    EXPECT_EQ(told.size(), 2);
    EXPECT_TRUE(message.contains(QStringLiteral("Upozornění.frf")) && message.contains(QStringLiteral("2")))
        << message.toStdString();

    // Our own files carry everything over: nothing to tell.
    told.clear();
    const QString ours = dir.file(QStringLiteral("Naše.frf"));
    saveTemplate(sample(), ours);
    ASSERT_TRUE(designer->openFile(ours));
    EXPECT_TRUE(told.isEmpty());
}

TEST_F(DesignerWindow, APictureFileIsEmbeddedAndOtherFilesAreRefused)
{
    ergotab::test::TempDir dir;
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(dir.file(QStringLiteral("logo.png"))));
    ergotab::test::TempDir::write(dir.file(QStringLiteral("logo.txt")), "no picture");
    const ObjectRefs refs =
        model().insertObjects({0, 0}, {newObject(ObjectKind::Picture, QRectF(0, 0, 20, 10))}, QStringLiteral("Vložit"));
    surface().setSelection(refs);
    EXPECT_FALSE(designer->propertyPanel().loadPicture(dir.file(QStringLiteral("logo.txt"))));
    ASSERT_TRUE(designer->propertyPanel().loadPicture(dir.file(QStringLiteral("logo.png"))));
    const auto &picture = std::get<PictureObject>(model().object(refs.front()).content);
    EXPECT_EQ(picture.format, QByteArray("PNG"));
    EXPECT_EQ(picture.data, ergotab::test::TempDir::read(dir.file(QStringLiteral("logo.png"))));
}
