#include "reportengine/layout/LayoutContext.h"
#include "reportengine/expr/SystemVariables.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ergotab::report {

LayoutContext::LayoutContext(const ReportTemplate &report, std::vector<DataSource *> sources,
                             const ReportCallbacks &callbacks, ExpressionCache &cache, Aggregates &aggregates)
    : m_callbacks(callbacks)
    , m_cache(cache)
    , m_aggregates(aggregates)
    , m_sources(std::move(sources))
{
    for (const auto &v : report.variables)
        if (!v.name.isEmpty())
            m_variables.insert(v.name.toUpper(), v.expression);
}

void LayoutContext::setDialogValues(const QVariantMap &values)
{
    for (auto it = values.begin(); it != values.end(); ++it)
        m_dialogValues.insert(it.key().toUpper(), it.value());
}

DataSource *LayoutContext::source(const QString &name) const
{
    // "Form.Component" names the component; the form part is left out.
    const QString wanted = name.mid(name.lastIndexOf(u'.') + 1).trimmed();
    for (DataSource *s : m_sources)
        if (s->name().compare(wanted, Qt::CaseInsensitive) == 0 || s->name().compare(name, Qt::CaseInsensitive) == 0)
            return s;
    return nullptr;
}

bool LayoutContext::systemVariable(const QString &upper, QVariant &v) const
{
    namespace S = SystemVariable;
    if (upper == S::Page)
        v = page;
    else if (upper == S::TotalPages)
        v = totalPages;
    else if (upper == S::Line)
        v = line;
    else if (upper == S::LineThrough || upper == S::Current)
        v = upper == S::Current ? line : lineThrough;
    else if (upper == S::Column)
        v = column;
    else if (upper == S::Date)
        v = started.date();
    else if (upper == S::Time)
        v = started.time();
    else if (upper == S::Value)
        v = value;
    else if (upper == S::FinalPass)
        v = finalPass ? 1 : 0;
    else if (upper == S::PageWidth)
        v = pageWidth;
    else if (upper == S::PageHeight)
        v = pageHeight;
    else if (upper == S::FreeSpace)
        v = freeSpace;
    else if (upper == S::CurY)
        v = curY;
    else
        return false;
    return true;
}

bool LayoutContext::variable(const QString &name, QVariant &v)
{
    const QString upper = name.trimmed().toUpper();
    if (systemVariable(upper, v))
        return true;
    if (const auto it = m_dialogValues.constFind(upper); it != m_dialogValues.cend()) {
        v = *it;
        return true;
    }
    const auto it = m_variables.constFind(upper);
    if (it == m_variables.cend())
        return false;
    if (m_evaluating.contains(upper))
        throw ExpressionError(u"proměnná %1 je definována sama sebou"_s.arg(name), *it, 1);
    m_evaluating << upper;
    try {
        // A definition is an expression; one that does not parse is plain text.
        const Expression *expression = nullptr;
        try {
            expression = &m_cache.expression(*it);
        } catch (const ExpressionError &) {
            v = *it;
        }
        if (expression)
            v = expression->evaluate(*this);
    } catch (...) {
        m_evaluating.removeLast();
        throw;
    }
    m_evaluating.removeLast();
    return true;
}

int LayoutContext::fieldIndex(DataSource *s, const QString &fieldName)
{
    QHash<QString, int> &indexes = m_fieldIndexes[s];
    if (const auto it = indexes.constFind(fieldName); it != indexes.cend())
        return *it;
    const int index = s->fieldIndex(fieldName.trimmed());
    indexes.insert(fieldName, index);
    return index;
}

bool LayoutContext::field(const QString &dataSet, const QString &fieldName, QVariant &v)
{
    if (!dataSet.isEmpty()) {
        DataSource *s = source(dataSet);
        if (!s)
            return false;
        const int index = fieldIndex(s, fieldName);
        if (index < 0)
            return false;
        v = s->value(index);
        return true;
    }
    // The short form: the innermost open source that has the field, then any source.
    for (auto it = openSources.rbegin(); it != openSources.rend(); ++it)
        if (const int index = fieldIndex(*it, fieldName); index >= 0) {
            v = (*it)->value(index);
            return true;
        }
    for (DataSource *s : m_sources)
        if (const int index = fieldIndex(s, fieldName); index >= 0) {
            v = s->value(index);
            return true;
        }
    return false;
}

bool LayoutContext::function(const QString &name, const QStringList &arguments, const ArgumentEvaluator &evaluate,
                             QVariant &v)
{
    if (!m_callbacks.function)
        return false;
    // VALUE changes within a band (a highlight sees the text's value), so calls on it are not kept.
    const bool pure = m_keepFunctionResults && m_callbacks.pureFunctions.contains(name) &&
                      !std::any_of(arguments.begin(), arguments.end(), [](const QString &a) {
                          return a.contains(SystemVariable::Value, Qt::CaseInsensitive);
                      });
    if (!pure)
        return m_callbacks.function(name, arguments, evaluate, v);
    const QString key = name + u'\x1f' + arguments.join(u'\x1f');
    if (const auto it = m_functionResults.constFind(key); it != m_functionResults.cend()) {
        v = *it;
        return true;
    }
    if (!m_callbacks.function(name, arguments, evaluate, v))
        return false;
    m_functionResults.insert(key, v);
    return true;
}

QVariant LayoutContext::aggregate(const AggregateCall &call)
{
    return m_aggregates.value(band, call.text);
}

QVariant LayoutContext::input(const QString &prompt, const QString &defaultValue)
{
    return m_callbacks.input ? m_callbacks.input(prompt, defaultValue) : QVariant(defaultValue);
}

int LayoutContext::messageBox(const QString &text, const QString &caption, int buttons)
{
    return m_callbacks.messageBox ? m_callbacks.messageBox(text, caption, buttons) : 1;
}

} // namespace ergotab::report
