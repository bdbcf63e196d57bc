#pragma once

#include <QString>

namespace ergotab {

// Administrator mode is on when a marker file exists at start-up; its content is not read.
// The marker is "c:\Admin.set" on Windows and "/Admin.set" elsewhere. The environment variable
// ERGOTAB_ADMIN_MARKER, when set, names another file instead (tests point it into a scratch
// folder). This is the only place that knows where the marker lies.
QString adminMarkerPath();

bool administratorMarkerExists();

} // namespace ergotab
