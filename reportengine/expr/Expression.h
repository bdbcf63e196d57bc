#pragma once

// Expressions of report templates, in the language of the earlier report engine.
//
// Overview of this folder (library ergotab_report_expr, QtCore only):
// - Expression: parse once, evaluate for every record against an ExpressionHost (what the
//   report offers: variables, fields, aggregates, application functions, INPUT/MESSAGEBOX).
//   Expression::parse throws ExpressionError for a syntax error; evaluate() throws it for a value
//   that cannot be used (a text that is no number, an unknown variable or function).
// - TextTemplate: the text of a text object, literal text with [ … ] parts (nested brackets,
//   quotes, inline formats `[Value #N##0.00]`), compiled once and expanded per record.
// - DisplayFormat / formatValue: how an object prints numbers, dates and booleans: the Format
//   integer of the earlier engine, inline `#` formats, Delphi FormatFloat/FormatDateTime patterns.
// - ExpressionCache: parsed expressions and compiled texts by their text, for the layout engine.
// - aggregates() on both lists the SUM/AVG/MIN/MAX/COUNT calls, so the layout engine knows what
//   to accumulate for which band; their values come back through ExpressionHost::aggregate.
// - SystemVariables.h names PAGE#, TOTALPAGES, LINE# and the others the host must answer.
//
// The language: numbers ('.' or ',' as decimal point), 'texts' ('' is a quote), TRUE, FALSE;
// names of variables and fields (PAGE#, Fak01, Kategorie_DataSet."Text"); [ … ] around names
// with spaces or around any expression; operators, tightest first: unary - + NOT, then
// * / AND OR MOD (all at one level), then + -, then = <> < > <= >=. Comparisons and logic give
// 1 or 0, division by zero gives 0. IF(c, a, b) evaluates only the branch it takes. Built in:
// INT FRAC ROUND STR COPY STRTODATE STRTOTIME DAYOF MONTHOF YEAROF FORMATDATETIME FORMATFLOAT
// FORMATTEXT LENGTH LOWERCASE UPPERCASE NAMECASE POS TRIM MAXNUM MINNUM INPUT MESSAGEBOX, the
// aggregates SUM(expr[, Band[, flags]]) AVG MIN MAX and COUNT([Band[, flags]]); any other
// function goes to ExpressionHost::function with its argument texts, and name[index] to it as
// GETARRAY(name, index).

#include "reportengine/expr/ExpressionError.h"
#include "reportengine/expr/ExpressionHost.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

namespace ergotab::report {

namespace detail {
struct CompiledExpression;
}

class Expression
{
public:
    // The empty expression: evaluates to a null value.
    Expression();

    // Parses an expression (a band condition, a highlight condition, a variable's definition).
    // Throws ExpressionError naming the position of a syntax error.
    static Expression parse(const QString &text);

    // Parses what stands between [ and ] in a text: a variable name (spaces allowed), a field,
    // or an expression. Never throws: a syntax error is reported when evaluated, and only when
    // no variable has the whole text as its name.
    static Expression parseReference(const QString &content);

    QVariant evaluate(ExpressionHost &host) const;
    // The value as a condition (IF's rule): throws when it is neither a number nor True/False.
    bool evaluateCondition(ExpressionHost &host) const;

    const QString &text() const;
    bool isEmpty() const;

    // The aggregate calls in the expression, outer calls before the calls inside them.
    QList<AggregateCall> aggregates() const;
    // The variable and field names the expression reads as written (PAGE#, Kategorie_DataSet."Text"),
    // so the layout engine knows, for example, that TOTALPAGES asks for a second pass.
    QStringList names() const;
    bool refersTo(QLatin1String name) const;
    // True when the value depends on nothing but the names `known` accepts (upper case, as
    // written): no fields in the DataSet."Field" form, no aggregates, no functions of the host,
    // no INPUT or MESSAGEBOX. Such an expression can be evaluated again later from those names.
    bool readsOnly(const std::function<bool(const QString &upperName)> &known) const;

private:
    explicit Expression(std::shared_ptr<const detail::CompiledExpression> compiled);
    std::shared_ptr<const detail::CompiledExpression> m_compiled;
};

} // namespace ergotab::report
