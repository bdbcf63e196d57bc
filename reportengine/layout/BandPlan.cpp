#include "reportengine/layout/BandPlan.h"

using namespace Qt::StringLiterals;

namespace ergotab::report {

namespace {

int levelOf(BandKind kind)
{
    switch (kind) {
    case BandKind::MasterHeader:
    case BandKind::MasterData:
    case BandKind::MasterFooter:
        return 0;
    case BandKind::DetailHeader:
    case BandKind::DetailData:
    case BandKind::DetailFooter:
        return 1;
    case BandKind::SubdetailHeader:
    case BandKind::SubdetailData:
    case BandKind::SubdetailFooter:
        return 2;
    default:
        return -1;
    }
}

QString nameOf(const Band &band)
{
    return band.name.isEmpty() ? u"(bez jména)"_s : band.name;
}

} // namespace

const Band *BandPlan::bandNamed(const QString &name) const
{
    return m_byName.value(name.trimmed().toUpper(), nullptr);
}

BandPlan BandPlan::build(const ReportPage &page, QStringList &warnings)
{
    BandPlan plan;
    DataLevel *last[3] = {nullptr, nullptr, nullptr}; // the latest data level of each depth
    const Band *pendingHeader[3] = {nullptr, nullptr, nullptr};
    std::vector<GroupBands> pendingGroups;
    DataLevel *lastData = nullptr; // the data level group footers close

    for (const Band &band : page.bands) {
        if (!band.name.isEmpty())
            plan.m_byName.insert(band.name.toUpper(), &band);
        const int level = levelOf(band.kind);
        switch (band.kind) {
        case BandKind::ReportTitle:
            plan.titles.push_back(&band);
            break;
        case BandKind::ReportSummary:
            plan.summaries.push_back(&band);
            break;
        case BandKind::PageHeader:
            plan.pageHeaders.push_back(&band);
            break;
        case BandKind::PageFooter:
            plan.pageFooters.push_back(&band);
            break;
        case BandKind::ColumnHeader:
            plan.columnHeaders.push_back(&band);
            break;
        case BandKind::ColumnFooter:
            plan.columnFooters.push_back(&band);
            break;
        case BandKind::Overlay:
            plan.overlays.push_back(&band);
            break;
        case BandKind::Child:
            break; // printed after the band that names it
        case BandKind::MasterHeader:
        case BandKind::DetailHeader:
        case BandKind::SubdetailHeader:
            pendingHeader[level] = &band;
            break;
        case BandKind::MasterData:
        case BandKind::DetailData:
        case BandKind::SubdetailData: {
            auto data = std::make_unique<DataLevel>();
            data->data = &band;
            data->header = std::exchange(pendingHeader[level], nullptr);
            data->groups = std::move(pendingGroups);
            pendingGroups.clear();
            DataLevel *raw = data.get();
            if (level == 0)
                plan.masters.push_back(std::move(data));
            else if (last[level - 1])
                last[level - 1]->details.push_back(std::move(data));
            else {
                warnings << u"Pás %1 nemá nad sebou datový pás, ke kterému by patřil; netiskne se."_s.arg(nameOf(band));
                break;
            }
            last[level] = raw;
            for (int deeper = level + 1; deeper < 3; ++deeper)
                last[deeper] = nullptr;
            lastData = raw;
            break;
        }
        case BandKind::MasterFooter:
        case BandKind::DetailFooter:
        case BandKind::SubdetailFooter:
            if (last[level] && !last[level]->footer)
                last[level]->footer = &band;
            else
                warnings << u"Patička %1 nemá nad sebou datový pás; netiskne se."_s.arg(nameOf(band));
            break;
        case BandKind::GroupHeader:
            pendingGroups.push_back({&band, nullptr});
            break;
        case BandKind::GroupFooter: {
            bool placed = false;
            if (lastData)
                for (auto it = lastData->groups.rbegin(); it != lastData->groups.rend() && !placed; ++it)
                    if (!it->footer) {
                        it->footer = &band;
                        placed = true;
                    }
            if (!placed)
                warnings << u"Patička skupiny %1 nemá svou hlavičku skupiny; netiskne se."_s.arg(nameOf(band));
            break;
        }
        case BandKind::CrossHeader:
        case BandKind::CrossData:
        case BandKind::CrossFooter:
            warnings << u"Svislý pás %1 se netiskne."_s.arg(nameOf(band));
            break;
        }
    }
    for (const GroupBands &g : pendingGroups)
        warnings << u"Hlavička skupiny %1 nemá pod sebou datový pás; netiskne se."_s.arg(nameOf(*g.header));

    if (!page.objects.empty()) {
        plan.looseObjects = std::make_unique<Band>();
        plan.looseObjects->name = page.name;
        plan.looseObjects->kind = BandKind::Overlay;
        plan.looseObjects->height = 0.0;
    }

    // Defaults for aggregates: the data band of the band's own level, else the first master.
    const Band *firstMaster = plan.masters.empty() ? nullptr : plan.masters.front()->data;
    for (const Band &band : page.bands)
        plan.defaultDataBand.insert(&band, firstMaster);
    std::function<void(const DataLevel &)> mark = [&](const DataLevel &level) {
        for (const Band *b : {level.data, level.header, level.footer})
            if (b)
                plan.defaultDataBand.insert(b, level.data);
        for (const GroupBands &g : level.groups)
            for (const Band *b : {g.header, g.footer})
                if (b)
                    plan.defaultDataBand.insert(b, level.data);
        for (const auto &detail : level.details)
            mark(*detail);
    };
    for (const auto &master : plan.masters)
        mark(*master);
    // A child band counts like the band that prints it.
    for (const Band &band : page.bands)
        if (const Band *child = plan.bandNamed(band.childBand); child && child != &band)
            plan.defaultDataBand.insert(child, plan.defaultDataBand.value(&band));
    return plan;
}

} // namespace ergotab::report
