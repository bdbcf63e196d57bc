#include "reportengine/render/PreparedReportFile.h"
#include "SampleReport.h"
#include "reportengine/render/ReportExporter.h"
#include "storage/AppError.h"
#include "tests/support/TempDir.h"

#include <QtEndian>

using namespace ergotab::report;
using namespace ergotab::report::test;
using ergotab::AppError;

namespace {

bool sameFrame(const FrameStyle &a, const FrameStyle &b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom && a.widthMm == b.widthMm &&
           a.color == b.color && a.style == b.style;
}

// Compares two reports item by item, field by field.
void expectSameReport(const PreparedReport &a, const PreparedReport &b)
{
    EXPECT_EQ(a.title, b.title);
    ASSERT_EQ(a.pages.size(), b.pages.size());
    for (std::size_t p = 0; p < a.pages.size(); ++p) {
        EXPECT_EQ(a.pages[p].sizeMm, b.pages[p].sizeMm);
        ASSERT_EQ(a.pages[p].items.size(), b.pages[p].items.size());
        for (std::size_t i = 0; i < a.pages[p].items.size(); ++i) {
            const PreparedItem &x = a.pages[p].items[i];
            const PreparedItem &y = b.pages[p].items[i];
            ASSERT_EQ(x.index(), y.index()) << "page " << p << " item " << i;
            if (const auto *t = std::get_if<TextItem>(&x)) {
                const auto &u = std::get<TextItem>(y);
                EXPECT_EQ(t->rect, u.rect);
                EXPECT_EQ(t->text, u.text);
                EXPECT_EQ(t->font, u.font);
                EXPECT_EQ(t->color, u.color);
                EXPECT_EQ(t->fill, u.fill);
                EXPECT_EQ(t->alignment, u.alignment);
                EXPECT_EQ(t->wordWrap, u.wordWrap);
                EXPECT_EQ(t->rotation, u.rotation);
                EXPECT_TRUE(sameFrame(t->frame, u.frame));
            } else if (const auto *l = std::get_if<LineItem>(&x)) {
                const auto &m = std::get<LineItem>(y);
                EXPECT_EQ(l->from, m.from);
                EXPECT_EQ(l->to, m.to);
                EXPECT_EQ(l->widthMm, m.widthMm);
                EXPECT_EQ(l->color, m.color);
                EXPECT_EQ(l->style, m.style);
            } else if (const auto *s = std::get_if<ShapeItem>(&x)) {
                const auto &t2 = std::get<ShapeItem>(y);
                EXPECT_EQ(s->shape, t2.shape);
                EXPECT_EQ(s->rect, t2.rect);
                EXPECT_EQ(s->fill, t2.fill);
                EXPECT_EQ(s->stroke, t2.stroke);
                EXPECT_EQ(s->strokeWidthMm, t2.strokeWidthMm);
                EXPECT_EQ(s->cornerRadiusMm, t2.cornerRadiusMm);
            } else if (const auto *im = std::get_if<ImageItem>(&x)) {
                const auto &jm = std::get<ImageItem>(y);
                EXPECT_EQ(im->rect, jm.rect);
                EXPECT_EQ(im->encoded, jm.encoded);
                EXPECT_EQ(im->format, jm.format);
                EXPECT_EQ(im->image.convertToFormat(QImage::Format_RGB32),
                          jm.image.convertToFormat(QImage::Format_RGB32));
                EXPECT_EQ(im->keepAspectRatio, jm.keepAspectRatio);
                EXPECT_EQ(im->center, jm.center);
                EXPECT_EQ(im->stretch, jm.stretch);
            } else {
                const auto &r = std::get<RichTextItem>(x);
                const auto &q = std::get<RichTextItem>(y);
                EXPECT_EQ(r.rect, q.rect);
                EXPECT_EQ(r.html, q.html);
                EXPECT_EQ(r.fill, q.fill);
                EXPECT_TRUE(sameFrame(r.frame, q.frame));
            }
        }
    }
}

QString loadError(const QByteArray &bytes)
{
    try {
        PreparedReportFile::fromBytes(bytes, QStringLiteral("/data/sestava.frp"));
    } catch (const AppError &error) {
        return error.message();
    }
    return {};
}

} // namespace

TEST(PreparedReportFile, SavedReportLoadsBackItemForItem)
{
    PreparedReport report = sampleReport();
    auto &text = std::get<TextItem>(report.pages[0].items[1]);
    text.alignment = Qt::AlignRight | Qt::AlignBottom;
    text.wordWrap = false;
    text.color = QColor(10, 20, 30, 40);
    text.font.setItalic(true);
    auto &picture = std::get<ImageItem>(report.pages[0].items[10]);
    picture.center = false;
    picture.stretch = false;
    report.pages[1].items.push_back(LineItem {QPointF(1, 2), QPointF(3, 4), 0.3, QColor(1, 2, 3), Qt::DashDotLine});
    // A picture known only decoded is stored as PNG.
    ImageItem decodedOnly = pictureItem(QRectF(5, 5, 10, 10));
    decodedOnly.encoded.clear();
    decodedOnly.format.clear();
    report.pages[1].items.push_back(decodedOnly);

    ergotab::test::TempDir dir;
    const QString file = dir.file(QStringLiteral("sestava.frp"));
    exportReport(report, file);
    const PreparedReport loaded = PreparedReportFile::load(file);
    std::get<ImageItem>(report.pages[1].items.back()).format = "PNG";
    std::get<ImageItem>(report.pages[1].items.back()).encoded =
        std::get<ImageItem>(loaded.pages[1].items.back()).encoded;
    expectSameReport(report, loaded);
    // Saving what was loaded gives the same bytes.
    EXPECT_EQ(PreparedReportFile::toBytes(loaded), ergotab::test::TempDir::read(file));
}

