#pragma once

// A report as the expression tests see it: variables and fields in tables, application
// functions as lambdas, aggregate values by the text of their call, scripted INPUT answers.

#include "QtPrinters.h"

#include "reportengine/expr/Expression.h"
#include "reportengine/expr/ExpressionHost.h"

#include <QDateTime>
#include <QHash>
#include <QList>

#include <functional>

namespace ergotab::report::test {

class TestHost : public ExpressionHost
{
public:
    using Function = std::function<QVariant(const QStringList &, const ArgumentEvaluator &)>;

    QHash<QString, QVariant> variables;       // by upper-case name
    QHash<QString, QVariant> fields;          // "DATASET.FIELD" upper case; "" data set for the short form
    QHash<QString, Function> functions;       // by upper-case name
    QHash<QString, QVariant> aggregateValues; // by call text
    QList<AggregateCall> aggregateCalls;
    QList<QStringList> functionCalls; // name followed by the argument texts
    QStringList prompts;
    QString inputAnswer;
    QStringList messages;
    int variableLookups = 0;

    void set(const QString &name, const QVariant &v) { variables.insert(name.toUpper(), v); }
    void setField(const QString &dataSet, const QString &field, const QVariant &v)
    {
        fields.insert(dataSet.toUpper() + QLatin1Char('.') + field.toUpper(), v);
    }

    bool variable(const QString &name, QVariant &value) override
    {
        ++variableLookups;
        const auto it = variables.constFind(name.trimmed().toUpper());
        if (it == variables.constEnd())
            return false;
        value = *it;
        return true;
    }

    bool field(const QString &dataSet, const QString &fieldName, QVariant &value) override
    {
        const auto it = fields.constFind(dataSet.toUpper() + QLatin1Char('.') + fieldName.toUpper());
        if (it == fields.constEnd())
            return false;
        value = *it;
        return true;
    }

    bool function(const QString &name, const QStringList &arguments, const ArgumentEvaluator &evaluate,
                  QVariant &value) override
    {
        functionCalls.append(QStringList {name} + arguments);
        const auto it = functions.constFind(name);
        if (it == functions.constEnd())
            return false;
        value = (*it)(arguments, evaluate);
        return true;
    }

    QVariant aggregate(const AggregateCall &call) override
    {
        aggregateCalls.append(call);
        return aggregateValues.value(call.text);
    }

    QVariant input(const QString &prompt, const QString &defaultValue) override
    {
        prompts.append(prompt);
        return inputAnswer.isEmpty() ? defaultValue : inputAnswer;
    }

    int messageBox(const QString &text, const QString &caption, int buttons) override
    {
        messages.append(text + QLatin1Char('|') + caption + QLatin1Char('|') + QString::number(buttons));
        return 6;
    }

    QVariant eval(const QString &text) { return Expression::parse(text).evaluate(*this); }
};

} // namespace ergotab::report::test
