#include "PathIndex.h"

#include "ReportFields.h"

#include "storage/dbf/Table.h"

#include <QSet>

namespace ergotab::reports {

PathIndex PathIndex::read(const QString &tablePath)
{
    dbf::Table table(tablePath);
    table.open();
    PathIndex paths;
    for (table.first(); !table.eof(); table.next())
        paths.add(table.fieldInt(fields::index), table.fieldText(fields::text), table.fieldInt(fields::upLink));
    return paths;
}

void PathIndex::add(int index, const QString &text, int upLink)
{
    if (!m_entries.contains(index))
        m_entries.insert(index, {text, upLink});
    m_paths.clear();
}

QString PathIndex::path(int index) const
{
    if (const auto known = m_paths.constFind(index); known != m_paths.constEnd())
        return *known;
    QString path;
    QSet<int> passed;
    for (int a = index; a != 0 && !passed.contains(a);) {
        const auto entry = m_entries.constFind(a);
        if (entry == m_entries.constEnd())
            break;
        passed.insert(a);
        path = path.isEmpty() ? entry->text : entry->text + QStringLiteral(" / ") + path;
        a = entry->upLink;
    }
    m_paths.insert(index, path);
    return path;
}

} // namespace ergotab::reports
