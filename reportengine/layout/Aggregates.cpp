#include "reportengine/layout/Aggregates.h"

namespace ergotab::report {

namespace {

bool isNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

bool less(const QVariant &a, const QVariant &b)
{
    if (isNumber(a) && isNumber(b))
        return a.toDouble() < b.toDouble();
    return QVariant::compare(a, b) == QPartialOrdering::Less;
}

} // namespace

void Aggregates::add(const Band *owner, const AggregateCall &call, const Band *dataBand)
{
    const auto key = std::make_pair(owner, call.text);
    if (m_byCall.contains(key))
        return;
    Accumulator acc;
    acc.call = call;
    if (!call.expression.isEmpty())
        acc.expression = Expression::parse(call.expression);
    m_all.push_back(std::move(acc));
    const size_t index = m_all.size() - 1;
    m_byCall.emplace(key, index);
    m_byOwner[owner].push_back(index);
    m_byDataBand[dataBand].push_back(index);
}

void Aggregates::recordPlaced(const Band *dataBand, ExpressionHost &host)
{
    const auto it = m_byDataBand.find(dataBand);
    if (it == m_byDataBand.end())
        return;
    for (const size_t index : it->second) {
        Accumulator &acc = m_all[index];
        ++acc.count;
        if (acc.call.kind == AggregateCall::Kind::Count)
            continue;
        const QVariant v = acc.expression.evaluate(host);
        if (v.isNull())
            continue;
        acc.sum += v.toDouble();
        if (acc.min.isNull() || less(v, acc.min))
            acc.min = v;
        if (acc.max.isNull() || less(acc.max, v))
            acc.max = v;
    }
}

void Aggregates::reset(const Band *owner)
{
    const auto it = m_byOwner.find(owner);
    if (it == m_byOwner.end())
        return;
    for (const size_t index : it->second) {
        Accumulator &acc = m_all[index];
        acc.sum = 0.0;
        acc.count = 0;
        acc.min = acc.max = QVariant();
    }
}

QVariant Aggregates::value(const Band *owner, const QString &callText) const
{
    const auto it = m_byCall.find(std::make_pair(owner, callText));
    if (it == m_byCall.end())
        return {};
    const Accumulator &acc = m_all[it->second];
    switch (acc.call.kind) {
    case AggregateCall::Kind::Sum:
        return acc.sum;
    case AggregateCall::Kind::Avg:
        return acc.count ? acc.sum / static_cast<double>(acc.count) : 0.0;
    case AggregateCall::Kind::Count:
        return acc.count;
    case AggregateCall::Kind::Min:
        return acc.min.isNull() ? QVariant(0) : acc.min;
    case AggregateCall::Kind::Max:
        return acc.max.isNull() ? QVariant(0) : acc.max;
    }
    return {};
}

} // namespace ergotab::report
