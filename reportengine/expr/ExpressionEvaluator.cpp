// Evaluation of a parsed expression against its host. Values are QVariants: text, whole numbers
// (qint64), doubles, bools, dates. Comparisons and AND / OR / NOT give 1 or 0; division by zero
// gives 0, as the earlier engine did; anything else that cannot be computed is an error that
// names the place in the expression.

#include "reportengine/expr/DelphiFormat.h"
#include "reportengine/expr/ExpressionNode.h"
#include "reportengine/expr/ValueConversion.h"

#include <cmath>
#include <limits>

namespace ergotab::report::detail {

namespace {

// Evaluation re-enters through the host (a template variable defined by an expression that uses
// other variables); a variable that refers to itself must end in an error, not a stack overflow.
thread_local int nesting = 0;
constexpr int maxNesting = 64;

QVariant truth(bool b)
{
    return QVariant(qint64(b ? 1 : 0));
}

class Evaluator
{
public:
    Evaluator(const CompiledExpression &expression, ExpressionHost &host)
        : e(expression)
        , host(host)
    {
    }

    QVariant eval(const Node &n)
    {
        switch (n.kind) {
        case NodeKind::Literal:
            return n.literal;
        case NodeKind::Name:
            return name(n);
        case NodeKind::Unary:
            return unary(n);
        case NodeKind::Binary:
            return binary(n);
        case NodeKind::If:
            return condition(n, *n.children[0]) ? eval(*n.children[1]) : eval(*n.children[2]);
        case NodeKind::Builtin:
            return builtin(n);
        case NodeKind::Aggregate:
            return host.aggregate(n.aggregate);
        case NodeKind::Host:
            return hostFunction(n, n.name, n.argumentTexts);
        case NodeKind::ArrayItem:
            return hostFunction(n, QStringLiteral("GETARRAY"), n.argumentTexts);
        }
        return QVariant();
    }

private:
    const CompiledExpression &e;
    ExpressionHost &host;

    [[noreturn]] void fail(const Node &n, const QString &problem) const
    {
        throw ExpressionError(problem, e.text, n.position);
    }

    QVariant name(const Node &n)
    {
        QVariant v;
        if (n.fieldForm) {
            if (host.field(n.dataSet, n.fieldName, v))
                return v;
            fail(n, QStringLiteral("zdroj dat „%1“ nemá pole „%2“").arg(n.dataSet, n.fieldName));
        }
        if (host.variable(n.name, v))
            return v;
        if (n.children.empty() && !n.contentError) {
            if (host.field(QString(), n.name, v))
                return v;
            const int dot = n.name.lastIndexOf(QLatin1Char('.'));
            if (dot > 0 && host.field(n.name.left(dot), n.name.mid(dot + 1), v))
                return v;
        }
        if (!n.children.empty())
            return eval(*n.children[0]);
        if (n.contentError)
            throw *n.contentError;
        fail(n, QStringLiteral("neznámá proměnná nebo pole „%1“").arg(n.name));
    }

    bool condition(const Node &at, const Node &n) { return conditionOf(at, eval(n)); }

    bool conditionOf(const Node &at, const QVariant &v)
    {
        const auto b = value::toCondition(v);
        if (!b)
            fail(at,
                 QStringLiteral("hodnota %1 není podmínka (čeká se číslo nebo True/False)").arg(value::describe(v)));
        return *b;
    }

    double number(const Node &at, const QVariant &v)
    {
        const auto d = value::toNumber(v);
        if (!d)
            fail(at, QStringLiteral("hodnota %1 není číslo").arg(value::describe(v)));
        return *d;
    }

    qint64 integer(const Node &at, const QVariant &v)
    {
        const auto i = value::toInteger(v);
        if (!i)
            fail(at, QStringLiteral("hodnota %1 není celé číslo").arg(value::describe(v)));
        return *i;
    }

