#pragma once

// The parsed form of an expression: a tree the evaluator walks. Internal to the expression
// engine; other parts hold an Expression.

#include "reportengine/expr/ExpressionError.h"
#include "reportengine/expr/ExpressionHost.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <optional>
#include <vector>

namespace ergotab::report::detail {

enum class NodeKind {
    Literal,   // literal
    Name,      // a variable or field: name / dataSet + fieldName; children[0] = the content as expression
    Unary,     // op, children[0]
    Binary,    // op, children[0], children[1]
    If,        // children: condition, then, else
    Builtin,   // builtin, children = arguments
    Aggregate, // aggregate (children[0] = the value expression when there is one, for listing)
    Host,      // name, argumentTexts; children = the arguments parsed, to evaluate them fast
    ArrayItem, // name[children[0]], asked of the host as GETARRAY
};

enum class Op { Neg, Plus, Not, Mul, Div, And, Or, Mod, Add, Sub, Eq, Ne, Lt, Gt, Le, Ge };

enum class Builtin {
    Int,
    Frac,
    Round,
    Str,
    Copy,
    StrToDate,
    StrToTime,
    DayOf,
    MonthOf,
    YearOf,
    FormatDateTime,
    FormatFloat,
    FormatText,
    Length,
    LowerCase,
    UpperCase,
    NameCase,
    Pos,
    Trim,
    MaxNum,
    MinNum,
    Input,
    MessageBox,
};

struct Node
{
    NodeKind kind = NodeKind::Literal;
    int position = 0; // 1-based, in the text that was parsed
    Op op = Op::Add;
    Builtin builtin = Builtin::Int;
    QVariant literal;

    // Name: what the text asks for. `bracketed` when written as [ … ]: then the whole content is
    // first a variable name (spaces allowed), and an expression only when no variable has it.
    QString name;
    QString dataSet;
    QString fieldName;
    bool bracketed = false;
    bool fieldForm = false;                      // DataSet."Field"
    std::optional<ExpressionError> contentError; // why the bracket content is no expression

    QStringList argumentTexts;
    AggregateCall aggregate;
    std::vector<std::unique_ptr<Node>> children;
};

struct CompiledExpression
{
    QString text;
    std::unique_ptr<Node> root; // null for an empty expression
};

// Parses `text` as an expression (throws ExpressionError) or, when `bracketContent`, as what
// stands between [ and ] (never throws: a syntax error is kept and reported if no variable of
// that name exists when evaluated).
std::shared_ptr<const CompiledExpression> parseExpression(const QString &text, bool bracketContent);

QVariant evaluateNode(const CompiledExpression &expression, ExpressionHost &host);

} // namespace ergotab::report::detail
