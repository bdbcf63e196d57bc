#pragma once

#include "SharedTableFile.h"
#include "Table.h"

#include <QHash>

#include <array>
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
    // Field lookups by name: callers pass the same names again and again, mostly literals
    // whose characters stay at one address, so a slot keyed by that address answers first.
    struct NameSlot
    {
        const QChar *data = nullptr;
        QString name;
        int index = -1;
    };
    mutable std::array<NameSlot, 256> nameSlots;
    mutable QHash<QString, int> fieldCache;

    // Filtered rows in index order, rebuilt when the shared file's generation moves on.
    std::vector<OrderEntry> orderedMatches;
    quint64 orderedGeneration = ~quint64(0);

    [[noreturn]] void fail(const QString &cause) const;
    void requireOpen() const;
    // The field index of `name`; fails when the table is not open or has no such field.
    int requireField(const QString &name) const
    {
        if (file) {
            const size_t at = nameSlotOf(name);
            for (const NameSlot *slot : {&nameSlots[at], &nameSlots[(at + 1) % nameSlots.size()]}) {
                if (slot->data == name.constData() && slot->name.size() == name.size()) {
                    if (name.capacity() > 0 || slot->name.constData() == name.constData())
                        return slot->index;
                    break;
                }
            }
        }
        return lookUpField(name); // also compares the text of names that are not allocated
    }
    static size_t nameSlotOf(const QString &name)
    {
        const quintptr hash =
            (quintptr(name.constData()) * quintptr(0x9E3779B97F4A7C15ull)) >> (sizeof(quintptr) * 8 - 8);
        return hash % std::tuple_size_v<decltype(nameSlots)>;
    }
    int lookUpField(const QString &name) const;
    // The row fields are read from: the unposted row while editing, else the current row;
    // nullptr when there is none, and every field then reads empty.
    const char *currentRecord() const
    {
        if (state != State::Browse)
            return buffer.constData();
        return row >= 0 ? file->record(row) : nullptr;
    }
    char *editableRecord(const QString &field);
    int fieldIntOfAnyShape(const QString &name, const FieldLayout &f, const char *rec) const;

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
