#pragma once

// The dictionary's aliases in templates of the earlier engine: data sets and their fields shown
// to users under other names. Expressions written with those names are turned back into the
// real ones, which is what the earlier engine did whenever it looked a field up.

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

namespace ergotab::report::frf {

class FrfAliases
{
public:
    // Entries as FrfFile keeps them: "real name=alias"; a real name is a data set
    // (`Module.Table`) or a field (`Module.Table."Field"`). Entries without an alias are ignored.
    FrfAliases(const QStringList &fieldAliases, const QStringList &dataSourceAliases);

    bool isEmpty() const { return m_sets.empty() && m_fields.empty(); }

    // `Alias."Field alias"`, `Alias."Field"` and `DataSet."Field alias"` become
    // `DataSet."Field"`; nothing else in the text changes.
    QString expressions(const QString &text) const;
    // A band's data source named by its alias: the real name; anything else as it is.
    QString dataSource(const QString &name) const;

private:
    struct Field
    {
        QString dataSet;
        QString field;
        QString alias;
    };
    QString realField(const QString &dataSet, const QString &name) const;

    QHash<QString, QString> m_sets; // alias in upper case -> real data set
    std::vector<Field> m_fields;
};

} // namespace ergotab::report::frf
