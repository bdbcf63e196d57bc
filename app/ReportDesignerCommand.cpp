#include "ReportDesignerCommand.h"

#include "MessageBoxes.h"
#include "help/HelpTopics.h"
#include "help/HelpViewer.h"
#include "reportengine/designer/ReportDesigner.h"
#include "reportengine/dialogs/DialogPageForm.h"
#include "reports/DocumentReport.h"
#include "reports/ReportData.h"
#include "reports/ReportFields.h"
#include "reports/ReportsFolder.h"
#include "storage/AppError.h"
#include "storage/document/Document.h"

namespace ergotab {

namespace {

int helpTopic(report::designer::DesignerHelp topic)
{
    using report::designer::DesignerHelp;
    switch (topic) {
    case DesignerHelp::Designer:
        return HelpTopic::Designer;
    case DesignerHelp::Expression:
        return HelpTopic::DesignerExpression;
    case DesignerHelp::PageSetup:
        return HelpTopic::DesignerPageSetup;
    case DesignerHelp::Band:
        return HelpTopic::DesignerBand;
    case DesignerHelp::DialogPage:
        return HelpTopic::DesignerDialogPage;
    }
    return HelpTopic::Designer;
}

bool showDialogPage(QWidget *parent, const report::DialogPage &page, QVariantMap &values)
{
    report::DialogPageForm form(page, values, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    values = form.values();
    return true;
}

} // namespace

void designReports(QWidget *mainWindow, Document &document)
{
    using namespace report::designer;
    reports::ReportData data;
    try {
        data.open(document.workFolder() + QStringLiteral("Object.dbf"), reports::ReportData::Use::Design);
    } catch (const AppError &error) {
        showErrorBox(mainWindow, error.message());
        return;
    }

    DesignerHost host;
    const QStringList fields = reports::fields::objectFieldNames();
    host.sources = {{reports::sources::objects, fields}, {reports::sources::assessments, fields}};
    host.functions = {
        {QStringLiteral("R_PATH"), QStringLiteral("R_PATH(Index)"),
         QStringLiteral("cesta k položce stromu: názvy nadřízených oddělené lomítkem")},
        {QStringLiteral("R_KATEGORIE"), QStringLiteral("R_KATEGORIE(Fak01)"),
         QStringLiteral("nejvyšší kategorie zaškrtnutá v masce faktoru")},
        {QStringLiteral("R_MAXKATEGORIE"), QStringLiteral("R_MAXKATEGORIE(text)"),
         QStringLiteral("největší číslice textu")},
    };
    host.variables = {QStringLiteral("Dokument")};
    host.reportsFolder = reports::ReportsFolder::path();
    host.prepare = [&document, &data, mainWindow](const report::ReportTemplate &reportTemplate) {
        report::ReportCallbacks callbacks;
        callbacks.showDialog = [mainWindow](const report::DialogPage &page, QVariantMap &values) {
            return showDialogPage(mainWindow, page, values);
        };
        return reports::DocumentReport::prepare(document, data, reportTemplate, std::move(callbacks));
    };
    host.showDialog = showDialogPage;
    host.showHelp = [](QWidget *parent, DesignerHelp topic) { HelpViewer::showContext(parent, helpTopic(topic)); };

    ReportDesigner designer(std::move(host), mainWindow);
    designer.hooks().showError = [](QWidget *parent, const QString &message) { showErrorBox(parent, message); };
    // The same box as when such a template runs from the menu.
    designer.hooks().showWarnings = [](QWidget *parent, const QString &message, const QStringList &warnings) {
        MessageBoxes::notice(parent, QStringLiteral("Úprava sestav"), message, warnings.join(QLatin1Char('\n')));
    };
    designer.exec();
}

} // namespace ergotab
