// The add-ins, each built byte by byte: report objects, dialog controls, database components,
// and classes the program does not know.
#include "FrfBytes.h"

#include "reportengine/frf/FrfTemplate.h"
#include "storage/AppError.h"

#include <gtest/gtest.h>

using namespace ergotab::report;
using namespace ergotab::report::frf;
using ergotab::test::FrfBytes;

namespace {

using Common = FrfBytes::Common;

FrfBytes reportWithBand(int version)
{
    FrfBytes b(version);
    b.header().page(FrfBytes::Page());
    Common band;
    band.name = "Band1";
    band.height = 400;
    band.width = 752;
    b.bandObject(band, 0);
    return b;
}

// Writes an add-in: its class, the common part named `name`, then what `own` adds.
template <typename F>
void addIn(FrfBytes &b, const QByteArray &className, const QByteArray &name, F own, QList<QByteArray> memo = {},
           int page = 0)
{
    Common c;
    c.name = name;
    c.memo = memo;
    c.y = 10;
    const qint64 end = b.beginObject(10, page, className);
    b.common(c);
    own(b);
    b.endObject(end);
}

const ReportObject &objectNamed(const FrfTemplate &t, const QString &name)
{
    for (const Band &band : t.report.pages.at(0).bands)
        for (const ReportObject &o : band.objects)
            if (o.name == name)
                return o;
    static const ReportObject none;
    ADD_FAILURE() << "no object " << qPrintable(name);
    return none;
}

TEST(FrfAddins, ReportObjects)
{
    FrfBytes b = reportWithBand(24);
    addIn(b, "TfrShapeView", "Shape1", [](FrfBytes &s) { s.u8(2); });
    addIn(b, "TfrCheckBoxView", "Check1", [](FrfBytes &s) { s.u8(1).u32(0x0000FF); }, {"[Hotovo]"});
    addIn(b, "TfrBarCodeView", "Code1", [](FrfBytes &s) { s.u8(1).u8(0).u8(0).u8(14).i32(2).f64(2.0).f64(90.0); },
          {"[Kod]"});
    addIn(b, "TfrRoundRectView", "Round1",
          [](FrfBytes &s) {
              FrfBytes::Memo m;
              m.style = 2;
              s.memoPart(m).u32(0x808080).i32(4).u8(1).u8(1).i32(20);
          },
          {"Nadpis"});
    const QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl ;\\red255\\green0\\blue0;}"
        "\\pard\\qc\\f0\\fs24 Ahoj \\b tu\\b0\\cf1 \\'9ee\\par [Jmeno]\\par}";
    addIn(b, "TfrRichView", "Rich1", [&](FrfBytes &s) { s.u8(1).i32(s.pos() + 4 + rtf.size()).raw(rtf); });
    addIn(b, "TfrFramedMemoView", "Framed1", [](FrfBytes &s) { s.memoPart(FrfBytes::Memo()).raw(QByteArray(8, '\0')); },
          {"R\xE1me\xE8"
           "ek"}); // windows-1250
    addIn(b, "TfrOLEView", "Ole1", [](FrfBytes &s) { s.u8(1).u32(0x434F4442).u32(1).u32(3).raw("abc"); });
    addIn(b, "TfrChartView", "Chart1",
          [](FrfBytes &s) { s.u8(2).raw(QByteArray(48, '\0')).str("Memo1").str("Memo2").str("Ostatni"); });
    addIn(b, "TfrCrossView", "Cross1", [](FrfBytes &s) { s.u8(1).u8(1).u8(1); });
    const FrfTemplate t = loadFrfTemplate(b.bytes, QStringLiteral("addins.frf"));

