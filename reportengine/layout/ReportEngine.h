#pragma once

// The report engine as the program and the command-line tool use it: load a template, give
// it data sources and callbacks, prepare. Preparing shows the dialog pages through the caller,
// lays the report pages out over the sources one after the other, page numbers running on
// (twice when it prints TOTALPAGES; a page a subreport names only inside that), and gives
// back the finished pages, or "cancelled", or the error that stopped it; never a half-made
// report as if it were complete.
//
//   ReportEngine engine;
//   engine.loadTemplate(path);                 // throws AppError naming the file; what it could
//                                              // not carry over comes in result.templateWarnings
//   engine.addDataSource(objects);             // not owned; must outlive prepare()
//   engine.setCallbacks(callbacks);
//   PrepareResult result = engine.prepare();
//   if (result.status == PrepareResult::Status::Done) render(result.report);

#include "reportengine/data/DataSource.h"
#include "reportengine/layout/ReportCallbacks.h"
#include "reportengine/layout/TextMeasurer.h"
#include "reportengine/prepared/PreparedReport.h"

#include <memory>
#include <unordered_set>
#include <vector>

namespace ergotab::report {

struct PrepareResult
{
    enum class Status { Done, Cancelled, Failed };
    Status status = Status::Failed;
    PreparedReport report; // empty unless Done
    QString error;         // Failed: what stopped it, naming the object, band and text
    QStringList warnings;  // Done: bands cut or clipped, objects left out
    // Whatever the status: what reading the template could not carry over (a template of the
    // earlier engine), as the loader said it.
    QStringList templateWarnings;
};

class ReportEngine
{
public:
    ReportEngine();
    ~ReportEngine();

    void loadTemplate(const QString &path);
    // `loadWarnings`: what the caller's own reading of the template said, passed on in the result.
    void setTemplate(ReportTemplate report, QStringList loadWarnings = {});
    const ReportTemplate &reportTemplate() const { return m_template; }

    void addDataSource(DataSource &source);
    void clearDataSources() { m_sources.clear(); }
    void setCallbacks(ReportCallbacks callbacks) { m_callbacks = std::move(callbacks); }
    // The fonts' own metrics unless set; tests give fixed ones.
    void setTextMeasurer(std::shared_ptr<TextMeasurer> measurer) { m_measurer = std::move(measurer); }

    PrepareResult prepare();

private:
    // The values of the dialog pages' controls, after the caller has shown them; false when
    // the caller cancelled.
    bool askDialogs(QVariantMap &values);
    PreparedReport layOut(const QVariantMap &dialogValues, int pass, int totalPages, QStringList &warnings,
                          const std::unordered_set<const ReportObject *> &deferred = {});
    bool printsTotalPages() const;
    // The texts that print TOTALPAGES, when all of them stand in the page's headers, footers and
    // overlays and read nothing of the records: they are filled in after a single pass. Empty
    // when some use of TOTALPAGES needs the second pass.
    std::unordered_set<const ReportObject *> deferrableTotals(const QVariantMap &dialogValues) const;

    ReportTemplate m_template;
    QStringList m_loadWarnings;
    std::vector<DataSource *> m_sources;
    ReportCallbacks m_callbacks;
    std::shared_ptr<TextMeasurer> m_measurer;
};

} // namespace ergotab::report
