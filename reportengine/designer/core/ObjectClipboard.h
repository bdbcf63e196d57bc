#pragma once

// Objects copied in the designer travel as a small template in our XML format, so the clipboard
// holds every property the file keeps and nothing else.

#include "reportengine/model/TemplateObjects.h"

#include <QByteArray>

#include <vector>

namespace ergotab::report::designer {

inline constexpr char objectsMimeType[] = "application/x-ergotab-report-objects";

QByteArray objectsToXml(const std::vector<ReportObject> &objects);
// Empty for bytes that are not objects copied this way; never throws.
std::vector<ReportObject> objectsFromXml(const QByteArray &bytes);

} // namespace ergotab::report::designer
