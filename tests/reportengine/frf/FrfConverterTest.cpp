// What a template of the earlier engine becomes in our model: units, pages, bands and the
// objects they take by position, memos with their looks and formats, pictures, variables.
#include "FrfBytes.h"
#include "FrfSamples.h"

#include "reportengine/expr/DisplayFormat.h"
#include "reportengine/frf/FrfAliases.h"
#include "reportengine/frf/FrfFormats.h"
#include "reportengine/frf/FrfTemplate.h"
#include "reportengine/frf/FrfUnits.h"
#include "reportengine/model/TemplateXml.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

using namespace ergotab::report;
using namespace ergotab::report::frf;
using ergotab::test::FrfBytes;

namespace {

using Common = FrfBytes::Common;

FrfTemplate load(const FrfBytes &b)
{
    return loadFrfTemplate(b.bytes, QStringLiteral("test.frf"));
}

const ReportObject *findObject(const std::vector<ReportObject> &objects, const QString &name)
{
    for (const ReportObject &o : objects)
        if (o.name == name)
            return &o;
    return nullptr;
}

TEST(FrfConverter, PageUnitsAndBandsTakeTheirObjects)
{
    FrfBytes b(24);
    b.header();
    FrfBytes::Page page;
    page.landscape = true;
    page.width = 2970;
    page.height = 2100;
    page.margins[0] = 36; // 10 mm
    page.margins[1] = 18; // 5 mm
    page.columns = 2;
    b.page(page);
    Common data;
    data.name = "Data";
    data.x = 36;
    data.y = 200;
    data.height = 30;
    data.width = 1000;
    data.formatStr = "Object_DataSet";
    data.flags = 0x01 | 0x08;
    b.bandObject(data, 5);
    Common header;
    header.name = "Header";
    header.y = 60;
    header.height = 40;
    header.flags = 0x00; // not on the first page
    b.bandObject(header, 2);
    Common inData;
    inData.name = "InData";
    inData.x = 36 + 93;
    inData.y = 230; // on the band's bottom edge: still the band's
    b.memoObject(inData);
    Common loose;
    loose.name = "Loose";
    loose.x = 36;
    loose.y = 500;
    b.memoObject(loose);
    Common inHeader;
    inHeader.name = "InHeader";
    inHeader.x = 40;
    inHeader.y = 70;
    b.memoObject(inHeader);

    const FrfTemplate t = load(b);
    ASSERT_EQ(t.report.pages.size(), 1u);
    const ReportPage &p = t.report.pages[0];
    EXPECT_EQ(p.paper, PaperSize::A4);
    EXPECT_EQ(p.orientation, Orientation::Landscape);
    EXPECT_DOUBLE_EQ(p.margins.left, 10.0);
    EXPECT_DOUBLE_EQ(p.margins.top, 5.0);
    EXPECT_EQ(p.columns, 2);
    ASSERT_EQ(p.bands.size(), 2u);
    // The walk goes down the page: the header first.
    EXPECT_EQ(p.bands[0].name, QStringLiteral("Header"));
    EXPECT_EQ(p.bands[0].kind, BandKind::PageHeader);
    EXPECT_FALSE(p.bands[0].printOnFirstPage);
    const Band &d = p.bands[1];
    EXPECT_EQ(d.kind, BandKind::MasterData);
    EXPECT_EQ(d.dataSource, QStringLiteral("Object_DataSet"));
    EXPECT_TRUE(d.stretch);
    EXPECT_TRUE(d.canSplit);
    EXPECT_NEAR(d.height, 30 * 25.4 * 1.015 / 93, 1e-9);
    ASSERT_EQ(d.objects.size(), 1u);
    EXPECT_EQ(d.objects[0].name, QStringLiteral("InData"));
    // Where it stood on the paper, less our margin.
    EXPECT_NEAR(d.objects[0].rect.x(), (36 + 93) * 25.4 * 1.022 / 93 - 10.0, 1e-9);
    EXPECT_NEAR(d.objects[0].rect.y(), 30 * mmPerPixelY, 1e-9);
    ASSERT_EQ(p.bands[0].objects.size(), 1u);
    EXPECT_NEAR(p.bands[0].objects[0].rect.y(), 10 * mmPerPixelY, 1e-9);
    ASSERT_EQ(p.objects.size(), 1u) << "an object in no band stays on the page";
    EXPECT_EQ(p.objects[0].name, QStringLiteral("Loose"));
}

TEST(FrfConverter, MemoLooksAndFormats)
{
    FrfBytes b(24);
    b.header().page(FrfBytes::Page());
    Common band;
    band.height = 200;
    b.bandObject(band, 5);
    Common c;
    c.name = "Castka";
    c.flags = 0x02 | 0x10 | 0x40;
    c.frameType = 0x01 | 0x08; // right and top
    c.frameWidth = 1500;       // 1.5 px
    c.frameColor = 0x0000FF;   // red
    c.frameStyle = 1;
    c.fill = 0x80000005; // clWindow
    c.format = 0x01030200 | ',';
    c.memo = {"[Cena]", "\x8A\x9D\x9E"}; // "Šťž" in windows-1250
    FrfBytes::Memo m;
    m.font = "Times New Roman";
    m.size = 12;
    m.style = 1 | 4 | 8;
    m.color = 0x008000;
    m.alignment = 1 | 0x10 | 0x04;
    m.highlight = "Value < 0";
    m.highlightStyle = 2;
    m.highlightColor = 0x0000FF;
    m.highlightFill = 0x00FFFF;
    b.memoObject(c, m);
    Common russian;
    russian.name = "Rusky";
    russian.memo = {"\xCF\xF0\xE8"};
    FrfBytes::Memo cyrillic;
    cyrillic.charset = 204;
    b.memoObject(russian, cyrillic);

    const FrfTemplate t = load(b);
    const auto &objects = t.report.pages.at(0).bands.at(0).objects;
    const ReportObject *o = findObject(objects, QStringLiteral("Castka"));
    ASSERT_TRUE(o);
    EXPECT_TRUE(o->frame.right && o->frame.top && !o->frame.left && !o->frame.bottom);
    EXPECT_NEAR(o->frame.widthMm, 1.5 * mmPerPixelX, 1e-9);
    EXPECT_EQ(o->frame.color, QColor(Qt::red));
    EXPECT_EQ(o->frame.style, Qt::DashLine);
    EXPECT_EQ(o->fill, QColor(Qt::white));
    const TextObject &text = std::get<TextObject>(o->content);
    EXPECT_EQ(text.text, QStringLiteral("[Cena]\nŠťž"));
    EXPECT_TRUE(text.wordWrap);
    EXPECT_TRUE(text.plainText);
    EXPECT_TRUE(text.hideZeros);
    EXPECT_EQ(text.font.family, QStringLiteral("Times New Roman"));
    EXPECT_TRUE(text.font.italic && text.font.underline && text.font.strikeOut && !text.font.bold);
    EXPECT_EQ(text.color, QColor(0, 128, 0));
    EXPECT_EQ(text.hAlign, HAlign::Right);
    EXPECT_EQ(text.vAlign, VAlign::Bottom);
    EXPECT_EQ(text.rotation, 90);
    EXPECT_EQ(text.displayFormat, QStringLiteral("N#,##0.00"));
    EXPECT_EQ(text.highlight.condition, QStringLiteral("Value < 0"));
    EXPECT_TRUE(text.highlight.font.bold);
    EXPECT_FALSE(text.highlight.font.italic);
    EXPECT_EQ(text.highlight.color, QColor(Qt::red));
    EXPECT_EQ(text.highlight.fill, QColor(Qt::yellow));
    const ReportObject *r = findObject(objects, QStringLiteral("Rusky"));
    ASSERT_TRUE(r);
    EXPECT_EQ(std::get<TextObject>(r->content).text, QStringLiteral("При"));
}

// The Format integer as an inline format prints what the earlier engine printed.
TEST(FrfConverter, FormatsPrintAlike)
{
    struct Case
    {
        quint32 format;
        const char *formatStr;
        QVariant value;
        const char *printed;
    };
    const Case cases[] = {
        {0x0100022C, "", 1234.5, "1234,5"},            // up to 2 places
        {0x0101022C, "", 1234.5, "1234,50"},           // exactly 2 places
        {0x0101022E, "", 1234.5, "1234.50"},           // with its own separator
        {0x0102022C, "", 1234567.125, "1 234 567,13"}, // grouped, up to 2
        {0x0103002C, "", 1234.4, "1 234"},             // grouped, no places
        {0x0104022C, "0.000", 2.5, "2,500"},           // a pattern that starts with a digit
        {0x02010000, "", QDate(2024, 3, 7), "07.03.2024"},
        {0x02040000, "d.m.yy", QDate(2024, 3, 7), "7.3.24"},
        {0x03020000, "", QTime(9, 5, 30), "09:05"},
        {0x04010000, "", true, "Ano"},
        {0x04040000, "nic;vše", false, "nic"},
        {0x0000022C, "", 1.5, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.format);
        const QString spec = inlineFormat(c.format, QString::fromUtf8(c.formatStr));
        if (QByteArray(c.printed).isEmpty()) {
            EXPECT_TRUE(spec.isEmpty());
            continue;
        }
        QString printed = formatValue(c.value, DisplayFormat::fromInline(spec));
        printed.replace(QChar(0x00A0), u' ');
        EXPECT_EQ(printed, QString::fromUtf8(c.printed)) << qPrintable(spec);
    }
}

TEST(FrfConverter, PicturesLinesSubreportsAndVariables)
{
    FrfBytes b(24);
    b.header();
    b.page(FrfBytes::Page());
    FrfBytes::Page second;
    second.name = "Vnorena";
    b.page(second);
    Common band;
    band.height = 300;
    band.width = 752;
    b.bandObject(band, 0);

    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::blue);
    const auto encoded = [&](const char *format) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, format);
        return bytes;
    };
    const auto picture = [&](const QByteArray &name, int kind, const QByteArray &data) {
        Common c;
        c.name = name;
        c.flags = 0x04;
        const qint64 end = b.beginObject(1);
        b.common(c).u8(kind).u8(0);
        b.i32(b.pos() + 4 + data.size()).raw(data);
        b.endObject(end);
    };
    picture("Bitmap", 1, encoded("BMP"));
    picture("Icon", 3, encoded("ICO"));
    picture("Metafile", 2, QByteArray("\x01\x00\x00\x00 EMF stuff", 14));
    Common line;
    line.name = "Line1";
    line.width = 2;
    line.height = 100;
    line.frameType = 0x0F;
    {
        const qint64 end = b.beginObject(4);
        b.common(line);
        b.endObject(end);
    }
    Common sub;
    sub.name = "Sub";
    {
        const qint64 end = b.beginObject(3);
        b.common(sub).i32(1);
        b.endObject(end);
    }
    b.u8(0xFE).u16(0xFFFE).i32(3);
    b.str16(" Firma").str16("");
    b.str16("Nazev").str16("Data.\"Nazev\"");
    b.str16("Popis").str16("Seznam pracovi\x9A\x9D"); // windows-1250
    b.i32(0).i32(0);

    const FrfTemplate t = load(b);
    ASSERT_EQ(t.report.pages.size(), 2u);
    const auto &objects = t.report.pages[0].bands.at(0).objects;
    const auto pictureOf = [&](const char *name) {
        const ReportObject *o = findObject(objects, QString::fromLatin1(name));
        return o ? std::get_if<PictureObject>(&o->content) : nullptr;
    };
    ASSERT_TRUE(pictureOf("Bitmap"));
    EXPECT_EQ(pictureOf("Bitmap")->format, QByteArray("BMP"));
    EXPECT_TRUE(pictureOf("Bitmap")->keepRatio);
    ASSERT_TRUE(pictureOf("Icon"));
    EXPECT_EQ(pictureOf("Icon")->format, QByteArray("PNG")) << "icons are kept as PNG";
    EXPECT_EQ(QImage::fromData(pictureOf("Icon")->data).size(), QSize(4, 3));
    EXPECT_FALSE(pictureOf("Metafile")) << "a metafile becomes a placeholder";
    EXPECT_TRUE(std::get<TextObject>(findObject(objects, QStringLiteral("Metafile"))->content)
                    .text.startsWith(QStringLiteral("metasoubor")));
    EXPECT_TRUE(t.warnings.filter(QStringLiteral("Metafile")).size() == 1) << qPrintable(t.warnings.join(u'\n'));
    const ReportObject *l = findObject(objects, QStringLiteral("Line1"));
    ASSERT_TRUE(l);
    EXPECT_TRUE(l->frame.left && !l->frame.top && !l->frame.right && !l->frame.bottom);
    const ReportObject *s = findObject(objects, QStringLiteral("Sub"));
    ASSERT_TRUE(s);
    EXPECT_EQ(std::get<SubreportObject>(s->content).page, QStringLiteral("Vnorena"));
    ASSERT_EQ(t.report.variables.size(), 2u);
    EXPECT_EQ(t.report.variables[0].category, QStringLiteral("Firma"));
    EXPECT_EQ(t.report.variables[0].expression, QStringLiteral("Data.\"Nazev\""));
    EXPECT_EQ(t.report.variables[1].expression, QStringLiteral("'Seznam pracovišť'")) << "plain text is quoted";
}