    QDateTime dateTime(const Node &at, const QVariant &v)
    {
        const auto dt = value::toDateTime(v);
        if (!dt)
            fail(at, QStringLiteral("hodnota %1 není datum ani čas").arg(value::describe(v)));
        return *dt;
    }

    QVariant unary(const Node &n)
    {
        const QVariant v = eval(*n.children[0]);
        switch (n.op) {
        case Op::Not:
            return truth(!conditionOf(n, v));
        case Op::Neg:
            if (value::isInteger(v) && v.toLongLong() != std::numeric_limits<qint64>::min())
                return QVariant(-v.toLongLong());
            return value::integerOrDouble(-number(n, v));
        default:
            return value::isNumber(v) ? v : value::integerOrDouble(number(n, v));
        }
    }

    // Both whole numbers, or texts that hold whole numbers: integer arithmetic stays exact.
    static bool bothIntegers(const QVariant &a, const QVariant &b)
    {
        return (value::isInteger(a) || value::isNull(a)) && (value::isInteger(b) || value::isNull(b));
    }

    QVariant add(const Node &n, const QVariant &a, const QVariant &b)
    {
        const bool textA = value::isText(a), textB = value::isText(b);
        if ((textA || textB) && (textA || value::isNull(a)) && (textB || value::isNull(b)))
            return value::toText(a) + value::toText(b);
        if (value::isNull(a) && value::isNull(b))
            return QVariant();
        if (value::isDateLike(a) || value::isDateLike(b)) {
            const QVariant &date = value::isDateLike(a) ? a : b;
            const QVariant &days = value::isDateLike(a) ? b : a;
            if (!value::isText(days) || value::numberFromText(days.toString()))
                return shiftDate(n, date, number(n, days));
        }
        if (textA || textB) {
            // A text and a number add up when the text holds a number; otherwise they are joined.
            const auto da = value::toNumber(a), db = value::toNumber(b);
            if (da && db)
                return value::integerOrDouble(*da + *db);
            return value::toText(a) + value::toText(b);
        }
        if (bothIntegers(a, b)) {
            qint64 r;
            if (!__builtin_add_overflow(a.toLongLong(), b.toLongLong(), &r))
                return QVariant(r);
        }
        return QVariant(number(n, a) + number(n, b));
    }

    QVariant shiftDate(const Node &n, const QVariant &date, double days)
    {
        const QDateTime dt = dateTime(n, date);
        if (!(std::fabs(days) < 3.0e6)) // beyond the years 1 … 9999
            fail(n, QStringLiteral("datum posunuté o %1 dní je mimo kalendář").arg(value::numberText(days)));
        if (date.typeId() == QMetaType::QDate && days == std::trunc(days))
            return QVariant(dt.date().addDays(qint64(days)));
        return QVariant(value::daysToDateTime(value::dateTimeToDays(dt) + days));
    }

    QVariant subtract(const Node &n, const QVariant &a, const QVariant &b)
    {
        if (value::isDateLike(a) && value::isDateLike(b))
            return value::integerOrDouble(value::dateTimeToDays(dateTime(n, a)) -
                                          value::dateTimeToDays(dateTime(n, b)));
        if (value::isDateLike(a))
            return shiftDate(n, a, -number(n, b));
        if (bothIntegers(a, b)) {
            qint64 r;
            if (!__builtin_sub_overflow(a.toLongLong(), b.toLongLong(), &r))
                return QVariant(r);
        }
        return value::integerOrDouble(number(n, a) - number(n, b));
    }

    // Ordering of two values: numbers by value, dates by time, texts as texts; a text that holds a
    // number compares with a number as that number.
    int compare(const Node &n, const QVariant &a, const QVariant &b)
    {
        const auto order = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
        if (value::isDateLike(a) || value::isDateLike(b)) {
            const auto da = value::toDateTime(a), db = value::toDateTime(b);
            if (da && db)
                return order(*da, *db);
        }
        const bool textA = value::isText(a) || value::isNull(a), textB = value::isText(b) || value::isNull(b);
        if (!(textA && textB)) {
            const auto da = value::toNumber(a), db = value::toNumber(b);
            if (da && db)
                return order(*da, *db);
        }
        Q_UNUSED(n);
        const QString sa = value::toText(a), sb = value::toText(b);
        if (sa == sb)
            return 0;
        const int c = sa.localeAwareCompare(sb);
        return c != 0 ? c : sa.compare(sb);
    }

