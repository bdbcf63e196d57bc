#include "reportengine/expr/ExpressionCache.h"

namespace ergotab::report {

const Expression &ExpressionCache::expression(const QString &text)
{
    auto it = m_expressions.find(text);
    if (it == m_expressions.end())
        it = m_expressions.emplace(text, Expression::parse(text)).first;
    return it->second;
}

const TextTemplate &ExpressionCache::text(const QString &text)
{
    auto it = m_texts.find(text);
    if (it == m_texts.end())
        it = m_texts.emplace(text, TextTemplate::compile(text)).first;
    return it->second;
}

void ExpressionCache::clear()
{
    m_expressions.clear();
    m_texts.clear();
}

} // namespace ergotab::report
