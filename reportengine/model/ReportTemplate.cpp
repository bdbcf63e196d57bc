#include "reportengine/model/ReportTemplate.h"

#include <QSet>

namespace ergotab::report {

QSizeF paperSizeMm(PaperSize paper)
{
    switch (paper) {
    case PaperSize::A3:
        return {297.0, 420.0};
    case PaperSize::A5:
        return {148.0, 210.0};
    case PaperSize::Letter:
        return {215.9, 279.4};
    case PaperSize::Legal:
        return {215.9, 355.6};
    case PaperSize::A4:
    case PaperSize::Custom:
        break;
    }
    return {210.0, 297.0};
}

QSizeF ReportPage::sizeMm() const
{
    const QSizeF portrait = paper == PaperSize::Custom ? customSizeMm : paperSizeMm(paper);
    return orientation == Orientation::Landscape ? portrait.transposed() : portrait;
}

std::vector<const ReportPage *> printedPages(const ReportTemplate &report)
{
    QSet<QString> targets;
    for (const ReportPage &page : report.pages) {
        const auto collect = [&](const std::vector<ReportObject> &objects) {
            for (const ReportObject &obj : objects)
                if (const auto *sub = std::get_if<SubreportObject>(&obj.content); sub && sub->page != page.name)
                    targets.insert(sub->page);
        };
        collect(page.objects);
        for (const Band &band : page.bands)
            collect(band.objects);
    }
    std::vector<const ReportPage *> printed;
    for (const ReportPage &page : report.pages)
        if (!targets.contains(page.name))
            printed.push_back(&page);
    if (printed.empty() && !report.pages.empty())
        printed.push_back(&report.pages.front());
    return printed;
}

} // namespace ergotab::report
