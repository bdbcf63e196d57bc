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
#include <unordered_set>
#include <vector>

namespace ergotab::report {

class BandRenderer
{
public:
    BandRenderer(ExpressionCache &cache, TextMeasurer &measurer, LayoutContext &context, QStringList &warnings);

    // Set for the first pass of a report that prints TOTALPAGES, which only counts pages: texts
    // that cannot grow are neither evaluated nor measured, and other objects that cannot change
    // the band's height are left as bare rectangles.
    bool layoutOnly = false;

    // Texts that print TOTALPAGES and nothing of the records (a page footer's "page X of Y"):
    // printed in a single pass with their text left out, and filled in by resolveDeferred()
    // once the pages are counted, from the page, line and column they were printed with.
    std::unordered_set<const ReportObject *> deferredObjects;
    void resolveDeferred(PreparedReport &report, const std::vector<DeferredPlacement> &placed);

    // Lays out the page a subreport object names, `width` wide, as one block.
    std::function<RenderedBand(const SubreportObject &, const ReportObject &)> subreport;

    RenderedBand render(const Band &band) { return render(band, band.objects); }
    // Objects kept outside the band (a page's loose objects) printed as if they were its own.
    RenderedBand render(const Band &band, const std::vector<ReportObject> &objects);
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
    // In layout-only mode, a rectangle standing for an object whose content does not matter.
    bool placeholder(const ReportObject &obj, Placed &out);
    void renderContent(const ReportObject &obj, const TextObject &t, Placed &out);
    void renderContent(const ReportObject &obj, const PictureObject &p, Placed &out);
    void renderContent(const ReportObject &obj, const LineObject &, Placed &out);
    void renderContent(const ReportObject &obj, const ShapeObject &s, Placed &out);
    void renderContent(const ReportObject &obj, const CheckBoxObject &c, Placed &out);
    void renderContent(const ReportObject &obj, const BarcodeObject &b, Placed &out);
    void renderContent(const ReportObject &obj, const RichTextObject &r, Placed &out);
    void renderContent(const ReportObject &obj, const SubreportObject &s, Placed &out);
    // The object's frame alone, over what was drawn inside it.
    void renderFrame(const ReportObject &obj, Placed &out);

    struct DeferredText
    {
        const ReportObject *object = nullptr;
        const Band *band = nullptr;
        int page = 0, line = 0, lineThrough = 0, column = 1;
        double curY = 0.0, freeSpace = 0.0;
    };
    void defer(const ReportObject &obj, const TextObject &t, Placed &out);

    QString expand(const QString &text, const DisplayFormat &format = DisplayFormat());
    const DisplayFormat &displayFormat(const TextObject &t);
    QImage image(const ReportObject &obj, const PictureObject &p, QByteArray &encoded);

    ExpressionCache &m_cache;
    TextMeasurer &m_measurer;
    LayoutContext &m_context;
    QStringList &m_warnings;
    std::unordered_map<const ReportObject *, QImage> m_images;
    std::unordered_map<const ReportObject *, QString> m_lastTexts; // of texts that suppress repeats
    std::unordered_map<QString, DisplayFormat> m_formats;
    std::vector<DeferredText> m_deferred;
};

} // namespace ergotab::report
