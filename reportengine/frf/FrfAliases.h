#pragma once

// The dictionary's aliases in templates of the earlier engine: data sets and their fields shown
// to users under other names. Expressions written with those names are turned back into the
// real ones, which is what the earlier engine did whenever it looked a field up.

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace ergotab::report::frf {

class FrfAliases
{
public:
    // Entries as FrfFile keeps them: "real name=alias"; a real name is a data set
    // (`Module.Table`) or a field (`Module.Table."Field"`). Entries without an alias are ignored.
    FrfAliases(const QStringList &fieldAliases, const QStringList &dataSourceAliases);

    bool isEmpty() const { return m_sets.isEmpty() && m_fields.isEmpty(); }

    // `Alias."Field alias"`, `Alias."Field"` and `DataSet."Field alias"` become
    // `DataSet."Field"`, and so does `[Field alias]` alone in brackets; nothing else changes.
    QString expressions(const QString &text) const;
    // A band's data source named by its alias: the real name; anything else as it is.
    QString dataSource(const QString &name) const;

private:
    // Keys in upper case, as names are compared without regard to case.
    QHash<QString, QString> m_sets;   // data set alias -> real data set
    QSet<QString> m_setsWithFields;   // real data sets some of whose fields have aliases
    QHash<QString, QString> m_fields; // real data set + '\x1f' + field alias -> real field
    qsizetype m_longestSet = 0;
    QHash<QString, QString> m_alone; // field alias -> `DataSet."Field"`
};

} // namespace ergotab::report::frf
