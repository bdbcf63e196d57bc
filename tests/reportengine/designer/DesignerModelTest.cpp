// A template built only through the designer's editing commands must be the template an author
// would write by hand: same file, same prepared pages. Also the steps that reorder objects.

#include "reportengine/designer/core/DesignerModel.h"
#include "reportengine/data/MemoryDataSource.h"
#include "reportengine/designer/core/ObjectClipboard.h"
#include "reportengine/designer/core/ObjectFactory.h"
#include "reportengine/designer/core/RichTextHtml.h"
#include "reportengine/layout/ReportEngine.h"
#include "reportengine/model/TemplateLoader.h"
#include "reportengine/model/TemplateXml.h"
#include "reportengine/prepared/PreparedDump.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace ergotab::report;
using namespace ergotab::report::designer;

namespace {

ReportTemplate emptyReport()
{
    ReportTemplate report;
    report.pages.emplace_back();
    report.pages.back().name = QStringLiteral("Page1");
    return report;
}

// What the commands below must produce, written out as an author would.
ReportTemplate handWritten()
{
    ReportTemplate report = emptyReport();
    ReportPage &page = report.pages.back();
    page.orientation = Orientation::Landscape;
    page.margins = {15, 10, 10, 10};

    Band title;
    title.kind = BandKind::PageHeader;
    title.name = QStringLiteral("Band2"); // inserted after the data band
    title.height = 12;
    ReportObject heading = newTextObject(QStringLiteral("Práce"), QRectF(0, 2, 80, 6));
    heading.name = QStringLiteral("Text1");
    auto &headingText = std::get<TextObject>(heading.content);
    headingText.font.bold = true;
    headingText.font.sizePt = 14;
    ReportObject rule = newObject(ObjectKind::Line, QRectF(0, 10, 180, 0));
    rule.name = QStringLiteral("Line1");
    title.objects = {heading, rule};

    Band data;
    data.kind = BandKind::MasterData;
    data.name = QStringLiteral("Band1");
    data.height = 6;
    data.dataSource = QStringLiteral("Kategorie_DataSet");
    ReportObject name = newTextObject(QStringLiteral("[Kategorie_DataSet.\"Text\"]"), QRectF(5, 0, 100, 5));
    name.name = QStringLiteral("Text2");
    name.frame.left = name.frame.right = name.frame.top = name.frame.bottom = true;
    ReportObject count = newTextObject(QStringLiteral("[Pracov]"), QRectF(105, 0, 20, 5));
    count.name = QStringLiteral("Text3");
    std::get<TextObject>(count.content).hAlign = HAlign::Right;
    data.objects = {name, count};

    page.bands = {title, data};
    return report;
}

// The same template made the way a user makes it: through the commands, with a few mistakes
// undone on the way.
ReportTemplate builtByCommands(DesignerModel &model)
{
    model.reset(emptyReport());
    PageSetup setup = PageSetup::of(model.reportTemplate().pages[0]);
    setup.orientation = Orientation::Landscape;
    setup.margins.left = 15;
    model.setPageSetup(0, setup);

    const BandRef data = model.insertBand(0, 0, newBand(BandKind::MasterData));
    const BandRef header = model.insertBand(
        0, suggestedBandPosition(model.reportTemplate().pages[0], BandKind::PageHeader), newBand(BandKind::PageHeader));
    EXPECT_EQ(header.band, 0); // the page header goes above the data
    const BandRef dataNow {0, 1};
    Band options = model.band(dataNow);
    options.dataSource = QStringLiteral("Kategorie_DataSet");
    options.height = 6;
    model.setBandOptions(dataNow, options, QStringLiteral("Pás"));
    (void)data;

    const ObjectRefs heading =
        model.insertObjects(header, {newObject(ObjectKind::Text, QRectF(0, 0, 50, 6))}, QStringLiteral("Vložit"));
    model.moveObjects(heading, QPointF(0, 2));
    model.resizeObjects(heading, QSizeF(30, 0));
    model.editObjects(
        heading,
        [](ReportObject &o) {
            auto &text = std::get<TextObject>(o.content);
            text.text = QStringLiteral("Práce");
            text.font.bold = true;
            text.font.sizePt = 14;
        },
        QStringLiteral("Vlastnosti"));
    model.insertObjects(header, {newObject(ObjectKind::Line, QRectF(0, 10, 180, 3))}, QStringLiteral("Vložit"));

    // A field dropped into the wrong band, moved into the right one.
    const ObjectRefs wrong = model.insertObjects(
        header, {newTextObject(QStringLiteral("[Kategorie_DataSet.\"Text\"]"), QRectF(5, 1, 100, 5))},
        QStringLiteral("Vložit pole"));
    const ObjectRefs name = model.moveObjectsToBand(wrong, dataNow, {QRectF(5, 0, 100, 5)});
    model.editObjects(
        name, [](ReportObject &o) { o.frame.left = o.frame.right = o.frame.top = o.frame.bottom = true; },
        QStringLiteral("Rámeček"));

    // An object inserted and deleted again, and a height change undone.
    const ObjectRefs stray =
        model.insertObjects(dataNow, {newObject(ObjectKind::Ellipse, QRectF(0, 0, 5, 5))}, QStringLiteral("Vložit"));
    model.deleteObjects(stray, QStringLiteral("Odstranit"));
    model.setBandHeight(header, 40);
    model.undoStack().undo();

    const ObjectRefs count = model.insertObjects(
        dataNow, {newTextObject(QStringLiteral("[Pracov]"), QRectF(105, 0, 20, 5))}, QStringLiteral("Vložit pole"));
    model.editObjects(
        count, [](ReportObject &o) { std::get<TextObject>(o.content).hAlign = HAlign::Right; },
        QStringLiteral("Zarovnání"));
    return model.reportTemplate();
}

QString prepared(const ReportTemplate &report)
{
    MemoryDataSource categories(QStringLiteral("Kategorie_DataSet"),
                                {QStringLiteral("Text"), QStringLiteral("Pracov")});
    categories.addRow({QStringLiteral("Svářeč"), 12});
    categories.addRow({QStringLiteral("Lakýrník"), 4});
    ReportEngine engine;
    engine.setTemplate(report);
    engine.addDataSource(categories);
    engine.setTextMeasurer(std::make_shared<FixedTextMeasurer>());
    const PrepareResult result = engine.prepare();
    EXPECT_EQ(result.status, PrepareResult::Status::Done) << result.error.toStdString();
    return dumpPreparedReport(result.report);
}

} // namespace