// The dictionary's aliases: the names users saw in the designer stand for the real data sets
// and fields wherever an expression uses them; literal text keeps them.
TEST(FrfConverter, AliasesInExpressionsBecomeTheRealNames)
{
    FrfBytes b(24);
    b.header();
    b.page(FrfBytes::Page());
    Common band;
    band.name = "Data";
    band.y = 100;
    band.height = 60;
    band.width = 752;
    band.formatStr = "Seznam zakazniku";
    b.bandObject(band, 5);
    Common memo;
    memo.name = "Radek";
    memo.y = 100;
    memo.memo = {"[Zakaznici.\"Firma\"], celkem [Sum(Zakaznici.\"Castka\")] a [Zakaznici.\"Mesto\"]",
                 "[Firma] / [ Castka ]", "Zakaznici bez pole", "[CustomerData.Customers.\"Castka\"]"};
    b.memoObject(memo);
    b.u8(0xFE).u16(0xFFFE).i32(2);
    b.str16(" Vse").str16("");
    b.str16("Prvni").str16("Zakaznici.\"Firma\"");
    b.i32(3);
    b.str16("CustomerData.Customers").str16("Zakaznici");
    b.str16("CustomerData.Customers.\"Company\"").str16("Firma");
    b.str16("CustomerData.Customers.\"Amount\"").str16("Castka");
    b.i32(1);
    b.str16("CustomerData.CustomersDS").str16("Seznam zakazniku");

    const FrfTemplate t = load(b);
    const Band &data = t.report.pages.at(0).bands.at(0);
    EXPECT_EQ(data.dataSource, QStringLiteral("CustomerData.CustomersDS"));
    const QStringList lines = std::get<TextObject>(data.objects.at(0).content).text.split(u'\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0],
              QStringLiteral("[CustomerData.Customers.\"Company\"], celkem "
                             "[Sum(CustomerData.Customers.\"Amount\")] a [CustomerData.Customers.\"Mesto\"]"));
    EXPECT_EQ(lines[1], QStringLiteral("[CustomerData.Customers.\"Company\"] / [CustomerData.Customers.\"Amount\"]"));
    EXPECT_EQ(lines[2], QStringLiteral("Zakaznici bez pole"));
    EXPECT_EQ(lines[3], QStringLiteral("[CustomerData.Customers.\"Amount\"]"));
    ASSERT_EQ(t.report.variables.size(), 1u);
    EXPECT_EQ(t.report.variables[0].expression, QStringLiteral("CustomerData.Customers.\"Company\""));
    EXPECT_TRUE(t.warnings.filter(QStringLiteral("Přezdívky")).isEmpty()) << qPrintable(t.warnings.join(u'\n'));
}

