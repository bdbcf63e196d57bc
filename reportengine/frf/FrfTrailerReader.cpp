// The end of the stream: the variables (FR 2.4's data dictionary, or the older values table
// with its tree of names) and FR 2.5's report information.
#include "reportengine/frf/FrfReaderImpl.h"

#include <QHash>
#include <QSet>

using namespace Qt::StringLiterals;

namespace ergotab::report::frf {

namespace {

// The system values of the old table, by their index.
QString systemVariable(int index)
{
    static const char *const names[] = {"PAGE#",        "",        "DATE",     "TIME",      "LINE#",
                                        "LINETHROUGH#", "COLUMN#", "CURRENT#", "TOTALPAGES"};
    return index >= 0 && index < int(std::size(names)) ? QString::fromLatin1(names[index]) : QString();
}

} // namespace

void FrfReaderImpl::readTrailer()
{
    if (m_version >= 24) {
        const quint16 marker = m_in.u16();
        if (marker == 0xFFFE || marker == 0xFFFF) {
            const auto readList = [this] {
                std::vector<std::pair<QString, QString>> list;
                const qint64 at = m_in.pos();
                const qint32 count = m_in.i32();
                if (count < 0)
                    m_in.fail(at, u"záporný počet položek %1"_s.arg(count));
                for (qint32 i = 0; i < count; ++i) {
                    QString name = str16();
                    QString value = str16();
                    list.emplace_back(std::move(name), std::move(value));
                }
                return list;
            };
            auto variables = readList();
            // A name with a leading space is a category heading; files converted from older
            // versions have it the other way round, which the first name gives away.
            const bool inverted = !variables.empty() && !variables.front().first.startsWith(u' ');
            QString category;
            for (auto &[name, value] : variables) {
                const bool heading = name.startsWith(u' ') != inverted;
                const QString bare = name.trimmed();
                if (heading)
                    category = bare;
                else
                    m_file.variables.push_back({bare, value, category});
            }
            for (const auto &[name, value] : readList())
                m_file.fieldAliases << name + u'=' + value;
            for (const auto &[name, value] : readList())
                m_file.dataSourceAliases << name + u'=' + value;
            return;
        }
        m_in.seek(m_in.pos() - 2, "slovník proměnných");
    }
    // The values table: what each variable stands for, then the tree of names.
    const qint64 at = m_in.pos();
    const qint32 count = m_in.i32();
    if (count < 0)
        m_in.fail(at, u"záporný počet proměnných %1"_s.arg(count));
    QHash<QString, QString> values;
    QStringList order;
    for (qint32 i = 0; i < count; ++i) {
        const int kind = m_in.u8();
        const qint32 otherKind = m_in.i32();
        const QString dataSet = decode(m_in.shortString());
        const QString field = decode(m_in.shortString());
        const QString name = decode(m_in.shortString());
        QString value;
        if (kind == 1)
            value = dataSet.isEmpty() ? u"\"%1\""_s.arg(field) : u"%1.\"%2\""_s.arg(dataSet, field);
        else if (kind == 2)
            value = otherKind == 1 ? field : systemVariable(otherKind);
        values.insert(name.toUpper(), value);
        order << name;
    }
    QString category;
    QSet<QString> placed;
    for (const QString &line : rm()) {
        if (line.trimmed().isEmpty())
            continue;
        if (!line.startsWith(u' ')) {
            category = line.trimmed();
            continue;
        }
        const QString name = line.trimmed();
        m_file.variables.push_back({name, values.value(name.toUpper()), category});
        placed.insert(name.toUpper());
    }
    for (const QString &name : order)
        if (!placed.contains(name.toUpper()))
            m_file.variables.push_back({name, values.value(name.toUpper()), QString()});
}

void FrfReaderImpl::readReportInfo()
{
    static const char *const labels[] = {"comment", "name", "author", "major", "minor", "release", "build"};
    for (const char *label : labels) {
        const QString value = decode(m_in.rawString16());
        if (!value.isEmpty())
            m_file.reportInfo << QString::fromLatin1(label) + u'=' + value;
    }
    m_in.rawString16(); // the password, ignored
    m_in.u8();
    m_in.u8();
    m_in.f64();
    m_in.f64();
}

} // namespace ergotab::report::frf
