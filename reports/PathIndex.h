#pragma once

#include <QHash>
#include <QString>

namespace ergotab::reports {

// Index → (Text, UpLink) of every row of the Object table, read once per report run, so that
// the path of an item costs its depth and not a search of the table per ancestor.
class PathIndex
{
public:
    // Reads the table file in physical order with no filter; where an Index occurs twice the
    // first row counts, as a search from the top of the table would find it.
    static PathIndex read(const QString &tablePath);

    void add(int index, const QString &text, int upLink);

    // The names of the item and its ancestors from the top level down, joined by " / ".
    // The walk ends at UpLink 0, at an Index that does not exist, or where it would come
    // back to an item already passed (a damaged table must not hang the report). Names
    // are joined as they are: while nothing has been collected yet, an empty name leaves no
    // trace; after that it makes an empty segment.
    QString path(int index) const;

private:
    struct Entry
    {
        QString text;
        int upLink = 0;
    };
    QHash<int, Entry> m_entries;
    mutable QHash<int, QString> m_paths; // results already worked out
};

} // namespace ergotab::reports
