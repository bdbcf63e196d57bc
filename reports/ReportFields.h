#pragma once

#include <QStringList>

// The names under which the report data reaches templates, and the Object fields it reads.
namespace ergotab::reports {

namespace sources {
inline const QString objects = QStringLiteral("Object_DataSet");
inline const QString assessments = QStringLiteral("Kategorie_DataSet");
inline const QString nodeFilter = QStringLiteral("Type = 0");
inline const QString assessmentFilter = QStringLiteral("Type = 1");
inline const QString runIndex = QStringLiteral("UPLINK");
} // namespace sources

namespace fields {
inline const QString index = QStringLiteral("Index");
inline const QString upLink = QStringLiteral("UpLink");
inline const QString text = QStringLiteral("Text");
// Every field of the Object table as the document spells it (the table file keeps upper case).
QStringList objectFieldNames();
} // namespace fields

} // namespace ergotab::reports
