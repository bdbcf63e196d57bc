#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <set>
#include <vector>

namespace ergotab::dbf {

// Rows by value of one field: answers "which live rows hold this value" in time proportional
// to the answer, which is what makes filtered navigation cheap. Row lists stay ascending.
class ValueIndex
{
public:
    void add(const QByteArray &key, int row);
    void remove(const QByteArray &key, int row);
    // Live rows holding `key`, ascending; nullptr when none.
    const std::vector<int> *rows(const QByteArray &key) const;

private:
    QHash<QByteArray, std::vector<int>> m_rows;
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
