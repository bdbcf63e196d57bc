#pragma once

// A named source of records that report bands walk over. Records are reached by their ordinal
// (0 … recordCount()-1), so the layout engine can walk, re-walk for a second pass, and index a
// detail source by a key once instead of scanning it for every master record.

#include <QString>
#include <QStringList>
#include <QVariant>

namespace ergotab::report {

class DataSource
{
public:
    virtual ~DataSource() = default;

    // The name templates use, for example "Kategorie_DataSet".
    virtual QString name() const = 0;
    virtual QStringList fieldNames() const = 0;
    // The field's position for value(), found without regard to case; -1 when there is none.
    virtual int fieldIndex(const QString &fieldName) const = 0;

    virtual int recordCount() = 0;
    // Makes the record the current one; `record` is within 0 … recordCount()-1.
    virtual void moveTo(int record) = 0;
    // A field of the current record: text as QString, numbers as int/double, dates as QDate,
    // logical fields as bool; an empty field as a null QVariant of the field's type.
    virtual QVariant value(int fieldIndex) = 0;
};

} // namespace ergotab::report
