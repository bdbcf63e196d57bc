#include "RowIndexes.h"

#include <algorithm>

namespace ergotab::dbf {

void ValueIndex::add(const QByteArray &key, int row)
{
    Value &value = m_values[key];
    if (value.id < 0)
        value.id = m_nextId++;
    std::vector<int> &rows = value.rows;
    if (rows.empty() || rows.back() < row)
        rows.push_back(row); // appends arrive in physical order
    else
        rows.insert(std::lower_bound(rows.begin(), rows.end(), row), row);
    if (m_rowIds.size() <= size_t(row))
        m_rowIds.resize(std::max(size_t(row) + 1, m_rowIds.size() * 2), -1);
    m_rowIds[size_t(row)] = value.id;
}

void ValueIndex::remove(const QByteArray &key, int row)
{
    if (size_t(row) < m_rowIds.size())
        m_rowIds[size_t(row)] = -1;
    const auto it = m_values.find(key);
    if (it == m_values.end())
        return;
    std::vector<int> &rows = it.value().rows;
    const auto pos = std::lower_bound(rows.begin(), rows.end(), row);
    if (pos != rows.end() && *pos == row)
        rows.erase(pos);
    if (rows.empty())
        m_values.erase(it); // a value that comes back gets a new number
}

const std::vector<int> *ValueIndex::rows(const QByteArray &key) const
{
    const auto it = m_values.constFind(key);
    return it == m_values.constEnd() ? nullptr : &it.value().rows;
}

int ValueIndex::idOf(const QByteArray &key) const
{
    const auto it = m_values.constFind(key);
    return it == m_values.constEnd() ? -1 : it.value().id;
}

} // namespace ergotab::dbf
