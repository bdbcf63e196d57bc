#include "reportengine/render/PdfExport.h"
#include "SampleReport.h"
#include "reportengine/render/ReportExporter.h"
#include "tests/support/TempDir.h"

#include <QRegularExpression>

using namespace ergotab::report;
using namespace ergotab::report::test;

namespace {

QString pdfInfo(const QString &file)
{
    return QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                                 QStringLiteral("-l"), QStringLiteral("99"), file}));
}

} // namespace

TEST(PdfExport, CzechTextIsSearchableAndEveryPageHasItsOwnPaper)
{
    ergotab::test::TempDir dir;
    const QString file = dir.file(QStringLiteral("sestava.pdf"));
    exportReport(sampleReport(), file);

    const QString info = pdfInfo(file);
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Title:           Kategorizace prací"))) << info.toStdString();
    // Portrait A4 first, landscape A4 second, in points.
    EXPECT_TRUE(
        info.contains(QRegularExpression(QStringLiteral("Page\\s+1 size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts"))))
        << info.toStdString();
    EXPECT_TRUE(
        info.contains(QRegularExpression(QStringLiteral("Page\\s+2 size:\\s+84[12](\\.\\d+)? x 595(\\.\\d+)? pts"))))
        << info.toStdString();

    const QString text = QString::fromUtf8(runTool(QStringLiteral("pdftotext"), {file, QStringLiteral("-")}));
    EXPECT_TRUE(text.contains(czechSentence)) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Riziko <3> & {kategorie} \\ \"4\""))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Opatření: tučně a kurzívou"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("alert"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Druhá strana na šířku"))) << text.toStdString();
    const QString rotated = QString::fromUtf8(
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), QStringLiteral("-f"), QStringLiteral("1"),
                                              QStringLiteral("-l"), QStringLiteral("1"), file, QStringLiteral("-")}));
    // Text turned upright is read word by word, one word a line.
    EXPECT_TRUE(rotated.simplified().contains(QStringLiteral("Svisle psaný text"))) << rotated.toStdString();

    // Every font is embedded (pdffonts prints "yes" in the emb column).
    const QStringList fonts =
        QString::fromUtf8(runTool(QStringLiteral("pdffonts"), {file})).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GT(fonts.size(), 2);
    for (qsizetype i = 2; i < fonts.size(); ++i)
        EXPECT_TRUE(fonts[i].contains(QRegularExpression(QStringLiteral("\\s+yes\\s+(yes|no)\\s+(yes|no)\\s+\\d+"))))
            << fonts[i].toStdString();
}

// Words with "fi" and "fl" are found as written, not as ligature glyphs, with Czech letters
// beside them intact.
TEST(PdfExport, LettersThatFontsJoinStaySeparateLetters)
{
    PreparedReport report;
    PreparedPage page;
    page.sizeMm = QSizeF(210, 297);
    const QString words = QStringLiteral("kvalifikace filtr fluktuace šífl účinnost");
    for (const QString &family : {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Serif")}) {
        TextItem item = textItem(QRectF(20, 20 + 20 * page.items.size(), 170, 10), words, 12);
        item.font.setFamily(family);
        page.items.push_back(item);
    }
    report.pages.push_back(page);
    ergotab::test::TempDir dir;
    const QString file = dir.file(QStringLiteral("slova.pdf"));
    exportReport(report, file);
    const QString text = QString::fromUtf8(runTool(QStringLiteral("pdftotext"), {file, QStringLiteral("-")}));
    EXPECT_EQ(text.count(words), 2) << text.toStdString();
}

TEST(PdfExport, ReportWithoutPagesGivesOneBlankPageAndCustomPaperIsKept)
{
    ergotab::test::TempDir dir;
    const QString empty = dir.file(QStringLiteral("prazdna.pdf"));
    exportReport(PreparedReport {}, empty);
    EXPECT_TRUE(pdfInfo(empty).contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));

    PreparedReport label;
    PreparedPage page;
    page.sizeMm = QSizeF(100, 50); // a label: wider than tall, no standard size
    page.items.push_back(textItem(QRectF(5, 5, 90, 10), QStringLiteral("Štítek")));
    label.pages.push_back(page);
    const QString file = dir.file(QStringLiteral("stitek.pdf"));
    exportReport(label, file);
    const QString info = pdfInfo(file);
    // 100 x 50 mm = 283.46 x 141.73 pt
    EXPECT_TRUE(
        info.contains(QRegularExpression(QStringLiteral("Page\\s+1 size:\\s+283(\\.\\d+)? x 14[12](\\.\\d+)? pts"))))
        << info.toStdString();
}

TEST(PdfExport, PicturesAreStoredOncePerDistinctImage)
{
    PreparedReport report;
    PreparedPage page;
    const ImageItem picture = pictureItem(QRectF(10, 10, 50, 50));
    for (int i = 0; i < 30; ++i) {
        ImageItem copy = picture;
        copy.rect.translate(0, i * 2);
        page.items.push_back(copy);
    }
    report.pages.assign(3, page);
    ergotab::test::TempDir dir;
    const QString file = dir.file(QStringLiteral("obrazky.pdf"));
    exportReport(report, file);
    const QStringList images = QString::fromUtf8(runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), file}))
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // Two header lines, then one line per placement; all placements share one object number.
    ASSERT_EQ(images.size(), 2 + 90);
    QSet<QString> objects;
    for (qsizetype i = 2; i < images.size(); ++i)
        objects.insert(images[i].simplified().section(QLatin1Char(' '), 10, 10));
    EXPECT_EQ(objects.size(), 1);
}
