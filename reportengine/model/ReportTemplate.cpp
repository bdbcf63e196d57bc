#include "reportengine/model/ReportTemplate.h"

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

} // namespace ergotab::report
