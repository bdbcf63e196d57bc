#include "reportengine/data/MemoryDataSource.h"

namespace ergotab::report {

MemoryDataSource::MemoryDataSource(QString name, QStringList fieldNames)
    : m_name(std::move(name))
    , m_fields(std::move(fieldNames))
{
}

void MemoryDataSource::addRow(QVariantList values)
{
    values.resize(m_fields.size());
    m_rows.push_back(std::move(values));
}

int MemoryDataSource::fieldIndex(const QString &fieldName) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void MemoryDataSource::moveTo(int record)
{
    m_current = record;
}

QVariant MemoryDataSource::value(int fieldIndex)
{
    if (m_current < 0 || m_current >= static_cast<int>(m_rows.size()) || fieldIndex < 0 ||
        fieldIndex >= m_fields.size())
        return {};
    return m_rows[static_cast<size_t>(m_current)][fieldIndex];
}

} // namespace ergotab::report