TEST(DesignerModel, CommandsBuildTheTemplateAnAuthorWrites)
{
    DesignerModel model;
    const ReportTemplate built = builtByCommands(model);
    ergotab::test::TempDir dir;
    const QString path = dir.file(QStringLiteral("Sestava.frf"));
    saveTemplate(built, path);
    const ReportTemplate loaded = loadTemplate(path);

    EXPECT_EQ(writeTemplateXml(loaded).toStdString(), writeTemplateXml(handWritten()).toStdString());
    EXPECT_EQ(loaded, handWritten());
    const QString dump = prepared(loaded);
    EXPECT_TRUE(dump.contains(QStringLiteral("Lakýrník")));
    EXPECT_EQ(dump, prepared(handWritten()));
}

TEST(DesignerModel, UndoingEverythingGivesTheEmptyTemplateAndRedoTheBuiltOne)
{
    DesignerModel model;
    const ReportTemplate built = builtByCommands(model);
    EXPECT_TRUE(model.isModified());
    while (model.undoStack().canUndo())
        model.undoStack().undo();
    EXPECT_EQ(model.reportTemplate(), emptyReport());
    EXPECT_FALSE(model.isModified());
    while (model.undoStack().canRedo())
        model.undoStack().redo();
    EXPECT_EQ(model.reportTemplate(), built);
}

