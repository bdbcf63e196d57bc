#pragma once

// Walks the data bands over their sources: each master record with its detail records (found
// through a key index built once per detail band), groups opened and closed as their
// condition changes, headers and footers around each run, aggregates fed as records are
// placed, LINE# and LINETHROUGH# counted, progress reported and cancelling honoured.

#include "reportengine/layout/PageBuilder.h"

#include <QHash>

namespace ergotab::report {

// Thrown out of a run the caller cancelled.
struct LayoutCancelled
{
};

class BandWalker
{
public:
    BandWalker(const BandPlan &plan, PageBuilder &pages, LayoutContext &context, Aggregates &aggregates,
               ExpressionCache &cache);

    // Returns false when the caller cancelled (progress answered false).
    std::function<bool(int record)> recordDone;

    void walk();
    // The number of master records, for progress.
    int masterRecords();

private:
    struct Source
    {
        DataSource *data = nullptr; // null: a number of empty records
        int count = 0;
    };

    Source sourceOf(const Band &band);
    std::vector<int> recordsOf(const DataLevel &level, const Source &source);
    const QHash<QString, std::vector<int>> &keyIndex(const DataLevel &level, const Source &source);
    // The records for which the band's print-if condition holds.
    std::vector<int> printable(const Band &band, const Source &source, const std::vector<int> &records);
    // Prints one run of a data band; false when it had no records.
    bool walkLevel(const DataLevel &level);
    // Opens the groups from `from` inward at records[at]; a group header that keeps its group
    // together first moves to the next page when the group does not fit below.
    void openGroups(const DataLevel &level, size_t from, std::vector<QVariant> &values, const Source &source,
                    const std::vector<int> &records, size_t at);
    // The height of group `g` from records[at]: its header, its records' data bands, its footer.
    double groupHeight(const DataLevel &level, size_t g, const Source &source, const std::vector<int> &records,
                       size_t at);
    void closeGroups(const DataLevel &level, size_t downTo);
    QVariant evaluate(const Band &band, const QString &expression);
    void feedAggregates(const Band &band);

    const BandPlan &m_plan;
    PageBuilder &m_pages;
    LayoutContext &m_context;
    Aggregates &m_aggregates;
    ExpressionCache &m_cache;
    std::unordered_map<const DataLevel *, QHash<QString, std::vector<int>>> m_indexes;
    std::unordered_map<const Band *, int> m_lineThrough;
    int m_masterRecordsDone = 0;
};

} // namespace ergotab::report
