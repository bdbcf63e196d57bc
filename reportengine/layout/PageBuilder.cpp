#include "reportengine/layout/PageBuilder.h"
#include "reportengine/expr/SystemVariables.h"
#include "storage/AppError.h"

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace ergotab::report {

namespace {

constexpr double epsilon = 1e-6;
// Room the data needs below a page's headers, or the page could never take a band.
constexpr double minimumArea = 1.0;
// A band cut into more pieces than this is cut short: nothing real is that long.
constexpr int maximumPieces = 100000;

double heightOf(const std::vector<const Band *> &bands)
{
    double h = 0.0;
    for (const Band *b : bands)
        if (b->visible)
            h += b->height;
    return h;
}

PageBreaker::Geometry geometryOf(const ReportPage &page, const BandPlan &plan, PageBuilder::Mode mode)
{
    PageBreaker::Geometry g;
    const QSizeF size = page.sizeMm();
    g.left = page.margins.left;
    g.top = page.margins.top;
    g.columns = std::max(1, page.columns);
    g.columnGap = page.columnGapMm;
    const double width = size.width() - page.margins.left - page.margins.right;
    g.columnWidth = (width - g.columnGap * (g.columns - 1)) / g.columns;
    g.bottom = size.height() - page.margins.bottom - heightOf(plan.pageFooters) - heightOf(plan.columnFooters);
    if (mode == PageBuilder::Mode::Collect) {
        g.left = g.top = 0.0;
        g.columns = 1;
        g.bottom = std::numeric_limits<double>::max() / 4;
    }
    return g;
}

} // namespace

PageBuilder::PageBuilder(const ReportPage &page, const BandPlan &plan, BandRenderer &renderer, LayoutContext &context,
                         Aggregates &aggregates, QStringList &warnings, Mode mode)
    : m_page(page)
    , m_plan(plan)
    , m_renderer(renderer)
    , m_context(context)
    , m_aggregates(aggregates)
    , m_warnings(warnings)
    , m_mode(mode)
    , m_breaker(geometryOf(page, plan, mode))
{
}

double PageBuilder::columnWidth() const
{
    return m_breaker.geometry().columnWidth;
}

bool PageBuilder::fullWidth(const Band &band) const
{
    switch (band.kind) {
    case BandKind::ReportTitle:
    case BandKind::ReportSummary:
    case BandKind::PageHeader:
    case BandKind::PageFooter:
    case BandKind::Overlay:
        return true;
    default:
        return false;
    }
}

RenderedBand PageBuilder::render(const Band &band)
{
    m_context.band = &band;
    m_context.curY = m_breaker.y();
    m_context.freeSpace = m_breaker.remaining();
    if (!m_renderer.layoutOnly)
        return m_renderer.render(band);
    // A band that may be split here is split between the lines of its texts, so it needs them;
    // the same when it does not fit what is left.
    RenderedBand out;
    if (!(band.canSplit && !band.keepTogether)) {
        out = m_renderer.render(band);
        if (out.height <= m_breaker.remaining() + epsilon)
            return out;
    }
    m_renderer.layoutOnly = false;
    try {
        out = m_renderer.render(band);
    } catch (...) {
        m_renderer.layoutOnly = true;
        throw;
    }
    m_renderer.layoutOnly = true;
    return out;
}

double PageBuilder::measure(const Band &band)
{
    if (!band.visible)
        return 0.0;
    const bool layoutOnly = m_renderer.layoutOnly;
    m_renderer.layoutOnly = true;
    m_context.band = &band;
    double height = 0.0;
    try {
        height = m_renderer.render(band).height;
    } catch (...) {
        m_renderer.layoutOnly = layoutOnly;
        throw;
    }
    m_renderer.layoutOnly = layoutOnly;
    return height;
}

void PageBuilder::keepTogether(double height)
{
    if (m_mode != Mode::Pages || m_inPageFrame || m_breaker.atAreaStart())
        return;
    if (height > m_breaker.remaining() + epsilon && height <= m_breaker.areaHeight() + epsilon)
        breakArea();
}

void PageBuilder::continueReport(PreparedReport report)
{
    m_report = std::move(report);
    m_firstSheet = pageCount();
}

void PageBuilder::begin()
{
    if (m_mode == Mode::Collect)
        return;
    startPage(true);
    // A title that asks for a page of its own: the data starts on the next page.
    if (std::any_of(m_plan.titles.begin(), m_plan.titles.end(), [](const Band *t) { return t->newPageAfter; }))
        newPage();
}

void PageBuilder::startPage(bool first)
{
    m_report.pages.emplace_back();
    m_report.pages.back().sizeMm = m_page.sizeMm();
    m_context.page = pageCount();
    m_context.pageWidth = m_page.sizeMm().width();
    m_context.pageHeight = m_page.sizeMm().height();
    m_context.column = 1;
    m_breaker.startPage();
    m_inPageFrame = true;
    for (const Band *overlay : m_plan.overlays)
        if (overlay->visible)
            putOnPage(render(*overlay), QPointF(m_page.margins.left, m_page.margins.top));
    if (m_plan.looseObjects) {
        m_context.band = m_plan.looseObjects.get();
        m_context.curY = m_breaker.y();
        m_context.freeSpace = m_breaker.remaining();
        putOnPage(m_renderer.render(*m_plan.looseObjects, m_page.objects),
                  QPointF(m_page.margins.left, m_page.margins.top));
    }
    if (first)
        for (const Band *title : m_plan.titles)
            printFixed(*title, true);
    for (const Band *header : m_plan.pageHeaders)
        if (!first || header->printOnFirstPage)
            printFixed(*header, true);
    m_breaker.markColumnsTop();
    for (const Band *header : m_plan.columnHeaders)
        printFixed(*header, false);
    for (const Band *header : m_repeated)
        printFixed(*header, false);
    m_inPageFrame = false;
    m_breaker.markAreaStart();
    if (m_breaker.areaHeight() < minimumArea)
        throw AppError(u"Na stránce %1 nezbývá pod záhlavími a nad zápatími žádné místo pro data."_s.arg(m_page.name));
    if (pageStarted)
        pageStarted();
}

void PageBuilder::endPage(bool last)
{
    m_inPageFrame = true;
    for (const Band *footer : m_plan.columnFooters)
        printFixed(*footer, false);
    double y = m_page.sizeMm().height() - m_page.margins.bottom - heightOf(m_plan.pageFooters);
    for (const Band *footer : m_plan.pageFooters) {
        if (!footer->visible)
            continue;
        const bool wanted =
            (!last || footer->printOnLastPage) && (pageCount() > m_firstSheet + 1 || footer->printOnFirstPage);
        if (wanted)
            putOnPage(render(*footer), QPointF(m_page.margins.left, y));
        y += footer->height;
    }
    m_inPageFrame = false;
    for (const auto &bands : {m_plan.pageHeaders, m_plan.pageFooters, m_plan.columnHeaders, m_plan.columnFooters})
        for (const Band *b : bands)
            m_aggregates.reset(b);
}

void PageBuilder::finish()
{
    for (const Band *summary : m_plan.summaries)
        printBand(*summary);
    if (m_mode == Mode::Pages)
        endPage(true);
}

void PageBuilder::newPage()
{
    m_newPagePending = false;
    if (m_mode == Mode::Collect)
        return;
    endPage(false);
    startPage(false);
}

void PageBuilder::breakArea()
{
    if (m_mode == Mode::Pages && m_breaker.geometry().columns > 1) {
        m_inPageFrame = true;
        for (const Band *footer : m_plan.columnFooters)
            printFixed(*footer, false);
        if (m_breaker.nextColumn()) {
            m_context.column = m_breaker.column() + 1;
            for (const Band *header : m_plan.columnHeaders)
                printFixed(*header, false);
            for (const Band *header : m_repeated)
                printFixed(*header, false);
            m_breaker.markAreaStart();
            m_inPageFrame = false;
            return;
        }
        m_inPageFrame = false;
    }
    newPage();
}

void PageBuilder::popRepeated(const Band *band)
{
    const auto it = std::find(m_repeated.rbegin(), m_repeated.rend(), band);
    if (it != m_repeated.rend())
        m_repeated.erase(std::next(it).base());
}

void PageBuilder::printFixed(const Band &band, bool wide)
{
    if (band.visible)
        placeFixed(render(band), wide);
}

void PageBuilder::placeFixed(const RenderedBand &band, bool wide)
{
    const double y = m_breaker.place(band.height);
    if (m_mode == Mode::Collect) {
        for (RenderedItem item : band.items) {
            item.setRect(item.rect().translated(0, y));
            m_block.items.push_back(std::move(item));
        }
        m_block.height = m_breaker.y();
        return;
    }
    putOnPage(band, QPointF(wide ? m_page.margins.left : m_breaker.columnX(), y));
}

void PageBuilder::putOnPage(const RenderedBand &band, QPointF offset)
{
    if (m_renderer.layoutOnly)
        return; // only the pages are counted
    PreparedPage &page = m_report.pages.back();
    const size_t first = page.items.size();
    band.placeOn(page, offset);
    for (size_t i = 0; i < band.items.size(); ++i)
        if (band.items[i].deferred >= 0)
            m_deferredPlaced.push_back({m_report.pages.size() - 1, first + i, band.items[i].deferred});
}

void PageBuilder::printBand(const Band &band)
{
    if (++m_depth > 32) {
        --m_depth;
        throw AppError(u"Pás %1 tiskne podřízené pásy v kruhu."_s.arg(band.name));
    }
    if (m_mode == Mode::Pages && (m_newPagePending || band.newPageBefore) && !m_breaker.atAreaStart())
        newPage();
    m_newPagePending = false;
    // Data bands have their condition applied to the records they walk.
    const bool data =
        band.kind == BandKind::MasterData || band.kind == BandKind::DetailData || band.kind == BandKind::SubdetailData;
    if (band.visible && (data || m_renderer.printsNow(band)))
        place(render(band), band, fullWidth(band));
    if (const Band *child = m_plan.bandNamed(band.childBand); child && !band.childBand.isEmpty())
        printBand(*child);
    m_newPagePending = band.newPageAfter;
    --m_depth;
}

bool PageBuilder::showsPlace(const Band &band)
{
    const auto known = m_showsPlace.find(&band);
    if (known != m_showsPlace.end())
        return known->second;
    // A cheap look for the names, as a false alarm costs only one more rendering. A text that
    // suppresses repeats would take its own first rendering for a repeat: such bands stay as
    // rendered.
    const auto mentions = [](const QString &text) {
        for (const QLatin1String name :
             {SystemVariable::Page, SystemVariable::Column, SystemVariable::CurY, SystemVariable::FreeSpace})
            if (text.contains(name, Qt::CaseInsensitive))
                return true;
        return false;
    };
    bool shows = false;
    for (const ReportObject &obj : band.objects) {
        if (const auto *t = std::get_if<TextObject>(&obj.content)) {
            if (t->suppressRepeated) {
                shows = false;
                break;
            }
            shows = shows || mentions(t->text) || mentions(t->highlight.condition);
        } else if (const auto *r = std::get_if<RichTextObject>(&obj.content)) {
            shows = shows || mentions(r->html);
        } else if (const auto *b = std::get_if<BarcodeObject>(&obj.content)) {
            shows = shows || mentions(b->expression);
        }
    }
    m_showsPlace.emplace(&band, shows);
    return shows;
}

void PageBuilder::place(RenderedBand band, const Band &source, bool wide)
{
    if (m_mode == Mode::Collect || m_inPageFrame) {
        placeFixed(band, wide);
        return;
    }
    bool warned = false;
    for (int piece = 0; piece < maximumPieces; ++piece) {
        const auto plan = m_breaker.plan(band.height, source.canSplit && !source.keepTogether);
        if (plan.action == PageBreaker::Action::Place) {
            placeFixed(band, wide);
            return;
        }
        if (plan.action == PageBreaker::Action::Break) {
            breakArea();
            // Nothing of it is placed yet: what it shows of its place is the new one's.
            if (piece == 0 && showsPlace(source))
                band = render(source);
            continue;
        }
        auto parts = band.split(plan.splitAt, plan.forced);
        if ((plan.forced || parts.clipped) && !warned) {
            m_warnings << u"Pás %1 se nevejde na stránku %2; je rozdělen%3."_s.arg(
                source.name, QString::number(pageCount()), parts.clipped ? u" a oříznut"_s : QString());
            warned = true;
        }
        placeFixed(parts.upper, wide);
        if (parts.lower.items.empty())
            return;
        breakArea();
        band = std::move(parts.lower);
    }
    m_warnings << u"Pás %1 je příliš dlouhý; jeho zbytek se netiskne."_s.arg(source.name);
}

} // namespace ergotab::report
