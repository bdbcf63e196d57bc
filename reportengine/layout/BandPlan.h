#pragma once

// The bands of a report page sorted into their roles: the page's own bands, and the data
// levels (master, its details, their subdetails) with their headers, footers and groups.
// Headers and group headers belong to the next data band below them; footers and group
// footers to the data band above them, the first group footer closing the innermost group.

#include "reportengine/model/ReportTemplate.h"

#include <QHash>
#include <QStringList>

#include <QStringList>
#include <functional>

#include <memory>
#include <vector>

namespace ergotab::report {

struct GroupBands
{
    const Band *header = nullptr;
    const Band *footer = nullptr;
};

struct DataLevel
{
    const Band *data = nullptr;
    const Band *header = nullptr;
    const Band *footer = nullptr;
    std::vector<GroupBands> groups; // outermost first
    std::vector<std::unique_ptr<DataLevel>> details;
};

struct BandPlan
{
    std::vector<const Band *> titles;
    std::vector<const Band *> summaries;
    std::vector<const Band *> pageHeaders;
    std::vector<const Band *> pageFooters;
    std::vector<const Band *> columnHeaders;
    std::vector<const Band *> columnFooters;
    std::vector<const Band *> overlays;
    std::vector<std::unique_ptr<DataLevel>> masters;
    // Stands for the page's objects outside every band (they stay in the page): printed on
    // every page from the corner inside the margins. Null when the page has none.
    std::unique_ptr<Band> looseObjects;

    // The data band whose records a band's aggregates count when the call names none.
    QHash<const Band *, const Band *> defaultDataBand;

    const Band *bandNamed(const QString &name) const;

    // Warnings tell of bands that cannot take part (a footer with no data band above it, the
    // vertical bands of the earlier engine).
    static BandPlan build(const ReportPage &page, QStringList &warnings);

private:
    QHash<QString, const Band *> m_byName; // upper-case name
};

} // namespace ergotab::report
