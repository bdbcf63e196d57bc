#pragma once

// Finding text in the prepared pages: every text and rich-text item whose text holds the
// searched words (case and accents as typed, case not minded), in page order.

#include "reportengine/prepared/PreparedReport.h"

#include <vector>

namespace ergotab::report {

struct TextHit
{
    int page = 0;
    QRectF rectMm; // the item holding the text
};

std::vector<TextHit> findText(const PreparedReport &report, const QString &text);

} // namespace ergotab::report
