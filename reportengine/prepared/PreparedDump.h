#pragma once

// A prepared report as text, one line per page and per positioned item, in a stable form
// (millimetres to two decimals), for golden tests and for looking at what the layout made.
//
//   page 1 210.00x297.00
//   text 10.00 20.00 60.00x4.50 "Arial" 10 B "strana 1 z 2" align=R,T wrap rot=0 color=#000000
//   line 10.00 25.00 -> 200.00 25.00 w=0.50 #000000
//   shape ellipse 10.00 30.00 4.00x4.00 fill=#00ff00 stroke=#000000 w=0.20
//   image 10.00 40.00 20.00x20.00 PNG 16x16 ratio center stretch
//   rich 10.00 60.00 100.00x10.00 "<b>x</b>"

#include "reportengine/prepared/PreparedReport.h"

namespace ergotab::report {

QString dumpPreparedReport(const PreparedReport &report);

} // namespace ergotab::report
