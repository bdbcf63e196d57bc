#pragma once

// Names of the variables every report offers, as templates write them. The expression engine
// does not resolve them itself: it asks ExpressionHost::variable, and the layout engine answers
// for these names (compared without regard to case).

#include <QString>

namespace ergotab::report::SystemVariable {

inline constexpr QLatin1String Page {"PAGE#"};               // 1-based number of the page
inline constexpr QLatin1String TotalPages {"TOTALPAGES"};    // number of pages; needs the second pass
inline constexpr QLatin1String Line {"LINE#"};               // record number within the data band's run
inline constexpr QLatin1String LineThrough {"LINETHROUGH#"}; // record number across the whole report
inline constexpr QLatin1String Column {"COLUMN#"};           // 1-based column of a multi-column band
inline constexpr QLatin1String Current {"CURRENT#"};         // record number of the current data set
inline constexpr QLatin1String Date {"DATE"};                // today, as a date
inline constexpr QLatin1String Time {"TIME"};                // the time the report started
inline constexpr QLatin1String Value {"VALUE"};              // the value being printed (highlight conditions)

// The variables scripts of the earlier engine read; offered for templates that use them.
inline constexpr QLatin1String FinalPass {"FINALPASS"};
inline constexpr QLatin1String PageHeight {"PAGEHEIGHT"};
inline constexpr QLatin1String PageWidth {"PAGEWIDTH"};
inline constexpr QLatin1String FreeSpace {"FREESPACE"};
inline constexpr QLatin1String CurY {"CURY"};

inline constexpr QLatin1String All[] = {Page, TotalPages, Line,      LineThrough, Column,    Current,   Date,
                                        Time, Value,      FinalPass, PageHeight,  PageWidth, FreeSpace, CurY};

} // namespace ergotab::report::SystemVariable
