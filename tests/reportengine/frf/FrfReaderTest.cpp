// The reader against hand-built streams of every version and dialect, the worked examples of
// two real files offset by offset, and streams it must refuse.
#include "FrfBytes.h"
#include "FrfSamples.h"

#include "reportengine/frf/FrfReader.h"

#include <gtest/gtest.h>

using namespace ergotab::report::frf;
using ergotab::test::FrfBytes;
using ergotab::test::frfSample;

namespace {

using Common = FrfBytes::Common;

// Header, one report page, a page-header band and a memo in it.
FrfBytes smallReport(FrfBytes b)
{
    b.header("HP LaserJet", true);
    FrfBytes::Page page;
    page.margins[0] = 36;
    b.page(page);
    Common band;
    band.name = "Band1";
    band.y = 20;
    band.width = 752;
    band.height = 40;
    band.flags = 0x10;
    b.bandObject(band, 2);
    Common memo;
    memo.name = "Memo1";
    memo.x = 48;
    memo.y = 30;
    memo.flags = 0x02;
    memo.frameType = 0x0F;
    memo.memo = {"Strana [PAGE#]", "P\xF8\xEDli\x9A"}; // "Příliš" in windows-1250
    FrfBytes::Memo font;
    font.style = 2;
    font.alignment = 2 | 0x08;
    b.memoObject(memo, font);
    return b;
}

void expectSmallReport(const FrfFile &f)
{
    EXPECT_TRUE(f.header.doublePass);
    EXPECT_EQ(f.header.printerName, QStringLiteral("HP LaserJet"));
    ASSERT_EQ(f.pages.size(), 1u);
    EXPECT_EQ(f.pages[0].margins[0], 36);
    ASSERT_EQ(f.objects.size(), 2u);
    const FrfObject &band = f.objects[0];
    EXPECT_EQ(band.type, 2);
    EXPECT_EQ(band.common.frameType, 2);
    EXPECT_EQ(band.common.height, 40);
    const FrfObject &memo = f.objects[1];
    EXPECT_EQ(memo.type, 0);
    EXPECT_EQ(memo.common.x, 48);
    EXPECT_EQ(memo.common.frameType, 0x0F);
    ASSERT_EQ(memo.common.memo.size(), 2);
    EXPECT_EQ(memo.common.memo[1], QByteArray("P\xF8\xEDli\x9A"));
    ASSERT_TRUE(memo.memo.has_value());
    EXPECT_EQ(memo.memo->font.name, QStringLiteral("Arial"));
    EXPECT_EQ(memo.memo->font.style, 2);
    EXPECT_EQ(memo.memo->alignment, 10);
}

TEST(FrfReader, EachVersionAndDialect)
{
    {
        SCOPED_TRACE("FR 2.2: zero-terminated strings, no names, six old page bytes");
        const FrfFile f = readFrf(smallReport(FrfBytes(22)).bytes);
        EXPECT_EQ(f.header.dialect, Dialect::Fr22);
        expectSmallReport(f);
        EXPECT_EQ(f.objects[0].common.name, QStringLiteral("Band1")); // generated, as FR did
        EXPECT_EQ(f.objects[1].common.name, QStringLiteral("Memo1"));
    }
    {
        SCOPED_TRACE("FreeReport 2.21.7: byte 23 over the 2.2 body with 32-bit lengths");
        FrfBytes b(22, 23);
        b.setCoding(FrfBytes::Coding::Length32);
        const FrfFile f = readFrf(smallReport(b).bytes);
        EXPECT_EQ(f.header.dialect, Dialect::FreeReport2217);
        EXPECT_EQ(f.header.versionByte, 23);
        expectSmallReport(f);
    }
    for (int version : {23, 24, 25}) {
        SCOPED_TRACE(version);
        const FrfFile f = readFrf(smallReport(FrfBytes(version)).bytes);
        EXPECT_EQ(f.header.version, version);
        expectSmallReport(f);
        EXPECT_EQ(f.objects[1].common.name, QStringLiteral("Memo1"));
        // From 2.4 on a record says where the next one starts; before, it has no such field.
        const qint64 fileSize = smallReport(FrfBytes(version)).bytes.size();
        if (version >= 24) {
            EXPECT_GT(f.objects[1].endOffset, 0);
            EXPECT_LE(f.objects[1].endOffset, fileSize);
        } else {
            EXPECT_EQ(f.objects[1].endOffset, -1);
        }
    }
    {
        SCOPED_TRACE("before the version byte: the header starts the file");
        const FrfFile f = readFrf(smallReport(FrfBytes(21, -1)).bytes);
        EXPECT_EQ(f.header.versionByte, 0);
        EXPECT_EQ(f.header.version, 21);
        expectSmallReport(f);
    }
    {
        SCOPED_TRACE("a report-level script before the header");
        FrfBytes b(24);
        b.raw(QByteArray("\xF0\xC0\x00", 3)).u32(5).raw("x:=1;");
        const FrfFile f = readFrf(smallReport(b).bytes);
        EXPECT_EQ(f.header.reportScript, QStringLiteral("x:=1;"));
        expectSmallReport(f);
    }
}

TEST(FrfReader, Version24PageAndObjectFields)
{
    FrfBytes b(24);
    b.header("\x01");
    FrfBytes::Page report;
    report.name = "Strana";
    report.script = {"begin", "end"};
    b.page(report);
    FrfBytes::Page dialog;
    dialog.dialog = true;
    dialog.name = "Dotaz";
    dialog.caption = "Zadejte";
    dialog.formWidth = 400;
    b.page(dialog);
    Common band;
    band.name = "Band1";
    band.hVersion = 2;
    band.lVersion = 1; // 21 > 20: the master's name follows
    band.bandAlign = 4;
    b.bandObject(band, 16);
    Common old;
    old.name = "Memo2";
    old.hVersion = 1; // no band-align byte
    old.tag = "[Tag]";
    b.memoObject(old);
    const FrfFile f = readFrf(b.bytes);
    ASSERT_EQ(f.pages.size(), 2u);
    EXPECT_EQ(f.pages[0].name, QStringLiteral("Strana"));
    EXPECT_EQ(f.pages[0].script, QStringList({QStringLiteral("begin"), QStringLiteral("end")}));
    EXPECT_EQ(f.pages[0].paperSize, 9);
    EXPECT_TRUE(f.pages[1].dialog);
    EXPECT_EQ(f.pages[1].caption, QStringLiteral("Zadejte"));
    EXPECT_EQ(f.pages[1].formWidth, 400);
    ASSERT_EQ(f.objects.size(), 2u);
    EXPECT_EQ(f.objects[0].common.bandAlign, 4);
    EXPECT_EQ(f.objects[1].common.tag, QStringLiteral("[Tag]"));
    EXPECT_EQ(f.objects[1].endOffset, b.pos());
}

// FreeReport's demo 1.FRF decoded by hand: the reader must land on the same offsets.
TEST(FrfReader, WorkedExampleVersion23)
{
    const QByteArray bytes = frfSample(QStringLiteral("FastReports-FreeReport/Demos/REPORTS/1.FRF"));
    ASSERT_EQ(bytes.size(), 645);
    const FrfFile f = readFrf(bytes, {ergotab::CodePage::Windows1251});
    EXPECT_TRUE(f.header.printToDefault);
    EXPECT_TRUE(f.header.doublePass);
    EXPECT_EQ(f.header.printerName, QStringLiteral("HP LaserJet 6L PCL on LPT1:"));
    ASSERT_EQ(f.pages.size(), 1u);
    EXPECT_EQ(f.pages[0].offset, 0x23);
    EXPECT_EQ(f.pages[0].paperWidth, 2101);
    EXPECT_EQ(f.pages[0].paperHeight, 2969);
    EXPECT_TRUE(f.pages[0].useMargins);
    ASSERT_EQ(f.objects.size(), 2u);
    const FrfObject &m = f.objects[0];
    EXPECT_EQ(m.offset, 0x4D);
    EXPECT_EQ(m.common.name, QStringLiteral("Memo3"));
    EXPECT_EQ(QList<int>({m.common.x, m.common.y, m.common.width, m.common.height}), QList<int>({16, 76, 196, 20}));
    EXPECT_EQ(m.common.flags, 2);
    EXPECT_EQ(m.common.frameType, 2);
    EXPECT_EQ(m.common.fillColor, 0x00FFFFFFu);
    EXPECT_EQ(m.common.format, 0x22Cu);
    EXPECT_EQ(m.common.memo, QList<QByteArray>({"Company"}));
    EXPECT_EQ(m.memo->font.size, 10);
    EXPECT_EQ(m.memo->font.style, 2);
    EXPECT_EQ(m.memo->font.color, 0x80u);
    EXPECT_EQ(m.memo->highlightStyle, 0xFF); // junk beside an empty condition
    EXPECT_TRUE(m.memo->highlightCondition.isEmpty());
    EXPECT_EQ(f.objects[1].offset, 0xB6);
    ASSERT_EQ(f.variables.size(), 7u);
    EXPECT_EQ(f.variables[1].name, QStringLiteral("Address"));
    EXPECT_EQ(f.variables[1].value, QStringLiteral("CustomerData.Customers.\"Addr1\""));
    EXPECT_EQ(f.variables[5].value, QStringLiteral("Count(CustomerData.Customers)"));
    EXPECT_EQ(f.variables[6].name, QStringLiteral("Страница"));
    EXPECT_EQ(f.variables[6].value, QStringLiteral("PAGE#"));
    EXPECT_EQ(f.variables[6].category, QStringLiteral("Все переменные"));
}

// The FR 2.53 demo 7.FRF (not redistributable) rebuilt from its decoded fields: the same
// offsets must come out.
TEST(FrfReader, WorkedExampleVersion24)
{
    FrfBytes b(24);
    b.u16(1).u16(0).str("HP LaserJet 1100 on LPT1:");
    ASSERT_EQ(b.pos(), 0x21);
    b.page(FrfBytes::Page());
    ASSERT_EQ(b.pos(), 0x75);
    Common title;
    title.name = "Band1";
    title.hVersion = 1;
    title.y = 44;
    title.width = 752;
    title.height = 44;
    title.fill = 0xFFFFFF;
    b.bandObject(title, 0);
    ASSERT_EQ(b.pos(), 0xD6);
    const FrfFile f = readFrf(b.bytes);
    ASSERT_EQ(f.objects.size(), 1u);
    EXPECT_EQ(f.objects[0].offset, 0x75);
    EXPECT_EQ(f.objects[0].endOffset, 0xD6);
    EXPECT_EQ(f.objects[0].common.gapX, 2);
    EXPECT_EQ(f.objects[0].band->columnWidth, 200);
}

TEST(FrfReader, VariablesInAllThreeConventions)
{
    // The old table and the tree of names.
    FrfBytes old(23);
    old.header().page(FrfBytes::Page());
    old.u8(0xFE).i32(2);
    old.u8(1).i32(0).u8(4).raw("Data").u8(5).raw("Jmeno").u8(5).raw("Jmeno");
    old.u8(2).i32(1).u8(0).u8(5).raw("[A]+1").u8(6).raw("Soucet");
    old.memo16({"Hlavni", " Jmeno", " Soucet"});
    // FR 2.4's dictionary: categories with a leading space, and the inverted convention.
    const auto dictionary = [](bool inverted) {
        FrfBytes b(24);
        b.header().page(FrfBytes::Page());
        b.u8(0xFE).u16(inverted ? 0xFFFF : 0xFFFE).i32(3);
        b.str16(inverted ? "Hlavni" : " Hlavni").str16("");
        b.str16(inverted ? " Jmeno" : "Jmeno").str16("Data.\"Jmeno\"");
        b.str16(inverted ? " Soucet" : "Soucet").str16("[A]+1");
        b.i32(0).i32(0);
        return b.bytes;
    };
    const std::vector<FrfVariable> expected {
        {QStringLiteral("Jmeno"), QStringLiteral("Data.\"Jmeno\""), QStringLiteral("Hlavni")},
        {QStringLiteral("Soucet"), QStringLiteral("[A]+1"), QStringLiteral("Hlavni")}};
    for (const QByteArray &bytes : {old.bytes, dictionary(false), dictionary(true)}) {
        FrfFile f;
        try {
            f = readFrf(bytes);
        } catch (const FrfDamaged &d) {
            FAIL() << d.offset << " " << qPrintable(d.what);
        }
        ASSERT_EQ(f.variables.size(), 2u);
        for (size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(f.variables[i].name, expected[i].name);
            EXPECT_EQ(f.variables[i].value, expected[i].value);
            EXPECT_EQ(f.variables[i].category, expected[i].category);
        }
    }
}

TEST(FrfReader, StopsAtTheDataManagerAndReadsReportInformation)
{
    FrfBytes b(23);
    b.header().page(FrfBytes::Page());
    b.u8(0xFD).raw("whatever the data manager wrote");
    const FrfFile f = readFrf(b.bytes);
    EXPECT_TRUE(f.dataManager);
    EXPECT_EQ(f.dataManagerOffset, b.pos() - 32);

    FrfBytes v25(25);
    v25.header().page(FrfBytes::Page());
    v25.u8(0xFC);
    for (const char *s : {"Komentář", "Jméno", "Autor", "1", "2", "3", "4", "AB"})
        v25.u16(int(qstrlen(s))).raw(s);
    v25.u8(88).u8(0).f64(45000.5).f64(45001.0);
    const FrfFile info = readFrf(v25.bytes);
    EXPECT_EQ(info.reportInfo.size(), 7);
    EXPECT_TRUE(info.reportInfo.contains(QStringLiteral("author=Autor")));
}

// Each damage gives its offset, never a crash or a guess.
TEST(FrfReader, RefusesDamagedAndForeignStreams)
{
    const auto failsAt = [](const QByteArray &bytes) -> qint64 {
        try {
            readFrf(bytes);
        } catch (const FrfDamaged &d) {
            EXPECT_FALSE(d.what.isEmpty());
            return d.offset;
        }
        return -1;
    };
    EXPECT_EQ(failsAt(QByteArray(1, char(27))), 0) << "LazReport's own versions";
    EXPECT_EQ(failsAt(QByteArray(1, char(40))), 0);

    FrfBytes wrongPage(23);
    wrongPage.header().page(FrfBytes::Page());
    const qint64 objectAt = wrongPage.pos();
    wrongPage.memoObject(Common(), FrfBytes::Memo(), 3);
    EXPECT_EQ(failsAt(wrongPage.bytes), objectAt) << "an object on a page the file does not have";

    FrfBytes pastEnd(24);
    pastEnd.header().page(FrfBytes::Page());
    const qint64 end = pastEnd.beginObject(0);
    pastEnd.common(Common()).memoPart(FrfBytes::Memo());
    pastEnd.patchI32(end, qint32(pastEnd.pos() + 100));
    EXPECT_EQ(failsAt(pastEnd.bytes), end) << "an end offset outside the file";

    FrfBytes shortEnd(24);
    shortEnd.header().page(FrfBytes::Page());
    const qint64 shortObject = shortEnd.pos();
    const qint64 field = shortEnd.beginObject(0);
    shortEnd.common(Common()).memoPart(FrfBytes::Memo());
    shortEnd.patchI32(field, qint32(shortEnd.pos() - 4));
    EXPECT_EQ(failsAt(shortEnd.bytes), shortObject) << "fields read past the object's own end";

    FrfBytes longString(23);
    longString.header();
    longString.bytes.chop(1 + 7); // the printer name's text and terminator
    longString.raw("Pr");
    EXPECT_GE(failsAt(longString.bytes), 5);

    FrfBytes tag(23);
    tag.header().page(FrfBytes::Page()).u8(0x42);
    EXPECT_EQ(failsAt(tag.bytes), tag.pos() - 1) << "an unknown record tag";

    FrfBytes negative(24);
    negative.header().page(FrfBytes::Page()).u8(0xFE).u16(0xFFFE).i32(-5);
    EXPECT_EQ(failsAt(negative.bytes), negative.pos() - 4);

    // A version 25 whose first object has another layout is LazReport's, not FR 2.5's.
    FrfBytes lazarus(25);
    lazarus.header().page(FrfBytes::Page());
    const qint64 lazObject = lazarus.pos();
    const qint64 lazEnd = lazarus.beginObject(0);
    lazarus.common(Common()).raw(QByteArray(3, '\x01'));
    lazarus.patchI32(lazEnd, qint32(lazarus.pos()));
    EXPECT_EQ(failsAt(lazarus.bytes), lazObject);
}

TEST(FrfReader, RecognisesItsStreams)
{
    EXPECT_TRUE(looksLikeFrf(frfSample(QStringLiteral("FastReports-FreeReport/Demos/REPORTS/1.FRF"))));
    EXPECT_TRUE(looksLikeFrf(FrfBytes(21, -1).header().bytes));
    EXPECT_FALSE(looksLikeFrf(QByteArray("<?xml version=\"1.0\"?><report/>")));
    EXPECT_FALSE(looksLikeFrf(QByteArray("PK\x03\x04 not a template")));
}

} // namespace
