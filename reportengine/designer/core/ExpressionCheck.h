#pragma once

// Checking what an author types, before the report runs: an expression (band and highlight
// conditions, variables) or a text with [ … ] parts. A problem names the 1-based position in
// the text typed, so the editor can put the cursor there.

#include <QString>
#include <QStringList>

#include <optional>

namespace ergotab::report::designer {

struct SyntaxProblem
{
    QString message;
    int position = 0; // 1-based, in the whole text

    bool operator==(const SyntaxProblem &) const = default;
};

std::optional<SyntaxProblem> checkExpression(const QString &expression);
// Each [ … ] part of the text, unless it is exactly one of `names` (variables may have spaces).
std::optional<SyntaxProblem> checkText(const QString &text, const QStringList &names = {});

} // namespace ergotab::report::designer
