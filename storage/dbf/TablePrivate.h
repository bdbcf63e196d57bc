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
    mutable std::array<NameSlot, 128> nameSlots;
    mutable QHash<QString, int> fieldCache;

    // Filtered rows in index order, rebuilt when the shared file's generation moves on.
    std::vector<OrderEntry> orderedMatches;
    quint64 orderedGeneration = ~quint64(0);

    [[noreturn]] void fail(const QString &cause) const;
    void requireOpen() const;
    int requireField(const QString &name) const;
    const char *currentRecord() const;
    char *editableRecord(const QString &field);

    void compileFilter();
    void resolveIndex();
    bool filterActive() const { return filtered && !terms.empty(); }
    bool matches(int row) const;
    const std::vector<int> &candidates() const;
    int following(int after);
    void toBrowseMode();
    QByteArray valueKey(int field, const QVariant &value) const;
    void onExclusiveFile(const char *what, const std::function<void(SharedTableFile &)> &op);
};

} // namespace ergotab::dbf
