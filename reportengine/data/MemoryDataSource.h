#pragma once

// A data source over rows held in memory: for tests, for dialog-page lists and for callers
// that have their records at hand.

#include "reportengine/data/DataSource.h"

#include <QVariantList>

#include <vector>

namespace ergotab::report {

class MemoryDataSource : public DataSource
{
public:
    MemoryDataSource(QString name, QStringList fieldNames);

    // Each row holds one value per field, in the order of the field names; missing values are null.
    void addRow(QVariantList values);

    QString name() const override { return m_name; }
    QStringList fieldNames() const override { return m_fields; }
    int fieldIndex(const QString &fieldName) const override;
    int recordCount() override { return static_cast<int>(m_rows.size()); }
    void moveTo(int record) override;
    QVariant value(int fieldIndex) override;

private:
    QString m_name;
    QStringList m_fields;
    std::vector<QVariantList> m_rows;
    int m_current = 0;
};

} // namespace ergotab::report
