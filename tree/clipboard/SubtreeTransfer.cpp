#include "SubtreeTransfer.h"

#include "storage/dbf/Table.h"
#include "storage/document/FactorCatalogue.h"
#include "tree/HighestIndex.h"

#include <QSet>

#include <vector>

namespace ergotab::tree {

namespace {

const QString fIndex = QStringLiteral("Index");
const QString fUpLink = QStringLiteral("UpLink");
const QString fType = QStringLiteral("Type");
const QString fText = QStringLiteral("Text");
const QString fPracov = QStringLiteral("Pracov");
const QString fZen = QStringLiteral("Zen");
const QString memoNames[] = {QStringLiteral("Popis"), QStringLiteral("Mereni"), QStringLiteral("Opatreni")};

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

// Which of the optional fields each side has, looked up once per transfer.
struct FieldPresence
{
    bool counts = false;
    bool memos[3] = {};

    explicit FieldPresence(const dbf::Table &table)
    {
        counts = table.hasField(fPracov) && table.hasField(fZen);
        for (int m = 0; m < 3; ++m)
            memos[m] = table.hasField(memoNames[m]);
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
        row.index = m_source.fieldInt(fIndex);
        row.type = m_source.fieldInt(fType);
        row.text = m_source.fieldText(fText);
        for (int n = 1; n <= FactorCount; ++n)
            row.factors[n - 1] = m_source.fieldInt(factorFieldName(n));
        if (m_from.counts) {
            row.pracov = m_source.fieldInt(fPracov);
            row.zen = m_source.fieldInt(fZen);
        }
        for (int m = 0; m < 3; ++m) {
            if (m_from.memos[m])
                row.memos[m] = m_source.fieldText(memoNames[m]);
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
        to.setFieldInt(fIndex, index);
        to.setFieldInt(fUpLink, parent);
        to.setFieldInt(fType, type);
        to.setFieldText(fText, row.text);
        for (int n = 1; n <= FactorCount; ++n)
            to.setFieldInt(factorFieldName(n), row.factors[n - 1]);
        if (m_to.counts) {
            to.setFieldInt(fPracov, row.pracov);
            to.setFieldInt(fZen, row.zen);
        }
        for (int m = 0; m < 3; ++m) {
            if (m_to.memos[m])
                to.setFieldText(memoNames[m], row.memos[m]);
        }
        to.post();
        ++m_copied;
        if (m_target.rowAdded)
            m_target.rowAdded(index, parent, type, to.fieldText(fText));
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
    FieldPresence m_from;
    FieldPresence m_to;
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
    if (!source.locate(fIndex, start))
        return 0;
    const SourceRow top = transfer.readCurrent();
    const int copy = transfer.write(top, top.type, target.parent);
    transfer.copyBelow(top.index, copy);
    return transfer.copied();
}

} // namespace ergotab::tree
