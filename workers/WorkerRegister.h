#pragma once

#include "WorkerRecord.h"

#include <QList>

#include <optional>

namespace ergotab {
class Document;
class ProgressSink;
namespace dbf {
class Table;
}
} // namespace ergotab

namespace ergotab::workers {

// A row of the register's list: the worker's Index and the text shown for it.
struct WorkerRow
{
    int index = 0;
    QString text;
};

// The register's commands on the document's Worker and Link tables, without any window.
// Workers are found by their Index alone, never by position. Every command clears the
// Worker table's filter first.
class WorkerRegister
{
public:
    explicit WorkerRegister(Document &document);

    // Every worker in record order, the progress advanced per row.
    QList<WorkerRow> rows(ProgressSink *progress) const;

    std::optional<WorkerRecord> find(int index) const;

    // Writes the worker and posts it; returns what the table now holds, or nothing when there
    // is no such worker. A length that is not a whole number raises its error before the
    // table is touched, and a failure while writing leaves the row as it was.
    std::optional<WorkerRecord> store(int index, const WorkerRecord &worker);

    // Appends a worker with the next free Index, both choices -1 and everything else empty,
    // posted at once; returns its Index.
    int add();

    // Deletes the worker and every Link row with its Index, then packs both tables. Returns
    // whether the worker was there; the links go and the tables are packed either way. The
    // document counts as modified when any row went.
    bool remove(int index);

private:
    bool locate(int index) const;
    // The tables are reached anew each time: the document makes them only when it starts.
    dbf::Table &workers() const;
    dbf::Table &links() const;

    Document &m_document;
};

} // namespace ergotab::workers
