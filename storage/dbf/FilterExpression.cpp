#include "FilterExpression.h"

#include "Table.h"

namespace ergotab::dbf {

namespace {

class Parser
{
public:
    Parser(const QString &text, const QString &tableName)
        : m_text(text)
        , m_table(tableName)
    {
    }

    QList<FilterTerm> parse()
    {
        QList<FilterTerm> terms;
        skipBlanks();
        if (atEnd())
            return terms;
        for (;;) {
            terms.append(term());
            skipBlanks();
            if (atEnd())
                return terms;
            if (!keyword(u"AND"))
                fail(QStringLiteral("expected AND"));
        }
    }

private:
    FilterTerm term()
    {
        FilterTerm t;
        skipBlanks();
        const qsizetype start = m_pos;
        while (!atEnd() && (m_text.at(m_pos).isLetterOrNumber() || m_text.at(m_pos) == QLatin1Char('_')))
            ++m_pos;
        t.field = m_text.mid(start, m_pos - start);
        if (t.field.isEmpty())
            fail(QStringLiteral("expected a field name"));
        skipBlanks();
        if (atEnd() || m_text.at(m_pos) != QLatin1Char('='))
            fail(QStringLiteral("expected = after %1").arg(t.field));
        ++m_pos;
        skipBlanks();
        if (atEnd())
            fail(QStringLiteral("expected a value after %1=").arg(t.field));
        const QChar c = m_text.at(m_pos);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype close = m_text.indexOf(c, m_pos + 1);
            if (close < 0)
                fail(QStringLiteral("unterminated quoted value"));
            t.value = m_text.mid(m_pos + 1, close - m_pos - 1);
            t.quoted = true;
            m_pos = close + 1;
            return t;
        }
        const qsizetype valueStart = m_pos;
        while (!atEnd() && !m_text.at(m_pos).isSpace())
            ++m_pos;
        t.value = m_text.mid(valueStart, m_pos - valueStart);
        if (t.value.contains(QLatin1Char('=')))
            fail(QStringLiteral("unexpected = in value %1").arg(t.value));
        return t;
    }

    bool keyword(QStringView word)
    {
        if (QStringView(m_text).mid(m_pos, word.size()).compare(word, Qt::CaseInsensitive) != 0)
            return false;
        const qsizetype after = m_pos + word.size();
        if (after >= m_text.size() || !m_text.at(after).isSpace())
            return false;
        m_pos = after;
        return true;
    }

    void skipBlanks()
    {
        while (!atEnd() && m_text.at(m_pos).isSpace())
            ++m_pos;
    }
    bool atEnd() const { return m_pos >= m_text.size(); }

    [[noreturn]] void fail(const QString &cause) const
    {
        throw EngineError(QStringLiteral("Table %1: cannot parse filter \"%2\" at position %3: %4")
                              .arg(m_table, m_text)
                              .arg(m_pos + 1)
                              .arg(cause));
    }

    const QString &m_text;
    QString m_table;
    qsizetype m_pos = 0;
};

} // namespace

QList<FilterTerm> parseFilter(const QString &text, const QString &tableName)
{
    return Parser(text, tableName).parse();
}

} // namespace ergotab::dbf