    QVariant binary(const Node &n)
    {
        if (n.op == Op::And || n.op == Op::Or) {
            // Both sides are evaluated, as the earlier engine did: no short cut.
            const bool a = condition(n, *n.children[0]);
            const bool b = condition(n, *n.children[1]);
            return truth(n.op == Op::And ? a && b : a || b);
        }
        const QVariant a = eval(*n.children[0]);
        const QVariant b = eval(*n.children[1]);
        switch (n.op) {
        case Op::Add:
            return add(n, a, b);
        case Op::Sub:
            return subtract(n, a, b);
        case Op::Mul:
            if (bothIntegers(a, b)) {
                qint64 r;
                if (!__builtin_mul_overflow(a.toLongLong(), b.toLongLong(), &r))
                    return QVariant(r);
            }
            return value::integerOrDouble(number(n, a) * number(n, b));
        case Op::Div: {
            const double x = number(n, a), y = number(n, b);
            return QVariant(y == 0.0 ? 0.0 : x / y);
        }
        case Op::Mod: {
            const qint64 x = integer(n, a), y = integer(n, b);
            return QVariant(y == 0 || (y == -1) ? qint64(0) : x % y);
        }
        case Op::Eq:
            return truth(compare(n, a, b) == 0);
        case Op::Ne:
            return truth(compare(n, a, b) != 0);
        case Op::Lt:
            return truth(compare(n, a, b) < 0);
        case Op::Gt:
            return truth(compare(n, a, b) > 0);
        case Op::Le:
            return truth(compare(n, a, b) <= 0);
        case Op::Ge:
            return truth(compare(n, a, b) >= 0);
        default:
            return QVariant();
        }
    }

    QString text(const Node &n, int i) { return value::toText(eval(*n.children[i])); }

