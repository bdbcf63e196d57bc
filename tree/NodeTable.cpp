#include "NodeTable.h"

#include "DataTreeItem.h"

namespace ergotab::tree {

static bool inArray(int n)
{
    return n >= 0 && n < NodeTable::ArrayLimit;
}

void NodeTable::reset()
{
    m_slots.assign(BlockSize, nullptr);
    m_far.clear();
}

void NodeTable::ensureSlot(int n)
{
    if (!inArray(n))
        return;
    const int length = size();
    if (n >= length)
        m_slots.resize(static_cast<size_t>(length + ((n - length) / BlockSize + 1) * BlockSize), nullptr);
}

DataTreeItem *NodeTable::at(int n) const
{
    if (inArray(n))
        return n < size() ? m_slots[static_cast<size_t>(n)] : nullptr;
    const auto found = m_far.find(n);
    return found == m_far.end() ? nullptr : found->second;
}

void NodeTable::set(int n, DataTreeItem *item)
{
    if (n == 0)
        return;
    if (!inArray(n)) {
        if (item)
            m_far[n] = item;
        else
            m_far.erase(n);
        return;
    }
    ensureSlot(n);
    m_slots[static_cast<size_t>(n)] = item;
}

void NodeTable::forgetSubtree(QTreeWidgetItem *item)
{
    std::vector<QTreeWidgetItem *> pending {item};
    while (!pending.empty()) {
        QTreeWidgetItem *current = pending.back();
        pending.pop_back();
        if (DataTreeItem *data = DataTreeItem::from(current); data && at(data->index()) == data)
            clearSlot(data->index());
        for (int i = 0; i < current->childCount(); ++i)
            pending.push_back(current->child(i));
    }
}

} // namespace ergotab::tree
