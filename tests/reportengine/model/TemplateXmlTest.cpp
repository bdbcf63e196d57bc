#include "reportengine/model/TemplateXml.h"
#include "reportengine/model/TemplateLoader.h"
#include "storage/AppError.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using namespace ergotab;
using namespace ergotab::report;
using namespace Qt::StringLiterals;

namespace {

QString examplePath()
{
    return QStringLiteral(ERGOTAB_SOURCE_DIR "/tests/reportengine/model/example-template.frf");
}

// A template in which every value differs from its default, so a value the writer or the
// reader forgets shows up as a difference after the round trip.
ReportTemplate everythingSet()
{
    ReportTemplate r;
    r.name = u"Vše"_s;
    r.description = u"popis\nna dvou řádcích"_s;
    r.doublePass = true;
    r.script = u"begin x := 1; end"_s;
    r.variables.push_back({u"Součet s mezerou"_s, u"[A] + 1"_s, u"Kategorie"_s});

    DialogPage d;
    d.name = u"Dlg"_s;
    d.caption = u"Dotaz"_s;
    d.size = QSize(500, 250);
    d.script = u"dialog script"_s;
    DialogControl c;
    c.kind = ControlKind::ComboBox;
    c.name = u"Volba"_s;
    c.rect = QRect(-3, 4, 50, 20);
    c.text = u"b"_s;
    c.items = {u"a"_s, u"b"_s};
    c.checked = true;
    c.readOnly = true;
    c.modalResult = 2;
    c.font.family = u"Liberation Serif"_s;
    c.font.sizePt = 8.5;
    c.script = u"click"_s;
    d.controls.push_back(c);
    r.dialogs.push_back(d);

    ReportPage p;
    p.name = u"P"_s;
    p.paper = PaperSize::Custom;
    p.customSizeMm = QSizeF(100.25, 80.5);
    p.orientation = Orientation::Landscape;
    p.margins = {1.5, 2.5, 3.5, 4.5};
    p.columns = 3;
    p.columnGapMm = 4.25;
    p.printToPreviousPage = true;
    p.script = u"page script"_s;

    Band b;
    b.name = u"B"_s;
    b.kind = BandKind::DetailData;
    b.top = 33.3;
    b.height = 12.125;
    b.dataSource = u"Src"_s;
    b.key = u"UpLink"_s;
    b.masterKey = u"Index"_s;
    b.condition = u"[X]"_s;
    b.childBand = u"C"_s;
    b.stretch = b.keepTogether = b.canSplit = b.newPageBefore = b.newPageAfter = true;
    b.printOnFirstPage = b.printOnLastPage = false;
    b.repeatOnEachPage = b.printIfEmpty = true;
    b.visible = false;
    b.columns = 2;
    b.columnWidthMm = 40;
    b.columnGapMm = 5;
    b.script = u"band script"_s;

    ReportObject base;
    base.name = u"O"_s;
    base.rect = QRectF(1.1, 2.2, 3.3, 4.4);
    base.visible = false;
    base.frame = {true, false, true, true, 0.75, QColor(0x12, 0x34, 0x56), Qt::DashDotLine};
    base.fill = QColor(1, 2, 3, 128);
    base.script = u"obj script"_s;
    base.tag = u"[tag]"_s;

    TextObject t;
    t.text = u"a [b]\n  c < & > \" ' "_s;
    t.font = {u"DejaVu Sans"_s, 14.5, true, true, true, true};
    t.color = Qt::red;
    t.hAlign = HAlign::Justify;
    t.vAlign = VAlign::Bottom;
    t.wordWrap = false;
    t.rotation = 90;
    t.autoSize = t.stretch = t.plainText = t.hideZeros = true;
    t.displayFormat = u"N#,##0.00"_s;
    t.highlight = {u"[V] > 1"_s, {u"Arial"_s, 9, true, false, false, false}, Qt::blue, Qt::yellow};
    PictureObject pic;
    pic.data = QByteArray("\x89PNG\r\n\x1a\n\0\1\2", 11);
    pic.format = "PNG";
    pic.source = u"[File]"_s;
    pic.stretch = pic.keepRatio = pic.center = false;
    ShapeObject shape {ShapeItem::Shape::DiagonalUp, 3.5};
    CheckBoxObject check {u"[Zen] > 0"_s, false, Qt::green};
    BarcodeObject bar {BarcodeType::Interleaved2of5, u"[Code]"_s, false, false, 270};
    RichTextObject rich {u"<p><b>[Text]</b></p>"_s};
    SubreportObject sub {u"P2"_s};
    for (ObjectContent content :
         std::initializer_list<ObjectContent> {t, pic, LineObject(), shape, check, bar, rich, sub}) {
        ReportObject obj = base;
        obj.content = content;
        b.objects.push_back(obj);
    }
    p.bands.push_back(b);
    p.objects.push_back(base);
    r.pages.push_back(p);
    return r;
}

} // namespace

