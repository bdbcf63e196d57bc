#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>

namespace ergotab {
namespace dbf {
class Table;
}

namespace library {

// The JSON shapes of the library's source files (see LibrarySource.h), one value at a time.

// A factor by its short name ("Hluk") or its number; anything else raises an error.
int factorFromJson(const QJsonValue &value);
// A category (1 … 4), a list of them, or an empty list, as a factor mask; a category the
// factor does not have raises an error.
int maskFromJson(int factor, const QJsonValue &value);
// The reverse; category 1 alone gives an undefined value (the factor is left out).
QJsonValue maskToJson(int mask);
// A text as a list of lines (or one string), joined with the memos' "\r\n".
QString linesFromJson(const QJsonValue &value);
QJsonArray linesToJson(const QString &text);

// Appends an item and everything below it to the library table in order: the item, then its
// children in the order given. Index values are 1, 2, … in that order.
class SampleWriter
{
public:
    explicit SampleWriter(dbf::Table &table)
        : m_table(table)
    {
    }
    void write(const QJsonObject &item, int upLink);

private:
    dbf::Table &m_table;
    int m_nextIndex = 1;
};

struct SampleFile
{
    QString name; // "01-strojirenstvi.json"
    QJsonObject content;
};

// One file per top-level item of a library table (rows whose parent is missing count as
// top-level), each row once even where UpLinks loop.
QList<SampleFile> readSampleFiles(dbf::Table &samples);
// One file per factor that has templates, in record order within the factor.
QList<SampleFile> readTemplateFiles(dbf::Table &templates);

} // namespace library
} // namespace ergotab
