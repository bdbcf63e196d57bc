#include "MeasureTemplates.h"

#include "LibraryFiles.h"

#include "storage/dbf/Table.h"

#include <algorithm>

namespace ergotab::library {

void MeasureTemplates::filterTo(int factor)
{
    m_table.setFilter(QStringLiteral("Faktor=%1").arg(factor));
    m_table.setFiltered(true);
    m_table.first();
}

QStringList MeasureTemplates::specifications(int factor)
{
    QStringList specs;
    for (filterTo(factor); !m_table.eof(); m_table.next())
        specs.append(m_table.fieldText(SpecifikField));
    return specs;
}

QStringList MeasureTemplates::completionList(int factor)
{
    QStringList list;
    for (const QString &spec : specifications(factor)) {
        if (spec.isEmpty())
            continue;
        const bool covered = std::any_of(list.cbegin(), list.cend(), [&spec](const QString &item) {
            return item.startsWith(spec, Qt::CaseInsensitive);
        });
        if (!covered)
            list.append(spec);
    }
    return list;
}

bool MeasureTemplates::locate(int factor, const QString &spec)
{
    filterTo(factor);
    return m_table.locate(SpecifikField, spec);
}

std::optional<QString> MeasureTemplates::find(int factor, const QString &spec)
{
    if (!locate(factor, spec))
        return std::nullopt;
    return m_table.fieldText(OpatreniField);
}

void MeasureTemplates::save(int factor, const QString &spec, const QString &text)
{
    if (locate(factor, spec)) {
        m_table.edit();
    } else {
        m_table.append();
        m_table.setFieldInt(FaktorField, factor);
        m_table.setFieldText(SpecifikField, spec.left(SpecifikWidth));
    }
    try {
        m_table.setFieldText(OpatreniField, text);
        m_table.post();
    } catch (...) {
        m_table.cancel();
        throw;
    }
}

bool MeasureTemplates::remove(int factor, const QString &spec)
{
    if (!locate(factor, spec))
        return false;
    m_table.deleteRecord();
    m_table.close();
    m_table.setExclusive(true);
    try {
        m_table.pack();
    } catch (...) {
        m_table.setExclusive(false);
        m_table.open();
        throw;
    }
    m_table.setExclusive(false);
    m_table.open();
    filterTo(factor);
    return true;
}

QString completeSpecification(const QStringList &list, const QString &typed)
{
    if (typed.isEmpty())
        return QString();
    for (const QString &item : list) {
        if (item.startsWith(typed, Qt::CaseInsensitive))
            return item;
    }
    return QString();
}

} // namespace ergotab::library
