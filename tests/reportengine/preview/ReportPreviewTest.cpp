#include "reportengine/preview/ReportPreview.h"
#include "reportengine/preview/PageThumbnails.h"
#include "reportengine/preview/PageView.h"
#include "reportengine/preview/TextSearch.h"
#include "reportengine/render/PreparedReportFile.h"
#include "tests/reportengine/render/SampleReport.h"
#include "tests/support/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QTest>
#include <QWheelEvent>

using namespace ergotab::report;
using namespace ergotab::report::test;

namespace {

// Three A4 pages with "strana N" near the top of each, a landscape fourth, and one word that
// occurs on pages 1 and 3 near their bottoms.
PreparedReport threePages()
{
    PreparedReport report;
    report.title = QStringLiteral("Zkouška");
    for (int i = 1; i <= 4; ++i) {
        PreparedPage page;
        if (i == 4)
            page.sizeMm = QSizeF(297, 210);
        page.items.push_back(textItem(QRectF(20, 20, 100, 10), QStringLiteral("strana %1").arg(i)));
        if (i % 2)
            page.items.push_back(textItem(QRectF(20, 180, 100, 10), QStringLiteral("Hluk kategorie 3")));
        report.pages.push_back(page);
    }
    return report;
}

class PreviewTest : public ::testing::Test
{
protected:
    PreviewTest()
        : preview(threePages())
    {
        QSettings().remove(QStringLiteral("ReportPreview/LastFolder"));
        preview.hooks().showError = [this](QWidget *, const QString &message) { errors.append(message); };
        preview.resize(900, 700);
        preview.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&preview));
    }

    void trigger(const char *name)
    {
        auto *action = preview.findChild<QAction *>(QLatin1String(name));
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }
    QString label(const char *name) { return preview.findChild<QLabel *>(QLatin1String(name))->text().trimmed(); }
    PageView *view() { return preview.pageView(); }
    QRect visibleContent()
    {
        return QRect(view()->horizontalScrollBar()->value(), view()->verticalScrollBar()->value(),
                     view()->viewport()->width(), view()->viewport()->height());
    }

    ReportPreview preview;
    QStringList errors;
    ergotab::test::TempDir dir;
};

} // namespace

TEST(TextSearch, FindsTextAndRichTextWithoutMindingCase)
{
    const std::vector<TextHit> hits = findText(sampleReport(), QStringLiteral("KŮŇ"));
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].page, 0);
    EXPECT_EQ(hits[0].rectMm, QRectF(20, 20, 170, 12));
    const std::vector<TextHit> rich = findText(sampleReport(), QStringLiteral("tučně a kurzívou"));
    ASSERT_EQ(rich.size(), 1u);
    EXPECT_EQ(rich[0].rectMm, QRectF(100, 100, 90, 40));
    EXPECT_TRUE(findText(sampleReport(), QStringLiteral("   ")).empty());
    EXPECT_EQ(findText(sampleReport(), QStringLiteral("strana")).size(), 1u);
}

TEST_F(PreviewTest, ZoomFitsTheWholePageThePageWidthOrShowsRealSize)
{
    EXPECT_EQ(preview.objectName(), QStringLiteral("TPreviewForm"));
    // Without the thumbnails the landscape page leaves the height to decide the whole page.
    trigger("PreviewThumbnailsShown");
    trigger("PreviewWholePage");
    const QRect viewport = view()->viewport()->rect();
    QRectF page = view()->pageRect(0);
    EXPECT_LE(page.height(), viewport.height());
    EXPECT_GT(page.height(), viewport.height() - 40);

    trigger("PreviewPageWidth");
    page = view()->pageRect(3); // the landscape page is the widest
    EXPECT_LE(page.width(), viewport.width());
    EXPECT_GT(page.width(), viewport.width() - 60);

    trigger("PreviewActualSize");
    EXPECT_NEAR(view()->pageRect(0).width(), 210 / 25.4 * view()->logicalDpiX(), 1.0);
    EXPECT_EQ(label("PreviewZoom"), QStringLiteral("100 %"));

    // Ctrl+wheel zooms in by a tenth a notch, a plain wheel only scrolls.
    QWheelEvent wheel(QPointF(100, 100), view()->mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, 240), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view()->viewport(), &wheel);
    EXPECT_NEAR(view()->zoomFactor(), 1.21, 1e-9);
    EXPECT_EQ(label("PreviewZoom"), QStringLiteral("121 %"));
}