TEST(DesignerModel, InsertedObjectsGetNamesNoOtherPartUses)
{
    DesignerModel model;
    model.reset(handWritten());
    const BandRef data {0, 1};
    // Pasted copies of Text2 and Text3 and two unnamed objects.
    std::vector<ReportObject> pasted = model.band(data).objects;
    pasted.push_back(newObject(ObjectKind::Text, QRectF(0, 0, 5, 5)));
    pasted.push_back(newObject(ObjectKind::Text, QRectF(0, 0, 5, 5)));
    const ObjectRefs refs = model.insertObjects(data, pasted, QStringLiteral("Vložit"));
    QStringList names;
    for (const ObjectRef &ref : refs)
        names << model.object(ref).name;
    EXPECT_EQ(names, QStringList({QStringLiteral("Text4"), QStringLiteral("Text5"), QStringLiteral("Text6"),
                                  QStringLiteral("Text7")}));
    // A band named like an object is renamed too.
    Band band = newBand(BandKind::MasterFooter);
    band.name = QStringLiteral("text1");
    EXPECT_EQ(model.band(model.insertBand(0, 2, band)).name, QStringLiteral("Band3"));
}

TEST(DesignerModel, FrontAndBackReorderOnlyTheChosenObjectsAndUndoRestoresTheOrder)
{
    DesignerModel model;
    model.reset(emptyReport());
    const BandRef band = model.insertBand(0, 0, newBand(BandKind::MasterData));
    std::vector<ReportObject> objects;
    for (int i = 0; i < 5; ++i)
        objects.push_back(newObject(ObjectKind::Text, QRectF(i, 0, 5, 5)));
    model.insertObjects(band, objects, QStringLiteral("Vložit"));
    auto order = [&] {
        QStringList names;
        for (const ReportObject &o : model.band(band).objects)
            names << o.name;
        return names.join(u' ');
    };
    const QString start = order();
    EXPECT_EQ(start, QStringLiteral("Text1 Text2 Text3 Text4 Text5"));

    ObjectRefs moved = model.bringToFront({{0, 0, 3}, {0, 0, 1}});
    EXPECT_EQ(order(), QStringLiteral("Text1 Text3 Text5 Text2 Text4"));
    EXPECT_EQ(model.object(moved[0]).name, QStringLiteral("Text2"));
    EXPECT_EQ(model.object(moved[1]).name, QStringLiteral("Text4"));
    moved = model.sendToBack({{0, 0, 4}, {0, 0, 2}});
    EXPECT_EQ(order(), QStringLiteral("Text5 Text4 Text1 Text3 Text2"));
    model.undoStack().undo();
    model.undoStack().undo();
    EXPECT_EQ(order(), start);
}

TEST(DesignerModel, ObjectsMovedBetweenBandsComeBackWhereTheyWere)
{
    DesignerModel model;
    model.reset(handWritten());
    const ReportTemplate before = model.reportTemplate();
    // Text1 of the header and Text2 of the data band go to the end of the data band.
    const ObjectRefs moved =
        model.moveObjectsToBand({{0, 1, 0}, {0, 0, 0}}, {0, 1}, {QRectF(1, 1, 10, 5), QRectF(2, 2, 10, 5)});
    EXPECT_EQ(model.band({0, 0}).objects.size(), 1u);
    ASSERT_EQ(model.band({0, 1}).objects.size(), 3u);
    EXPECT_EQ(model.object(moved[0]).name, QStringLiteral("Text1"));
    EXPECT_EQ(model.object(moved[0]).rect, QRectF(2, 2, 10, 5)); // each keeps the rectangle given with it
    EXPECT_EQ(model.object(moved[1]).name, QStringLiteral("Text2"));
    EXPECT_EQ(model.object(moved[1]).rect, QRectF(1, 1, 10, 5));
    model.undoStack().undo();
    EXPECT_EQ(model.reportTemplate(), before);
}

