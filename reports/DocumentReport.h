#pragma once

#include "reportengine/layout/ReportEngine.h"

namespace ergotab {
class Document;
}

namespace ergotab::reports {

class ReportData;

// Runs one report template over the open document the way the "Sestavy" menu does: the report
// data opened for a run, the engine given Object_DataSet, Kategorie_DataSet and the report
// functions, the document's name offered to the template as [Dokument], and the data closed
// again however preparing ends.
class DocumentReport
{
public:
    // `callbacks` are the caller's (progress, dialog pages, INPUT, MESSAGEBOX); functions that
    // are not report functions go on to the caller's own handler. Throws AppError when the
    // template cannot be read or the document's data cannot be opened.
    static report::PrepareResult prepare(Document &document, const QString &templatePath,
                                         report::ReportCallbacks callbacks);
    // The same with a template already read (or an empty one, for a template that has vanished).
    static report::PrepareResult prepare(Document &document, report::ReportTemplate reportTemplate,
                                         report::ReportCallbacks callbacks);

    // Over report data the caller keeps open (the designer's, opened without an index).
    static report::PrepareResult prepare(Document &document, ReportData &data, report::ReportTemplate reportTemplate,
                                         report::ReportCallbacks callbacks);

private:
    static report::PrepareResult run(Document &document, ReportData &data, report::ReportEngine &engine,
                                     report::ReportCallbacks callbacks);
};

} // namespace ergotab::reports