    QVariant builtin(const Node &n)
    {
        const auto arg = [&](int i) { return eval(*n.children[i]); };
        switch (n.builtin) {
        case Builtin::Int:
            return value::integerOrDouble(std::trunc(number(n, arg(0))));
        case Builtin::Frac: {
            const double d = number(n, arg(0));
            return QVariant(d - std::trunc(d));
        }
        case Builtin::Round: {
            // Ties go to the even neighbour, like Delphi's Round: ROUND(2.5) = 2, ROUND(3.5) = 4.
            const double r = std::nearbyint(number(n, arg(0)));
            return value::integerOrDouble(r);
        }
        case Builtin::Str:
            return text(n, 0);
        case Builtin::Copy: {
            const QString s = text(n, 0);
            const qint64 start = std::max<qint64>(integer(n, arg(1)), 1);
            const qint64 count = integer(n, arg(2));
            if (count <= 0 || start > s.size())
                return QString();
            return s.mid(start - 1, qsizetype(std::min<qint64>(count, s.size())));
        }
        case Builtin::StrToDate: {
            const QVariant v = arg(0);
            const auto dt = value::isText(v) ? value::toDateTime(v) : std::nullopt;
            if (!dt)
                fail(n, QStringLiteral("text %1 není datum (čeká se den.měsíc.rok)").arg(value::describe(v)));
            return QVariant(dt->date());
        }
        case Builtin::StrToTime: {
            const QVariant v = arg(0);
            const auto dt = value::isText(v) ? value::toDateTime(v) : std::nullopt;
            if (!dt)
                fail(n, QStringLiteral("text %1 není čas (čeká se hodiny:minuty)").arg(value::describe(v)));
            return QVariant(dt->time());
        }
        case Builtin::DayOf:
            return QVariant(qint64(dateTime(n, arg(0)).date().day()));
        case Builtin::MonthOf:
            return QVariant(qint64(dateTime(n, arg(0)).date().month()));
        case Builtin::YearOf:
            return QVariant(qint64(dateTime(n, arg(0)).date().year()));
        case Builtin::FormatDateTime:
            return delphi::formatDateTime(text(n, 0), dateTime(n, arg(1)));
        case Builtin::FormatFloat:
            return delphi::formatFloat(text(n, 0), number(n, arg(1)));
        case Builtin::FormatText:
            return delphi::formatMaskText(text(n, 0), text(n, 1));
        case Builtin::Length:
            return QVariant(qint64(text(n, 0).size()));
        case Builtin::LowerCase:
            return text(n, 0).toLower();
        case Builtin::UpperCase:
            return text(n, 0).toUpper();
        case Builtin::NameCase: {
            QString s = text(n, 0).toLower();
            if (!s.isEmpty())
                s[0] = s.at(0).toUpper();
            return s;
        }
        case Builtin::Pos:
            return QVariant(qint64(text(n, 1).indexOf(text(n, 0)) + 1));
        case Builtin::Trim:
            return text(n, 0).trimmed();
        case Builtin::MaxNum:
        case Builtin::MinNum: {
            const QVariant a = arg(0), b = arg(1);
            const double x = number(n, a), y = number(n, b);
            const bool first = n.builtin == Builtin::MaxNum ? x >= y : x <= y;
            const QVariant &chosen = first ? a : b;
            return value::isNumber(chosen) ? chosen : value::integerOrDouble(first ? x : y);
        }
        case Builtin::Input:
            return host.input(text(n, 0), n.children.size() > 1 ? text(n, 1) : QString());
        case Builtin::MessageBox:
            return QVariant(qint64(host.messageBox(text(n, 0), n.children.size() > 1 ? text(n, 1) : QString(),
                                                   n.children.size() > 2 ? int(integer(n, arg(2))) : 0)));
        }
        return QVariant();
    }

    QVariant hostFunction(const Node &n, const QString &name, const QStringList &arguments)
    {
        const ArgumentEvaluator evaluate = [this, &n](const QString &argumentText) -> QVariant {
            // An array item keeps its name as the first text but has no node for it, so the
            // texts and the nodes are not always as many.
            const int known = int(qMin(qsizetype(n.argumentTexts.size()), qsizetype(n.children.size())));
            for (int i = 0; i < known; ++i) {
                if (n.children[i] && n.argumentTexts.at(i) == argumentText)
                    return eval(*n.children[i]);
            }
            const auto compiled = parseExpression(argumentText, false);
            return compiled->root ? evaluateNode(*compiled, host) : QVariant();
        };
        QVariant result;
        bool known = false;
        try {
            known = host.function(name, arguments, evaluate, result);
        } catch (const ExpressionError &) {
            throw;
        } catch (const AppError &error) {
            fail(n, QStringLiteral("funkce %1: %2").arg(name, error.message()));
        }
        if (!known) {
            if (n.kind == NodeKind::ArrayItem)
                fail(n, QStringLiteral("neznámé pole hodnot „%1“").arg(n.name));
            fail(n, QStringLiteral("neznámá funkce %1").arg(name));
        }
        return result;
    }
};

} // namespace

QVariant evaluateNode(const CompiledExpression &expression, ExpressionHost &host)
{
    if (!expression.root)
        return QVariant();
    if (nesting >= maxNesting)
        throw ExpressionError(QStringLiteral("výraz odkazuje sám na sebe (proměnné se vyhodnocují dokola)"),
                              expression.text, 0);
    struct Guard
    {
        Guard() { ++nesting; }
        ~Guard() { --nesting; }
    } guard;
    Evaluator evaluator(expression, host);
    return evaluator.eval(*expression.root);
}

} // namespace ergotab::report::detail
