#include "reportengine/render/RtfExport.h"
#include "SampleReport.h"
#include "reportengine/render/ReportExporter.h"
#include "tests/support/TempDir.h"

#include <QFileInfo>
#include <QRegularExpression>

using namespace ergotab::report;
using namespace ergotab::report::test;

namespace {

QByteArray rtfOf(const PreparedReport &report)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    RtfExport().write(report, buffer);
    return bytes;
}

// unrtf's HTML output, with its character references resolved by Python.
QString readByUnrtf(const QString &file)
{
    // unrtf writes the pictures it meets beside where it runs: the file's own folder.
    const QByteArray html =
        runTool(QStringLiteral("unrtf"), {QStringLiteral("--html"), file}, {}, QFileInfo(file).absolutePath());
    const QByteArray text = runTool(
        QStringLiteral(ERGOTAB_PYTHON),
        {QStringLiteral("-c"), QStringLiteral("import html, re, sys; t = sys.stdin.buffer.read().decode('utf-8'); "
                                              "t = re.sub(r'<br>', '\\n', t); t = re.sub(r'<[^>]*>', '', t); "
                                              "sys.stdout.buffer.write(html.unescape(t).encode('utf-8'))")},
        html);
    return QString::fromUtf8(text);
}

} // namespace

TEST(RtfExport, UnrtfReadsTheCzechTextsOfEveryPage)
{
    ergotab::test::TempDir dir;
    const QString file = dir.file(QStringLiteral("sestava.rtf"));
    exportReport(sampleReport(), file);
    const QString text = readByUnrtf(file);
    EXPECT_TRUE(text.contains(czechSentence)) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Riziko <3> & {kategorie} \\ \"4\""))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Opatření: tučně a kurzívou"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Druhá strana na šířku"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("alert"))) << text.toStdString();
}

TEST(RtfExport, TextIsCodePage1250WithUnicodeEscapesAndPagesHaveTheirPaper)
{
    PreparedReport report;
    PreparedPage page;
    page.items.push_back(textItem(QRectF(10, 20, 50, 10), QStringLiteral("Žluť {x}\\")));
    report.pages.push_back(page);
    page.sizeMm = QSizeF(297, 210);
    report.pages.push_back(page);
    const QByteArray rtf = rtfOf(report);

    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1250\\deff0\\uc1")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\fcharset238 DejaVu Sans;"));
    // Ž is U+017D (381) and 0x8E in code page 1250; ť is U+0165 (357) and 0x9D.
    EXPECT_TRUE(rtf.contains("\\u381\\'8elu\\u357\\'9d \\{x\\}\\\\\\par")) << rtf.constData();
    // A frame at 10 mm × 20 mm from the page's corner: 567 and 1134 twips, 50 × 10 mm in size.
    EXPECT_TRUE(rtf.contains("\\pvpg\\phpg\\posx567\\posy1134\\absw2835\\absh-567"));
    EXPECT_TRUE(rtf.contains("\\fs24")) << "12 pt in half points";
    // Two sections: A4 portrait, then A4 landscape.
    EXPECT_TRUE(rtf.contains("\\sectd\\sbkpage\\pgwsxn11906\\pghsxn16838"));
    EXPECT_TRUE(
        rtf.contains("\\sect\\sectd\\sbkpage\\pgwsxn16838\\pghsxn11906\\marglsxn0\\margrsxn0\\margtsxn0\\margbsxn0"
                     "\\lndscpsxn"));
    EXPECT_EQ(rtf.count("{"), rtf.count("}") - rtf.count("\\}") + rtf.count("\\{")) << "groups balance";
}

TEST(RtfExport, PicturesAreEmbeddedAsJpegAndShapesAsDrawingObjects)
{
    PreparedReport report;
    PreparedPage page;
    page.items.push_back(pictureItem(QRectF(10, 10, 40, 40)));         // a PNG, turned into JPEG
    page.items.push_back(pictureItem(QRectF(60, 10, 40, 40), "JPEG")); // kept byte for byte
    page.items.push_back(LineItem {QPointF(100, 100), QPointF(10, 120), 0.5, QColor(255, 0, 0), Qt::SolidLine});
    report.pages.push_back(page);
    const QByteArray rtf = rtfOf(report);

    const QRegularExpression pict(QStringLiteral("\\{\\\\pict\\\\jpegblip\\\\picw(\\d+)\\\\pich(\\d+)\\\\picwgoal(\\d+)"
                                                 "\\\\pichgoal(\\d+)\\n([0-9a-f\\n]+)\\}"));
    QList<QByteArray> jpegs;
    for (const QRegularExpressionMatch &m : pict.globalMatch(QString::fromLatin1(rtf))) {
        EXPECT_EQ(m.captured(1), QStringLiteral("40"));
        EXPECT_EQ(m.captured(2), QStringLiteral("20"));
        // Kept in proportion inside the 40 mm box: 40 × 20 mm.
        EXPECT_EQ(m.captured(3), QStringLiteral("2268"));
        EXPECT_EQ(m.captured(4), QStringLiteral("1134"));
        jpegs.append(QByteArray::fromHex(m.captured(5).remove(QLatin1Char('\n')).toLatin1()));
    }
    ASSERT_EQ(jpegs.size(), 2);
    for (const QByteArray &jpeg : jpegs) {
        EXPECT_TRUE(jpeg.startsWith("\xff\xd8\xff"));
        QImage decoded;
        ASSERT_TRUE(decoded.loadFromData(jpeg, "JPEG"));
        EXPECT_EQ(decoded.size(), QSize(40, 20));
        EXPECT_GT(qRed(decoded.pixel(5, 10)), 200);
        EXPECT_GT(qBlue(decoded.pixel(35, 10)), 200);
    }
    EXPECT_EQ(jpegs[1], pictureItem(QRectF(), "JPEG").encoded);
    // The line runs right to left and downwards: its box is flipped horizontally.
    EXPECT_TRUE(rtf.contains("\\shpleft567\\shptop5669\\shpright5669\\shpbottom6803"));
    EXPECT_TRUE(
        rtf.contains("{\\sp{\\sn shapeType}{\\sv 20}}{\\sp{\\sn fFlipH}{\\sv 1}}{\\sp{\\sn fFlipV}{\\sv 0}}"
                     "{\\sp{\\sn fLine}{\\sv 1}}{\\sp{\\sn lineColor}{\\sv 255}}{\\sp{\\sn lineWidth}{\\sv 18000}}"));
}
