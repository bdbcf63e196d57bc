#pragma once

// The text of a text object: literal text with [ … ] parts that are evaluated and printed.
// Brackets nest (`[SUM([Part total])]`), brackets inside quotes within a part do not count, and a
// part may end in an inline format after " #" (`[Value #N#,##0.00]`, `[DATE #Dd. mmmm yyyy]`).
// A '[' that is never closed prints as it stands. Compile once, expand per record.

#include "reportengine/expr/DisplayFormat.h"
#include "reportengine/expr/Expression.h"

#include <QList>
#include <QString>

#include <optional>

namespace ergotab::report {

class TextTemplate
{
public:
    struct Part
    {
        QString literal;                     // the text before the part
        Expression expression;               // empty for the trailing literal
        std::optional<DisplayFormat> format; // the inline format, when the part has one
        int offset = 0;                      // where the part's content starts in the text (0-based)
    };

    // Html: rich text, whose [ ] parts hold "<", ">", "&" and quotes the way an HTML writer puts
    // them (&lt; and so on); the parts read them as the characters, and their values are
    // escaped for HTML when printed.
    enum class Markup { Plain, Html };

    TextTemplate() = default;
    static TextTemplate compile(const QString &text, Markup markup = Markup::Plain);

    // The text with every part replaced by its value; parts without an inline format print in
    // `objectFormat`. Throws ExpressionError from the first part that fails.
    QString expand(ExpressionHost &host, const DisplayFormat &objectFormat = DisplayFormat()) const;

    const QString &text() const { return m_text; }
    const QList<Part> &parts() const { return m_parts; }
    bool hasExpressions() const { return m_parts.size() > 1; }
    // The text is exactly one part and nothing else, e.g. "[Kategorie_DataSet."Text"]": its value
    // can be taken as it is (for a picture, a check box or a highlight condition's VALUE).
    bool isSingleExpression() const;

    QList<AggregateCall> aggregates() const;
    QStringList names() const;
    bool refersTo(QLatin1String name) const;

private:
    QString m_text;
    QList<Part> m_parts; // the last part holds only the trailing literal
    bool m_html = false;
};

// The characters an HTML writer escapes (&quot; &apos; &#39; &lt; &gt; &amp;) as themselves.
QString withoutHtmlEscapes(QString text);

// The index of the ']' that closes the '[' at `open` in `text`, or -1: nested brackets count,
// brackets inside '…' or "…" do not.
qsizetype closingBracket(const QString &text, qsizetype open);

// Compiles and expands in one go; for texts printed once. The layout engine keeps compiled ones.
QString expandText(const QString &text, ExpressionHost &host, const DisplayFormat &objectFormat = DisplayFormat());

// The aggregate calls in a text with [ … ] parts.
QList<AggregateCall> aggregatesInText(const QString &text);

} // namespace ergotab::report