TEST_F(PreviewTest, PagesAreReachedByButtonsKeysAndTheNumberBox)
{
    trigger("PreviewActualSize");
    EXPECT_EQ(label("PreviewPageCount"), QStringLiteral("z 4"));
    auto *number = preview.findChild<QSpinBox *>(QStringLiteral("PreviewPageNumber"));
    EXPECT_EQ(number->value(), 1);
    trigger("PreviewNextPage");
    EXPECT_EQ(view()->currentPage(), 1);
    EXPECT_EQ(number->value(), 2);
    trigger("PreviewLastPage");
    EXPECT_EQ(view()->currentPage(), 3);
    trigger("PreviewPreviousPage");
    EXPECT_EQ(view()->currentPage(), 2);
    trigger("PreviewFirstPage");
    EXPECT_EQ(view()->currentPage(), 0);

    QTest::keyClick(view(), Qt::Key_PageDown);
    EXPECT_EQ(view()->currentPage(), 1);
    QTest::keyClick(view(), Qt::Key_End);
    EXPECT_EQ(view()->currentPage(), 3);
    QTest::keyClick(view(), Qt::Key_PageUp);
    EXPECT_EQ(view()->currentPage(), 2);
    QTest::keyClick(view(), Qt::Key_Home);
    EXPECT_EQ(view()->currentPage(), 0);

    number->setValue(3);
    EXPECT_EQ(view()->currentPage(), 2);
    EXPECT_TRUE(visibleContent().intersects(view()->pageRect(2).toRect()));
}

TEST_F(PreviewTest, ThumbnailsFollowThePageInViewAndChooseOne)
{
    trigger("PreviewActualSize");
    PageThumbnails *thumbnails = preview.thumbnails();
    ASSERT_EQ(thumbnails->count(), 4);
    EXPECT_TRUE(thumbnails->isVisible());
    EXPECT_EQ(thumbnails->currentRow(), 0);
    // The landscape page's picture is lower than the others.
    EXPECT_LT(thumbnails->visualItemRect(thumbnails->item(3)).height(),
              thumbnails->visualItemRect(thumbnails->item(0)).height());

    trigger("PreviewLastPage");
    EXPECT_EQ(thumbnails->currentRow(), 3);
    thumbnails->setCurrentRow(1);
    EXPECT_EQ(view()->currentPage(), 1);
    EXPECT_TRUE(visibleContent().intersects(view()->pageRect(1).toRect()));

    // The thumbnail picture is the page itself: its text darkens the white paper.
    QImage picture = thumbnails->viewport()->grab(thumbnails->visualItemRect(thumbnails->item(0))).toImage();
    int dark = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            dark += qGray(picture.pixel(x, y)) < 128;
    EXPECT_GT(dark, 0);

    trigger("PreviewThumbnailsShown");
    EXPECT_FALSE(thumbnails->isVisible());
}

TEST_F(PreviewTest, FindHighlightsEachHitInTurnAndScrollsToIt)
{
    trigger("PreviewActualSize");
    auto *find = preview.findChild<QLineEdit *>(QStringLiteral("PreviewFindText"));
    find->setText(QStringLiteral("hluk kategorie"));
    trigger("PreviewFindNext");
    EXPECT_EQ(label("PreviewFindStatus"), QStringLiteral("1 z 2"));
    const auto hitRect = [&](int page) {
        const double scale = view()->pageRect(page).width() / 210.0;
        return QRectF(view()->pageRect(page).topLeft() + QPointF(20, 180) * scale, QSizeF(100, 10) * scale).toRect();
    };
    EXPECT_TRUE(visibleContent().contains(hitRect(0)));
    trigger("PreviewFindNext");
    EXPECT_EQ(label("PreviewFindStatus"), QStringLiteral("2 z 2"));
    EXPECT_TRUE(visibleContent().contains(hitRect(2)));
    EXPECT_EQ(view()->currentPage(), 2);
    trigger("PreviewFindNext"); // round to the first again
    EXPECT_EQ(label("PreviewFindStatus"), QStringLiteral("1 z 2"));
    trigger("PreviewFindPrevious");
    EXPECT_EQ(label("PreviewFindStatus"), QStringLiteral("2 z 2"));

    // The highlight is painted over the hit.
    const QImage shot = view()->viewport()->grab().toImage();
    const QPoint inHit = hitRect(2).translated(-visibleContent().topLeft()).center() + QPoint(0, 0);
    const QColor colour = shot.pixelColor(inHit * shot.devicePixelRatio());
    EXPECT_GT(colour.red(), colour.blue() + 40) << colour.name().toStdString();

    find->setText(QStringLiteral("není tam"));
    trigger("PreviewFindNext");
    EXPECT_EQ(label("PreviewFindStatus"), QStringLiteral("Nenalezeno"));
}

