#include "PdfExport.h"

#include "PagePainter.h"
#include "storage/AppError.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace ergotab::report {

namespace {

QPageLayout pageLayoutFor(const QSizeF &sizeMm)
{
    const bool landscape = sizeMm.width() > sizeMm.height();
    const QSizeF portrait = landscape ? sizeMm.transposed() : sizeMm;
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

} // namespace

void PdfExport::write(const PreparedReport &report, QIODevice &device) const
{
    QPdfWriter writer(&device);
    writer.setCreator(QStringLiteral("Ergotab"));
    writer.setTitle(report.title);
    // A report without pages still gives a valid document: one blank sheet.
    static const PreparedPage blank;
    const PreparedPage *firstPage = report.pages.empty() ? &blank : &report.pages.front();
    writer.setPageLayout(pageLayoutFor(firstPage->sizeMm));

    QPainter painter;
    if (!painter.begin(&writer))
        throw AppError(QStringLiteral("Dokument PDF nelze vytvořit."));
    PagePainter pagePainter;
    const std::size_t pageCount = std::max<std::size_t>(report.pages.size(), 1);
    for (std::size_t i = 0; i < pageCount; ++i) {
        const PreparedPage &page = report.pages.empty() ? blank : report.pages[i];
        if (i > 0) {
            writer.setPageLayout(pageLayoutFor(page.sizeMm));
            writer.newPage();
        }
        const QRectF paper(QPointF(0, 0), writer.pageLayout().fullRectPixels(writer.resolution()).size());
        pagePainter.paint(painter, page, paper);
    }
    if (!painter.end())
        throw AppError(QStringLiteral("Dokument PDF nelze dokončit."));
}

} // namespace ergotab::report
