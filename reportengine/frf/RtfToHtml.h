#pragma once

// A small RTF reader for the rich-text objects of the earlier engine: paragraphs with their
// alignment, bold, italic, underline, strike-out, font family, size and colour, line breaks,
// tabs, special characters and \'hh / \u escapes. Pictures, objects and tables are not carried
// over (a table's cells become text on one line); each such loss adds a note.

#include "storage/codepage/CodePage.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace ergotab::report::frf {

// HTML for our rich-text objects; [expression] parts stay as written. `fallback` decodes
// 8-bit text when the RTF names no code page of its own.
QString rtfToHtml(const QByteArray &rtf, const CodePage &fallback, QStringList &notes);

} // namespace ergotab::report::frf
