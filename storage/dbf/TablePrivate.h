#pragma once

#include "SharedTableFile.h"
#include "Table.h"

#include <QHash>

#include <memory>
#include <vector>

namespace ergotab::dbf {

// A handle's own state: its definitions and settings, which survive close(), and, while
// open, its cursor, compiled filter and unposted row.
struct Table::Private
{
    enum class State { Browse, Edit, Insert };
    struct Term
    {
        int field;
        QByteArray key;
        mutable int id = -1; // the key's number in the field's value index, see resolveTerms()
    };

    Table *q = nullptr;
    QString path;
    QList<FieldDef> fieldDefs;
    QList<IndexDef> indexDefs;
    bool exclusive = false;
    QString filterText;
    bool filtered = false;
    QString indexName;
    std::function<void(Table &)> afterPost;

    std::shared_ptr<SharedTableFile> file;
    std::vector<Term> terms;
    int tag = -1;
    int row = -1;
    bool eof = true;
    State state = State::Browse;
    QByteArray buffer;
    QHash<int, QString> memoEdits;
    bool modified = false;

    // Filtered rows in index order, rebuilt when the shared file's generation moves on.
    std::vector<OrderEntry> orderedMatches;
    quint64 orderedGeneration = ~quint64(0);

    [[noreturn]] void fail(const QString &cause) const;
    void requireOpen() const;
    // The layout of field number `field`; fails when the table is not open or has no such field.
    const FieldLayout &requireField(int field) const
    {
        if (!file || field < 0 || field >= file->layout().fields.size()) [[unlikely]]
            failField(field);
        return file->layout().fields[field];
    }
    [[noreturn]] void failField(int field) const;
    // The row fields are read from: the unposted row while editing, else the current row;
    // nullptr when there is none, and every field then reads empty.
    const char *currentRecord() const
    {
        if (state != State::Browse)
            return buffer.constData();
        return row >= 0 ? file->record(row) : nullptr;
    }
    char *editableRecord(const FieldLayout &field);
    int fieldIntOfAnyShape(int field, const FieldLayout &f, const char *rec) const;

    void compileFilter();
    void resolveIndex();
    bool filterActive() const { return filtered && !terms.empty(); }
    // Looks up the number of each term's value; needed before matches().
    void resolveTerms() const;
    // Whether a live row taken from a value index passes the filter.
    bool matches(int row) const;
    // Rows of the most selective filter term: every match is among them. Resolves the terms.
    const std::vector<int> &candidates() const;
    int following(int after);
    void toBrowseMode();
    QByteArray valueKey(int field, const QVariant &value) const;
    void onExclusiveFile(const char *what, const std::function<void(SharedTableFile &)> &op);
};

} // namespace ergotab::dbf
