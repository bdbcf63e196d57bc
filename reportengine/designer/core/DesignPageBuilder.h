#pragma once

// The design view of a report page as a prepared page, so the surface draws objects with the
// same painter as the preview: texts show what the author wrote ([expressions] unevaluated),
// check boxes, bar codes, pictures without data and subreports show as labelled boxes. The items
// of the bands come first, in band order, then those of the page's own objects.

#include "reportengine/designer/core/SurfaceGeometry.h"
#include "reportengine/prepared/PreparedReport.h"

namespace ergotab::report::designer {

PreparedPage designView(const ReportPage &page, const SurfaceGeometry &geometry);

} // namespace ergotab::report::designer
