#include "WorkerRegister.h"

#include "WorkerFields.h"
#include "storage/Progress.h"
#include "storage/document/Document.h"
#include "tree/HighestIndex.h"
#include "tree/SubtreeDeleter.h"

namespace ergotab::workers {

WorkerRegister::WorkerRegister(Document &document)
    : m_document(document)
{
}

dbf::Table &WorkerRegister::workers() const
{
    return m_document.workers();
}

dbf::Table &WorkerRegister::links() const
{
    return m_document.links();
}

bool WorkerRegister::locate(int index) const
{
    workers().setFiltered(false);
    workers().setFilter(QString());
    return workers().locate(field::Index, index);
}

QList<WorkerRow> WorkerRegister::rows(ProgressSink *progress) const
{
    workers().setFiltered(false);
    workers().setFilter(QString());
    ProgressScope scope(progress, QStringLiteral("Načítám zaměstnance"), workers().recordCount());
    QList<WorkerRow> rows;
    for (workers().first(); !workers().eof(); workers().next()) {
        rows.append({workers().fieldInt(field::Index),
                     workers().fieldText(field::LName) + QLatin1Char(' ') + workers().fieldText(field::FName)});
        scope.step();
    }
    return rows;
}

std::optional<WorkerRecord> WorkerRegister::find(int index) const
{
    if (!locate(index))
        return std::nullopt;
    return readWorker(workers());
}

std::optional<WorkerRecord> WorkerRegister::store(int index, const WorkerRecord &worker)
{
    const int riskLen = parseWholeNumber(worker.riskLen);
    if (!locate(index))
        return std::nullopt;
    workers().edit();
    try {
        writeWorker(workers(), worker, riskLen);
        workers().post();
    } catch (...) {
        workers().cancel();
        throw;
    }
    return readWorker(workers());
}

int WorkerRegister::add()
{
    const int index = tree::HighestWorkerIndex(m_document) + 1;
    workers().append();
    try {
        workers().setFieldInt(field::Index, index);
        workers().setFieldInt(field::LenType, -1);
        workers().setFieldInt(field::Result, -1);
        workers().post();
    } catch (...) {
        workers().cancel();
        throw;
    }
    m_document.cachedHighestWorkerIndex = index;
    return index;
}

bool WorkerRegister::remove(int index)
{
    const bool found = locate(index);
    if (found) {
        workers().deleteRecord();
        workers().first();
        // A deletion posts nothing, so it marks the document itself: otherwise closing the
        // program would not ask, and the deletion would be lost.
        m_document.setModified(true);
    }
    tree::packTable(workers());

    links().setFilter(field::WIndex + QLatin1Char('=') + QString::number(index));
    links().setFiltered(true);
    for (links().first(); !links().eof(); links().first()) {
        links().deleteRecord();
        m_document.setModified(true);
    }
    links().setFiltered(false);
    links().setFilter(QString());
    tree::packTable(links());
    return found;
}

} // namespace ergotab::workers
