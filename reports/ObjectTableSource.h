#pragma once

#include "reportengine/data/DataSource.h"
#include "storage/dbf/Table.h"

#include <vector>

namespace ergotab::reports {

// One filtered view of the document's Object.dbf handed to the report engine under a fixed
// name. Its rows are read once when it opens, so the engine may reach them by ordinal in any
// order (a detail band jumps back and forth) without walking the table again.
class ObjectTableSource : public report::DataSource
{
public:
    ObjectTableSource(QString name, QString filter);

    // Opens its own handle on the table file; `indexName` empty means physical order.
    void open(const QString &tablePath, const QString &indexName);
    void close();
    bool isOpen() const { return m_open; }
    // The index the handle was last given; kept after close() until reset.
    QString indexName() const { return m_table.indexName(); }
    void clearIndexName() { m_table.setIndexName(QString()); }

    QString name() const override { return m_name; }
    QStringList fieldNames() const override;
    int fieldIndex(const QString &fieldName) const override;
    int recordCount() override { return m_rowCount; }
    void moveTo(int record) override;
    QVariant value(int fieldIndex) override;

private:
    // Values are kept by field, each in the form its kind needs.
    struct Column
    {
        QString name;
        dbf::FieldKind kind = dbf::FieldKind::Integer;
        std::vector<int> numbers;
        std::vector<QString> texts;
        std::vector<bool> empty;
    };

    void readRows();

    QString m_name;
    QString m_filter;
    dbf::Table m_table;
    bool m_open = false;
    std::vector<Column> m_columns;
    int m_rowCount = 0;
    int m_current = 0;
};

} // namespace ergotab::reports
