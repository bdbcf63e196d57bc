#pragma once

// What the designer is given by the program around it. The designer knows no documents: the
// data sources with their fields, the program's functions and variables, the preview over real
// data and the help come from here. Every member may stay empty; the designer then offers less
// (no preview button, no help).

#include "reportengine/layout/ReportEngine.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>
#include <vector>

class QWidget;

namespace ergotab::report::designer {

// The windows of the designer with a help topic each.
enum class DesignerHelp { Designer, Expression, PageSetup, Band, DialogPage };

struct DesignerDataSource
{
    QString name;
    QStringList fields;
};

struct DesignerFunction
{
    QString name;      // R_PATH
    QString signature; // R_PATH(Index)
    QString description;
};

struct DesignerHost
{
    std::vector<DesignerDataSource> sources;
    std::vector<DesignerFunction> functions;
    QStringList variables; // offered to every template by the caller, e.g. Dokument
    // Where templates are opened and saved by default.
    QString reportsFolder;
    // Prepares the template over the caller's data for the preview.
    std::function<PrepareResult(const ReportTemplate &report)> prepare;
    // Shows a dialog page as a report run would (for trying it out); false when cancelled.
    std::function<bool(QWidget *parent, const DialogPage &page, QVariantMap &values)> showDialog;
    std::function<void(QWidget *parent, DesignerHelp topic)> showHelp;
};

// F1 in `window` asks the host for `topic`; nothing when the host has no help.
void installDesignerHelp(QWidget *window, const DesignerHost &host, DesignerHelp topic);

} // namespace ergotab::report::designer
