#include "SubtreeTransfer.h"

#include "storage/dbf/Table.h"
#include "storage/document/FactorCatalogue.h"
#include "storage/document/TableFields.h"
#include "tree/HighestIndex.h"

#include <QSet>

#include <vector>

namespace ergotab::tree {

namespace {

namespace object = fields::object;

// One source row, read whole, so the source can be filtered again before it is written.
struct SourceRow
{
    int index = 0;
    int type = 0;
    QString text;
    int factors[FactorCount] = {};
    int pracov = 0;
    int zen = 0;
    QString memos[3];
};

// The positions of the copied fields in one table, looked up once per transfer. The head
// counts and the memos are optional: -1 where the table lacks them.
struct FieldPositions
{
    int index, upLink, type, text;
    int factors[FactorCount];
    int pracov = -1, zen = -1;
    int memos[3] = {-1, -1, -1};

    explicit FieldPositions(const dbf::Table &table)
        : index(table.fieldIndex(object::Index))
        , upLink(table.fieldIndex(object::UpLink))
        , type(table.fieldIndex(object::Type))
        , text(table.fieldIndex(object::Text))
    {
        for (int n = 1; n <= FactorCount; ++n)
            factors[n - 1] = table.fieldIndex(factorFieldName(n));
        if (table.hasField(object::Pracov) && table.hasField(object::Zen)) {
            pracov = table.fieldIndex(object::Pracov);
            zen = table.fieldIndex(object::Zen);
        }
        for (int m = 0; m < 3; ++m)
            memos[m] = table.hasField(object::Memos[m]) ? table.fieldIndex(object::Memos[m]) : -1;
    }
};

class Transfer
{
public:
    Transfer(dbf::Table &source, const TransferTarget &target, ProgressScope &progress)
        : m_source(source)
        , m_target(target)
        , m_progress(progress)
        , m_from(source)
        , m_to(target.table)
    {
        m_highest = target.highestIndex && *target.highestIndex >= 0 ? *target.highestIndex
                                                                     : HighestIndex(target.table, target.highestIndex);
    }

    SourceRow readCurrent() const
    {
        SourceRow row;
        row.index = m_source.fieldInt(m_from.index);
        row.type = m_source.fieldInt(m_from.type);
        row.text = m_source.fieldText(m_from.text);
        for (int n = 0; n < FactorCount; ++n)
            row.factors[n] = m_source.fieldInt(m_from.factors[n]);
        if (m_from.pracov >= 0) {
            row.pracov = m_source.fieldInt(m_from.pracov);
            row.zen = m_source.fieldInt(m_from.zen);
        }
        for (int m = 0; m < 3; ++m) {
            if (m_from.memos[m] >= 0)
                row.memos[m] = m_source.fieldText(m_from.memos[m]);
        }
        return row;
    }

    // Copies the row under the parent as the given type; returns the copy's Index.
    int write(const SourceRow &row, int type, int parent)
    {
        const int index = ++m_highest;
        if (m_target.highestIndex)
            *m_target.highestIndex = index;
        dbf::Table &to = m_target.table;
        to.append();
        to.setFieldInt(m_to.index, index);
        to.setFieldInt(m_to.upLink, parent);
        to.setFieldInt(m_to.type, type);
        to.setFieldText(m_to.text, row.text);
        for (int n = 0; n < FactorCount; ++n)
            to.setFieldInt(m_to.factors[n], row.factors[n]);
        if (m_to.pracov >= 0) {
            to.setFieldInt(m_to.pracov, row.pracov);
            to.setFieldInt(m_to.zen, row.zen);
        }
        for (int m = 0; m < 3; ++m) {
            if (m_to.memos[m] >= 0)
                to.setFieldText(m_to.memos[m], row.memos[m]);
        }
        to.post();
        ++m_copied;
        if (m_target.rowAdded)
            m_target.rowAdded(index, parent, type, to.fieldText(m_to.text));
        return index;
    }

    // The rows of one type directly under a source parent, in physical order.
    std::vector<SourceRow> children(int sourceParent, int type)
    {
        m_source.setFilter(QStringLiteral("Type=%1 AND Uplink=%2").arg(type).arg(sourceParent));
        m_source.setFiltered(true);
        std::vector<SourceRow> rows;
        for (m_source.first(); !m_source.eof(); m_source.next()) {
            SourceRow row = readCurrent();
            if (!m_visited.contains(row.index))
                rows.push_back(std::move(row));
        }
        m_source.setFiltered(false);
        m_source.setFilter(QString());
        return rows;
    }

    // Copies everything below a source parent, depth first, without recursion: a deep chain
    // in a damaged table must not exhaust the stack.
    void copyBelow(int sourceTop, int destinationTop)
    {
        struct Level
        {
            std::vector<SourceRow> nodes;
            std::vector<SourceRow> assessments;
            size_t next = 0;
            int destination = 0;
        };
        std::vector<Level> stack;
        auto enter = [&](int sourceParent, int destinationParent) {
            m_visited.insert(sourceParent);
            Level level;
            level.nodes = children(sourceParent, 0);
            level.assessments = children(sourceParent, 1);
            level.destination = destinationParent;
            stack.push_back(std::move(level));
        };
        enter(sourceTop, destinationTop);
        while (!stack.empty()) {
            Level &level = stack.back();
            if (level.next < level.nodes.size()) {
                const SourceRow &node = level.nodes[level.next++];
                if (m_visited.contains(node.index))
                    continue;
                const int sourceIndex = node.index;
                const int copy = write(node, 0, level.destination);
                m_progress.step();
                enter(sourceIndex, copy); // invalidates `level` and `node`
                continue;
            }
            const int destination = level.destination;
            std::vector<SourceRow> assessments = std::move(level.assessments);
            stack.pop_back();
            for (const SourceRow &row : assessments) {
                if (m_visited.contains(row.index))
                    continue;
                m_visited.insert(row.index);
                write(row, 1, destination);
                m_progress.step();
            }
        }
    }

    int copied() const { return m_copied; }

private:
    dbf::Table &m_source;
    const TransferTarget &m_target;
    ProgressScope &m_progress;
    FieldPositions m_from;
    FieldPositions m_to;
    int m_highest = 0;
    int m_copied = 0;
    QSet<int> m_visited;
};

} // namespace

int TransferSubtree(dbf::Table &source, int start, const TransferTarget &target, ProgressSink *progress)
{
    source.setFiltered(false);
    source.setFilter(QString());
    ProgressScope scope(progress, QStringLiteral("Pracuji..."), source.recordCount());
    Transfer transfer(source, target, scope);
    source.setFiltered(false);
    source.setFilter(QString());
    source.first();
    if (!source.locate(object::Index, start))
        return 0;
    const SourceRow top = transfer.readCurrent();
    const int copy = transfer.write(top, top.type, target.parent);
    transfer.copyBelow(top.index, copy);
    return transfer.copied();
}

} // namespace ergotab::tree
