#include "reportengine/layout/ReportEngine.h"
#include "reportengine/expr/SystemVariables.h"
#include "reportengine/layout/BandWalker.h"
#include "reportengine/model/TemplateLoader.h"

#include <QSet>

#include <QDate>

using namespace Qt::StringLiterals;

namespace ergotab::report {

ReportEngine::ReportEngine()
    : m_measurer(std::make_shared<FontTextMeasurer>())
{
}

ReportEngine::~ReportEngine() = default;

void ReportEngine::loadTemplate(const QString &path)
{
    QStringList warnings;
    m_template = report::loadTemplate(path, &warnings);
    m_loadWarnings = std::move(warnings);
}

void ReportEngine::setTemplate(ReportTemplate report, QStringList loadWarnings)
{
    m_template = std::move(report);
    m_loadWarnings = std::move(loadWarnings);
}

void ReportEngine::addDataSource(DataSource &source)
{
    m_sources.push_back(&source);
}

bool ReportEngine::askDialogs(QVariantMap &values)
{
    for (const DialogPage &dialog : m_template.dialogs) {
        QVariantMap page;
        for (const DialogControl &c : dialog.controls) {
            switch (c.kind) {
            case ControlKind::Edit:
            case ControlKind::Memo:
            case ControlKind::ComboBox:
            case ControlKind::ListBox:
                page.insert(c.name, c.text);
                break;
            case ControlKind::CheckBox:
            case ControlKind::RadioButton:
                page.insert(c.name, c.checked);
                break;
            case ControlKind::DateEdit: {
                const QDate date = QDate::fromString(c.text, Qt::ISODate);
                page.insert(c.name, date.isValid() ? date : QDate::currentDate());
                break;
            }
            case ControlKind::Label:
            case ControlKind::Button:
                break;
            }
        }
        if (m_callbacks.showDialog && !m_callbacks.showDialog(dialog, page))
            return false;
        values.insert(page);
    }
    return true;
}

namespace {

// A cheap look for the name is enough: a false alarm costs one more pass, nothing else.
bool namesTotalPages(const QString &text)
{
    return text.contains(SystemVariable::TotalPages, Qt::CaseInsensitive);
}

// Whether what the object prints reads the number of pages (its print condition aside).
bool contentNamesTotalPages(const ReportObject &obj)
{
    return std::visit(
        [](const auto &c) {
            using T = std::decay_t<decltype(c)>;
            if constexpr (std::is_same_v<T, TextObject>)
                return !c.plainText && (namesTotalPages(c.text) || namesTotalPages(c.highlight.condition));
            else if constexpr (std::is_same_v<T, RichTextObject>)
                return namesTotalPages(c.html);
            else if constexpr (std::is_same_v<T, BarcodeObject> || std::is_same_v<T, CheckBoxObject>)
                return namesTotalPages(c.expression);
            else if constexpr (std::is_same_v<T, PictureObject>)
                return namesTotalPages(c.source);
            else
                return false;
        },
        obj.content);
}

bool objectNamesTotalPages(const ReportObject &obj)
{
    return namesTotalPages(obj.printIf) || contentNamesTotalPages(obj);
}

} // namespace

bool ReportEngine::printsTotalPages() const
{
    if (m_template.doublePass)
        return true;
    for (const TemplateVariable &v : m_template.variables)
        if (namesTotalPages(v.expression))
            return true;
    for (const ReportPage &page : m_template.pages) {
        for (const Band &band : page.bands) {
            if (namesTotalPages(band.printIf) || namesTotalPages(band.condition))
                return true;
            for (const ReportObject &obj : band.objects)
                if (objectNamesTotalPages(obj))
                    return true;
        }
        for (const ReportObject &obj : page.objects)
            if (objectNamesTotalPages(obj))
                return true;
    }
    return false;
}

std::unordered_set<const ReportObject *> ReportEngine::deferrableTotals(const QVariantMap &dialogValues) const
{
    QSet<QString> known;
    for (const QLatin1String name : SystemVariable::All)
        known.insert(name);
    for (auto it = dialogValues.begin(); it != dialogValues.end(); ++it)
        known.insert(it.key().toUpper());
    const auto readsOnlyKnown = [&](const Expression &e) {
        return e.readsOnly([&](const QString &name) { return known.contains(name); });
    };

    std::unordered_set<const ReportObject *> deferred;
    const std::vector<const ReportPage *> printed = printedPages(m_template);
    if (m_template.doublePass)
        return {};
    for (const TemplateVariable &v : m_template.variables)
        if (namesTotalPages(v.expression))
            return {};
    for (const ReportPage &page : m_template.pages) {
        // Pages printed inside a subreport are laid out as blocks, where nothing is deferred.
        const bool mainPage = std::find(printed.begin(), printed.end(), &page) != printed.end();
        // Each list of objects, and whether it is printed with the page rather than the data.
        std::vector<std::pair<const std::vector<ReportObject> *, bool>> lists;
        for (const Band &band : page.bands) {
            if (namesTotalPages(band.printIf) || namesTotalPages(band.condition))
                return {};
            lists.emplace_back(&band.objects, band.kind == BandKind::PageHeader || band.kind == BandKind::PageFooter ||
                                                  band.kind == BandKind::Overlay ||
                                                  band.kind == BandKind::ColumnHeader ||
                                                  band.kind == BandKind::ColumnFooter);
        }
        lists.emplace_back(&page.objects, true); // outside every band: printed on every page
        for (const auto &list : lists) {
            const bool pageFrame = list.second;
            for (const ReportObject &obj : *list.first) {
                // Whether it prints at all is known only when the pages are counted.
                if (namesTotalPages(obj.printIf))
                    return {};
                if (!contentNamesTotalPages(obj))
                    continue;
                const auto *t = std::get_if<TextObject>(&obj.content);
                if (!t || !mainPage || !pageFrame || t->stretch || t->autoSize)
                    return {};
                try {
                    const TextTemplate compiled = TextTemplate::compile(t->text);
                    for (const TextTemplate::Part &part : compiled.parts())
                        if (!readsOnlyKnown(part.expression))
                            return {};
                    if (!t->highlight.condition.trimmed().isEmpty() &&
                        !readsOnlyKnown(Expression::parse(t->highlight.condition)))
                        return {};
                } catch (const ExpressionError &) {
                    return {}; // the full passes report it where it is printed
                }
                deferred.insert(&obj);
            }
        }
    }
    return deferred;
}

namespace {

// Every aggregate call of every band, fed by the data band it names or its own.
void addAggregates(const ReportPage &page, const BandPlan &plan, ExpressionCache &cache, Aggregates &aggregates)
{
    const auto add = [&](const Band &band, const std::vector<ReportObject> &objects) {
        for (const ReportObject &obj : objects) {
            QList<AggregateCall> calls;
            try {
                if (const auto *t = std::get_if<TextObject>(&obj.content); t && !t->plainText)
                    calls = cache.text(t->text).aggregates();
                else if (const auto *r = std::get_if<RichTextObject>(&obj.content))
                    calls = cache.richText(r->html).aggregates();
            } catch (const ExpressionError &e) {
                throw e.withContext(u"Objekt %1 v pásu %2: "_s.arg(obj.name, band.name));
            }
            for (const AggregateCall &call : calls) {
                const Band *data = call.band.isEmpty() ? plan.defaultDataBand.value(&band) : plan.bandNamed(call.band);
                if (!data)
                    throw AppError(u"Objekt %1 v pásu %2: %3 nemá datový pás, jehož záznamy by sčítal."_s.arg(
                        obj.name, band.name, call.text));
                aggregates.add(&band, call, data);
            }
        }
    };
    for (const Band &band : page.bands)
        add(band, band.objects);
    if (plan.looseObjects)
        add(*plan.looseObjects, page.objects);
}

} // namespace

PreparedReport ReportEngine::layOut(const QVariantMap &dialogValues, int pass, int totalPages, QStringList &warnings,
                                    const std::unordered_set<const ReportObject *> &deferred)
{
    ExpressionCache cache;
    Aggregates aggregates;
    LayoutContext context(m_template, m_sources, m_callbacks, cache, aggregates);
    context.setDialogValues(dialogValues);
    context.totalPages = totalPages;
    context.finalPass = pass == 2 || totalPages == 0;

    // Every printed page with its plan; each page's aggregates are fed by its own data bands.
    const std::vector<const ReportPage *> printed = printedPages(m_template);
    std::vector<std::unique_ptr<BandPlan>> plans;
    for (const ReportPage *page : printed) {
        plans.push_back(std::make_unique<BandPlan>(BandPlan::build(*page, warnings)));
        addAggregates(*page, *plans.back(), cache, aggregates);
    }

    QStringList renderWarnings;
    BandRenderer renderer(cache, *m_measurer, context, renderWarnings);
    renderer.layoutOnly = !context.finalPass;
    renderer.deferredObjects = deferred;

    // A subreport lays its page out as one block, with the same data and variables.
    const ReportPage *current = nullptr;
    std::vector<std::unique_ptr<BandPlan>> subPlans;
    int subreportDepth = 0;
    renderer.subreport = [&](const SubreportObject &sub, const ReportObject &obj) {
        const auto it = std::find_if(m_template.pages.begin(), m_template.pages.end(),
                                     [&](const ReportPage &p) { return p.name == sub.page; });
        if (it == m_template.pages.end() || &*it == current || subreportDepth > 4)
            throw AppError(u"podsestava %1 neexistuje nebo obsahuje sama sebe"_s.arg(sub.page));
        ++subreportDepth;
        const Band *savedBand = context.band;
        auto subPlan = std::make_unique<BandPlan>(BandPlan::build(*it, renderWarnings));
        ReportPage narrow = *it;
        narrow.customSizeMm = QSizeF(obj.rect.width(), 1000.0);
        narrow.paper = PaperSize::Custom;
        narrow.orientation = Orientation::Portrait;
        narrow.margins = Margins {0, 0, 0, 0};
        narrow.columns = 1;
        PageBuilder block(narrow, *subPlan, renderer, context, aggregates, renderWarnings, PageBuilder::Mode::Collect);
        BandWalker walker(*subPlan, block, context, aggregates, cache);
        walker.walk();
        block.finish();
        subPlans.push_back(std::move(subPlan));
        context.band = savedBand;
        --subreportDepth;
        return block.takeBlock();
    };

    // The pages one after the other, each from a sheet of its own, the records counted on.
    Progress progress;
    progress.pass = pass;
    std::vector<int> masterRecords;
    for (const auto &plan : plans) {
        PageBuilder counting(*printed[masterRecords.size()], *plan, renderer, context, aggregates, renderWarnings);
        masterRecords.push_back(BandWalker(*plan, counting, context, aggregates, cache).masterRecords());
        progress.recordCount += masterRecords.back();
    }
    PreparedReport report;
    std::vector<DeferredPlacement> placed;
    int recordsBefore = 0;
    for (size_t i = 0; i < printed.size(); ++i) {
        current = printed[i];
        PageBuilder pages(*current, *plans[i], renderer, context, aggregates, renderWarnings);
        pages.continueReport(std::move(report));
        BandWalker walker(*plans[i], pages, context, aggregates, cache);
        walker.recordDone = [&](int record) {
            progress.record = recordsBefore + record;
            progress.page = pages.pageCount();
            return !m_callbacks.progress || m_callbacks.progress(progress);
        };
        pages.begin();
        walker.walk();
        pages.finish();
        placed.insert(placed.end(), pages.deferredPlacements().begin(), pages.deferredPlacements().end());
        report = pages.takeReport();
        recordsBefore += masterRecords[i];
    }
    if (!deferred.empty()) {
        context.totalPages = static_cast<int>(report.pages.size());
        renderer.resolveDeferred(report, placed);
    }
    if (pass == 2 || totalPages == 0)
        warnings << renderWarnings;
    report.title = m_template.name;
    return report;
}

PrepareResult ReportEngine::prepare()
{
    PrepareResult result;
    try {
        if (m_template.pages.empty())
            throw AppError(u"Šablona sestavy nemá žádnou stránku."_s);
        QVariantMap dialogValues = m_callbacks.variables;
        if (!askDialogs(dialogValues)) {
            result.status = PrepareResult::Status::Cancelled;
            result.templateWarnings = m_loadWarnings;
            return result;
        }
        PreparedReport report;
        if (const auto deferred =
                printsTotalPages() ? deferrableTotals(dialogValues) : std::unordered_set<const ReportObject *>();
            !deferred.empty()) {
            report = layOut(dialogValues, 1, 0, result.warnings, deferred);
        } else if (printsTotalPages()) {
            QStringList firstWarnings;
            const PreparedReport first = layOut(dialogValues, 1, 0, firstWarnings);
            report = layOut(dialogValues, 2, static_cast<int>(first.pages.size()), result.warnings);
        } else
            report = layOut(dialogValues, 1, 0, result.warnings);
        result.report = std::move(report);
        result.status = PrepareResult::Status::Done;
    } catch (const LayoutCancelled &) {
        result = PrepareResult();
        result.status = PrepareResult::Status::Cancelled;
    } catch (const AppError &e) {
        result = PrepareResult();
        result.status = PrepareResult::Status::Failed;
        result.error = e.message();
    }
    result.templateWarnings = m_loadWarnings;
    return result;
}

} // namespace ergotab::report
