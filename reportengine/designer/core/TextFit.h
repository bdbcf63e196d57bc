#pragma once

// The design view keeps each text inside its rectangle, so narrow columns do not spill over
// their neighbours: a line too long for the width ends in "…", and when the lines need more
// than the height, those below are left out and the last one shown ends in "…". Only the
// designer does this; printing lays texts out in full. Needs a QGuiApplication (fonts).

#include "reportengine/prepared/PreparedReport.h"

namespace ergotab::report::designer {

// The item with its text broken into the lines that fit (word wrap done here, so it is off).
TextItem fittedToRect(TextItem item);

} // namespace ergotab::report::designer