// Only whole names are aliases: a word glued to one is left alone, a word before one stays.
TEST(FrfConverter, AliasesAreWholeNames)
{
    const FrfAliases aliases({QStringLiteral("Data.Tbl=Moje data"), QStringLiteral("Data.Tbl.\"Amount\"=Částka")}, {});
    EXPECT_EQ(aliases.expressions(QStringLiteral("[celkem Moje data.\"Částka\"]")),
              QStringLiteral("[celkem Data.Tbl.\"Amount\"]"));
    EXPECT_EQ(aliases.expressions(QStringLiteral("[Vaše data.\"Částka\"] [xData.Tbl.\"Částka\"]")),
              QStringLiteral("[Vaše data.\"Částka\"] [xData.Tbl.\"Částka\"]"));
    EXPECT_EQ(aliases.expressions(QStringLiteral("[Data.Tbl.\"Částka\"] [data.tbl.\"částka\"] [[Částka]]")),
              QStringLiteral("[Data.Tbl.\"Amount\"] [data.tbl.\"Amount\"] [[Data.Tbl.\"Amount\"]]"));
    EXPECT_EQ(aliases.dataSource(QStringLiteral("moje DATA")), QStringLiteral("Data.Tbl"));
    // A long run of words before a reference is looked at only as far as a name can reach.
    const QString longText = QStringLiteral("slovo ").repeated(20000) + QStringLiteral("Moje data.\"X\"");
    EXPECT_TRUE(aliases.expressions(longText).endsWith(QStringLiteral("slovo Data.Tbl.\"X\"")));
}

