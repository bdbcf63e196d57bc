#pragma once

#include <QStringList>

#include <optional>

namespace ergotab {
namespace dbf {
class Table;
}

namespace library {

// The measure templates in OpatTable: per factor (1 … 13), a specification (free text, may
// be empty, not unique: the first in record order wins) and the text of the measures. Every
// function sets the table's filter to the factor first; the filter stays so.
class MeasureTemplates
{
public:
    explicit MeasureTemplates(dbf::Table &table)
        : m_table(table)
    {
    }

    dbf::Table &table() { return m_table; }

    // Every specification of the factor in record order, empty ones and repeats included.
    QStringList specifications(int factor);
    // The editor's list: non-empty specifications in record order, each left out when the list
    // already holds an item that begins with it (letter case ignored).
    QStringList completionList(int factor);
    // The text of the first template of the factor whose specification is exactly `spec`.
    std::optional<QString> find(int factor, const QString &spec);

    // Replaces the text of the template with that specification, or appends a new template
    // (its specification cut to 50 characters).
    void save(int factor, const QString &spec, const QString &text);
    // Deletes the template with that specification and packs the table (closed, reopened
    // exclusively, packed, reopened shared). False when there was none.
    bool remove(int factor, const QString &spec);

private:
    void filterTo(int factor);
    bool locate(int factor, const QString &spec);

    dbf::Table &m_table;
};

// The first item that begins with the typed text, letter case ignored; empty when none does
// or nothing is typed.
QString completeSpecification(const QStringList &list, const QString &typed);

} // namespace library
} // namespace ergotab
