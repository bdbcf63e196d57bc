#pragma once

#include <QObject>
#include <QSet>

class QAction;
class QMenu;
class QWidget;

namespace ergotab {

class Document;

// The "Sestavy" menu and running a report from it: one item per template of the reports
// folder, and for the item chosen the template prepared over the stored document (its dialog
// pages first, the progress window while preparing) and shown in the modal preview.
class ReportCommands : public QObject
{
    Q_OBJECT

public:
    ReportCommands(QWidget *mainWindow, Document &document, QMenu *menu, QObject *parent = nullptr);

    // Fills the menu again from the reports folder as it is now.
    void rebuildMenu();

    // Runs the report of that name. A template that has vanished since the menu was built gives
    // an empty report; a failure while preparing goes to the error box; the report data is
    // closed however the run ends.
    void run(const QString &reportName);

signals:
    // An item of the menu was chosen: the report's name.
    void reportChosen(const QString &reportName);

private:
    // What a template's loader could not carry over, told once per template file and version
    // in a session, beside the preview so that it does not stop the work.
    void tellTemplateWarnings(QWidget *preview, const QString &reportName, const QString &path,
                              const QStringList &warnings);

    QWidget *m_mainWindow;
    Document &m_document;
    QMenu *m_menu;
    QSet<QString> m_toldTemplates;
};

// The preview's file dialogs, error box and help are the program's: set once at start-up.
void installReportPreviewHooks();

} // namespace ergotab
