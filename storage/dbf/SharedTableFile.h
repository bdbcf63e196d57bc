#pragma once

#include "MemoFile.h"
#include "RowIndexes.h"
#include "TableLayout.h"

#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QString>

#include <memory>
#include <vector>

namespace ergotab::dbf {

// The state of one table file shared by every handle open on it in this process: the
// layout, all rows in memory, the memo file, and the in-memory indexes. Changes are written
// through to the .dbf and memo file at once; the .mdx is written when the last handle leaves,
// and by pack and addIndex.
class SharedTableFile
{
public:
    // Joins the handles open on `path`, opening the files for the first one. Exclusive use
    // is refused while other handles are open, and other handles are refused meanwhile.
    static std::shared_ptr<SharedTableFile> attach(const QString &path, bool exclusive);
    static bool isAttached(const QString &path);
    // Leaves; the last handle out writes the index file and closes everything.
    void detach();

    ~SharedTableFile();
    SharedTableFile(const SharedTableFile &) = delete;
    SharedTableFile &operator=(const SharedTableFile &) = delete;

    const QString &tableName() const { return m_path; }
    const TableLayout &layout() const { return m_layout; }
    bool isExclusive() const { return m_exclusive; }
    int handleCount() const { return m_handles; }
    // Changes with every posted, deleted or packed row, so handles can tell cached views are stale.
    quint64 generation() const { return m_generation; }

    int rowCount() const { return m_rows; }
    int liveCount() const;
    // The bytes of one row. The pointer holds until the next call: a scan in file order is
    // served from a window the file is copied into, which moves on as the scan does.
    const char *record(int row) const
    {
        if (row >= m_windowFirst && row < m_windowEnd)
            return m_window.get() + qsizetype(row - m_windowFirst) * m_layout.recordLength;
        return recordOutsideWindow(row);
    }
    bool isDeleted(int row) const { return record(row)[0] == '*'; }
    int nextLiveRow(int after) const;

    QString memoText(const char *rec, int field);
    QByteArray fieldKey(const char *rec, int field);

    // The live rows of each value of a field; built on first use and kept current.
    const ValueIndex &valueIndex(int field);
    // Live rows whose field equals the key, ascending.
    const std::vector<int> &rowsWithValue(int field, const QByteArray &key);
    int tagIndex(const QString &name) const;
    const OrderedTag &tag(int index);
    int tagCount() const { return int(m_tags.size()); }
    OrderEntry orderEntry(int tag, int row) const;

    // Writes the memo texts (by field index) first, then the record. Returns the row.
    int appendRow(QByteArray rec, const QHash<int, QString> &memos);
    void updateRow(int row, QByteArray rec, const QHash<int, QString> &memos);
    void deleteRow(int row);

    // Exclusive use only.
    void addIndex(const QString &name, const QString &field);
    void pack();
    // Writes the files of a new empty table, replacing any table of that name.
    static void create(const QString &path, const QList<FieldDef> &fields, const QList<IndexDef> &indexes);
    // Writes the index file now if any row changed since it was last written.
    void flushIndex();

    [[noreturn]] void fail(const QString &cause) const;

private:
    explicit SharedTableFile(const QString &path);
    void load();
    void unload();
    // Reads the tags the index file and the field flags name; false when the index file does
    // not hold them all.
    bool loadTags();
    void buildTag(OrderedTag &tag);
    void requireWritable() const;
    // Rows are read straight from a private mapping of the file until the first change,
    // which copies them into m_data; from then on m_data holds them.
    void ownRows();
    const char *recordOutsideWindow(int row) const;
    void dropWindow() const { m_windowFirst = m_windowEnd = 0; }
    void writeDbf(qint64 offset, const QByteArray &bytes);
    void stampHeader();
    void storeMemos(QByteArray &rec, const QHash<int, QString> &memos, const char *stored);
    void indexRow(int row);
    void unindexRow(int row);
    OrderEntry orderEntry(int tag, const char *rec, int row) const;
    QByteArray buildIndexFile(const char *data, int rows) const;

    QString m_path;
    QString m_key;
    bool m_exclusive = false;
    int m_handles = 0;
    quint64 m_generation = 0;

    TableLayout m_layout;
    QByteArray m_header;
    QFile m_dbf;
    bool m_writable = false;
    bool m_stamped = false;
    QDate m_today;
    QElapsedTimer m_todayAge;
    std::unique_ptr<MemoFile> m_memo;
    QByteArray m_data;
    uchar *m_rowMap = nullptr;        // the rows as mapped from the file, until ownRows()
    const char *m_rowBytes = nullptr; // where row 0 starts: in m_rowMap or in m_data
    // Rows read in file order are copied into this window rather than read from the mapping:
    // a page fault costs more than copying the page, and the window is faulted in only once.
    static constexpr qsizetype kWindowBytes = 256 * 1024;
    mutable std::unique_ptr<char[]> m_window;
    mutable qsizetype m_windowCapacity = 0;
    mutable int m_windowFirst = 0; // rows [m_windowFirst, m_windowEnd) are in the window
    mutable int m_windowEnd = 0;
    mutable int m_lastOutsideWindow = -2;
    int m_rows = 0;
    mutable int m_live = -1; // counted when first asked for: opening need not touch every row

    std::vector<std::unique_ptr<ValueIndex>> m_values;
    std::vector<OrderedTag> m_tags;
    bool m_indexDirty = false;
};

} // namespace ergotab::dbf
