#pragma once

#include <QString>

namespace ergotab::library {

// The library's readable source: a folder with
//   samples/*.json    one top-level item each, in file-name order:
//                     {"node": "Name", "subitems": [ ... ]} or
//                     {"assessment": "Name", "categories": {"Hluk": 3, "Prach": [2, 3]}}
//                     (factors by their short names; a factor left out is in category 1,
//                     an empty list means no category)
//   templates/*.json  {"factor": "Hluk", "templates": [{"specification": "do 85 dB",
//                     "text": ["line", "line"]}]}
// built into Library.LIB and extracted back, so that the library is reviewed like code.

// Builds the library file from the source folder; the file is replaced only when complete.
// Errors name the source file and what is wrong in it.
void buildLibrary(const QString &sourceFolder, const QString &libraryFile);

// Writes the source files of a library file into the folder (made as needed). Samples are
// numbered in the library's record order; a row whose parent is missing becomes a top-level
// item of its own.
void extractLibrary(const QString &libraryFile, const QString &sourceFolder);

} // namespace ergotab::library
