#pragma once

#include "storage/AppError.h"

namespace ergotab::report {

// A fault in an expression of a template: a syntax error found while parsing, or a value that
// cannot be used where it stands (a text that is no number, an unknown variable) found while
// evaluating. Carries the expression and the 1-based character position the author must look
// at; the layout engine prefixes the object and band names with withContext().
class ExpressionError : public AppError
{
public:
    ExpressionError(const QString &problem, const QString &expression, int position);

    const QString &problem() const { return m_problem; }
    const QString &expression() const { return m_expression; }
    int position() const { return m_position; }

    // The same error with "Objekt Memo1 v pásu Band2: " (or any other context) in front.
    ExpressionError withContext(const QString &context) const;

private:
    ExpressionError(const QString &message, const QString &problem, const QString &expression, int position);

    QString m_problem;
    QString m_expression;
    int m_position;
};

} // namespace ergotab::report
