#include "reportengine/expr/ExpressionCalls.h"

#include <QHash>

namespace ergotab::report::detail {

namespace {

struct FunctionShape
{
    Builtin builtin;
    int minArgs;
    int maxArgs;
};

const QHash<QString, FunctionShape> &builtins()
{
    static const QHash<QString, FunctionShape> table = {
        {QStringLiteral("INT"), {Builtin::Int, 1, 1}},
        {QStringLiteral("FRAC"), {Builtin::Frac, 1, 1}},
        {QStringLiteral("ROUND"), {Builtin::Round, 1, 1}},
        {QStringLiteral("STR"), {Builtin::Str, 1, 1}},
        {QStringLiteral("COPY"), {Builtin::Copy, 3, 3}},
        {QStringLiteral("STRTODATE"), {Builtin::StrToDate, 1, 1}},
        {QStringLiteral("STRTOTIME"), {Builtin::StrToTime, 1, 1}},
        {QStringLiteral("DAYOF"), {Builtin::DayOf, 1, 1}},
        {QStringLiteral("MONTHOF"), {Builtin::MonthOf, 1, 1}},
        {QStringLiteral("YEAROF"), {Builtin::YearOf, 1, 1}},
        {QStringLiteral("FORMATDATETIME"), {Builtin::FormatDateTime, 2, 2}},
        {QStringLiteral("FORMATFLOAT"), {Builtin::FormatFloat, 2, 2}},
        {QStringLiteral("FORMATTEXT"), {Builtin::FormatText, 2, 2}},
        {QStringLiteral("LENGTH"), {Builtin::Length, 1, 1}},
        {QStringLiteral("LOWERCASE"), {Builtin::LowerCase, 1, 1}},
        {QStringLiteral("UPPERCASE"), {Builtin::UpperCase, 1, 1}},
        {QStringLiteral("NAMECASE"), {Builtin::NameCase, 1, 1}},
        {QStringLiteral("POS"), {Builtin::Pos, 2, 2}},
        {QStringLiteral("TRIM"), {Builtin::Trim, 1, 1}},
        {QStringLiteral("MAXNUM"), {Builtin::MaxNum, 2, 2}},
        {QStringLiteral("MINNUM"), {Builtin::MinNum, 2, 2}},
        {QStringLiteral("INPUT"), {Builtin::Input, 1, 2}},
        {QStringLiteral("MESSAGEBOX"), {Builtin::MessageBox, 1, 3}},
    };
    return table;
}

const QHash<QString, AggregateCall::Kind> &aggregateKinds()
{
    static const QHash<QString, AggregateCall::Kind> table = {
        {QStringLiteral("SUM"), AggregateCall::Kind::Sum},     {QStringLiteral("AVG"), AggregateCall::Kind::Avg},
        {QStringLiteral("MIN"), AggregateCall::Kind::Min},     {QStringLiteral("MAX"), AggregateCall::Kind::Max},
        {QStringLiteral("COUNT"), AggregateCall::Kind::Count},
    };
    return table;
}

// A band, or a data set standing for it: COUNT(Band4), COUNT(CustomerData.Customers).
bool isBandName(const QString &s)
{
    if (s.isEmpty() || !(s.at(0).isLetter() || s.at(0) == QLatin1Char('_')))
        return false;
    for (const QChar c : s) {
        if (!c.isLetterOrNumber() && c != QLatin1Char('_') && c != QLatin1Char('.'))
            return false;
    }
    return true;
}

class CallBuilder
{
public:
    CallBuilder(const QString &name, int position, std::vector<CallArgument> &args, const QString &expressionText)
        : name(name)
        , position(position)
        , args(args)
        , expressionText(expressionText)
    {
    }

    [[noreturn]] void fail(const QString &problem, int at) const { throw ExpressionError(problem, expressionText, at); }

    void arity(int min, int max) const
    {
        const int count = int(args.size());
        if (count >= min && count <= max)
            return;
        const QString wanted = min == max ? QString::number(min) : QStringLiteral("%1 až %2").arg(min).arg(max);
        const QString noun = max == 1   ? QStringLiteral("argument")
                             : max <= 4 ? QStringLiteral("argumenty")
                                        : QStringLiteral("argumentů");
        fail(QStringLiteral("funkce %1 má mít %2 %3, má jich %4").arg(name, wanted, noun).arg(count), position);
    }

    // The argument parsed; its syntax error when it has one.
    std::unique_ptr<Node> parsed(CallArgument &a) const
    {
        if (a.error)
            throw *a.error;
        return std::move(a.node);
    }

    void aggregate(Node &node, AggregateCall::Kind kind) const
    {
        AggregateCall &call = node.aggregate;
        call.kind = kind;
        size_t next = 0;
        if (kind == AggregateCall::Kind::Count) {
            arity(0, 2);
        } else {
            arity(1, 3);
            call.expression = args[0].text;
            node.children.push_back(parsed(args[0]));
            next = 1;
        }
        if (next < args.size()) {
            call.band = args[next].text;
            if (!isBandName(call.band)) {
                const bool minMax = kind == AggregateCall::Kind::Min || kind == AggregateCall::Kind::Max;
                fail(QStringLiteral("funkce %1 čeká jako %2. argument jméno pásu, ne „%3“%4")
                         .arg(name)
                         .arg(next + 1)
                         .arg(call.band, minMax ? QStringLiteral(" (menší či větší ze dvou čísel dává MINNUM a MAXNUM)")
                                                : QString()),
                     args[next].position);
            }
            ++next;
        }
        if (next < args.size()) {
            bool ok = false;
            call.flags = args[next].text.toInt(&ok);
            if (!ok)
                fail(QStringLiteral("poslední argument funkce %1 má být číslo").arg(name), args[next].position);
        }
    }

private:
    const QString &name;
    int position;
    std::vector<CallArgument> &args;
    const QString &expressionText;
};

} // namespace

std::unique_ptr<Node> makeCall(const QString &name, int position, const QString &callText,
                               std::vector<CallArgument> arguments, const QString &expressionText)
{
    const CallBuilder builder(name, position, arguments, expressionText);
    auto node = std::make_unique<Node>();
    node->position = position;
    node->name = name;
    if (name == QLatin1String("IF")) {
        builder.arity(3, 3);
        node->kind = NodeKind::If;
        for (CallArgument &a : arguments)
            node->children.push_back(builder.parsed(a));
    } else if (const auto b = builtins().constFind(name); b != builtins().constEnd()) {
        builder.arity(b->minArgs, b->maxArgs);
        node->kind = NodeKind::Builtin;
        node->builtin = b->builtin;
        for (CallArgument &a : arguments)
            node->children.push_back(builder.parsed(a));
    } else if (const auto k = aggregateKinds().constFind(name); k != aggregateKinds().constEnd()) {
        node->kind = NodeKind::Aggregate;
        node->aggregate.text = callText;
        builder.aggregate(*node, *k);
    } else {
        if (arguments.size() > 3)
            builder.fail(QStringLiteral("funkce %1 dostává nejvýše tři argumenty").arg(name), position);
        // The host reads the argument texts its own way; the parsed ones make evaluating them fast.
        node->kind = NodeKind::Host;
        for (CallArgument &a : arguments) {
            node->argumentTexts.append(a.text);
            node->children.push_back(std::move(a.node));
        }
    }
    return node;
}

} // namespace ergotab::report::detail
