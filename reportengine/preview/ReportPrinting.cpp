#include "ReportPrinting.h"

#include "reportengine/render/PagePainter.h"
#include "storage/AppError.h"

#include <QPainter>
#include <QPrinter>

namespace ergotab::report {

namespace {

QPageLayout pageLayoutFor(const QSizeF &sizeMm)
{
    const bool landscape = sizeMm.width() > sizeMm.height();
    return QPageLayout(QPageSize(landscape ? sizeMm.transposed() : sizeMm, QPageSize::Millimeter),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

} // namespace

void printReport(const PreparedReport &report, QPrinter &printer)
{
    // A report with no data still prints: one blank sheet.
    static const PreparedPage blank;
    const int pageCount = std::max(1, int(report.pages.size()));
    int first = 1;
    int last = pageCount;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::clamp(printer.fromPage(), 1, pageCount);
        last = std::clamp(printer.toPage() > 0 ? printer.toPage() : pageCount, first, pageCount);
    }
    const auto pageAt = [&](int number) -> const PreparedPage & {
        return report.pages.empty() ? blank : report.pages[std::size_t(number - 1)];
    };
    printer.setFullPage(true);
    printer.setPageLayout(pageLayoutFor(pageAt(first).sizeMm));
    QPainter painter;
    if (!painter.begin(&printer))
        throw AppError(QStringLiteral("Tisk nelze zahájit na tiskárně „%1“.").arg(printer.printerName()));
    PagePainter pagePainter;
    for (int number = first; number <= last; ++number) {
        if (number > first) {
            printer.setPageLayout(pageLayoutFor(pageAt(number).sizeMm));
            printer.newPage();
        }
        pagePainter.paint(painter, pageAt(number), printer.paperRect(QPrinter::DevicePixel));
    }
    painter.end();
}

} // namespace ergotab::report
