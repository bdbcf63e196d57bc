#include "SubtreeDeleter.h"

#include "DataTreeItem.h"
#include "NodeTable.h"
#include "ObjectRecords.h"

#include "storage/document/Document.h"
#include "storage/document/TableFields.h"

#include <vector>

namespace ergotab::tree {

namespace {

void filterOn(dbf::Table &table, const QString &text)
{
    table.setFilter(text);
    table.setFiltered(true);
    table.first();
}

void filterOff(dbf::Table &table)
{
    table.setFiltered(false);
    table.setFilter(QString());
}

} // namespace

SubtreeDeleter::SubtreeDeleter(Document &document, NodeTable &nodes)
    : m_document(document)
    , m_objects(document.objects())
    , m_links(document.links())
    , m_nodes(nodes)
{
}

void SubtreeDeleter::deleteRecord(int index)
{
    if (!locateObject(m_objects, index))
        return;
    if (m_objects.fieldInt(fields::object::Type) != NodeType)
        DeleteAssessment(index);
    else
        DeleteSubtree(index);
}

void SubtreeDeleter::DeleteSubtree(int node)
{
    if (!m_visited.insert(node).second)
        return;
    if (m_levelHook)
        m_levelHook();
    deleteChildRows(node);
    deleteObjectRow(node);
}

void SubtreeDeleter::deleteChildRows(int parent)
{
    // Assessments first. Each deletion removes the current row, so the first row of the
    // filtered table is always the next one to go.
    const QString assessments = QStringLiteral("Type=1 AND Uplink=%1").arg(parent);
    const int indexField = m_objects.fieldIndex(fields::object::Index);
    filterOn(m_objects, assessments);
    while (!m_objects.eof()) {
        const int a = m_objects.fieldInt(indexField);
        if (m_visited.count(a)) {
            // A second row with an Index already dealt with (a damaged document): it goes
            // without further ado, or the loop would meet it again and again.
            m_objects.deleteRecord();
            ++m_deletedRows;
        } else {
            DeleteAssessment(a);
        }
        filterOn(m_objects, assessments);
    }

    // Then the child nodes, each with its contents. Their Index values are gathered first:
    // in a cycle a child may be a node already being deleted further up, whose row stays
    // until its own turn comes.
    std::vector<int> children;
    for (filterOn(m_objects, QStringLiteral("Type=0 AND Uplink=%1").arg(parent)); !m_objects.eof(); m_objects.next())
        children.push_back(m_objects.fieldInt(indexField));
    for (int child : children)
        DeleteSubtree(child);
    filterOff(m_objects);
}

void SubtreeDeleter::DeleteAssessment(int assessment)
{
    if (!m_visited.insert(assessment).second)
        return;
    deleteRowsBelowAssessment(assessment);
    deleteLinks(assessment);
    deleteObjectRow(assessment);
}

void SubtreeDeleter::deleteRowsBelowAssessment(int assessment)
{
    // Only a damaged document has rows under an assessment. The tree shows them below the
    // assessment's item, and that item goes with everything under it, so their rows go too.
    const DataTreeItem *item = m_nodes.at(assessment);
    if (item && item->index() == assessment && item->childCount() > 0)
        deleteChildRows(assessment);
}

void SubtreeDeleter::deleteLinks(int assessment)
{
    filterOn(m_links, QStringLiteral("TIndex=%1").arg(assessment));
    while (!m_links.eof()) {
        m_links.deleteRecord();
        m_links.first();
    }
    filterOff(m_links);
}

void SubtreeDeleter::deleteObjectRow(int index)
{
    m_nodes.clearSlot(index);
    if (!locateObject(m_objects, index))
        return;
    m_objects.deleteRecord();
    m_objects.first();
    ++m_deletedRows;
}

void packTable(dbf::Table &table)
{
    table.close();
    table.setExclusive(true);
    try {
        table.pack();
    } catch (...) {
        table.setExclusive(false);
        table.open();
        throw;
    }
    table.setExclusive(false);
    table.open();
}

} // namespace ergotab::tree
