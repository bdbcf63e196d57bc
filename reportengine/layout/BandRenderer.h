#pragma once

// Prints one band for the current record: evaluates the texts of its objects, measures and
// wraps them, grows stretching texts (moving what stands below them) and the band with them,
// and turns every object kind into prepared items. An error names the object, the band and
// the text.

#include "reportengine/expr/DisplayFormat.h"
#include "reportengine/layout/LayoutContext.h"
#include "reportengine/layout/RenderedBand.h"
#include "reportengine/layout/TextMeasurer.h"

#include <functional>
#include <unordered_map>

namespace ergotab::report {

class BandRenderer
{
public:
    BandRenderer(ExpressionCache &cache, TextMeasurer &measurer, LayoutContext &context, QStringList &warnings);

    // Lays out the page a subreport object names, `width` wide, as one block.
    std::function<RenderedBand(const SubreportObject &, const ReportObject &)> subreport;

    RenderedBand render(const Band &band);
    // The band's print-if condition for the current record; true when it has none.
    bool printsNow(const Band &band);
    // The value of a print-if condition as true or false; anything else is an error of the band.
    static bool conditionHolds(const Band &band, const QVariant &value);

private:
    struct Placed
    {
        const ReportObject *object;
        std::vector<RenderedItem> items;
        double growth = 0.0;
    };

    Placed renderObject(const ReportObject &obj);
    void renderContent(const ReportObject &obj, const TextObject &t, Placed &out);
    void renderContent(const ReportObject &obj, const PictureObject &p, Placed &out);
    void renderContent(const ReportObject &obj, const LineObject &, Placed &out);
    void renderContent(const ReportObject &obj, const ShapeObject &s, Placed &out);
    void renderContent(const ReportObject &obj, const CheckBoxObject &c, Placed &out);
    void renderContent(const ReportObject &obj, const BarcodeObject &b, Placed &out);
    void renderContent(const ReportObject &obj, const RichTextObject &r, Placed &out);
    void renderContent(const ReportObject &obj, const SubreportObject &s, Placed &out);

    QString expand(const QString &text, const DisplayFormat &format = DisplayFormat());
    const DisplayFormat &displayFormat(const TextObject &t);
    QImage image(const ReportObject &obj, const PictureObject &p, QByteArray &encoded);

    ExpressionCache &m_cache;
    TextMeasurer &m_measurer;
    LayoutContext &m_context;
    QStringList &m_warnings;
    std::unordered_map<const ReportObject *, QImage> m_images;
    std::unordered_map<QString, DisplayFormat> m_formats;
};

} // namespace ergotab::report
