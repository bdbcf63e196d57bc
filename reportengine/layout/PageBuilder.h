#pragma once

// Puts printed bands on pages: starts pages with their overlay, the page's objects outside
// every band, the header and column header; repeats the headers that ask for it, breaks to the next column or page when
// a band does not fit (splitting it where allowed or where it can never fit), and ends pages with their column and page
// footers. In collecting mode (a subreport) everything goes into one block instead.

#include "reportengine/layout/Aggregates.h"
#include "reportengine/layout/BandPlan.h"
#include "reportengine/layout/BandRenderer.h"
#include "reportengine/layout/PageBreaker.h"

#include <functional>
#include <unordered_map>

namespace ergotab::report {

class PageBuilder
{
public:
    enum class Mode { Pages, Collect };

    PageBuilder(const ReportPage &page, const BandPlan &plan, BandRenderer &renderer, LayoutContext &context,
                Aggregates &aggregates, QStringList &warnings, Mode mode = Mode::Pages);

    // The sheets of the report pages printed before this one: its own follow them, numbered on.
    // Before begin().
    void continueReport(PreparedReport report);
    // The first page with the report title; then the bands; then the summary and the last footer.
    void begin();
    void finish();

    // Prints a band (and its child band) for the current record.
    void printBand(const Band &band);

    // The height a band would take for the current record, without printing it.
    double measure(const Band &band);
    // Goes on in the next column or page when `height` does not fit below what is printed but
    // fits an empty area (a group kept together).
    void keepTogether(double height);

    // Headers printed again at the top of every new page while their data or group runs.
    void pushRepeated(const Band *band) { m_repeated.push_back(band); }
    void popRepeated(const Band *band);

    // Called after each page is begun, for progress.
    std::function<void()> pageStarted;

    int pageCount() const { return static_cast<int>(m_report.pages.size()); }
    // Where the renderer's deferred texts were put, for filling them in at the end.
    const std::vector<DeferredPlacement> &deferredPlacements() const { return m_deferredPlaced; }
    PreparedReport takeReport() { return std::move(m_report); }
    RenderedBand takeBlock() { return std::move(m_block); }

private:
    void startPage(bool first);
    void endPage(bool last);
    void breakArea();
    void newPage();
    void place(RenderedBand band, const Band &source, bool fullWidth);
    // Places at the current position without breaking (headers at the top of a page).
    void placeFixed(const RenderedBand &band, bool fullWidth);
    void printFixed(const Band &band, bool fullWidth);
    void putOnPage(const RenderedBand &band, QPointF offset);
    RenderedBand render(const Band &band);
    bool fullWidth(const Band &band) const;
    // Whether a band prints its page, column or place on the page, so it is rendered again
    // when a break moves it on.
    bool showsPlace(const Band &band);
    double columnWidth() const;

    const ReportPage &m_page;
    const BandPlan &m_plan;
    BandRenderer &m_renderer;
    LayoutContext &m_context;
    Aggregates &m_aggregates;
    QStringList &m_warnings;
    Mode m_mode;
    PageBreaker m_breaker;
    PreparedReport m_report;
    RenderedBand m_block;
    std::vector<const Band *> m_repeated;
    std::vector<DeferredPlacement> m_deferredPlaced;
    bool m_newPagePending = false;
    bool m_inPageFrame = false; // printing headers or footers of a page: no breaking
    int m_depth = 0;            // child bands naming each other in a circle stop here
    int m_firstSheet = 0;       // the sheets before this report page's own
    std::unordered_map<const Band *, bool> m_showsPlace;
};

} // namespace ergotab::report
