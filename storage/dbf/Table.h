#pragma once

#include "../AppError.h"

#include <QAnyStringView>
#include <QList>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

namespace ergotab::dbf {

// Engine failures: the message is English and names the table and the cause.
class EngineError : public AppError
{
public:
    using AppError::AppError;
};

enum class FieldKind { Integer, String, Memo };

struct FieldDef
{
    QString name;
    FieldKind kind = FieldKind::Integer;
    int width = 0; // String only
};

struct IndexDef
{
    QString name;  // tag name, e.g. "UPLINK"
    QString field; // the one key field, ascending, duplicates allowed
};

class SharedTableFile; // the per-file state all handles on one path share

// A handle on one dBase table: the record-oriented cursor every part of the program uses.
// Several handles on one file in one process share the rows; a post through one is seen by
// all at once. Filter text, filter switch, index name and exclusivity survive close().
class Table
{
public:
    Table();
    explicit Table(const QString &path);
    ~Table();
    Table(const Table &) = delete;
    Table &operator=(const Table &) = delete;

    // --- binding and definition
    void setTableName(const QString &path); // full path ending ".dbf"; only while closed
    QString tableName() const;
    void clearDefinitions();
    void addFieldDef(const QString &name, FieldKind kind, int width = 0);
    void addIndexDef(const QString &name, const QString &field);
    // Creates the table empty from the definitions, replacing any table of that name. Leaves it closed.
    void createTable();

    // --- open and close
    void open();
    void close();
    bool isOpen() const;
    void setExclusive(bool exclusive); // only while closed
    bool isExclusive() const;

    // --- maintenance (closed table, exclusive use)
    void addIndex(const QString &name, const QString &field);
    void pack();

    // --- filter and order
    void setFilter(const QString &text); // parsed when applied; bad text raises EngineError
    QString filter() const;
    void setFiltered(bool on);
    bool isFiltered() const;
    void setIndexName(const QString &name); // "" = physical order
    QString indexName() const;
    bool hasIndex(const QString &name) const; // the open table has an index of that name

    // --- navigation
    void first();
    void next();
    bool eof() const;
    bool locate(int field, const QVariant &value); // exact; first match in current order
    bool locate(QAnyStringView field, const QVariant &value) { return locate(fieldIndex(field), value); }
    int recordCount() const; // rows the filter lets through

    // --- fields of the open table. Names compare without regard to case.
    bool hasField(QAnyStringView name) const;
    // The position of the named field, 0 for the first; fails when the table has no such field.
    // Code that reads or writes a field row after row asks once and then goes by position.
    int fieldIndex(QAnyStringView name) const;
    QList<FieldDef> fields() const; // as the open table reports them

    // --- fields of the current row by position (an empty field reads 0 or "")
    int fieldInt(int field) const;
    QString fieldText(int field) const;
    bool isFieldEmpty(int field) const;
    void setFieldInt(int field, int value);
    void setFieldText(int field, const QString &value); // String: cut to the field width
    // The same by name, for a single read or write: each call looks the name up.
    int fieldInt(QAnyStringView name) const { return fieldInt(fieldIndex(name)); }
    QString fieldText(QAnyStringView name) const { return fieldText(fieldIndex(name)); }
    bool isFieldEmpty(QAnyStringView name) const { return isFieldEmpty(fieldIndex(name)); }
    void setFieldInt(QAnyStringView name, int value) { setFieldInt(fieldIndex(name), value); }
    void setFieldText(QAnyStringView name, const QString &value) { setFieldText(fieldIndex(name), value); }

    // --- changes
    void append();
    void edit();
    void post();
    void cancel();
    void deleteRecord(); // the cursor is undefined afterwards: call first()
    // Appends a row with the given values in field order (fewer values leave the rest empty)
    // and posts it at once.
    void appendRecord(const QVariantList &values = {});

    // Called after every successful post through this handle; deletes give none.
    void setAfterPost(std::function<void(Table &)> handler);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace ergotab::dbf
