#include "ExpressionCheck.h"

#include "reportengine/expr/Expression.h"
#include "reportengine/expr/TextTemplate.h"

namespace ergotab::report::designer {

std::optional<SyntaxProblem> checkExpression(const QString &expression)
{
    if (expression.trimmed().isEmpty())
        return std::nullopt;
    try {
        Expression::parse(expression);
    } catch (const ExpressionError &e) {
        return SyntaxProblem {e.problem(), std::max(1, e.position())};
    }
    return std::nullopt;
}

std::optional<SyntaxProblem> checkText(const QString &text, const QStringList &names)
{
    qsizetype open = text.indexOf(u'[');
    while (open >= 0) {
        const qsizetype close = closingBracket(text, open);
        if (close < 0)
            return SyntaxProblem {QStringLiteral("Chybí ] k [ na pozici %1").arg(open + 1), int(open + 1)};
        QString content = text.mid(open + 1, close - open - 1);
        // An inline format (" #N0.00") is no part of the expression.
        const qsizetype format = content.lastIndexOf(QStringLiteral(" #"));
        if (format >= 0 && !content.mid(format).contains(u'\''))
            content.truncate(format);
        if (!names.contains(content.trimmed(), Qt::CaseInsensitive)) {
            if (const auto problem = checkExpression(content))
                return SyntaxProblem {problem->message, int(open + 1 + problem->position)};
        }
        open = text.indexOf(u'[', close + 1);
    }
    return std::nullopt;
}

} // namespace ergotab::report::designer