    const auto &shape = std::get<ShapeObject>(objectNamed(t, QStringLiteral("Shape1")).content);
    EXPECT_EQ(shape.shape, ShapeItem::Shape::Ellipse);
    const auto &check = std::get<CheckBoxObject>(objectNamed(t, QStringLiteral("Check1")).content);
    EXPECT_EQ(check.expression, QStringLiteral("Hotovo"));
    EXPECT_FALSE(check.crossStyle);
    EXPECT_EQ(check.checkColor, QColor(Qt::red));
    const auto &code = std::get<BarcodeObject>(objectNamed(t, QStringLiteral("Code1")).content);
    EXPECT_EQ(code.type, BarcodeType::Ean13);
    EXPECT_EQ(code.angle, 90);
    EXPECT_TRUE(code.checksum);
    EXPECT_FALSE(code.showText);
    EXPECT_EQ(code.expression, QStringLiteral("[Kod]"));
    // The round rectangle: its shadow behind, the shape, its text on top.
    const ReportObject &round = objectNamed(t, QStringLiteral("Round1"));
    EXPECT_EQ(std::get<ShapeObject>(round.content).shape, ShapeItem::Shape::RoundedRectangle);
    EXPECT_EQ(objectNamed(t, QStringLiteral("Round1Stin")).fill, QColor(128, 128, 128));
    const auto &roundText = std::get<TextObject>(objectNamed(t, QStringLiteral("Round1Text")).content);
    EXPECT_EQ(roundText.text, QStringLiteral("Nadpis"));
    EXPECT_TRUE(roundText.font.bold);
    const QString html = std::get<RichTextObject>(objectNamed(t, QStringLiteral("Rich1")).content).html;
    EXPECT_TRUE(html.contains(QStringLiteral("text-align:center"))) << qPrintable(html);
    EXPECT_TRUE(html.contains(QStringLiteral("font-weight:bold\">tu</span>")) ||
                html.contains(QStringLiteral("font-weight:bold;")))
        << qPrintable(html);
    EXPECT_TRUE(html.contains(QStringLiteral("color:#ff0000")) && html.contains(QStringLiteral("že")))
        << qPrintable(html);
    EXPECT_TRUE(html.contains(QStringLiteral("[Jmeno]")));
    EXPECT_EQ(std::get<TextObject>(objectNamed(t, QStringLiteral("Framed1")).content).text, QStringLiteral("Rámeček"));
    // What cannot be drawn leaves a framed text naming it, and a warning.
    const std::pair<const char *, const char *> placeholders[] = {
        {"Ole1", "objekt OLE"}, {"Chart1", "graf"}, {"Cross1", "křížová tabulka"}};
    for (const auto &[name, what] : placeholders) {
        const ReportObject &o = objectNamed(t, QString::fromLatin1(name));
        const auto &text = std::get<TextObject>(o.content);
        EXPECT_TRUE(text.plainText) << name;
        EXPECT_TRUE(text.text.startsWith(QString::fromUtf8(what))) << name << " " << qPrintable(text.text);
        EXPECT_TRUE(o.frame.left && o.frame.top && o.frame.right && o.frame.bottom) << name;
        EXPECT_EQ(t.warnings.filter(QString::fromLatin1(name)).size(), 1) << name;
    }
}

// Each bar type of the earlier engine: the same bars where we have them (UPC-A is EAN-13 behind
// a 0), else the nearest, Code 128 when nothing is near, and then a warning naming the type.
TEST(FrfAddins, BarcodeTypesMapToOursOrTheNearest)
{
    struct Case
    {
        int type;
        BarcodeType ours;
        bool warned;
    };
    const Case cases[] = {{0, BarcodeType::Interleaved2of5, false}, {1, BarcodeType::Interleaved2of5, true},
                          {3, BarcodeType::Code39, false},          {4, BarcodeType::Code128, true},
                          {6, BarcodeType::Code128, false},         {8, BarcodeType::Code128, true},
                          {12, BarcodeType::Code128, true},         {13, BarcodeType::Ean8, false},
                          {15, BarcodeType::Ean13, false},          {16, BarcodeType::Code128, true},
                          {21, BarcodeType::Code128, true},         {77, BarcodeType::Code128, true}};
    FrfBytes b = reportWithBand(24);
    for (const Case &c : cases)
        addIn(b, "TfrBarCodeView", "Code" + QByteArray::number(c.type),
              [&](FrfBytes &s) { s.u8(1).u8(1).u8(0).u8(quint8(c.type)).i32(2).f64(2.0).f64(0.0); }, {"[Kod]"});
    const FrfTemplate t = loadFrfTemplate(b.bytes, QStringLiteral("kody.frf"));
    for (const Case &c : cases) {
        const QString name = QStringLiteral("Code%1").arg(c.type);
        const auto &code = std::get<BarcodeObject>(objectNamed(t, name).content);
        EXPECT_EQ(code.type, c.ours) << c.type;
        EXPECT_EQ(t.warnings.filter(QStringLiteral("Objekt %1:").arg(name)).size(), c.warned ? 1 : 0)
            << c.type << qPrintable(t.warnings.join(u'\n'));
        EXPECT_EQ(code.expression, c.type == 15 ? QStringLiteral("0[Kod]") : QStringLiteral("[Kod]")) << c.type;
    }
    EXPECT_EQ(t.warnings.filter(QStringLiteral("Codabar")).size(), 1);
}

