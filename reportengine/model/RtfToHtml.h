#pragma once

// Rich texts of older templates come as RTF, which Qt cannot read. This converts the part of RTF
// such texts use (paragraphs and their alignment, line breaks, tabs, bold, italic, underline,
// strike-out, font size, text colour, \'xx escapes in the document's code page, \uN escapes) to
// the HTML our rich-text objects keep. Tables, pictures and embedded objects are left out;
// their text, if any, stays.

#include <QByteArray>
#include <QString>

namespace ergotab::report {

// True when the text starts (after white space) with "{\rtf".
bool looksLikeRtf(QStringView text);
bool looksLikeRtf(const QByteArray &bytes);

// Bytes as stored: characters above 0x7F outside escapes are read in the document's code page
// (\ansicpg, Windows-1250 when none is named). Never throws; bad RTF gives what could be read.
QString rtfToHtml(const QByteArray &rtf);
// RTF already read into a string (as from an XML file): characters above 0x7F are taken as they
// are; \'xx escapes are still decoded through the code page.
QString rtfToHtml(QStringView rtf);

} // namespace ergotab::report
