#include "ObjectTableSource.h"

#include "ReportFields.h"

#include "storage/AppError.h"

namespace ergotab::reports {

ObjectTableSource::ObjectTableSource(QString name, QString filter)
    : m_name(std::move(name))
    , m_filter(std::move(filter))
{
}

void ObjectTableSource::open(const QString &tablePath, const QString &indexName)
{
    close();
    m_table.setTableName(tablePath);
    m_table.setIndexName(indexName);
    m_table.setFilter(m_filter);
    m_table.setFiltered(true);
    m_table.open();
    m_open = true;
    try {
        readRows();
    } catch (...) {
        close();
        throw;
    }
}

void ObjectTableSource::close()
{
    if (m_table.isOpen())
        m_table.close();
    m_open = false;
    m_columns.clear();
    m_rowCount = 0;
    m_current = 0;
}

void ObjectTableSource::readRows()
{
    m_columns.clear();
    const QStringList ownNames = fields::objectFieldNames();
    for (const dbf::FieldDef &field : m_table.fields()) {
        // The table file keeps names in upper case; templates and the designer see the
        // document's own spelling.
        QString name = field.name;
        for (const QString &own : ownNames) {
            if (own.compare(name, Qt::CaseInsensitive) == 0)
                name = own;
        }
        m_columns.push_back({name, field.kind, {}, {}, {}});
    }
    m_rowCount = 0;
    for (m_table.first(); !m_table.eof(); m_table.next()) {
        for (Column &column : m_columns) {
            const bool empty = m_table.isFieldEmpty(column.name);
            column.empty.push_back(empty);
            if (column.kind == dbf::FieldKind::Integer)
                column.numbers.push_back(empty ? 0 : m_table.fieldInt(column.name));
            else
                column.texts.push_back(empty ? QString() : m_table.fieldText(column.name));
        }
        ++m_rowCount;
    }
}

QStringList ObjectTableSource::fieldNames() const
{
    QStringList names;
    for (const Column &column : m_columns)
        names << column.name;
    return names;
}

int ObjectTableSource::fieldIndex(const QString &fieldName) const
{
    const QString wanted = fieldName.trimmed();
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].name.compare(wanted, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

void ObjectTableSource::moveTo(int record)
{
    if (record < 0 || record >= m_rowCount)
        throw AppError(QStringLiteral("Zdroj dat %1 nemá záznam č. %2.").arg(m_name).arg(record + 1));
    m_current = record;
}

QVariant ObjectTableSource::value(int fieldIndex)
{
    if (fieldIndex < 0 || size_t(fieldIndex) >= m_columns.size() || m_rowCount == 0)
        return {};
    const Column &column = m_columns[size_t(fieldIndex)];
    const size_t row = size_t(m_current);
    if (column.kind == dbf::FieldKind::Integer) {
        if (column.empty[row])
            return QVariant(QMetaType::fromType<int>());
        return column.numbers[row];
    }
    if (column.empty[row])
        return QVariant(QMetaType::fromType<QString>());
    return column.texts[row];
}

} // namespace ergotab::reports
