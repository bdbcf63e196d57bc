#pragma once

#include "storage/codepage/CodePage.h"

#include <QByteArray>

namespace ergotab::dbf {

// The driver byte new tables carry: Windows-1250, the code page every text of the program uses.
inline constexpr quint8 kWindows1250Driver = 0xC8;

// Code page of a table's text, from its language-driver byte (header offset 29) or, for
// level-7 tables, the driver name stored after the header. Windows ANSI drivers and tables
// with no driver hold the ANSI code page of the machine that wrote them, which for the
// documents this program reads is Windows-1250; unknown drivers fall back to it as well.
CodePage::Id codePageForDriver(quint8 driverId, const QByteArray &driverName);

} // namespace ergotab::dbf