// A margin of 0 was the printer's own edge: the bands start 5 mm in, and objects outside every
// band keep their place on the paper.
TEST(FrfConverter, ZeroMarginsBecomeThePrintersEdge)
{
    FrfBytes b(24);
    b.header();
    FrfBytes::Page page;
    page.margins[1] = 36; // top 10 mm, the others 0
    b.page(page);
    Common loose;
    loose.name = "Volny";
    loose.x = 72; // 20 mm across
    loose.y = 10;
    loose.memo = {"x"};
    b.memoObject(loose);
    const FrfTemplate t = load(b);
    const ReportPage &p = t.report.pages.at(0);
    EXPECT_DOUBLE_EQ(p.margins.left, 5.0);
    EXPECT_DOUBLE_EQ(p.margins.top, 10.0);
    EXPECT_DOUBLE_EQ(p.margins.right, 5.0);
    EXPECT_DOUBLE_EQ(p.margins.bottom, 5.0);
    ASSERT_EQ(p.objects.size(), 1u);
    EXPECT_NEAR(p.margins.left + p.objects[0].rect.left(), xMm(72), 1e-9);
    EXPECT_NEAR(p.margins.top + p.objects[0].rect.top(), yMm(10), 1e-9);
    EXPECT_EQ(t.warnings.filter(QStringLiteral("okraj 0")).size(), 1) << qPrintable(t.warnings.join(u'\n'));
}

