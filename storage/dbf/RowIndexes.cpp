#include "RowIndexes.h"

#include <algorithm>

namespace ergotab::dbf {

void ValueIndex::add(const QByteArray &key, int row)
{
    std::vector<int> &rows = m_rows[key];
    if (rows.empty() || rows.back() < row)
        rows.push_back(row); // appends arrive in physical order
    else
        rows.insert(std::lower_bound(rows.begin(), rows.end(), row), row);
}

void ValueIndex::remove(const QByteArray &key, int row)
{
    const auto it = m_rows.find(key);
    if (it == m_rows.end())
        return;
    std::vector<int> &rows = it.value();
    const auto pos = std::lower_bound(rows.begin(), rows.end(), row);
    if (pos != rows.end() && *pos == row)
        rows.erase(pos);
    if (rows.empty())
        m_rows.erase(it);
}

const std::vector<int> *ValueIndex::rows(const QByteArray &key) const
{
    const auto it = m_rows.constFind(key);
    return it == m_rows.constEnd() ? nullptr : &it.value();
}

} // namespace ergotab::dbf
