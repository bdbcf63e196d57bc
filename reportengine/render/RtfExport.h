#pragma once

#include "ReportExporter.h"

namespace ergotab::report {

// RTF that Word and LibreOffice open: a section per page with the page's paper size, texts and
// pictures in frames positioned on the page, lines and shapes as drawing objects, pictures as
// JPEG. Text is written in code page 1250 with a Unicode escape before every non-ASCII letter.
class RtfExport : public ReportExporter
{
public:
    void write(const PreparedReport &report, QIODevice &device) const override;
};

} // namespace ergotab::report
