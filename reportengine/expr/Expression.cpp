#include "reportengine/expr/Expression.h"

#include "reportengine/expr/ExpressionNode.h"
#include "reportengine/expr/ValueConversion.h"

namespace ergotab::report {

namespace {

const std::shared_ptr<const detail::CompiledExpression> &emptyExpression()
{
    static const auto empty = detail::parseExpression(QString(), false);
    return empty;
}

template <typename Visit> void walk(const detail::Node *node, const Visit &visit)
{
    if (!node)
        return;
    visit(*node);
    for (const auto &child : node->children)
        walk(child.get(), visit);
}

} // namespace

Expression::Expression()
    : m_compiled(emptyExpression())
{
}

Expression::Expression(std::shared_ptr<const detail::CompiledExpression> compiled)
    : m_compiled(std::move(compiled))
{
}

Expression Expression::parse(const QString &text)
{
    return Expression(detail::parseExpression(text, false));
}

Expression Expression::parseReference(const QString &content)
{
    return Expression(detail::parseExpression(content, true));
}

QVariant Expression::evaluate(ExpressionHost &host) const
{
    return detail::evaluateNode(*m_compiled, host);
}

bool Expression::evaluateCondition(ExpressionHost &host) const
{
    const QVariant v = evaluate(host);
    const auto b = value::toCondition(v);
    if (!b)
        throw ExpressionError(
            QStringLiteral("hodnota %1 není podmínka (čeká se číslo nebo True/False)").arg(value::describe(v)),
            m_compiled->text, 1);
    return *b;
}

const QString &Expression::text() const
{
    return m_compiled->text;
}

bool Expression::isEmpty() const
{
    return !m_compiled->root;
}

QList<AggregateCall> Expression::aggregates() const
{
    QList<AggregateCall> calls;
    walk(m_compiled->root.get(), [&](const detail::Node &n) {
        if (n.kind == detail::NodeKind::Aggregate)
            calls.append(n.aggregate);
    });
    return calls;
}

QStringList Expression::names() const
{
    QStringList result;
    walk(m_compiled->root.get(), [&](const detail::Node &n) {
        if (n.kind == detail::NodeKind::Name && n.children.empty() && !result.contains(n.name))
            result.append(n.name);
    });
    return result;
}

bool Expression::refersTo(QLatin1String name) const
{
    bool found = false;
    walk(m_compiled->root.get(), [&](const detail::Node &n) {
        if (n.kind == detail::NodeKind::Name && n.name.compare(name, Qt::CaseInsensitive) == 0)
            found = true;
    });
    return found;
}

bool Expression::readsOnly(const std::function<bool(const QString &upperName)> &known) const
{
    bool only = true;
    walk(m_compiled->root.get(), [&](const detail::Node &n) {
        switch (n.kind) {
        case detail::NodeKind::Name:
            only = only && !n.fieldForm && known(n.name.trimmed().toUpper());
            break;
        case detail::NodeKind::Builtin:
            only = only && n.builtin != detail::Builtin::Input && n.builtin != detail::Builtin::MessageBox;
            break;
        case detail::NodeKind::Aggregate:
        case detail::NodeKind::Host:
        case detail::NodeKind::ArrayItem:
            only = false;
            break;
        default:
            break;
        }
    });
    return only;
}

} // namespace ergotab::report
