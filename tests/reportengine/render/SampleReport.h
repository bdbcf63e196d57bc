#pragma once

// A hand-built prepared report with one item of every kind, shared by the renderer tests, and
// running the Debian tools that read what the exporters write.

#include "reportengine/prepared/PreparedReport.h"

#include <QBuffer>
#include <QPainter>
#include <QProcess>

#include <gtest/gtest.h>

namespace ergotab::report::test {

inline const QString czechSentence = QStringLiteral("Žluťoučký kůň úpěl ďábelské ódy");

inline QImage checkerPicture()
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 255));
    QPainter(&image).fillRect(0, 0, 20, 20, QColor(255, 0, 0));
    return image;
}

inline ImageItem pictureItem(const QRectF &rect, const char *format = "PNG")
{
    ImageItem item;
    item.rect = rect;
    item.image = checkerPicture();
    QBuffer buffer(&item.encoded);
    buffer.open(QIODevice::WriteOnly);
    item.image.save(&buffer, format);
    item.format = format;
    return item;
}

inline TextItem textItem(const QRectF &rect, const QString &text, double points = 12)
{
    TextItem item;
    item.rect = rect;
    item.text = text;
    item.font = QFont(QStringLiteral("DejaVu Sans"));
    item.font.setPointSizeF(points);
    return item;
}

// Page 1 (A4 portrait): a framed, filled title in Czech, a rotated text, a line, every shape,
// a picture and rich text. Page 2 (A4 landscape): the second page's text.
inline PreparedReport sampleReport()
{
    PreparedReport report;
    report.title = QStringLiteral("Kategorizace prací");
    PreparedPage first;
    TextItem title = textItem(QRectF(20, 20, 170, 12), czechSentence, 14);
    title.font.setBold(true);
    title.alignment = Qt::AlignHCenter | Qt::AlignVCenter;
    title.fill = QColor(255, 255, 200);
    title.frame = {true, true, true, true, 0.5, QColor(0, 0, 0), Qt::SolidLine};
    first.items.push_back(title);
    TextItem escaped = textItem(QRectF(20, 40, 170, 10), QStringLiteral("Riziko <3> & {kategorie} \\ \"4\""));
    first.items.push_back(escaped);
    TextItem rotated = textItem(QRectF(5, 100, 8, 60), QStringLiteral("Svisle psaný text"), 10);
    rotated.rotation = 90;
    first.items.push_back(rotated);
    first.items.push_back(LineItem {QPointF(20, 60), QPointF(190, 60), 0.5, QColor(0, 128, 0), Qt::SolidLine});
    ShapeItem shape;
    const ShapeItem::Shape shapes[] = {ShapeItem::Shape::Rectangle,    ShapeItem::Shape::RoundedRectangle,
                                       ShapeItem::Shape::Ellipse,      ShapeItem::Shape::Triangle,
                                       ShapeItem::Shape::DiagonalDown, ShapeItem::Shape::DiagonalUp};
    for (int i = 0; i < 6; ++i) {
        shape.shape = shapes[i];
        shape.rect = QRectF(20 + i * 28, 70, 24, 16);
        shape.fill = i % 2 ? QColor(200, 200, 255) : QColor(Qt::transparent);
        first.items.push_back(shape);
    }
    first.items.push_back(pictureItem(QRectF(20, 100, 60, 60)));
    RichTextItem rich;
    rich.rect = QRectF(100, 100, 90, 40);
    rich.html = QStringLiteral("<p>Opatření: <b>tučně</b> a <i>kurzívou</i></p><script>alert(1)</script>");
    first.items.push_back(rich);
    report.pages.push_back(first);

    PreparedPage second;
    second.sizeMm = QSizeF(297, 210);
    second.items.push_back(textItem(QRectF(20, 20, 250, 10), QStringLiteral("Druhá strana na šířku")));
    report.pages.push_back(second);
    return report;
}

// Runs a program in `workingFolder` (some tools leave files where they run) and returns what
// it printed; fails the test when it cannot run or fails.
inline QByteArray runTool(const QString &program, const QStringList &arguments, const QByteArray &input = {},
                          const QString &workingFolder = {})
{
    QProcess process;
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    process.start(program, arguments);
    if (!process.waitForStarted()) {
        ADD_FAILURE() << "cannot start " << program.toStdString();
        return {};
    }
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString() << ": " << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

} // namespace ergotab::report::test
