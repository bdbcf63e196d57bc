// libFuzzer target: report expressions and texts from fuzzed bytes (UTF-8). The input is parsed
// as an expression and as a text with [ … ] parts, both evaluated against a host that knows every
// name and function; it is also used as a FormatFloat, FormatDateTime, edit mask and inline format.
// Errors are expected; crashes, hangs and sanitizer reports are not.
#include "reportengine/expr/DelphiFormat.h"
#include "reportengine/expr/DisplayFormat.h"
#include "reportengine/expr/Expression.h"
#include "reportengine/expr/TextTemplate.h"

#include <cstdint>

using namespace ergotab::report;

namespace {

// Answers every question: names with a value chosen by their length, functions by evaluating
// all their arguments.
class AnswerAll : public ExpressionHost
{
public:
    bool variable(const QString &name, QVariant &value) override
    {
        switch (name.size() % 5) {
        case 0:
            return false;
        case 1:
            value = name;
            break;
        case 2:
            value = qint64(name.size() * 1000003);
            break;
        case 3:
            value = QDate(2024, 3, 5);
            break;
        default:
            value = 0.5 * double(name.size());
        }
        return true;
    }
    bool field(const QString &, const QString &fieldName, QVariant &value) override
    {
        value = fieldName.isEmpty() ? QVariant() : QVariant(fieldName.repeated(2));
        return fieldName.size() % 3 != 0;
    }
    bool function(const QString &name, const QStringList &arguments, const ArgumentEvaluator &evaluate,
                  QVariant &value) override
    {
        if (name.size() % 4 == 0)
            return false;
        for (const QString &a : arguments)
            value = evaluate(a);
        return true;
    }
    QVariant aggregate(const AggregateCall &call) override { return qint64(call.text.size()); }
    QVariant input(const QString &prompt, const QString &) override { return prompt; }
    int messageBox(const QString &, const QString &, int buttons) override { return buttons; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    AnswerAll host;
    try {
        const Expression e = Expression::parse(text);
        (void)e.aggregates();
        (void)formatValue(e.evaluate(host), DisplayFormat::fromEngineFormat(size > 0 ? data[0] << 24 : 0, text));
    } catch (const ExpressionError &) {
    }
    try {
        const TextTemplate t = TextTemplate::compile(text);
        (void)t.aggregates();
        (void)t.expand(host, DisplayFormat::fromInline(text));
    } catch (const ExpressionError &) {
    }
    (void)delphi::formatFloat(text, size > 8 ? -1234.5678 * double(size) : 1e-310);
    (void)delphi::formatDateTime(text, QDateTime(QDate(2024, 3, 5), QTime(15, 7, 9)));
    (void)delphi::formatMaskText(text, text);
    return 0;
}
