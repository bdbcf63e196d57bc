#pragma once

#include <QList>
#include <QString>

namespace ergotab::dbf {

// A filter as the program writes it: terms `Field=value` joined by AND.
struct FilterTerm
{
    QString field;
    QString value;
    bool quoted = false; // the value was written in quotes, so it is text even if it looks numeric
};

// Parses filter text; throws EngineError naming `tableName` when the text does not parse.
// Blank text gives no terms.
QList<FilterTerm> parseFilter(const QString &text, const QString &tableName);

} // namespace ergotab::dbf
