#include "LibraryTransfer.h"

#include "storage/dbf/Table.h"
#include "storage/document/FactorCatalogue.h"

#include <QSet>

#include <vector>

namespace ergotab::library {

namespace {

struct Sample
{
    int index = 0;
    QString text;
    FactorMasks masks {};
};

// The records of one type under one parent, in record order.
std::vector<Sample> level(dbf::Table &samples, int type, int parent)
{
    samples.setFilter(QStringLiteral("Type=%1 AND Uplink=%2").arg(type).arg(parent));
    samples.setFiltered(true);
    std::vector<Sample> rows;
    for (samples.first(); !samples.eof(); samples.next()) {
        Sample s;
        s.index = samples.fieldInt(QStringLiteral("Index"));
        s.text = samples.fieldText(QStringLiteral("Text"));
        if (type != 0) {
            for (const Factor &f : factorCatalogue())
                s.masks[f.number - 1] = samples.fieldInt(f.fieldName);
        }
        rows.push_back(std::move(s));
    }
    return rows;
}

class Transfer
{
public:
    Transfer(dbf::Table &samples, DocumentEditing &editing, SampleTicks &ticks, ProgressSink *progress)
        : m_samples(samples)
        , m_editing(editing)
        , m_ticks(ticks)
        , m_progress(progress, QStringLiteral("Přenáším data"), samples.recordCount())
    {
    }

    void run(int parent, int destination)
    {
        for (const Sample &node : level(m_samples, 0, parent)) {
            // A damaged library may loop back on itself; each record is visited once.
            if (!firstVisit(node.index))
                continue;
            m_editing.selectItem(destination);
            m_progress.step();
            int inner = destination;
            if (m_ticks.isTicked(node.index)) {
                inner = m_editing.addNode(node.text);
                m_ticks.untick(node.index);
                ++m_created;
            }
            run(node.index, inner);
        }
        m_editing.selectItem(destination);
        for (const Sample &item : level(m_samples, 1, parent)) {
            if (!firstVisit(item.index))
                continue;
            m_progress.step();
            if (!m_ticks.isTicked(item.index))
                continue;
            // Placed beside the assessment added before it, so under the same parent.
            m_editing.addAssessment(item.text, item.masks);
            m_ticks.untick(item.index);
            ++m_created;
        }
    }

    int created() const { return m_created; }

private:
    bool firstVisit(int index)
    {
        if (m_visited.contains(index))
            return false;
        m_visited.insert(index);
        return true;
    }

    dbf::Table &m_samples;
    DocumentEditing &m_editing;
    SampleTicks &m_ticks;
    ProgressScope m_progress;
    QSet<int> m_visited;
    int m_created = 0;
};

} // namespace

int transferTickedSamples(dbf::Table &samples, int destination, DocumentEditing &editing, SampleTicks &ticks,
                          ProgressSink *progress)
{
    // The progress counts every record, whatever filter the last reader left on.
    samples.setFiltered(false);
    samples.setFilter(QString());
    Transfer transfer(samples, editing, ticks, progress);
    transfer.run(0, destination);
    return transfer.created();
}

} // namespace ergotab::library