TEST(TemplateXml, EveryValueSurvivesTheRoundTrip)
{
    const ReportTemplate original = everythingSet();
    const QByteArray xml = writeTemplateXml(original);
    const ReportTemplate back = readTemplateXml(xml, u"x.frf"_s);
    EXPECT_EQ(back, original) << xml.constData();
    EXPECT_EQ(writeTemplateXml(back), xml);

    // Defaults are left out, so an empty template is short.
    EXPECT_EQ(readTemplateXml(writeTemplateXml(ReportTemplate()), u"e.frf"_s), ReportTemplate());
}

TEST(TemplateXml, TheDocumentedExampleLoadsAsDescribed)
{
    const ReportTemplate r = loadTemplate(examplePath());
    ASSERT_EQ(r.pages.size(), 2u);
    ASSERT_EQ(r.dialogs.size(), 1u);
    EXPECT_EQ(r.dialogs[0].controls[2].items, QStringList({u"jednosměnný"_s, u"dvousměnný"_s}));
    EXPECT_EQ(r.variables[0].name, u"Celkem zaměstnanců"_s);

    const ReportPage &page = r.pages[0];
    EXPECT_EQ(page.margins.left, 15.0);
    ASSERT_EQ(page.bands.size(), 7u);
    const Band &detail = page.bands[2];
    EXPECT_EQ(detail.kind, BandKind::DetailData);
    EXPECT_EQ(detail.key, u"UpLink"_s);
    EXPECT_EQ(detail.masterKey, u"Index"_s);

    const auto &employees = std::get<TextObject>(page.bands[1].objects[1].content);
    EXPECT_EQ(employees.highlight.condition, u"[Pracov] > 100"_s);
    EXPECT_TRUE(employees.highlight.font.bold);
    EXPECT_EQ(employees.displayFormat, u"N#,##0"_s);

    const auto &logo = std::get<PictureObject>(page.bands[5].objects[0].content);
    EXPECT_TRUE(logo.data.startsWith("\x89PNG"));
    EXPECT_EQ(r.pages[1].sizeMm(), QSizeF(100, 50));

    // load → save → load gives the same model.
    EXPECT_EQ(readTemplateXml(writeTemplateXml(r), u"again.frf"_s), r);
}

TEST(TemplateXml, UnknownElementsAndAttributesAreWrittenBack)
{
    const QByteArray newer = R"(<?xml version="1.0"?>
<report version="7" name="N" future="yes">
  <page name="P" watermark="draft">
    <band kind="master-data" height="5" shadow="2">
      <text name="T" width="10" height="5" glow="blue"><content>x</content><effect kind="blur"><radius>3</radius></effect></text>
      <hologram depth="3"/>
    </band>
  </page>
  <signature by="someone">abc</signature>
</report>)";
    const ReportTemplate r = readTemplateXml(newer, u"n.frf"_s);
    const QByteArray saved = writeTemplateXml(r);
    for (const char *kept : {"future=\"yes\"", "watermark=\"draft\"", "shadow=\"2\"", "glow=\"blue\"",
                             "<radius>3</radius>", "<hologram depth=\"3\"/>", "<signature by=\"someone\">abc"})
        EXPECT_TRUE(saved.contains(kept)) << kept << "\n" << saved.constData();
    EXPECT_EQ(readTemplateXml(saved, u"n.frf"_s), r);
}

TEST(TemplateXml, FaultsNameTheFileTheLineAndTheValue)
{
    struct Case
    {
        QByteArray xml;
        QString expected;
    };
    const std::vector<Case> cases = {
        {"<report version=\"1\"><page><band kind=\"sideways\"/></page></report>", u"sideways"_s},
        {"<report version=\"1\">\n<page margin-left=\"wide\"/></report>", u"řádek 2"_s},
        {"<report version=\"1\"><page><band kind=\"child\" height=\"-3\"/></page></report>", u"zápornou"_s},
        {"<report version=\"1\"><page><band kind=\"child\"><text x=\"nan\"/></band></page></report>", u"nan"_s},
        {"<report version=\"1\"><page><band kind=\"child\"><text><font size=\"0\"/></text></band></page></report>",
         u"písma"_s},
        {"<report version=\"1\"><page><band kind=\"child\"><picture><data>!!</data></picture></band></page></report>",
         u"base64"_s},
        {"<report name=\"no version\"/>", u"version"_s},
        {"<report version=\"1\"><page>", u"soubor.frf"_s},
    };
    for (const auto &c : cases) {
        try {
            readTemplateXml(c.xml, u"soubor.frf"_s);
            ADD_FAILURE() << "accepted: " << c.xml.constData();
        } catch (const AppError &e) {
            EXPECT_TRUE(e.message().contains(c.expected)) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(u"soubor.frf"_s)) << e.message().toStdString();
        }
    }
}

TEST(TemplateXml, DeepNestingOfUnknownElementsIsRefusedNotRecursedForEver)
{
    QByteArray xml = "<report version=\"1\">";
    for (int i = 0; i < 100000; ++i)
        xml += "<x>";
    EXPECT_THROW(readTemplateXml(xml, u"deep.frf"_s), AppError);
}
