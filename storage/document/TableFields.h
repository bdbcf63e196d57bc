#pragma once

#include <QLatin1String>

#include <array>

// The field names of every table the program reads and writes, spelt once. Code names a field
// by one of these constants, so a misspelt name does not compile. Loops ask the table for the
// field's position once (dbf::Table::fieldIndex) and then read and write by position.
namespace ergotab::fields {

// Object.dbf of a document, of the subtree clipboard and (its first seventeen fields) of the
// library.
namespace object {
inline constexpr QLatin1String Index {"Index"};
inline constexpr QLatin1String UpLink {"UpLink"};
inline constexpr QLatin1String Type {"Type"};
inline constexpr QLatin1String Text {"Text"};
// Fak01 .. Fak13 follow: the factor catalogue names them (factorFieldName).
inline constexpr QLatin1String Pracov {"Pracov"};
inline constexpr QLatin1String Zen {"Zen"};
inline constexpr QLatin1String Popis {"Popis"};
inline constexpr QLatin1String Mereni {"Mereni"};
inline constexpr QLatin1String Opatreni {"Opatreni"};
// The three memo fields in table order.
inline constexpr std::array<QLatin1String, 3> Memos {Popis, Mereni, Opatreni};
// The one maintained index of a document's Object table, on UpLink.
inline constexpr QLatin1String UpLinkTag {"UPLINK"};
} // namespace object

// Worker.dbf of a document.
namespace worker {
inline constexpr QLatin1String Index {"Index"};
inline constexpr QLatin1String PersNum {"PersNum"};
inline constexpr QLatin1String FName {"FName"};
inline constexpr QLatin1String LName {"LName"};
inline constexpr QLatin1String Address {"Address"};
inline constexpr QLatin1String City {"City"};
inline constexpr QLatin1String Zip {"Zip"};
inline constexpr QLatin1String BirthDate {"BirthDate"};
inline constexpr QLatin1String BirthNum {"BirthNum"};
inline constexpr QLatin1String RiskLen {"RiskLen"};
inline constexpr QLatin1String LenType {"LenType"};
inline constexpr QLatin1String ReviDate {"ReviDate"};
inline constexpr QLatin1String Result {"Result"};
inline constexpr QLatin1String Profese {"Profese"};
} // namespace worker

// Link.dbf of a document: worker WIndex works in assessment TIndex.
namespace link {
inline constexpr QLatin1String WIndex {"WIndex"};
inline constexpr QLatin1String TIndex {"TIndex"};
} // namespace link

// Object.dbf of Library.LIB: the first seventeen fields of the document's Object table (the
// factor fields named by the factor catalogue).
namespace library {
using object::Index;
using object::Text;
using object::Type;
using object::UpLink;
} // namespace library

// Vzory.dbf of Library.LIB: the protective-measure templates.
namespace vzory {
inline constexpr QLatin1String Faktor {"Faktor"};
inline constexpr QLatin1String Specifik {"Specifik"};
inline constexpr QLatin1String Opatreni {"Opatreni"};
} // namespace vzory

} // namespace ergotab::fields