TEST(FrfConverter, SamplesBecomeTemplates)
{
    const FrfTemplate t =
        loadFrfTemplate(ergotab::test::frfSample(QStringLiteral("FastReports-FreeReport/Demos/REPORTS/DOC10.FRF")),
                        QStringLiteral("DOC10.FRF"));
    // Three pages, two printed inside the first through sub-reports.
    ASSERT_EQ(t.report.pages.size(), 3u);
    int subreports = 0;
    for (const Band &band : t.report.pages[0].bands)
        for (const ReportObject &o : band.objects)
            subreports += std::holds_alternative<SubreportObject>(o.content);
    EXPECT_EQ(subreports, 2);
}

} // namespace

namespace {

// Found by fuzzing: a damaged file's absurd sizes and control characters must not make a
// template our own format then refuses.
TEST(FrfConverter, DamagedValuesStillSave)
{
    FrfBytes b(23);
    b.header().page(FrfBytes::Page());
    Common band;
    band.height = 2000000000;
    b.bandObject(band, 5);
    Common memo;
    memo.name = "Bad\x01Name";
    memo.height = 2100000;
    memo.memo = {"a\rb\x02"};
    b.memoObject(memo);
    const FrfTemplate t = load(b);
    const QByteArray saved = ergotab::report::writeTemplateXml(t.report);
    ReportTemplate again;
    ASSERT_NO_THROW(again = ergotab::report::readTemplateXml(saved, QStringLiteral("saved.frf")));
    EXPECT_EQ(ergotab::report::writeTemplateXml(again), saved);
    EXPECT_EQ(t.warnings.filter(QStringLiteral("zkráceny")).size(), 1);
}

} // namespace
