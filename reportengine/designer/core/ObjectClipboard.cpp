#include "ObjectClipboard.h"

#include "reportengine/model/TemplateXml.h"
#include "storage/AppError.h"

namespace ergotab::report::designer {

QByteArray objectsToXml(const std::vector<ReportObject> &objects)
{
    ReportTemplate carrier;
    ReportPage page;
    Band band;
    band.name = QStringLiteral("Clipboard");
    band.objects = objects;
    page.bands.push_back(std::move(band));
    carrier.pages.push_back(std::move(page));
    return writeTemplateXml(carrier);
}

std::vector<ReportObject> objectsFromXml(const QByteArray &bytes)
{
    if (!looksLikeTemplateXml(bytes))
        return {};
    try {
        const ReportTemplate carrier = readTemplateXml(bytes, QStringLiteral("schránka"));
        if (carrier.pages.size() != 1 || carrier.pages.front().bands.size() != 1)
            return {};
        return carrier.pages.front().bands.front().objects;
    } catch (const AppError &) {
        return {};
    }
}

} // namespace ergotab::report::designer
