#pragma once

#include "ReportExporter.h"

namespace ergotab::report {

// One self-contained HTML file in UTF-8: each page a block of the paper's size with its items
// positioned absolutely in millimetres, lines and shapes as inline SVG, pictures as data URIs.
class HtmlExport : public ReportExporter
{
public:
    void write(const PreparedReport &report, QIODevice &device) const override;
};

} // namespace ergotab::report
