#pragma once

// Parsed expressions and compiled texts kept by their text, so the layout engine parses each
// text of a template once however many records it prints. Not shared between threads.

#include "reportengine/expr/Expression.h"
#include "reportengine/expr/TextTemplate.h"

#include <QString>

#include <unordered_map>

namespace ergotab::report {

class ExpressionCache
{
public:
    // Throws ExpressionError for a syntax error (and keeps nothing for that text).
    const Expression &expression(const QString &text);
    const TextTemplate &text(const QString &text);
    const TextTemplate &richText(const QString &html);

    void clear();

private:
    std::unordered_map<QString, Expression> m_expressions;
    std::unordered_map<QString, TextTemplate> m_texts;
    std::unordered_map<QString, TextTemplate> m_richTexts;
};

} // namespace ergotab::report
