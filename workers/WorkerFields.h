#pragma once

#include <QString>

namespace ergotab::workers {

// The fields of the Worker and Link tables the register reads and writes, named once.
namespace field {
inline const QString Index = QStringLiteral("Index");
inline const QString PersNum = QStringLiteral("PersNum");
inline const QString FName = QStringLiteral("FName");
inline const QString LName = QStringLiteral("LName");
inline const QString Address = QStringLiteral("Address");
inline const QString City = QStringLiteral("City");
inline const QString Zip = QStringLiteral("Zip");
inline const QString BirthDate = QStringLiteral("BirthDate");
inline const QString BirthNum = QStringLiteral("BirthNum");
inline const QString RiskLen = QStringLiteral("RiskLen");
inline const QString LenType = QStringLiteral("LenType");
inline const QString ReviDate = QStringLiteral("ReviDate");
inline const QString Result = QStringLiteral("Result");
inline const QString Profese = QStringLiteral("Profese");
// Link.dbf
inline const QString WIndex = QStringLiteral("WIndex");
inline const QString TIndex = QStringLiteral("TIndex");
} // namespace field

} // namespace ergotab::workers
