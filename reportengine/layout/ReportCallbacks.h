#pragma once

// What a report run asks of its caller: progress (and whether to go on), the dialog pages,
// functions the engine does not know, and the answers of INPUT and MESSAGEBOX. Every member
// may be left empty: the run then goes on, takes the controls' own values, knows no further
// functions, answers INPUT with its default and MESSAGEBOX with OK.

#include "reportengine/expr/ExpressionHost.h"
#include "reportengine/model/ReportTemplate.h"

#include <QVariantMap>

#include <functional>

namespace ergotab::report {

struct Progress
{
    int record = 0;      // records placed so far in this pass
    int recordCount = 0; // records of the master data sources (the detail records come on top)
    int page = 0;        // pages begun so far
    int pass = 1;        // 2 for the second pass of a report that prints TOTALPAGES
};

struct ReportCallbacks
{
    // Values the caller offers to the template as variables (the document's name); a dialog
    // control of the same name wins.
    QVariantMap variables;
    // Called for each record placed; returning false cancels the run.
    std::function<bool(const Progress &)> progress;
    // Shows a dialog page. `values` holds each control's value by its name (text of edits and
    // combo boxes, bool of check boxes and radio buttons, QDate of date edits); the caller
    // changes them. Returning false cancels the run.
    std::function<bool(const DialogPage &page, QVariantMap &values)> showDialog;
    // A function call the engine does not know: name in upper case, up to three argument
    // texts and an evaluator for them. Returns false when the caller does not know it either.
    std::function<bool(const QString &name, const QStringList &arguments, const ArgumentEvaluator &evaluate,
                       QVariant &result)>
        function;
    // Names (upper case) of the `function`s whose result depends only on their arguments and the
    // current records: the engine calls each once per band printed for the same argument texts
    // (a text and its highlight condition often ask the same).
    QStringList pureFunctions;
    std::function<QVariant(const QString &prompt, const QString &defaultValue)> input;
    std::function<int(const QString &text, const QString &caption, int buttons)> messageBox;
};

} // namespace ergotab::report