TEST(DesignerModel, ClipboardKeepsEveryPropertyAndRefusesOtherText)
{
    const std::vector<ReportObject> objects = handWritten().pages[0].bands[1].objects;
    EXPECT_EQ(objectsFromXml(objectsToXml(objects)), objects);
    EXPECT_TRUE(objectsFromXml("Práce").empty());
    EXPECT_TRUE(objectsFromXml("<report version=\"1\"><page").empty());
}

// The shipped files are formatted by hand, so "unchanged" means the same template read back,
// and a second save writing the very bytes of the first.
TEST(DesignerModel, ShippedTemplatesSaveBackUnchanged)
{
    const QDir reports(QStringLiteral(ERGOTAB_SOURCE_DIR "/Reports"));
    const QStringList files = reports.entryList({QStringLiteral("*.frf")}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString &file : files) {
        DesignerModel model;
        model.reset(loadTemplate(reports.filePath(file)));
        ergotab::test::TempDir dir;
        saveTemplate(model.reportTemplate(), dir.file(file));
        const ReportTemplate reread = loadTemplate(dir.file(file));
        EXPECT_EQ(reread, loadTemplate(reports.filePath(file))) << file.toStdString();
        EXPECT_EQ(writeTemplateXml(reread), ergotab::test::TempDir::read(dir.file(file))) << file.toStdString();
    }
}

TEST(RichTextHtml, ExpressionsLoseTheirEntitiesAndTheTextAroundKeepsThem)
{
    EXPECT_EQ(withPlainExpressions(QStringLiteral("<p>A &amp; B [Zdroj.&quot;Pole&quot; &gt; 2] &lt;</p>")),
              QStringLiteral("<p>A &amp; B [Zdroj.\"Pole\" > 2] &lt;</p>"));
    // A typed "&lt;" is kept as typed.
    EXPECT_EQ(withPlainExpressions(QStringLiteral("[x &amp;lt; y]")), QStringLiteral("[x &lt; y]"));
    // An unclosed part and the rest after it stay as they are.
    EXPECT_EQ(withPlainExpressions(QStringLiteral("[a &amp; b] [c &amp;")), QStringLiteral("[a & b] [c &amp;"));
    EXPECT_EQ(withPlainExpressions(QString()), QString());
}

TEST(RichTextHtml, WhatAnHtmlEditorWritesIsEvaluatedByTheEngine)
{
    QTextDocument typed;
    QTextCursor(&typed).insertText(QStringLiteral("Počet & [Kategorie_DataSet.\"Pracov\"] > 2"));
    ReportTemplate report;
    report.pages.emplace_back();
    Band data = newBand(BandKind::MasterData);
    data.dataSource = QStringLiteral("Kategorie_DataSet");
    ReportObject rich = newObject(ObjectKind::RichText, QRectF(0, 0, 80, 10));
    std::get<RichTextObject>(rich.content).html = withPlainExpressions(typed.toHtml());
    data.objects.push_back(rich);
    report.pages[0].bands.push_back(data);

    MemoryDataSource categories(QStringLiteral("Kategorie_DataSet"), {QStringLiteral("Pracov")});
    categories.addRow({12});
    ReportEngine engine;
    engine.setTemplate(report);
    engine.addDataSource(categories);
    engine.setTextMeasurer(std::make_shared<FixedTextMeasurer>());
    const PrepareResult result = engine.prepare();
    ASSERT_EQ(result.status, PrepareResult::Status::Done) << result.error.toStdString();
    ASSERT_FALSE(result.report.pages.empty());
    QStringList shown;
    for (const PreparedItem &item : result.report.pages[0].items)
        if (const auto *r = std::get_if<RichTextItem>(&item)) {
            QTextDocument printed;
            printed.setHtml(r->html);
            shown << printed.toPlainText();
        }
    EXPECT_EQ(shown, QStringList({QStringLiteral("Počet & 12 > 2")}));
}
