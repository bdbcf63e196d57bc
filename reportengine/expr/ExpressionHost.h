#pragma once

// What an expression asks of the report it is evaluated in. The expression engine knows
// nothing of bands or data; the layout engine (and tests) implement this interface.

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

namespace ergotab::report {

// Evaluates one argument text of a function call in the current context.
using ArgumentEvaluator = std::function<QVariant(const QString &expressionText)>;

// A call of SUM, AVG, MIN, MAX or COUNT as written in an expression.
struct AggregateCall
{
    enum class Kind { Sum, Avg, Min, Max, Count };
    Kind kind = Kind::Sum;
    QString expression; // the value expression; empty for COUNT
    QString band;       // the band named as argument; empty when not given
    int flags = 0;      // the optional third argument (1: count invisible bands, 2: running total)
    QString text;       // the call as written, the key under which the host accumulates it
};

class ExpressionHost
{
public:
    virtual ~ExpressionHost() = default;

    // A variable by name: system variables (PAGE#, TOTALPAGES, LINE#, DATE, …), variables
    // defined in the template, values of dialog controls. False when the name is unknown.
    virtual bool variable(const QString &name, QVariant &value) = 0;

    // A field of a data source; `dataSet` is empty for the short form [Field].
    // False when no open source has the field.
    virtual bool field(const QString &dataSet, const QString &fieldName, QVariant &value) = 0;

    // A function the engine does not know: its name (upper case), up to three argument texts
    // and an evaluator for them. False when the host does not know it either.
    virtual bool function(const QString &name, const QStringList &arguments, const ArgumentEvaluator &evaluate,
                          QVariant &value) = 0;

    // The current value of an aggregate.
    virtual QVariant aggregate(const AggregateCall &call) = 0;

    // INPUT(prompt, default) and MESSAGEBOX(text, caption, buttons): answered by the caller.
    virtual QVariant input(const QString &prompt, const QString &defaultValue) = 0;
    virtual int messageBox(const QString &text, const QString &caption, int buttons) = 0;
};

} // namespace ergotab::report
