#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <set>
#include <vector>

namespace ergotab::dbf {

// Rows by value of one field: answers "which live rows hold this value" in time proportional
// to the answer, which is what makes filtered navigation cheap. Row lists stay ascending.
// Each value also has a number, and each live row the number of its value, so that testing a
// row against a filter term needs neither the row's bytes nor a comparison of text.
class ValueIndex
{
public:
    void add(const QByteArray &key, int row);
    void remove(const QByteArray &key, int row);
    // Live rows holding `key`, ascending; nullptr when none.
    const std::vector<int> *rows(const QByteArray &key) const;
    // The number of `key`; -1 when no live row holds it.
    int idOf(const QByteArray &key) const;
    // The number of the value live row `row` holds; -1 for rows not live.
    int idAt(int row) const { return size_t(row) < m_rowIds.size() ? m_rowIds[size_t(row)] : -1; }

private:
    struct Value
    {
        int id = -1;
        std::vector<int> rows;
    };
    QHash<QByteArray, Value> m_values;
    std::vector<int> m_rowIds;
    int m_nextId = 0;
};

// Position of a row in an index order: the key, then the physical row for ties.
struct OrderEntry
{
    double number = 0;
    QByteArray text;
    int row = -1;

    bool operator<(const OrderEntry &o) const
    {
        if (number != o.number)
            return number < o.number;
        if (int c = text.compare(o.text))
            return c < 0;
        return row < o.row;
    }
};

// One index tag kept in memory: live rows in ascending key order, built when first needed.
struct OrderedTag
{
    QString name;
    int field = -1;
    bool built = false;
    std::set<OrderEntry> entries;
};

} // namespace ergotab::dbf
