#pragma once

#include <unordered_map>
#include <vector>

class QTreeWidgetItem;

namespace ergotab::tree {

class DataTreeItem;

// The map from a record's Index to its tree item. Slot 0 stays empty (Index values start at
// 1; UpLink 0 is the top level). The slot array grows by whole blocks of 1000 and never
// shrinks; Index values that no sane document reaches (negative ones, or ones far above any
// row count) live in a side map instead, so a damaged document cannot make the array huge.
class NodeTable
{
public:
    static constexpr int BlockSize = 1000;
    static constexpr int ArrayLimit = 4'000'000;

    NodeTable() { reset(); }

    // Empty, with one block of empty slots.
    void reset();
    // Makes slot n exist (EnsureSlot).
    void ensureSlot(int n);
    // Length of the slot array: always a whole multiple of 1000.
    int size() const { return static_cast<int>(m_slots.size()); }

    DataTreeItem *at(int n) const;
    void set(int n, DataTreeItem *item);
    void clearSlot(int n) { set(n, nullptr); }
    // Empties the slots of the item and of everything below it that still point at them.
    void forgetSubtree(QTreeWidgetItem *item);

private:
    std::vector<DataTreeItem *> m_slots;
    std::unordered_map<int, DataTreeItem *> m_far;
};

} // namespace ergotab::tree
