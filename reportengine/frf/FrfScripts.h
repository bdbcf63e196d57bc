#pragma once

// The scripts of the earlier engine are kept and never run. A few common ones say exactly what
// a feature of ours does: an object or band shown under a condition, a variable given the value
// of an expression. Those are recognised here; anything more stays a script.

#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace ergotab::report::frf {

struct ScriptMeaning
{
    QString visibleWhen;                                  // empty: the script does not touch visibility
    std::vector<std::pair<QString, QString>> assignments; // variable := expression, in order
};

// nullopt unless every statement of the script is one of: `Visible := expr`,
// `if cond then Visible := False|True else Visible := True|False` or `Name := expr`, with
// every expression one our engine reads the same way.
std::optional<ScriptMeaning> understandScript(const QString &script);

} // namespace ergotab::report::frf
