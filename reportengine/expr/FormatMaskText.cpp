// Delphi's FormatMaskText: a text placed into an edit mask.
#include "reportengine/expr/DelphiFormat.h"

namespace ergotab::report::delphi {

QString formatMaskText(const QString &mask, const QString &value)
{
    // Mask fields: the mask itself, then whether the value holds the literals, then the blank.
    QString body = mask;
    bool valueHasLiterals = true;
    QChar blank = QLatin1Char('_');
    const auto fieldStart = [&](const QString &m) {
        for (int i = int(m.size()) - 1; i >= 0; --i) {
            if (m.at(i) == QLatin1Char(';') && (i == 0 || m.at(i - 1) != QLatin1Char('\\')))
                return i;
        }
        return -1;
    };
    if (int sep = fieldStart(body); sep >= 0 && sep >= int(body.size()) - 2) {
        QString last = body.mid(sep + 1);
        body.truncate(sep);
        if (int sep2 = fieldStart(body); sep2 >= 0 && sep2 == int(body.size()) - 2) {
            valueHasLiterals = body.at(sep2 + 1) != QLatin1Char('0');
            body.truncate(sep2);
            if (!last.isEmpty())
                blank = last.at(0);
        } else {
            valueHasLiterals = last != QLatin1String("0");
        }
    }
    static const QString placeholders = QStringLiteral("LlAaCc09#");
    QString out;
    int next = 0;
    enum { Keep, Upper, Lower } caseMode = Keep;
    for (int i = 0; i < body.size(); ++i) {
        const QChar m = body.at(i);
        if (m == QLatin1Char('!'))
            continue;
        if (m == QLatin1Char('<') && i + 1 < body.size() && body.at(i + 1) == QLatin1Char('>')) {
            caseMode = Keep;
            ++i;
            continue;
        }
        if (m == QLatin1Char('>') || m == QLatin1Char('<')) {
            caseMode = m == QLatin1Char('>') ? Upper : Lower;
            continue;
        }
        QChar literal;
        if (m == QLatin1Char('\\') && i + 1 < body.size())
            literal = body.at(++i);
        else if (!placeholders.contains(m))
            literal = m == QLatin1Char('/') ? QLatin1Char('.') : m;
        if (!literal.isNull()) {
            out += literal;
            if (valueHasLiterals)
                ++next;
            continue;
        }
        QChar c = next < value.size() ? value.at(next) : blank;
        ++next;
        if (caseMode == Upper)
            c = c.toUpper();
        else if (caseMode == Lower)
            c = c.toLower();
        out += c;
    }
    return out;
}

} // namespace ergotab::report::delphi
