#include "reportengine/frf/FrfAliases.h"

#include <QRegularExpression>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ergotab::report::frf {

namespace {

// "name=alias", the name possibly holding a quoted field name with '=' in it.
std::pair<QString, QString> splitEntry(const QString &entry)
{
    bool quoted = false;
    for (qsizetype i = 0; i < entry.size(); ++i) {
        if (entry[i] == u'"')
            quoted = !quoted;
        else if (entry[i] == u'=' && !quoted)
            return {entry.left(i).trimmed(), entry.mid(i + 1).trimmed()};
    }
    return {entry.trimmed(), QString()};
}

} // namespace

FrfAliases::FrfAliases(const QStringList &fieldAliases, const QStringList &dataSourceAliases)
{
    for (const QString &entry : fieldAliases + dataSourceAliases) {
        const auto [name, alias] = splitEntry(entry);
        if (name.isEmpty() || alias.isEmpty() || alias.contains(u'"'))
            continue;
        const qsizetype dot = name.indexOf(u".\""_s);
        if (dot > 0 && name.endsWith(u'"')) {
            const QString field = name.mid(dot + 2, name.size() - dot - 3);
            if (alias.compare(field, Qt::CaseInsensitive) != 0)
                m_fields.push_back({name.left(dot), field, alias});
        } else if (alias.compare(name, Qt::CaseInsensitive) != 0) {
            m_sets.insert(alias.toUpper(), name);
        }
    }
}

QString FrfAliases::dataSource(const QString &name) const
{
    return m_sets.value(name.trimmed().toUpper(), name);
}

QString FrfAliases::realField(const QString &dataSet, const QString &name) const
{
    for (const Field &f : m_fields)
        if (f.dataSet.compare(dataSet, Qt::CaseInsensitive) == 0 && f.alias.compare(name, Qt::CaseInsensitive) == 0)
            return f.field;
    return name;
}

QString FrfAliases::expressions(const QString &text) const
{
    if (isEmpty())
        return text;
    // Every `Name."Field"`, the name made of letters, digits, dots, underscores and spaces
    // (aliases may have spaces), not glued to a letter or a quote before it.
    static const QRegularExpression reference(u"([\\p{L}\\p{N}_][\\p{L}\\p{N}_. ]*)\\.\"([^\"\\n]*)\""_s);
    QString out;
    qsizetype done = 0;
    auto it = reference.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        QString name = m.captured(1);
        qsizetype start = m.capturedStart(1);
        // The longest tail of the name that is a known data set or alias: "[Sum(Tbl."X")]" has
        // the name "Sum(Tbl" cut off by the bracket already, "a Tbl" keeps a word before it.
        QString dataSet;
        for (qsizetype i = 0; i < name.size(); ++i) {
            if (i > 0 && name[i - 1] != u' ')
                continue;
            const QString tail = name.mid(i).trimmed();
            if (m_sets.contains(tail.toUpper())) {
                dataSet = m_sets.value(tail.toUpper());
            } else if (std::any_of(m_fields.begin(), m_fields.end(),
                                   [&](const Field &f) { return f.dataSet.compare(tail, Qt::CaseInsensitive) == 0; })) {
                dataSet = tail;
            } else {
                continue;
            }
            start += i + (name.mid(i).size() - name.mid(i).trimmed().size());
            break;
        }
        if (dataSet.isEmpty())
            continue;
        out += text.mid(done, start - done);
        out += dataSet + u".\""_s + realField(dataSet, m.captured(2)) + u'"';
        done = m.capturedEnd(0);
    }
    out += text.mid(done);
    // A field alias alone in brackets, the way the designer inserted it.
    for (const Field &f : m_fields) {
        const QRegularExpression alone(u"\\[\\s*"_s + QRegularExpression::escape(f.alias) + u"\\s*\\]"_s,
                                       QRegularExpression::CaseInsensitiveOption);
        out.replace(alone, u"["_s + f.dataSet + u".\""_s + f.field + u"\"]"_s);
    }
    return out;
}

} // namespace ergotab::report::frf
