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

const TextTemplate &ExpressionCache::richText(const QString &html)
{
    auto it = m_richTexts.find(html);
    if (it == m_richTexts.end())
        it = m_richTexts.emplace(html, TextTemplate::compile(html, TextTemplate::Markup::Html)).first;
    return it->second;
}

void ExpressionCache::clear()
{
    m_expressions.clear();
    m_texts.clear();
    m_richTexts.clear();
}

} // namespace ergotab::report