TEST_F(PreviewTest, SavesInEveryFormatAndOpensThePreparedReportAgain)
{
    const struct
    {
        const char *name;
        const char *filter;
        const char *file;
    } saves[] = {{"sestava", "Dokument PDF (*.pdf)", "sestava.pdf"},
                 {"sestava.rtf", "Dokument PDF (*.pdf)", "sestava.rtf"}, // a typed extension wins
                 {"sestava", "Stránka HTML (*.html *.htm)", "sestava.html"},
                 {"sestava", "Připravená sestava (*.frp)", "sestava.frp"}};
    for (const auto &save : saves) {
        preview.hooks().saveFileName = [&](QWidget *, const QString &, QString *filter) {
            *filter = QString::fromUtf8(save.filter);
            return dir.file(QString::fromUtf8(save.name));
        };
        trigger("PreviewSave");
        EXPECT_TRUE(QFile::exists(dir.file(QString::fromUtf8(save.file)))) << save.file;
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
    const QString pdfText = QString::fromUtf8(
        runTool(QStringLiteral("pdftotext"), {dir.file(QStringLiteral("sestava.pdf")), QStringLiteral("-")}));
    EXPECT_TRUE(pdfText.contains(QStringLiteral("strana 4")));
    // The last folder is remembered for the next dialog.
    QString askedIn;
    preview.hooks().openFileName = [&](QWidget *, const QString &folder) {
        askedIn = folder;
        return dir.file(QStringLiteral("sestava.frp"));
    };

    // Open a different report first, so opening the saved one is seen to replace it.
    PreparedReport other;
    other.title = QStringLiteral("Jiná");
    other.pages.resize(1);
    exportReport(other, dir.file(QStringLiteral("jina.frp")));
    preview.hooks().openFileName = [&](QWidget *, const QString &folder) {
        askedIn = folder;
        return dir.file(QStringLiteral("jina.frp"));
    };
    trigger("PreviewOpen");
    EXPECT_EQ(askedIn, dir.path());
    EXPECT_EQ(preview.report().pages.size(), 1u);
    EXPECT_EQ(label("PreviewPageCount"), QStringLiteral("z 1"));
    EXPECT_EQ(preview.windowTitle(), QStringLiteral("Náhled sestavy – Jiná"));

    preview.hooks().openFileName = [&](QWidget *, const QString &) { return dir.file(QStringLiteral("sestava.frp")); };
    trigger("PreviewOpen");
    EXPECT_EQ(preview.report().pages.size(), 4u);
    EXPECT_EQ(preview.windowTitle(), QStringLiteral("Náhled sestavy – Zkouška"));

    // A damaged file is refused with a message and the report shown stays.
    ergotab::test::TempDir::write(dir.file(QStringLiteral("vadna.frp")), QByteArrayLiteral("ERGOTFRP\x01"));
    preview.hooks().openFileName = [&](QWidget *, const QString &) { return dir.file(QStringLiteral("vadna.frp")); };
    trigger("PreviewOpen");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("vadna.frp")));
    EXPECT_EQ(preview.report().pages.size(), 4u);
}

TEST_F(PreviewTest, PrintsEveryPageOrTheRangeChosenOnPapersOfTheirSize)
{
    const auto printTo = [&](const QString &file, int from, int to) {
        preview.hooks().choosePrinter = [=](QWidget *, QPrinter &printer, int pageCount) {
            EXPECT_EQ(pageCount, 4);
            EXPECT_EQ(printer.copyCount(), 1);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
            if (from > 0) {
                printer.setPrintRange(QPrinter::PageRange);
                printer.setFromTo(from, to);
            }
            return true;
        };
        trigger("PreviewPrint");
        return QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {QStringLiteral("-l"), QStringLiteral("9"), file}));
    };
    const QString all = printTo(dir.file(QStringLiteral("vse.pdf")), 0, 0);
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("Pages:\\s+4\\n")))) << all.toStdString();
    EXPECT_TRUE(all.contains(QRegularExpression(QStringLiteral("Page\\s+4 size:\\s+84[12](\\.\\d+)? x 595"))))
        << all.toStdString();
    const QString range = printTo(dir.file(QStringLiteral("rozsah.pdf")), 2, 3);
    EXPECT_TRUE(range.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n")))) << range.toStdString();
    const QString text = QString::fromUtf8(
        runTool(QStringLiteral("pdftotext"), {dir.file(QStringLiteral("rozsah.pdf")), QStringLiteral("-")}));
    EXPECT_FALSE(text.contains(QStringLiteral("strana 1")));
    EXPECT_TRUE(text.contains(QStringLiteral("strana 2")));
    EXPECT_TRUE(text.contains(QStringLiteral("strana 3")));

    // Cancelling the print dialog prints nothing.
    preview.hooks().choosePrinter = [](QWidget *, QPrinter &, int) { return false; };
    trigger("PreviewPrint");
    EXPECT_TRUE(errors.isEmpty());
}