TEST(PreparedReportFile, HeaderAndFirstItemAreTheDocumentedBytes)
{
    PreparedReport report;
    report.title = QStringLiteral("Ž");
    PreparedPage page;
    page.sizeMm = QSizeF(100, 50);
    page.items.push_back(LineItem {QPointF(1, 2), QPointF(3, 4), 0.5, QColor(255, 0, 0), Qt::DashLine});
    report.pages.push_back(page);
    const QByteArray bytes = PreparedReportFile::toBytes(report);

    QByteArray expected("ERGOTFRP\x01\x00\x00\x00", 12);
    const auto u32 = [](quint32 v) {
        QByteArray b(4, '\0');
        qToLittleEndian(v, b.data());
        return b;
    };
    const auto f64 = [](double v) {
        QByteArray b(8, '\0');
        qToLittleEndian(v, b.data());
        return b;
    };
    QByteArray body = u32(2) + QByteArray("\xc5\xbd")        // the title in UTF-8
                      + u32(0) + u32(0)                      // no fonts, no pictures
                      + u32(1) + f64(100) + f64(50) + u32(1) // one page of 100 x 50 mm, one item
                      + QByteArray(1, '\x02')                // a line
                      + f64(1) + f64(2) + f64(3) + f64(4) + f64(0.5) + u32(0xffff0000) + QByteArray(1, '\x02');
    expected += u32(quint32(body.size())) + body;
    EXPECT_EQ(bytes.toHex(' '), expected.toHex(' '));
    // 0.5 as an IEEE double, little-endian, so the layout above is what it claims.
    EXPECT_EQ(f64(0.5), QByteArray("\x00\x00\x00\x00\x00\x00\xe0\x3f", 8));
}

TEST(PreparedReportFile, DamagedFilesAreRefusedWithTheFileNamed)
{
    const QByteArray good = PreparedReportFile::toBytes(sampleReport());
    ASSERT_NO_THROW(PreparedReportFile::fromBytes(good, QStringLiteral("x.frp")));

    EXPECT_EQ(loadError(QByteArrayLiteral("%PDF-1.4 not ours")),
              QStringLiteral("Soubor „/data/sestava.frp“ není připravená sestava."));
    QByteArray newer = good;
    newer[8] = 2;
    EXPECT_TRUE(loadError(newer).contains(QStringLiteral("verze 2"))) << loadError(newer).toStdString();

    // Every cut, at every length, is found.
    for (qsizetype length = 0; length < good.size(); ++length) {
        const QString message = loadError(good.left(length));
        ASSERT_TRUE(message.startsWith(QStringLiteral("Soubor „/data/sestava.frp“"))) << length;
    }
    // Bytes added after the last page.
    EXPECT_FALSE(loadError(good + QByteArray(4, '\0')).isEmpty());

    // A body that claims a billion pages, and lengths that point past the end, with the
    // header's length mended so only the inner numbers are wrong.
    const auto withBody = [&](QByteArray body) {
        QByteArray file = good.left(12);
        QByteArray length(4, '\0');
        qToLittleEndian(quint32(body.size()), length.data());
        return file + length + body;
    };
    const QByteArray hugeCount = withBody(QByteArray("\0\0\0\0"
                                                     "\0\0\0\0"
                                                     "\0\0\0\0"
                                                     "\0\xca\x9a\x3b",
                                                     16));
    EXPECT_TRUE(loadError(hugeCount).contains(QStringLiteral("neplatný počet záznamů")))
        << loadError(hugeCount).toStdString();
    const QByteArray longTitle = withBody(QByteArray("\xff\xff\xff\x7f"
                                                     "abc",
                                                     7));
    EXPECT_TRUE(loadError(longTitle).contains(QStringLiteral("neplatná délka textu")))
        << loadError(longTitle).toStdString();

    // Flipping any single byte of the body never crashes: it loads or is refused.
    for (qsizetype i = PreparedReportFile::headerSize; i < good.size(); ++i) {
        QByteArray damaged = good;
        damaged[i] = char(damaged[i] ^ 0xa5);
        try {
            PreparedReportFile::fromBytes(damaged, QStringLiteral("x.frp"));
        } catch (const AppError &) {
        }
    }
}

TEST(ReportExporter, FormatIsChosenByExtensionAndFailuresLeaveNoFile)
{
    ergotab::test::TempDir dir;
    for (const char *name : {"a.PDF", "b.html", "c.Htm", "d.rtf", "e.FRP"})
        EXPECT_NO_THROW(exporterForFile(dir.file(QLatin1String(name)))) << name;
    try {
        exportReport(sampleReport(), dir.file(QStringLiteral("sestava.docx")));
        ADD_FAILURE() << "no error for an unknown extension";
    } catch (const AppError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("sestava.docx")));
    }
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("sestava.docx"))));
    EXPECT_THROW(exportReport(sampleReport(), dir.file(QStringLiteral("chybi/sestava.pdf"))), AppError);
    EXPECT_EQ(exportDialogFilter(), QStringLiteral("Připravená sestava (*.frp);;Dokument PDF (*.pdf);;"
                                                   "Stránka HTML (*.html *.htm);;Dokument RTF (*.rtf)"));
    EXPECT_THROW(PreparedReportFile::load(dir.file(QStringLiteral("neni.frp"))), AppError);
}