TEST(FrfAddins, UnknownClasses)
{
    // With end offsets the record is skipped and what follows is kept.
    FrfBytes b = reportWithBand(24);
    addIn(b, "TfrGaugeView", "Gauge1", [](FrfBytes &s) { s.raw("whatever a gauge keeps"); });
    Common after;
    after.name = "After";
    after.y = 20;
    b.memoObject(after);
    const FrfTemplate t = loadFrfTemplate(b.bytes, QStringLiteral("gauge.frf"));
    EXPECT_EQ(std::get<TextObject>(objectNamed(t, QStringLiteral("After")).content).text, QString());
    EXPECT_EQ(std::get<TextObject>(objectNamed(t, QStringLiteral("Gauge1")).content).text,
              QStringLiteral("TfrGaugeView"));
    EXPECT_EQ(t.warnings.filter(QStringLiteral("TfrGaugeView")).size(), 1);

    // Without them nothing after it can be read: a clean error naming the class.
    FrfBytes old = reportWithBand(23);
    addIn(old, "TfrGaugeView", "Gauge1", [](FrfBytes &s) { s.raw("whatever"); });
    try {
        loadFrfTemplate(old.bytes, QStringLiteral("gauge.frf"));
        FAIL() << "an unknown add-in of version 23 was accepted";
    } catch (const ergotab::AppError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("TfrGaugeView")));
        EXPECT_TRUE(e.message().contains(QStringLiteral("gauge.frf")));
    }

    // Version 23 check boxes and shapes carry less.
    FrfBytes v23 = reportWithBand(23);
    addIn(v23, "TfrCheckBoxView", "Check1", [](FrfBytes &) {}, {"[X]"});
    addIn(v23, "TFRSHAPEVIEW", "Shape1", [](FrfBytes &s) { s.u8(3); });
    const FrfTemplate t23 = loadFrfTemplate(v23.bytes, QStringLiteral("v23.frf"));
    EXPECT_TRUE(std::get<CheckBoxObject>(objectNamed(t23, QStringLiteral("Check1")).content).crossStyle);
    EXPECT_EQ(std::get<ShapeObject>(objectNamed(t23, QStringLiteral("Shape1")).content).shape,
              ShapeItem::Shape::Triangle);
}

TEST(FrfAddins, DialogControlsAndDatabaseComponents)
{
    FrfBytes b(24);
    b.header();
    FrfBytes::Page dialog;
    dialog.dialog = true;
    dialog.name = "Dotaz";
    dialog.caption = "Parametry";
    b.page(dialog);
    b.page(FrfBytes::Page());
    const auto standard = [](FrfBytes &s) { s.u32(0x8000000F).u8(1).str16("Tahoma").i32(8).u16(2).u32(0).u16(238); };
    addIn(b, "TfrLabelControl", "Label1", [&](FrfBytes &s) {
        standard(s);
        s.u8(0).u8(1).str16("Od data:").u8(0);
    });
    addIn(b, "TfrEditControl", "Edit1", [&](FrfBytes &s) {
        standard(s);
        s.str16("2024").u8(1);
    });
    addIn(b, "TfrButtonControl", "Button1", [&](FrfBytes &s) {
        standard(s);
        s.str16("OK").u16(1);
    });
    addIn(b, "TfrCheckBoxControl", "Check1", [&](FrfBytes &s) {
        standard(s);
        s.u8(0).u8(1).str16("Jen aktivní");
    });
    addIn(b, "TfrComboBoxControl", "Combo1", [&](FrfBytes &s) {
        standard(s);
        s.memo16({"jedna", "dv\xEC"}).u8(1);
    });
    addIn(b, "TfrDateEditControl", "Date1", [&](FrfBytes &s) {
        standard(s);
        s.u8(1).u8(4).u8(0); // the RX build's fields: skipped by the end offset
    });
    addIn(b, "TfrBDEQuery", "Query1", [](FrfBytes &s) {
        s.str16("DBDEMOS").str16("").str16("").memo16({"select *", "from customer"}).u8(1);
        s.u16(1).u8(1).str16("CustNo").u8(0).u16(0); // one field (object version 20)
        s.u16(1).u16(8).u16(0).str16("[Edit1.Text]");
    });
    const FrfTemplate t = loadFrfTemplate(b.bytes, QStringLiteral("dialog.frf"));
    ASSERT_EQ(t.report.dialogs.size(), 1u);
    ASSERT_EQ(t.report.pages.size(), 1u);
    const DialogPage &d = t.report.dialogs[0];
    EXPECT_EQ(d.name, QStringLiteral("Dotaz"));
    EXPECT_EQ(d.caption, QStringLiteral("Parametry"));
    ASSERT_EQ(d.controls.size(), 6u);
    EXPECT_EQ(d.controls[0].kind, ControlKind::Label);
    EXPECT_EQ(d.controls[0].text, QStringLiteral("Od data:"));
    EXPECT_EQ(d.controls[0].font.family, QStringLiteral("Tahoma"));
    EXPECT_TRUE(d.controls[0].font.bold);
    EXPECT_EQ(d.controls[1].kind, ControlKind::Edit);
    EXPECT_TRUE(d.controls[1].readOnly);
    EXPECT_EQ(d.controls[2].modalResult, 1);
    EXPECT_TRUE(d.controls[3].checked);
    EXPECT_EQ(d.controls[4].items, QStringList({QStringLiteral("jedna"), QStringLiteral("dvě")}));
    EXPECT_EQ(d.controls[5].kind, ControlKind::DateEdit);
    const QStringList query = t.warnings.filter(QStringLiteral("Query1"));
    ASSERT_EQ(query.size(), 1);
    EXPECT_TRUE(query[0].contains(QStringLiteral("select * from customer"))) << qPrintable(query[0]);
}

} // namespace
