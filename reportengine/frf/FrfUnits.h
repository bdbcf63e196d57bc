#pragma once

// The earlier engine's units and colours in ours: its pixels (slightly different across and
// down the paper, as its printing stretched them), Delphi colours with the Windows system
// colours, and the code page a memo's font charset asks for.

#include "storage/codepage/CodePage.h"

#include <QColor>

#include <algorithm>

#include <optional>

namespace ergotab::report::frf {

// 1.022/93 inch across and 1.015/93 inch down: what one of its pixels was on paper.
inline constexpr double mmPerPixelX = 25.4 * 1.022 / 93.0;
inline constexpr double mmPerPixelY = 25.4 * 1.015 / 93.0;
// Its designer typed margins in millimetres and stored them as mm × 18 / 5.
inline constexpr double mmPerMarginPixel = 5.0 / 18.0;

inline double xMm(double pixels)
{
    return pixels * mmPerPixelX;
}
inline double yMm(double pixels)
{
    return pixels * mmPerPixelY;
}

// No template is ten metres long: lengths beyond that come from damaged files and are cut to it
// (our own template files refuse them).
inline constexpr double maxLengthMm = 10000.0;
inline double clampedMm(double mm)
{
    return std::clamp(mm, -maxLengthMm, maxLengthMm);
}

inline constexpr quint32 colorNone = 0x1FFFFFFF;
inline constexpr quint32 colorDefault = 0x20000000;

// A Delphi TColor: 0x00BBGGRR, clNone (transparent), clDefault (`fallback`) or a Windows system
// colour (0x80000000 | index, in the classic Windows scheme).
QColor delphiColor(quint32 value, const QColor &fallback = Qt::transparent);

// Text fit for our template files: control characters (bytes below 0x20 in a damaged file,
// carriage returns) become spaces, tabs and line feeds stay, unpaired surrogates and
// non-characters become U+FFFD.
QString cleanText(QString text);

// The code page for a memo's Windows font charset; nullopt where the file's own code page holds
// (ANSI, DEFAULT and the charsets of code pages we do not carry). Charset 2 (symbol) is handled
// apart: its bytes are glyph numbers, not text.
std::optional<CodePage::Id> codePageForCharset(int charset);
inline constexpr int symbolCharset = 2;

} // namespace ergotab::report::frf
