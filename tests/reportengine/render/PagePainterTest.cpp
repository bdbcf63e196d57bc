#include "reportengine/render/PagePainter.h"
#include "SampleReport.h"

using namespace ergotab::report;
using namespace ergotab::report::test;

namespace {

// A page of `size` millimetres painted at `pixelsPerMm` onto a white image.
QImage paintPage(const PreparedPage &page, double pixelsPerMm)
{
    QImage image(qRound(page.sizeMm.width() * pixelsPerMm), qRound(page.sizeMm.height() * pixelsPerMm),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PagePainter pagePainter;
    pagePainter.paint(painter, page, QRectF(0, 0, image.width(), image.height()));
    return image;
}

// The smallest rectangle holding every pixel darker than mid grey.
QRect inkBounds(const QImage &image, const QRect &area)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

PreparedPage smallPage()
{
    PreparedPage page;
    page.sizeMm = QSizeF(100, 100);
    return page;
}

} // namespace

TEST(PagePainter, FillsFramesLinesAndShapesLandWhereTheirMillimetresSay)
{
    PreparedPage page = smallPage();
    TextItem box = textItem(QRectF(10, 10, 30, 20), QString());
    box.fill = QColor(255, 0, 0);
    box.frame = {true, false, false, true, 1.0, QColor(0, 0, 255), Qt::SolidLine};
    page.items.push_back(box);
    page.items.push_back(LineItem {QPointF(50, 50), QPointF(90, 50), 1.0, QColor(0, 128, 0), Qt::SolidLine});
    ShapeItem ellipse;
    ellipse.shape = ShapeItem::Shape::Ellipse;
    ellipse.rect = QRectF(50, 60, 40, 30);
    ellipse.fill = QColor(0, 0, 0);
    ellipse.stroke = Qt::transparent;
    page.items.push_back(ellipse);

    for (double scale : {2.0, 5.0}) {
        const QImage image = paintPage(page, scale);
        const auto at = [&](double xMm, double yMm) { return QColor(image.pixel(int(xMm * scale), int(yMm * scale))); };
        EXPECT_EQ(at(25, 20), QColor(255, 0, 0)) << scale;
        EXPECT_EQ(at(10.1, 20), QColor(0, 0, 255)) << "left frame side at " << scale;
        EXPECT_EQ(at(25, 29.9), QColor(0, 0, 255)) << "bottom frame side at " << scale;
        EXPECT_EQ(at(25, 9), QColor(Qt::white)) << "no top side at " << scale;
        EXPECT_EQ(at(70, 50), QColor(0, 128, 0)) << scale;
        EXPECT_EQ(at(70, 75), QColor(0, 0, 0)) << "ellipse centre at " << scale;
        EXPECT_EQ(at(51, 61), QColor(Qt::white)) << "ellipse corner stays empty at " << scale;
    }
}

TEST(PagePainter, TextHasItsPointSizeAtEveryZoomAndRotatedTextRunsUpwards)
{
    PreparedPage page = smallPage();
    // 36 pt = 12.7 mm: the capital H is about 0.73 of that in DejaVu Sans.
    TextItem text = textItem(QRectF(10, 10, 80, 20), QStringLiteral("HHHH"), 36);
    page.items.push_back(text);
    TextItem rotated = textItem(QRectF(10, 40, 20, 55), QStringLiteral("HHHH"), 36);
    rotated.rotation = 90;
    page.items.push_back(rotated);

    for (double scale : {1.0, 4.0, 10.0}) {
        const QImage image = paintPage(page, scale);
        const QRect plain = inkBounds(image, QRect(0, 0, image.width(), int(35 * scale)));
        const double capHeightMm = plain.height() / scale;
        EXPECT_NEAR(capHeightMm, 12.7 * 0.73, 0.8) << scale;
        EXPECT_NEAR(plain.left() / scale, 10.0, 2.0) << scale;
        const QRect upright = inkBounds(image, QRect(0, int(36 * scale), image.width(), int(63 * scale)));
        // Turned by 90 degrees, the same text is as wide as the upright one is tall.
        EXPECT_NEAR(upright.width() / scale, capHeightMm, 0.8) << scale;
        EXPECT_NEAR(upright.height() / scale, plain.width() / scale, 1.0) << scale;
        EXPECT_GT(upright.top() / scale, 40.0) << scale;
    }
}

TEST(PagePainter, PicturesKeepTheirProportionsCentredOrAreStretched)
{
    PreparedPage page = smallPage();
    // The picture is 2:1 (red left half, blue right half) in a square box.
    ImageItem kept = pictureItem(QRectF(0, 0, 40, 40));
    page.items.push_back(kept);
    ImageItem stretched = pictureItem(QRectF(50, 0, 40, 40));
    stretched.keepAspectRatio = false;
    page.items.push_back(stretched);
    ImageItem natural = pictureItem(QRectF(0, 50, 5, 5)); // its own size, clipped to the box
    natural.stretch = false;
    natural.center = false;
    page.items.push_back(natural);

    const double scale = 4;
    const QImage image = paintPage(page, scale);
    const auto at = [&](double xMm, double yMm) { return QColor(image.pixel(int(xMm * scale), int(yMm * scale))); };
    EXPECT_EQ(at(20, 5), QColor(Qt::white)) << "band above a centred picture";
    EXPECT_EQ(at(10, 20), QColor(255, 0, 0));
    EXPECT_EQ(at(30, 20), QColor(0, 0, 255));
    EXPECT_EQ(at(20, 35), QColor(Qt::white)) << "band below a centred picture";
    EXPECT_EQ(at(60, 2), QColor(255, 0, 0)) << "stretched to the box's top";
    EXPECT_EQ(at(80, 38), QColor(0, 0, 255)) << "stretched to the box's bottom";
    EXPECT_EQ(at(2, 52), QColor(255, 0, 0));
    EXPECT_EQ(at(7, 52), QColor(Qt::white)) << "clipped to its box";
}

TEST(PagePainter, RichTextIsSizedLikePlainTextAndDrawnInsideItsBox)
{
    PreparedPage page = smallPage();
    page.items.push_back(textItem(QRectF(10, 10, 80, 20), QStringLiteral("HHHH"), 36));
    RichTextItem rich;
    rich.rect = QRectF(10, 40, 80, 20);
    rich.html = QStringLiteral("<p style=\"font-family:'DejaVu Sans'; font-size:36pt\">HHHH</p>");
    rich.fill = QColor(255, 255, 0);
    page.items.push_back(rich);

    const double scale = 3;
    const QImage image = paintPage(page, scale);
    const QRect plain = inkBounds(image, QRect(0, 0, image.width(), int(35 * scale)));
    const QRect richInk = inkBounds(image, QRect(0, int(36 * scale), image.width(), int(30 * scale)));
    EXPECT_NEAR(richInk.height(), plain.height(), 2);
    EXPECT_NEAR(richInk.width(), plain.width(), 3);
    EXPECT_GE(richInk.top(), int(40 * scale));
    EXPECT_EQ(QColor(image.pixel(int(85 * scale), int(58 * scale))), QColor(255, 255, 0));
}
