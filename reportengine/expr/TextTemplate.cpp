#include "reportengine/expr/TextTemplate.h"

namespace ergotab::report {

namespace {

// Where the inline format of a part starts: the first " #" outside quotes and nested brackets.
qsizetype inlineFormatStart(const QString &content)
{
    int level = 0;
    for (qsizetype i = 0; i < content.size(); ++i) {
        const QChar c = content.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype close = content.indexOf(c, i + 1);
            if (close < 0)
                return -1;
            i = close;
        } else if (c == QLatin1Char('[') || c == QLatin1Char('(')) {
            ++level;
        } else if (c == QLatin1Char(']') || c == QLatin1Char(')')) {
            --level;
        } else if (c == QLatin1Char('#') && level == 0 && i > 0 && content.at(i - 1) == QLatin1Char(' ')) {
            return i;
        }
    }
    return -1;
}

} // namespace

qsizetype closingBracket(const QString &text, qsizetype open)
{
    int level = 0;
    for (qsizetype i = open; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if ((c == QLatin1Char('\'') || c == QLatin1Char('"')) && level > 0) {
            const qsizetype close = text.indexOf(c, i + 1);
            if (close < 0)
                return -1;
            i = close;
        } else if (c == QLatin1Char('[')) {
            ++level;
        } else if (c == QLatin1Char(']')) {
            if (--level == 0)
                return i;
        }
    }
    return -1;
}

QString withoutHtmlEscapes(QString text)
{
    // &amp; last, so that "&amp;lt;" (a typed "&lt;") stays "&lt;".
    return text.replace(QLatin1String("&quot;"), QLatin1String("\""))
        .replace(QLatin1String("&apos;"), QLatin1String("'"))
        .replace(QLatin1String("&#39;"), QLatin1String("'"))
        .replace(QLatin1String("&lt;"), QLatin1String("<"))
        .replace(QLatin1String("&gt;"), QLatin1String(">"))
        .replace(QLatin1String("&amp;"), QLatin1String("&"));
}

TextTemplate TextTemplate::compile(const QString &text, Markup markup)
{
    TextTemplate t;
    t.m_text = text;
    t.m_html = markup == Markup::Html;
    QString literal;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype open = text.indexOf(QLatin1Char('['), i);
        const qsizetype close = open < 0 ? -1 : closingBracket(text, open);
        if (close < 0) {
            literal += text.mid(i);
            break;
        }
        literal += text.mid(i, open - i);
        QString content = text.mid(open + 1, close - open - 1);
        if (t.m_html)
            content = withoutHtmlEscapes(content);
        Part part;
        part.literal = literal;
        part.offset = int(open + 1);
        literal.clear();
        if (const qsizetype hash = inlineFormatStart(content); hash >= 0) {
            part.format = DisplayFormat::fromInline(content.mid(hash + 1));
            content.truncate(hash);
        }
        part.expression = Expression::parseReference(content);
        t.m_parts.append(std::move(part));
        i = close + 1;
    }
    Part tail;
    tail.literal = literal;
    tail.offset = int(text.size());
    t.m_parts.append(std::move(tail));
    return t;
}

QString TextTemplate::expand(ExpressionHost &host, const DisplayFormat &objectFormat) const
{
    if (m_parts.size() == 1)
        return m_parts.first().literal;
    QString out;
    for (const Part &part : m_parts) {
        out += part.literal;
        if (part.expression.isEmpty())
            continue;
        const QString value = formatValue(part.expression.evaluate(host), part.format ? *part.format : objectFormat);
        out += m_html ? value.toHtmlEscaped() : value;
    }
    return out;
}

bool TextTemplate::isSingleExpression() const
{
    return m_parts.size() == 2 && m_parts.at(0).literal.isEmpty() && m_parts.at(1).literal.isEmpty() &&
           !m_parts.at(0).expression.isEmpty();
}

QList<AggregateCall> TextTemplate::aggregates() const
{
    QList<AggregateCall> calls;
    for (const Part &part : m_parts)
        calls += part.expression.aggregates();
    return calls;
}

QStringList TextTemplate::names() const
{
    QStringList result;
    for (const Part &part : m_parts) {
        for (const QString &name : part.expression.names()) {
            if (!result.contains(name))
                result.append(name);
        }
    }
    return result;
}

bool TextTemplate::refersTo(QLatin1String name) const
{
    return std::any_of(m_parts.begin(), m_parts.end(),
                       [&](const Part &part) { return part.expression.refersTo(name); });
}

QString expandText(const QString &text, ExpressionHost &host, const DisplayFormat &objectFormat)
{
    return TextTemplate::compile(text).expand(host, objectFormat);
}

QList<AggregateCall> aggregatesInText(const QString &text)
{
    return TextTemplate::compile(text).aggregates();
}

} // namespace ergotab::report
