#pragma once

#include "ObjectTableSource.h"
#include "PathIndex.h"

#include <optional>
#include <vector>

namespace ergotab::reports {

// The report data of the open document: Object_DataSet (nodes) and Kategorie_DataSet
// (assessments) over its Object.dbf, and the lookup behind R_PATH. Open only while a report is
// prepared and shown or while the designer is open.
class ReportData
{
public:
    enum class Use {
        Run,   // rows in UPLINK order: ascending UpLink, equal UpLinks in physical order
        Design // rows in physical order
    };

    ReportData();
    ~ReportData();
    ReportData(const ReportData &) = delete;
    ReportData &operator=(const ReportData &) = delete;

    // `objectTablePath` is the document's Object.dbf in its working folder. Kategorie_DataSet
    // opens first; if either fails both are closed again and the error goes on.
    void open(const QString &objectTablePath, Use use);
    // Kategorie_DataSet closes first; after a run both index names are set back to none.
    void close();
    bool isOpen() const { return m_objects.isOpen(); }

    ObjectTableSource &objects() { return m_objects; }
    ObjectTableSource &assessments() { return m_assessments; }
    std::vector<report::DataSource *> sources() { return {&m_objects, &m_assessments}; }

    // Index → name and parent of every row, read on first use within one opening.
    const PathIndex &paths();

private:
    ObjectTableSource m_objects;
    ObjectTableSource m_assessments;
    QString m_tablePath;
    Use m_use = Use::Run;
    std::optional<PathIndex> m_paths;
};

} // namespace ergotab::reports
