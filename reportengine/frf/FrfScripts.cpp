#include "reportengine/frf/FrfScripts.h"

#include "reportengine/expr/Expression.h"

#include <QRegularExpression>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace ergotab::report::frf {

namespace {

// The script without comments, on one line.
QString withoutComments(const QString &script)
{
    QString out;
    QChar quote;
    for (qsizetype i = 0; i < script.size(); ++i) {
        const QChar c = script.at(i);
        if (!quote.isNull()) {
            out += c;
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == u'\'' || c == u'"') {
            quote = c;
            out += c;
        } else if (c == u'/' && i + 1 < script.size() && script.at(i + 1) == u'/') {
            while (i < script.size() && script.at(i) != u'\n')
                ++i;
            out += u' ';
        } else if (c == u'{') {
            while (i < script.size() && script.at(i) != u'}')
                ++i;
            out += u' ';
        } else if (c == u'\n' || c == u'\r' || c == u'\t') {
            out += u' ';
        } else {
            out += c;
        }
    }
    return out.simplified();
}

// Statements separated by ';' outside quotes, brackets and parentheses.
QStringList statements(const QString &text)
{
    QStringList list;
    QString current;
    QChar quote;
    int depth = 0;
    for (const QChar c : text) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u'(' || c == u'[') {
            ++depth;
        } else if (c == u')' || c == u']') {
            --depth;
        } else if (c == u';' && depth == 0) {
            if (!current.trimmed().isEmpty())
                list << current.trimmed();
            current.clear();
            continue;
        }
        current += c;
    }
    if (!current.trimmed().isEmpty())
        list << current.trimmed();
    return list;
}

// Names an object's script sets as its own properties, not as variables.
bool isProperty(const QString &name)
{
    static const QStringList properties {u"visible"_s,
                                         u"fillcolor"_s,
                                         u"color"_s,
                                         u"framecolor"_s,
                                         u"framewidth"_s,
                                         u"frametyp"_s,
                                         u"framestyle"_s,
                                         u"left"_s,
                                         u"top"_s,
                                         u"width"_s,
                                         u"height"_s,
                                         u"x"_s,
                                         u"y"_s,
                                         u"dx"_s,
                                         u"dy"_s,
                                         u"memo"_s,
                                         u"text"_s,
                                         u"flags"_s,
                                         u"stretched"_s,
                                         u"wordwrap"_s,
                                         u"autowidth"_s,
                                         u"textonly"_s,
                                         u"hidezeros"_s,
                                         u"alignment"_s,
                                         u"adjust"_s,
                                         u"tag"_s,
                                         u"font"_s,
                                         u"gapx"_s,
                                         u"gapy"_s,
                                         u"caption"_s,
                                         u"checked"_s,
                                         u"enabled"_s,
                                         u"items"_s,
                                         u"itemindex"_s,
                                         u"picture"_s,
                                         u"printable"_s,
                                         u"restrictions"_s,
                                         u"highlight"_s,
                                         u"format"_s,
                                         u"formatstr"_s,
                                         u"name"_s,
                                         u"modalresult"_s};
    return properties.contains(name.toLower());
}

bool parses(const QString &expression)
{
    try {
        return !Expression::parse(expression).isEmpty();
    } catch (const ExpressionError &) {
        return false;
    }
}

std::optional<bool> booleanWord(const QString &word)
{
    if (word.compare(u"true"_s, Qt::CaseInsensitive) == 0)
        return true;
    if (word.compare(u"false"_s, Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

} // namespace

std::optional<ScriptMeaning> understandScript(const QString &script)
{
    QString text = withoutComments(script);
    static const QRegularExpression block(u"^begin\\s+(.*)\\s*end\\s*[.;]?$"_s,
                                          QRegularExpression::CaseInsensitiveOption);
    if (const auto m = block.match(text); m.hasMatch())
        text = m.captured(1);
    static const QRegularExpression nested(u"\\bbegin\\b|\\bend\\b|\\bwhile\\b|\\brepeat\\b|\\bgoto\\b"_s,
                                           QRegularExpression::CaseInsensitiveOption);
    if (text.isEmpty() || nested.match(text).hasMatch())
        return std::nullopt;
    static const QRegularExpression visible(u"^visible\\s*:=\\s*(.+)$"_s, QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression conditional(
        u"^if\\s+(.+?)\\s+then\\s+visible\\s*:=\\s*(true|false)(?:\\s+else\\s+visible\\s*:=\\s*(true|false))?$"_s,
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression assignment(u"^([A-Za-z_][A-Za-z0-9_]*)\\s*:=\\s*(.+)$"_s);
    ScriptMeaning meaning;
    for (const QString &s : statements(text)) {
        if (const auto m = conditional.match(s); m.hasMatch()) {
            const QString cond = m.captured(1);
            const bool then = *booleanWord(m.captured(2));
            const auto otherwise = booleanWord(m.captured(3));
            if (!parses(cond) || !meaning.visibleWhen.isEmpty() || (otherwise && *otherwise == then))
                return std::nullopt;
            // Without an else the value would carry over to the next record: only both
            // branches say the same as a condition.
            if (!otherwise)
                return std::nullopt;
            meaning.visibleWhen = then ? cond : u"NOT (%1)"_s.arg(cond);
        } else if (const auto m = visible.match(s); m.hasMatch()) {
            if (!parses(m.captured(1)) || !meaning.visibleWhen.isEmpty())
                return std::nullopt;
            meaning.visibleWhen = m.captured(1).trimmed();
        } else if (const auto m = assignment.match(s); m.hasMatch()) {
            const QString name = m.captured(1);
            const QString value = m.captured(2).trimmed();
            // A running total reads the variable it sets: a script, not a definition.
            const QRegularExpression self(u"\\b%1\\b"_s.arg(QRegularExpression::escape(name)),
                                          QRegularExpression::CaseInsensitiveOption);
            if (isProperty(name) || !parses(value) || self.match(value).hasMatch())
                return std::nullopt;
            meaning.assignments.emplace_back(name, value);
        } else {
            return std::nullopt;
        }
    }
    return meaning;
}

} // namespace ergotab::report::frf
