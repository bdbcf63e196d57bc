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
            const QString dataSet = name.left(dot);
            const QString field = name.mid(dot + 2, name.size() - dot - 3);
            if (alias.compare(field, Qt::CaseInsensitive) == 0)
                continue;
            m_setsWithFields.insert(dataSet.toUpper());
            m_longestSet = std::max(m_longestSet, dataSet.size());
            m_fields.insert(dataSet.toUpper() + u'\x1f' + alias.toUpper(), field);
            if (!m_alone.contains(alias.toUpper()))
                m_alone.insert(alias.toUpper(), dataSet + u".\""_s + field + u'"');
        } else if (alias.compare(name, Qt::CaseInsensitive) != 0) {
            m_sets.insert(alias.toUpper(), name);
            m_longestSet = std::max(m_longestSet, alias.size());
        }
    }
}

QString FrfAliases::dataSource(const QString &name) const
{
    return m_sets.value(name.trimmed().toUpper(), name);
}

QString FrfAliases::expressions(const QString &text) const
{
    if (isEmpty())
        return text;
    // Every `Name."Field"`, the name made of letters, digits, dots, underscores and spaces
    // (aliases may have spaces).
    static const QRegularExpression reference(u"([\\p{L}\\p{N}_][\\p{L}\\p{N}_. ]*)\\.\"([^\"\\n]*)\""_s);
    QString out;
    qsizetype done = 0;
    auto it = reference.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QString name = m.captured(1);
        // The longest tail of the name, from the start of a word, that is a known data set or
        // alias: "total Tbl" keeps the word before it.
        QString dataSet;
        qsizetype start = 0;
        for (qsizetype i = 0; i < name.size() && dataSet.isEmpty(); ++i) {
            if ((i > 0 && name[i - 1] != u' ') || name[i] == u' ' || name.size() - i > m_longestSet + 1)
                continue;
            const QString tail = name.mid(i).trimmed().toUpper();
            if (const auto set = m_sets.constFind(tail); set != m_sets.cend())
                dataSet = *set;
            else if (m_setsWithFields.contains(tail))
                dataSet = name.mid(i).trimmed();
            start = m.capturedStart(1) + i;
        }
        if (dataSet.isEmpty())
            continue;
        const QString field = m.captured(2);
        out += text.mid(done, start - done);
        out += dataSet + u".\""_s + m_fields.value(dataSet.toUpper() + u'\x1f' + field.toUpper(), field) + u'"';
        done = m.capturedEnd(0);
    }
    out += text.mid(done);
    if (m_alone.isEmpty())
        return out;
    // A field alias alone in brackets, the way the designer inserted it.
    static const QRegularExpression bracketed(u"\\[\\s*([^\\[\\]]*?)\\s*\\]"_s);
    QString result;
    done = 0;
    it = bracketed.globalMatch(out);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const auto real = m_alone.constFind(m.captured(1).toUpper());
        if (real == m_alone.cend())
            continue;
        result += out.mid(done, m.capturedStart(0) - done) + u'[' + *real + u']';
        done = m.capturedEnd(0);
    }
    return result + out.mid(done);
}

} // namespace ergotab::report::frf
