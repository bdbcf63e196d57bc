#include "reportengine/expr/ExpressionError.h"

namespace ergotab::report {

namespace {

QString describe(const QString &problem, const QString &expression, int position)
{
    if (position > 0)
        return QStringLiteral("Chyba ve výrazu „%1“ na pozici %2: %3").arg(expression).arg(position).arg(problem);
    return QStringLiteral("Chyba ve výrazu „%1“: %2").arg(expression, problem);
}

} // namespace

ExpressionError::ExpressionError(const QString &problem, const QString &expression, int position)
    : ExpressionError(describe(problem, expression, position), problem, expression, position)
{
}

ExpressionError::ExpressionError(const QString &message, const QString &problem, const QString &expression,
                                 int position)
    : AppError(message)
    , m_problem(problem)
    , m_expression(expression)
    , m_position(position)
{
}

ExpressionError ExpressionError::withContext(const QString &context) const
{
    return ExpressionError(context + message(), m_problem, m_expression, m_position);
}

} // namespace ergotab::report
