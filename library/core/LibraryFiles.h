#pragma once

#include <QStringList>

namespace ergotab {
namespace dbf {
class Table;
}

namespace library {

// The members of Library.LIB, in the order they are packed.
inline const QString ObjectMember = QStringLiteral("Object.dbf");
inline const QString TemplatesMember = QStringLiteral("Vzory.dbf");
inline const QString TemplatesMemoMember = QStringLiteral("Vzory.dbt");
QStringList libraryMemberNames();

// The file beside the program.
inline const QString LibraryFileName = QStringLiteral("Library.LIB");

// Fields of the template table.
inline const QString FaktorField = QStringLiteral("Faktor");
inline const QString SpecifikField = QStringLiteral("Specifik");
inline const QString OpatreniField = QStringLiteral("Opatreni");
constexpr int SpecifikWidth = 50;

// Faktor (integer), Specifik (50 characters), Opatreni (memo); no index.
void defineTemplateTable(dbf::Table &table);

// Gives the library's files in the folder (which ends with a separator) the spelling of their
// member names, whatever case the archive stored them in, so the tables open by one name.
void normaliseMemberNames(const QString &folderWithSeparator);

// Creates the library table or the template table empty in the folder when it is missing.
// Returns true when one had to be made.
bool createMissingTables(const QString &folderWithSeparator);

} // namespace library
} // namespace ergotab
