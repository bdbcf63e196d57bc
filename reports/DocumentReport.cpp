#include "DocumentReport.h"

#include "ReportData.h"
#include "ReportFunctions.h"

#include "storage/document/Document.h"

namespace ergotab::reports {

report::PrepareResult DocumentReport::prepare(Document &document, const QString &templatePath,
                                              report::ReportCallbacks callbacks)
{
    report::ReportEngine engine;
    engine.loadTemplate(templatePath);
    ReportData data; // closes when it goes out of scope, whatever happened
    data.open(document.workFolder() + QStringLiteral("Object.dbf"), ReportData::Use::Run);
    return run(document, data, engine, std::move(callbacks));
}

report::PrepareResult DocumentReport::prepare(Document &document, report::ReportTemplate reportTemplate,
                                              report::ReportCallbacks callbacks)
{
    report::ReportEngine engine;
    engine.setTemplate(std::move(reportTemplate));
    ReportData data;
    data.open(document.workFolder() + QStringLiteral("Object.dbf"), ReportData::Use::Run);
    return run(document, data, engine, std::move(callbacks));
}

report::PrepareResult DocumentReport::prepare(Document &document, ReportData &data,
                                              report::ReportTemplate reportTemplate, report::ReportCallbacks callbacks)
{
    report::ReportEngine engine;
    engine.setTemplate(std::move(reportTemplate));
    return run(document, data, engine, std::move(callbacks));
}

report::PrepareResult DocumentReport::run(Document &document, ReportData &data, report::ReportEngine &engine,
                                          report::ReportCallbacks callbacks)
{
    for (report::DataSource *source : data.sources())
        engine.addDataSource(*source);

    ReportFunctions functions(data);
    auto own = std::move(callbacks.function);
    callbacks.function = [&functions, own](const QString &name, const QStringList &arguments,
                                           const report::ArgumentEvaluator &evaluate, QVariant &result) {
        if (functions.call(name, arguments, evaluate, result))
            return true;
        return own && own(name, arguments, evaluate, result);
    };
    callbacks.variables.insert(QStringLiteral("Dokument"), document.displayName());
    callbacks.pureFunctions << ReportFunctions::names();
    engine.setCallbacks(std::move(callbacks));
    return engine.prepare();
}

} // namespace ergotab::reports
