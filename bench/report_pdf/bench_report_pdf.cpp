// Writes a table-like prepared report (a row of 16 framed cells per record, 40 rows a page) to
// PDF through PdfExport, and draws the same strings at the same places straight onto a
// QPdfWriter: the floor no renderer can beat. Prints both times and sizes, with and without
// cell frames. Usage: bench_report_pdf [RECORDS]   (default 10000)

#include "reportengine/render/PdfExport.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>
#include <ctime>

using namespace ergotab::report;

namespace {

// Processor time, not wall time: the figures stay comparable on a machine busy with other work.
qint64 cpuMs(std::clock_t start)
{
    return qint64((std::clock() - start) * 1000.0 / CLOCKS_PER_SEC);
}

PreparedReport tableReport(int records, bool frames)
{
    PreparedReport report;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(8);
    const int rowsPerPage = 40;
    for (int i = 0; i < records; ++i) {
        if (i % rowsPerPage == 0)
            report.pages.emplace_back();
        PreparedPage &page = report.pages.back();
        const double y = 20 + (i % rowsPerPage) * 6;
        for (int c = 0; c < 16; ++c) {
            TextItem text;
            text.rect = QRectF(10 + c * 12, y, 12, 6);
            text.font = font;
            text.text =
                c == 0 ? QStringLiteral("Provoz %1 / dílna %2").arg(i / 10).arg(i) : QString::number((i + c) % 4 + 1);
            text.alignment = Qt::AlignLeft | Qt::AlignVCenter;
            text.frame.left = text.frame.bottom = frames;
            page.items.push_back(text);
        }
    }
    return report;
}

// The strings at their rectangles' left edges and baselines, nothing else.
qint64 floorWrite(const PreparedReport &report, QByteArray &out)
{
    const std::clock_t start = std::clock();
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    const double scale = writer.resolution() / 25.4;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(8);
    painter.setFont(font);
    bool first = true;
    for (const PreparedPage &page : report.pages) {
        if (!first)
            writer.newPage();
        first = false;
        for (const PreparedItem &item : page.items) {
            const auto &text = std::get<TextItem>(item);
            painter.drawText(QPointF(text.rect.left() * scale, (text.rect.bottom() - 1.5) * scale), text.text);
        }
    }
    painter.end();
    return cpuMs(start);
}

qint64 exportWrite(const PreparedReport &report, QByteArray &out)
{
    const std::clock_t start = std::clock();
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    PdfExport().write(report, buffer);
    return cpuMs(start);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QGuiApplication app(argc, argv);
    const int records = argc > 1 ? std::max(1, atoi(argv[1])) : 10000;
    for (const bool frames : {false, true}) {
        const PreparedReport report = tableReport(records, frames);
        QByteArray floorPdf, exportPdf;
        const qint64 floorMs = floorWrite(report, floorPdf);
        const qint64 exportMs = exportWrite(report, exportPdf);
        std::printf(
            "%d records, %zu pages, %s: floor %lld ms CPU (%lld KB), PdfExport %lld ms CPU (%lld KB), ratio %.2f\n",
            records, report.pages.size(), frames ? "framed cells" : "plain cells", (long long)floorMs,
            (long long)floorPdf.size() / 1024, (long long)exportMs, (long long)exportPdf.size() / 1024,
            double(exportMs) / double(std::max<qint64>(floorMs, 1)));
    }
    return 0;
}
