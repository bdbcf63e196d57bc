#include "RichTextHtml.h"

#include "reportengine/expr/TextTemplate.h"

namespace ergotab::report::designer {

QString withPlainExpressions(const QString &html)
{
    QString result;
    result.reserve(html.size());
    qsizetype from = 0;
    for (qsizetype open = html.indexOf(u'['); open >= 0; open = html.indexOf(u'[', from)) {
        const qsizetype close = closingBracket(html, open);
        if (close < 0)
            break;
        result += html.mid(from, open - from) + withoutHtmlEscapes(html.mid(open, close - open + 1));
        from = close + 1;
    }
    return result + html.mid(from);
}

} // namespace ergotab::report::designer
