#include "ReportCommands.h"

#include "FileDialogs.h"
#include "MessageBoxes.h"
#include "help/HelpKey.h"
#include "help/HelpTopics.h"
#include "help/HelpViewer.h"
#include "reportengine/dialogs/DialogPageForm.h"
#include "reportengine/dialogs/ReportProgressForm.h"
#include "reportengine/model/TemplateLoader.h"
#include "reportengine/preview/ReportPreview.h"
#include "reportengine/render/ReportExporter.h"
#include "reports/DocumentReport.h"
#include "reports/ReportsFolder.h"
#include "storage/AppError.h"

#include <QAction>
#include <QDateTime>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

namespace ergotab {

namespace {

QString menuText(const QString &reportName)
{
    // An ampersand in a file name is a letter, not a keyboard accelerator.
    return QString(reportName).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// MESSAGEBOX of a template: the buttons and answers of the earlier engine (OK 1, Cancel 2,
// Yes 6, No 7; buttons 0 OK, 1 OK and Cancel, 3 Yes, No and Cancel, 4 Yes and No).
int templateMessageBox(QWidget *parent, const QString &text, const QString &caption, int buttons)
{
    QMessageBox box(QMessageBox::Information, caption.isEmpty() ? QStringLiteral("Sestava") : caption, text,
                    QMessageBox::NoButton, parent);
    switch (buttons & 0xF) {
    case 1:
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.addButton(QStringLiteral("Zrušit"), QMessageBox::RejectRole);
        return box.exec(), box.buttonRole(box.clickedButton()) == QMessageBox::AcceptRole ? 1 : 2;
    case 3:
    case 4: {
        QAbstractButton *yes = box.addButton(QStringLiteral("Ano"), QMessageBox::YesRole);
        QAbstractButton *no = box.addButton(QStringLiteral("Ne"), QMessageBox::NoRole);
        if ((buttons & 0xF) == 3)
            box.addButton(QStringLiteral("Zrušit"), QMessageBox::RejectRole);
        box.exec();
        return box.clickedButton() == yes ? 6 : box.clickedButton() == no ? 7 : 2;
    }
    default:
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.exec();
        return 1;
    }
}

} // namespace

ReportCommands::ReportCommands(QWidget *mainWindow, Document &document, QMenu *menu, QObject *parent)
    : QObject(parent)
    , m_mainWindow(mainWindow)
    , m_document(document)
    , m_menu(menu)
{
}

void ReportCommands::rebuildMenu()
{
    m_menu->clear();
    for (const QString &name : reports::ReportsFolder::reportNames(reports::ReportsFolder::path())) {
        QAction *item = m_menu->addAction(menuText(name));
        item->setData(name);
        connect(item, &QAction::triggered, this, [this, name] { emit reportChosen(name); });
    }
}

void ReportCommands::run(const QString &reportName)
{
    try {
        const QString path = reports::ReportsFolder::templatePath(reports::ReportsFolder::path(), reportName);
        // A template gone since the menu was built runs as an empty report (one blank page),
        // without a word.
        report::ReportTemplate reportTemplate;
        QStringList warnings;
        if (QFileInfo(path).isFile())
            reportTemplate = report::loadTemplate(path, &warnings);
        else
            reportTemplate.pages.emplace_back();

        report::ReportProgressForm progress(reportName, m_mainWindow);
        installHelpKey(&progress, HelpTopic::ReportProgress);
        report::ReportCallbacks callbacks;
        callbacks.progress = [&progress](const report::Progress &figures) { return progress.advance(figures); };
        callbacks.showDialog = [this](const report::DialogPage &page, QVariantMap &values) {
            report::DialogPageForm form(page, values, m_mainWindow);
            installHelpKey(&form, HelpTopic::ReportDialog);
            if (form.exec() != QDialog::Accepted)
                return false;
            values = form.values();
            return true;
        };
        // Asked while preparing, above the progress window once it is up.
        const auto askingParent = [this, &progress]() -> QWidget * {
            return progress.isVisible() ? static_cast<QWidget *>(&progress) : m_mainWindow;
        };
        callbacks.input = [askingParent](const QString &prompt, const QString &defaultValue) -> QVariant {
            bool ok = false;
            const QString text = QInputDialog::getText(askingParent(), QStringLiteral("Sestava"), prompt,
                                                       QLineEdit::Normal, defaultValue, &ok);
            return ok ? text : defaultValue;
        };
        callbacks.messageBox = [askingParent](const QString &text, const QString &caption, int buttons) {
            return templateMessageBox(askingParent(), text, caption, buttons);
        };

        report::PrepareResult result =
            reports::DocumentReport::prepare(m_document, std::move(reportTemplate), std::move(callbacks));
        progress.hide();
        switch (result.status) {
        case report::PrepareResult::Status::Done: {
            report::ReportPreview preview(std::move(result.report), m_mainWindow);
            tellTemplateWarnings(&preview, reportName, path, warnings);
            preview.exec();
            break;
        }
        case report::PrepareResult::Status::Failed:
            showErrorBox(m_mainWindow, result.error);
            break;
        case report::PrepareResult::Status::Cancelled:
            break;
        }
    } catch (const AppError &error) {
        showErrorBox(m_mainWindow, error.message());
    }
}

void ReportCommands::tellTemplateWarnings(QWidget *preview, const QString &reportName, const QString &path,
                                          const QStringList &warnings)
{
    if (warnings.isEmpty())
        return;
    const QString key = path + QLatin1Char('|') + QFileInfo(path).lastModified().toString(Qt::ISODateWithMs);
    if (m_toldTemplates.contains(key))
        return;
    m_toldTemplates.insert(key);
    MessageBoxes::notice(preview, QStringLiteral("Sestava %1").arg(reportName),
                         QStringLiteral("Šablona „%1“ pochází z dřívějšího programu pro sestavy. Některé její části "
                                        "nebylo možné převzít přesně (upozornění: %2), sestava proto nemusí vypadat "
                                        "úplně stejně jako dříve.")
                             .arg(QFileInfo(path).fileName())
                             .arg(warnings.size()),
                         warnings.join(QLatin1Char('\n')));
}

void installReportPreviewHooks()
{
    report::PreviewHooks hooks;
    hooks.openFileName = [](QWidget *parent, const QString &folder) {
        return FileDialogs::openPreparedReportName(parent, folder, report::exportFormats().front().filter);
    };
    hooks.saveFileName = [](QWidget *parent, const QString &folder, QString *filter) {
        return FileDialogs::saveReportName(parent, folder, report::exportDialogFilter(), filter);
    };
    hooks.showError = [](QWidget *parent, const QString &message) { showErrorBox(parent, message); };
    hooks.showHelp = [](QWidget *parent) { HelpViewer::showContext(parent, HelpTopic::Preview); };
    // The print dialog stays the preview's own: Qt's standard one.
    report::ReportPreview::setDefaultHooks(hooks);
}

} // namespace ergotab
