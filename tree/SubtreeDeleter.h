#pragma once

#include <functional>
#include <unordered_set>

namespace ergotab {
class Document;
namespace dbf {
class Table;
}
} // namespace ergotab

namespace ergotab::tree {

class NodeTable;

// Deletes records of the document's Object table with everything below them and the Link rows
// of every deleted assessment, emptying their node table slots. Works from Index values alone;
// the tree items are left to the caller. A damaged document with a cycle of UpLink values is
// deleted once round the cycle, never forever.
class SubtreeDeleter
{
public:
    SubtreeDeleter(Document &document, NodeTable &nodes);

    // Called once per level of the recursion: the command lets window events run there.
    void setLevelHook(std::function<void()> hook) { m_levelHook = std::move(hook); }

    // The record with that Index and everything below it; nothing when there is no such row.
    void deleteRecord(int index);
    void DeleteSubtree(int node);
    void DeleteAssessment(int assessment);

    int deletedObjectRows() const { return m_deletedRows; }

private:
    void deleteChildRows(int parent);
    void deleteRowsBelowAssessment(int assessment);
    void deleteLinks(int assessment);
    void deleteObjectRow(int index);

    Document &m_document;
    dbf::Table &m_objects;
    dbf::Table &m_links;
    NodeTable &m_nodes;
    std::function<void()> m_levelHook;
    std::unordered_set<int> m_visited;
    int m_deletedRows = 0;
};

// Removes deleted rows for good: close, reopen exclusively, pack, close, reopen shared.
void packTable(dbf::Table &table);

} // namespace ergotab::tree
