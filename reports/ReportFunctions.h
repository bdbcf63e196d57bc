#pragma once

#include "reportengine/expr/ExpressionHost.h"

namespace ergotab::reports {

class ReportData;

// The program's report functions, called by the report engine for every function it does not
// know itself:
//   R_PATH(index)          names of the item and its ancestors, top level first, joined by " / "
//   R_KATEGORIE(mask)      the highest category 1 … 4 whose bit is set in a factor mask, else 0
//   R_MAXKATEGORIE(digits) the largest digit of a text, 0 for an empty text
// Names are compared trimmed and without regard to case. The first argument is evaluated with
// the engine's evaluator; the second and third are ignored.
class ReportFunctions
{
public:
    explicit ReportFunctions(ReportData &data);

    // False (and `result` untouched) for any other name. A value that is not what the
    // function needs raises an AppError whose message names the function and the value.
    bool call(const QString &name, const QStringList &arguments, const report::ArgumentEvaluator &evaluate,
              QVariant &result) const;

    // Their names in upper case. Each depends only on its argument and the document, so a
    // report may take one call's result for every equal call in the same band and record.
    static QStringList names();

    static int highestCategory(int mask);
    static int highestDigit(const QString &digits);

private:
    ReportData &m_data;
};

} // namespace ergotab::reports
