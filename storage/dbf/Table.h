#pragma once

#include "../AppError.h"

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

    // --- navigation
    void first();
    void next();
    bool eof() const;
    bool locate(const QString &field, const QVariant &value); // exact; first match in current order
    int recordCount() const;                                  // rows the filter lets through
    bool hasField(const QString &name) const;
    QList<FieldDef> fields() const; // as the open table reports them

    // --- fields of the current row (an empty field reads 0 or "")
    int fieldInt(const QString &name) const;
    QString fieldText(const QString &name) const;
    bool isFieldEmpty(const QString &name) const;
    void setFieldInt(const QString &name, int value);
    void setFieldText(const QString &name, const QString &value); // String: cut to the field width

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
