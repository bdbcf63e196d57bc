#include "reportengine/layout/PageBreaker.h"

#include <algorithm>

namespace ergotab::report {

namespace {
// Lengths come from sums of decimals; a band filling the area exactly must still fit.
constexpr double epsilon = 1e-6;
} // namespace

PageBreaker::PageBreaker(Geometry geometry)
    : m_g(geometry)
{
    m_g.columns = std::max(1, m_g.columns);
    startPage();
}

void PageBreaker::startPage()
{
    m_y = m_areaStart = m_columnsTop = m_g.top;
    m_column = 0;
}

bool PageBreaker::atAreaStart() const
{
    return m_y <= m_areaStart + epsilon;
}

PageBreaker::Plan PageBreaker::plan(double height, bool canSplit) const
{
    if (m_y + height <= m_g.bottom + epsilon)
        return {Action::Place, 0.0, false};
    const double room = remaining();
    if (atAreaStart())
        return {Action::Split, std::max(room, 0.0), true};
    if (canSplit && room >= minimumPiece)
        return {Action::Split, room, false};
    return {Action::Break, 0.0, false};
}

double PageBreaker::place(double height)
{
    const double top = m_y;
    m_y += std::max(height, 0.0);
    return top;
}

bool PageBreaker::nextColumn()
{
    if (m_column + 1 >= m_g.columns)
        return false;
    ++m_column;
    m_y = m_areaStart = m_columnsTop;
    return true;
}

double PageBreaker::columnX() const
{
    return m_g.left + m_column * (m_g.columnWidth + m_g.columnGap);
}

} // namespace ergotab::report
