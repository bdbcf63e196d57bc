#include "reportengine/layout/BandWalker.h"
#include "storage/AppError.h"

using namespace Qt::StringLiterals;

namespace ergotab::report {

namespace {

// Keys compare as text, so 5, 5.0 and "5" find each other.
QString keyText(const QVariant &v)
{
    return v.toString().trimmed();
}

} // namespace

BandWalker::BandWalker(const BandPlan &plan, PageBuilder &pages, LayoutContext &context, Aggregates &aggregates,
                       ExpressionCache &cache)
    : m_plan(plan)
    , m_pages(pages)
    , m_context(context)
    , m_aggregates(aggregates)
    , m_cache(cache)
{
}

BandWalker::Source BandWalker::sourceOf(const Band &band)
{
    const QString name = band.dataSource.trimmed();
    bool isNumber = false;
    const int count = name.toInt(&isNumber);
    if (isNumber)
        return {nullptr, std::max(count, 0)};
    if (name.isEmpty())
        return {nullptr, 1};
    DataSource *source = m_context.source(name);
    if (!source)
        throw AppError(u"Pás %1: zdroj dat %2 neexistuje."_s.arg(band.name, name));
    return {source, source->recordCount()};
}

int BandWalker::masterRecords()
{
    int total = 0;
    for (const auto &master : m_plan.masters)
        total += sourceOf(*master->data).count;
    return total;
}

QVariant BandWalker::evaluate(const Band &band, const QString &expression)
{
    m_context.band = &band;
    try {
        return m_cache.expression(expression).evaluate(m_context);
    } catch (const ExpressionError &e) {
        throw e.withContext(u"Pás %1: "_s.arg(band.name));
    }
}

const QHash<QString, std::vector<int>> &BandWalker::keyIndex(const DataLevel &level, const Source &source)
{
    auto it = m_indexes.find(&level);
    if (it != m_indexes.end())
        return it->second;
    // Every record of the detail source is read once, whatever the number of master records.
    QHash<QString, std::vector<int>> index;
    m_context.openSources.push_back(source.data);
    for (int record = 0; record < source.count; ++record) {
        source.data->moveTo(record);
        index[keyText(evaluate(*level.data, level.data->key))].push_back(record);
    }
    m_context.openSources.pop_back();
    return m_indexes.emplace(&level, std::move(index)).first->second;
}

std::vector<int> BandWalker::recordsOf(const DataLevel &level, const Source &source)
{
    const Band &band = *level.data;
    if (source.data && !band.key.trimmed().isEmpty() && !band.masterKey.trimmed().isEmpty()) {
        const QString key = keyText(evaluate(band, band.masterKey));
        const auto &index = keyIndex(level, source);
        const auto it = index.constFind(key);
        if (it == index.cend())
            return {};
        return band.printIf.trimmed().isEmpty() ? *it : printable(band, source, *it);
    }
    std::vector<int> all(static_cast<size_t>(source.count));
    for (int i = 0; i < source.count; ++i)
        all[static_cast<size_t>(i)] = i;
    return band.printIf.trimmed().isEmpty() ? all : printable(band, source, all);
}

std::vector<int> BandWalker::printable(const Band &band, const Source &source, const std::vector<int> &records)
{
    std::vector<int> kept;
    if (source.data)
        m_context.openSources.push_back(source.data);
    for (const int record : records) {
        if (source.data)
            source.data->moveTo(record);
        if (BandRenderer::conditionHolds(band, evaluate(band, band.printIf)))
            kept.push_back(record);
    }
    if (source.data)
        m_context.openSources.pop_back();
    return kept;
}

void BandWalker::feedAggregates(const Band &band)
{
    m_context.band = &band;
    try {
        m_aggregates.recordPlaced(&band, m_context);
    } catch (const ExpressionError &e) {
        throw e.withContext(u"Součet v pásu %1: "_s.arg(band.name));
    }
}

double BandWalker::groupHeight(const DataLevel &level, size_t g, const Source &source, const std::vector<int> &records,
                               size_t at)
{
    std::vector<QVariant> start(g + 1);
    for (size_t k = 0; k <= g; ++k)
        start[k] = evaluate(*level.groups[k].header, level.groups[k].header->condition);
    const GroupBands &group = level.groups[g];
    double height = m_pages.measure(*group.header);
    for (size_t i = at; i < records.size(); ++i) {
        if (source.data)
            source.data->moveTo(records[i]);
        bool same = true;
        for (size_t k = 0; k <= g && same && i > at; ++k)
            same = evaluate(*level.groups[k].header, level.groups[k].header->condition) == start[k];
        if (!same)
            break;
        height += m_pages.measure(*level.data);
    }
    if (source.data)
        source.data->moveTo(records[at]);
    if (group.footer && group.footer->visible)
        height += group.footer->height;
    return height;
}

void BandWalker::openGroups(const DataLevel &level, size_t from, std::vector<QVariant> &values, const Source &source,
                            const std::vector<int> &records, size_t at)
{
    for (size_t g = from; g < level.groups.size(); ++g) {
        const GroupBands &group = level.groups[g];
        if (group.header->keepTogether)
            m_pages.keepTogether(groupHeight(level, g, source, records, at));
        values[g] = evaluate(*group.header, group.header->condition);
        m_aggregates.reset(group.header);
        if (group.footer)
            m_aggregates.reset(group.footer);
        m_pages.printBand(*group.header);
        if (group.header->repeatOnEachPage)
            m_pages.pushRepeated(group.header);
    }
}

void BandWalker::closeGroups(const DataLevel &level, size_t downTo)
{
    for (size_t g = level.groups.size(); g-- > downTo;) {
        const GroupBands &group = level.groups[g];
        // A footer that moves to a new page comes under its repeated group header.
        if (group.footer)
            m_pages.printBand(*group.footer);
        if (group.header->repeatOnEachPage)
            m_pages.popRepeated(group.header);
    }
}

bool BandWalker::walkLevel(const DataLevel &level)
{
    const Band &band = *level.data;
    const Source source = sourceOf(band);
    const std::vector<int> records = recordsOf(level, source);
    if (records.empty())
        return false;

    if (source.data)
        m_context.openSources.push_back(source.data);
    for (const Band *b : {level.data, level.header, level.footer})
        if (b)
            m_aggregates.reset(b);
    const bool isMaster = level.data->kind == BandKind::MasterData;
    const int savedLine = m_context.line;
    std::vector<QVariant> groupValues(level.groups.size());
    int printed = 0;
    bool headerPrinted = false;
    for (size_t i = 0; i < records.size(); ++i) {
        if (source.data)
            source.data->moveTo(records[i]);
        m_context.line = printed + 1;
        // A record whose details are all empty is left out unless its band asks to be printed.
        bool anyDetail = level.details.empty();
        for (const auto &detail : level.details)
            if (!anyDetail && !recordsOf(*detail, sourceOf(*detail->data)).empty())
                anyDetail = true;
        const bool prints = anyDetail || band.printIfEmpty;
        // The header comes with the first record printed (above its groups), not before an empty run.
        if (prints && !headerPrinted && level.header) {
            m_pages.printBand(*level.header);
            if (level.header->repeatOnEachPage)
                m_pages.pushRepeated(level.header);
        }
        headerPrinted = headerPrinted || prints;
        if (i == 0)
            openGroups(level, 0, groupValues, source, records, i);
        else if (!level.groups.empty()) {
            // The outermost group whose condition changed closes with everything inside it;
            // its footers show the previous record.
            for (size_t g = 0; g < level.groups.size(); ++g) {
                if (evaluate(*level.groups[g].header, level.groups[g].header->condition) == groupValues[g])
                    continue;
                if (source.data)
                    source.data->moveTo(records[i - 1]);
                closeGroups(level, g);
                if (source.data)
                    source.data->moveTo(records[i]);
                openGroups(level, g, groupValues, source, records, i);
                break;
            }
        }

        if (prints) {
            ++printed;
            m_context.lineThrough = ++m_lineThrough[&band];
            m_pages.printBand(band);
            feedAggregates(band);
            for (const auto &detail : level.details) {
                walkLevel(*detail);
                if (source.data)
                    source.data->moveTo(records[i]);
                m_context.line = printed;
            }
        }
        if (isMaster && recordDone && !recordDone(++m_masterRecordsDone))
            throw LayoutCancelled();
    }
    closeGroups(level, 0);
    if (printed > 0 && level.footer)
        m_pages.printBand(*level.footer);
    if (headerPrinted && level.header && level.header->repeatOnEachPage)
        m_pages.popRepeated(level.header);
    if (source.data)
        m_context.openSources.pop_back();
    m_context.line = savedLine;
    return printed > 0;
}

void BandWalker::walk()
{
    for (const auto &master : m_plan.masters)
        walkLevel(*master);
}

} // namespace ergotab::report
