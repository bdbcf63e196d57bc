#pragma once

// Running SUM, AVG, MIN, MAX and COUNT values. Each call written in a band is an accumulator
// of that band, fed by the records of one data band (the one the call names, or the data band
// the footer closes) as they are placed, and cleared when the band's scope starts again: a
// group at its header, a data band's header and footer when its records start, a page's at
// each new page.

#include "reportengine/expr/Expression.h"
#include "reportengine/model/ReportTemplate.h"

#include <QVariant>

#include <map>
#include <unordered_map>
#include <vector>

namespace ergotab::report {

class Aggregates
{
public:
    void add(const Band *owner, const AggregateCall &call, const Band *dataBand);

    // The current record of `dataBand` has been placed: every accumulator it feeds takes its value.
    void recordPlaced(const Band *dataBand, ExpressionHost &host);
    void reset(const Band *owner);

    // Null when `owner` has no such call.
    QVariant value(const Band *owner, const QString &callText) const;
    bool feeds(const Band *dataBand) const { return m_byDataBand.contains(dataBand); }

private:
    struct Accumulator
    {
        AggregateCall call;
        Expression expression;
        double sum = 0.0;
        qint64 count = 0;
        QVariant min;
        QVariant max;
    };

    std::vector<Accumulator> m_all;
    std::map<std::pair<const Band *, QString>, size_t> m_byCall;
    std::unordered_map<const Band *, std::vector<size_t>> m_byOwner;
    std::unordered_map<const Band *, std::vector<size_t>> m_byDataBand;
};

} // namespace ergotab::report
