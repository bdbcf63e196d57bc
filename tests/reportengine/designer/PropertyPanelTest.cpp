// The property panel driven through its controls: every property of each kind of object, each
// change one step that undo takes back and redo puts again, several objects edited together
// without touching what was not changed, faulty conditions refused, and a panel wide enough for
// its captions.

#include "DesignerTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace ergotab::report;
using namespace ergotab::report::designer;
using namespace ergotab::report::designer::test;

namespace {

void type(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

void choose(QComboBox *combo, int value)
{
    const int index = combo->findData(value);
    ASSERT_GE(index, 0) << value;
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

class PropertyPanelTest : public DesignerWithKinds
{
protected:
    // A family of this computer other than the one the texts keep.
    QString otherFamily()
    {
        auto *font = control<QFontComboBox>("FontCombo");
        return font->itemText(font->itemText(0) == QStringLiteral("Arial") ? 1 : 0);
    }
    bool groupShown(const char *name) { return control<QGroupBox>(name)->isVisibleTo(&designer->propertyPanel()); }

    // Undoes every step back to the template loaded, then redoes them all.
    void expectUndoAndRedoOfAll(const ReportTemplate &after)
    {
        while (model().undoStack().canUndo())
            model().undoStack().undo();
        EXPECT_EQ(model().reportTemplate(), kindsTemplate());
        while (model().undoStack().canRedo())
            model().undoStack().redo();
        EXPECT_EQ(model().reportTemplate(), after);
    }
};

} // namespace

TEST_F(PropertyPanelTest, EveryTextPropertyIsOneStep)
{
    select({at(Text1)});
    EXPECT_TRUE(groupShown("TextGroup"));
    EXPECT_FALSE(groupShown("BarcodeGroup"));
    const std::vector<std::pair<std::function<void()>, std::function<bool(const TextObject &)>>> edits = {
        {[this] { control<QCheckBox>("StrikeOutCheck")->click(); }, [](auto &t) { return t.font.strikeOut; }},
        {[this] { control<QCheckBox>("UnderlineCheck")->click(); }, [](auto &t) { return t.font.underline; }},
        {[this] { control<QCheckBox>("ItalicCheck")->click(); }, [](auto &t) { return t.font.italic; }},
        {[this] { choose(control<QComboBox>("RotationCombo"), 90); }, [](auto &t) { return t.rotation == 90; }},
        {[this] { control<QCheckBox>("AutoSizeCheck")->click(); }, [](auto &t) { return t.autoSize; }},
        {[this] { control<QCheckBox>("HideZerosCheck")->click(); }, [](auto &t) { return t.hideZeros; }},
        {[this] { control<QCheckBox>("PlainTextCheck")->click(); }, [](auto &t) { return t.plainText; }},
        {[this] { control<QCheckBox>("WordWrapCheck")->click(); }, [](auto &t) { return !t.wordWrap; }},
        {[this] { control<QCheckBox>("StretchCheck")->click(); }, [](auto &t) { return t.stretch; }},
        {[this] { choose(control<QComboBox>("HAlignCombo"), int(HAlign::Right)); },
         [](auto &t) { return t.hAlign == HAlign::Right; }},
        {[this] { choose(control<QComboBox>("VAlignCombo"), int(VAlign::Bottom)); },
         [](auto &t) { return t.vAlign == VAlign::Bottom; }},
        {[this] {
             // The family kept is shown, also where the computer substitutes another.
             auto *font = control<QFontComboBox>("FontCombo");
             EXPECT_EQ(font->currentText(), QStringLiteral("Arial"));
             font->lineEdit()->setText(otherFamily());
             QTest::keyClick(font->lineEdit(), Qt::Key_Return);
         },
         [this](auto &t) { return t.font.family == otherFamily(); }},
        {[this] { type(control<QLineEdit>("FormatEdit"), QStringLiteral("N2,2")); },
         [](auto &t) { return t.displayFormat == QStringLiteral("N2,2"); }},
        {[this] { type(control<QLineEdit>("FontSizeEdit"), QStringLiteral("12,5")); },
         [](auto &t) { return t.font.sizePt == 12.5; }},
        {[this] {
             nextColor = Qt::blue;
             control<QPushButton>("TextColorButton")->click();
         },
         [](auto &t) { return t.color == QColor(Qt::blue); }},
    };
    for (size_t i = 0; i < edits.size(); ++i) {
        const int before = steps();
        edits[i].first();
        EXPECT_EQ(steps(), before + 1) << "edit " << i;
        EXPECT_TRUE(edits[i].second(content<TextObject>(Text1))) << "edit " << i;
    }
    EXPECT_EQ(model().object(at(Text2)), kindsTemplate().pages[0].bands[0].objects[Text2]);
    // A size out of range is refused and the field shows the size again.
    type(control<QLineEdit>("FontSizeEdit"), QStringLiteral("0"));
    EXPECT_EQ(content<TextObject>(Text1).font.sizePt, 12.5);
    EXPECT_EQ(control<QLineEdit>("FontSizeEdit")->text(), QStringLiteral("12,5"));
    expectUndoAndRedoOfAll(model().reportTemplate());
}

TEST_F(PropertyPanelTest, HighlightGetsItsOwnFontColourAndFill)
{
    select({at(Text1)});
    const int start = steps();
    auto *condition = control<QLineEdit>("HighlightEdit");
    type(condition, QStringLiteral("(Pracov > "));
    EXPECT_EQ(steps(), start); // a faulty condition is not taken
    EXPECT_TRUE(condition->toolTip().startsWith(QStringLiteral("Chyba na pozici")))
        << condition->toolTip().toStdString();
    type(condition, QStringLiteral("Pracov > 2"));
    EXPECT_EQ(content<TextObject>(Text1).highlight.condition, QStringLiteral("Pracov > 2"));
    // A new highlight starts from the text's own font (8 pt), then differs where it is told to.
    EXPECT_EQ(content<TextObject>(Text1).highlight.font, content<TextObject>(Text1).font);
    control<QCheckBox>("HighlightBoldCheck")->click();
    control<QCheckBox>("HighlightItalicCheck")->click();
    type(control<QLineEdit>("HighlightSizeEdit"), QStringLiteral("11"));
    nextColor = Qt::darkRed;
    control<QPushButton>("HighlightColorButton")->click();
    nextColor = Qt::yellow;
    control<QPushButton>("HighlightFillButton")->click();
    const Highlight &h = content<TextObject>(Text1).highlight;
    EXPECT_TRUE(h.font.bold && h.font.italic);
    EXPECT_EQ(h.font.sizePt, 11);
    EXPECT_EQ(h.color, QColor(Qt::darkRed));
    EXPECT_EQ(h.fill, QColor(Qt::yellow));
    EXPECT_FALSE(content<TextObject>(Text1).font.bold); // the text's own font stays
    EXPECT_EQ(content<TextObject>(Text1).font.sizePt, 8);
    EXPECT_EQ(control<QCheckBox>("HighlightNoFillCheck")->checkState(), Qt::Unchecked);
    control<QCheckBox>("HighlightNoFillCheck")->click();
    EXPECT_EQ(content<TextObject>(Text1).highlight.fill.alpha(), 0);
    EXPECT_EQ(steps(), start + 7);
    model().undoStack().undo();
    EXPECT_EQ(content<TextObject>(Text1).highlight.fill, QColor(Qt::yellow));
    EXPECT_EQ(control<QPushButton>("HighlightFillButton")->text(), QColor(Qt::yellow).name());
    expectUndoAndRedoOfAll(model().reportTemplate());
}

TEST_F(PropertyPanelTest, SeveralObjectsShowWhatTheyShareAndKeepWhatIsNotChanged)
{
    select({at(Text1), at(Text2)});
    auto *size = control<QLineEdit>("FontSizeEdit");
    auto *bold = control<QCheckBox>("BoldCheck");
    EXPECT_EQ(size->text(), QString()); // 8 and 10 pt
    EXPECT_EQ(bold->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(control<QLineEdit>("TopEdit")->text(), QStringLiteral("0"));
    EXPECT_EQ(control<QLineEdit>("LeftEdit")->text(), QString());
    const int start = steps();
    // Leaving a field that shows differing values as it was changes nothing.
    for (const char *name : {"FontSizeEdit", "LeftEdit", "FormatEdit", "HighlightEdit", "PrintIfEdit"})
        emit control<QLineEdit>(name)->editingFinished();
    EXPECT_EQ(steps(), start);
    bold->click();
    EXPECT_EQ(steps(), start + 1);
    EXPECT_TRUE(content<TextObject>(Text1).font.bold && content<TextObject>(Text2).font.bold);
    EXPECT_EQ(content<TextObject>(Text1).font.sizePt, 8);
    EXPECT_EQ(content<TextObject>(Text2).font.sizePt, 10);

    // A text and a bar code share place, frame and fill only.
    select({at(Text2)});
    choose(control<QComboBox>("HAlignCombo"), int(HAlign::Center));
    select({at(Text1), at(Text2)});
    EXPECT_EQ(control<QComboBox>("HAlignCombo")->currentIndex(), -1);
    select({at(Text1), at(Barcode1)});
    EXPECT_FALSE(groupShown("TextGroup"));
    EXPECT_FALSE(groupShown("BarcodeGroup"));
    EXPECT_TRUE(groupShown("FrameGroup"));
    choose(control<QComboBox>("FrameStyleCombo"), int(Qt::DashLine));
    control<QCheckBox>("FrameLeftCheck")->click();
    for (int index : {Text1, Barcode1}) {
        EXPECT_EQ(model().object(at(index)).frame.style, Qt::DashLine);
        EXPECT_TRUE(model().object(at(index)).frame.left);
    }
    EXPECT_EQ(steps(), start + 4);
    expectUndoAndRedoOfAll(model().reportTemplate());
}

TEST_F(PropertyPanelTest, BarcodeShapeCheckBoxAndPictureHaveTheirOwnGroups)
{
    select({at(Barcode1)});
    EXPECT_TRUE(groupShown("BarcodeGroup"));
    EXPECT_FALSE(groupShown("TextGroup") || groupShown("ShapeGroup") || groupShown("HighlightGroup"));
    const BarcodeObject defaults = content<BarcodeObject>(Barcode1);
    choose(control<QComboBox>("BarcodeTypeCombo"), int(BarcodeType::Ean13));
    choose(control<QComboBox>("BarcodeAngleCombo"), 180);
    control<QCheckBox>("ChecksumCheck")->click();
    control<QCheckBox>("ShowTextCheck")->click();
    const BarcodeObject &code = content<BarcodeObject>(Barcode1);
    EXPECT_EQ(code.type, BarcodeType::Ean13);
    EXPECT_EQ(code.angle, 180);
    EXPECT_EQ(code.checksum, !defaults.checksum);
    EXPECT_EQ(code.showText, !defaults.showText);

    select({at(Shape1)});
    EXPECT_TRUE(groupShown("ShapeGroup"));
    choose(control<QComboBox>("ShapeCombo"), int(ShapeItem::Shape::RoundedRectangle));
    auto *radius = control<QLineEdit>("CornerRadiusEdit");
    type(radius, QStringLiteral("3,5"));
    const int afterRadius = steps();
    type(radius, QStringLiteral("-1"));
    EXPECT_EQ(steps(), afterRadius);
    EXPECT_EQ(radius->text(), QStringLiteral("3,5"));
    EXPECT_EQ(content<ShapeObject>(Shape1).shape, ShapeItem::Shape::RoundedRectangle);
    EXPECT_EQ(content<ShapeObject>(Shape1).cornerRadiusMm, 3.5);

    select({at(Check1)});
    EXPECT_TRUE(groupShown("CheckBoxGroup"));
    choose(control<QComboBox>("CheckStyleCombo"), 0);
    nextColor = Qt::darkGreen;
    control<QPushButton>("CheckColorButton")->click();
    EXPECT_FALSE(content<CheckBoxObject>(Check1).crossStyle);
    EXPECT_EQ(content<CheckBoxObject>(Check1).checkColor, QColor(Qt::darkGreen));

    select({at(Picture1)});
    EXPECT_TRUE(groupShown("PictureGroup"));
    EXPECT_TRUE(control<QPushButton>("PictureButton")->isVisibleTo(designer.get()));
    const PictureObject before = content<PictureObject>(Picture1);
    for (const char *name : {"PictureStretchCheck", "KeepRatioCheck", "PictureCenterCheck"})
        control<QCheckBox>(name)->click();
    const PictureObject &picture = content<PictureObject>(Picture1);
    EXPECT_EQ(picture.stretch, !before.stretch);
    EXPECT_EQ(picture.keepRatio, !before.keepRatio);
    EXPECT_EQ(picture.center, !before.center);
    EXPECT_EQ(steps(), 11);
    expectUndoAndRedoOfAll(model().reportTemplate());
}

TEST_F(PropertyPanelTest, PrintConditionTagFrameAndFillOfAnyObject)
{
    select({at(Shape1), at(Check1)});
    auto *printIf = control<QLineEdit>("PrintIfEdit");
    type(printIf, QStringLiteral("Pracov >"));
    EXPECT_EQ(steps(), 0);
    type(printIf, QStringLiteral("Pracov > 0"));
    type(control<QLineEdit>("TagEdit"), QStringLiteral("kontrola"));
    type(control<QLineEdit>("FrameWidthEdit"), QStringLiteral("0,5"));
    nextColor = Qt::gray;
    control<QPushButton>("FrameColorButton")->click();
    nextColor = Qt::cyan;
    control<QPushButton>("FillButton")->click();
    control<QCheckBox>("VisibleCheck")->click();
    for (int index : {Shape1, Check1}) {
        const ReportObject &o = model().object(at(index));
        EXPECT_EQ(o.printIf, QStringLiteral("Pracov > 0"));
        EXPECT_EQ(o.tag, QStringLiteral("kontrola"));
        EXPECT_EQ(o.frame.widthMm, 0.5);
        EXPECT_EQ(o.frame.color, QColor(Qt::gray));
        EXPECT_EQ(o.fill, QColor(Qt::cyan));
        EXPECT_FALSE(o.visible);
    }
    EXPECT_EQ(control<QCheckBox>("NoFillCheck")->checkState(), Qt::Unchecked);
    control<QCheckBox>("NoFillCheck")->click();
    EXPECT_EQ(model().object(at(Shape1)).fill.alpha(), 0);
    EXPECT_EQ(steps(), 7);
    expectUndoAndRedoOfAll(model().reportTemplate());
}

TEST_F(PropertyPanelTest, RichTextShowsItsWordsAndIsNotEditedAsHtml)
{
    model().editObjects(
        {at(Rich1)},
        [](ReportObject &o) { std::get<RichTextObject>(o.content).html = QStringLiteral("<b>Ahoj</b> světe"); },
        QStringLiteral("Text"));
    select({at(Rich1)});
    auto *text = control<QPlainTextEdit>("TextEdit");
    EXPECT_EQ(text->toPlainText(), QStringLiteral("Ahoj světe"));
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(control<QPushButton>("ExpressionButton")->text(), QStringLiteral("Upravit formátovaný text…"));
}

TEST_F(PropertyPanelTest, EveryCaptionFitsAtSixteenHundredByThousand)
{
    designer->resize(1600, 1000);
    for (int index : {Text1, Barcode1, Shape1, Check1, Picture1}) {
        select({at(index)});
        QApplication::sendPostedEvents();
        QApplication::processEvents();
        int checked = 0;
        for (QWidget *w : designer->propertyPanel().findChildren<QWidget *>()) {
            if (!w->isVisibleTo(&designer->propertyPanel()) ||
                !(qobject_cast<QLabel *>(w) || qobject_cast<QCheckBox *>(w) || qobject_cast<QPushButton *>(w)))
                continue;
            ++checked;
            EXPECT_GE(w->width(), w->sizeHint().width())
                << w->objectName().toStdString() << " " << w->property("text").toString().toStdString();
            // Nothing reaches past the panel's right edge.
            EXPECT_LE(w->mapTo(&designer->propertyPanel(), QPoint(w->width(), 0)).x(),
                      designer->propertyPanel().width());
        }
        EXPECT_GT(checked, 10);
    }
}

TEST_F(PropertyPanelTest, ASubreportChoosesItsPageByName)
{
    ReportTemplate report = kindsTemplate();
    ReportPage second = report.pages[0];
    second.name = QStringLiteral("Podrobnosti");
    second.bands.clear();
    report.pages.push_back(second);
    ReportObject subreport = newObject(ObjectKind::Subreport, QRectF(0, 20, 50, 5));
    subreport.name = QStringLiteral("Sub1");
    report.pages[0].bands[0].objects.push_back(subreport);
    model().reset(report);
    select({{0, 0, int(report.pages[0].bands[0].objects.size()) - 1}});
    EXPECT_TRUE(groupShown("SubreportGroup"));
    auto *page = control<QComboBox>("SubreportPageCombo");
    ASSERT_EQ(page->count(), 2);
    const int index = page->findText(QStringLiteral("Podrobnosti"));
    page->setCurrentIndex(index);
    emit page->textActivated(page->itemText(index));
    EXPECT_EQ(std::get<SubreportObject>(model().reportTemplate().pages[0].bands[0].objects.back().content).page,
              QStringLiteral("Podrobnosti"));
    EXPECT_EQ(control<QPlainTextEdit>("TextEdit")->toPlainText(), QStringLiteral("Podrobnosti"));
    EXPECT_EQ(steps(), 1);
}
