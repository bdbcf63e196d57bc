#pragma once

#include "ReportExporter.h"

namespace ergotab::report {

// PDF through QPdfWriter: every page takes its own paper size, text stays text in embedded
// fonts (so Czech text can be selected and searched), pictures are stored once each.
class PdfExport : public ReportExporter
{
public:
    void write(const PreparedReport &report, QIODevice &device) const override;
};

} // namespace ergotab::report
