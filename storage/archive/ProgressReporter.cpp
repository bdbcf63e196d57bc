#include "ProgressReporter.h"

namespace ergotab::archive {

int roundedPercent(qint64 done, qint64 total)
{
    if (total <= 0)
        return 100;
    done = qBound<qint64>(0, done, total);
    // Sizes are below 2^31, so done * 100 cannot overflow 64 bits.
    const qint64 scaled = done * 100;
    qint64 quotient = scaled / total;
    const qint64 twiceRemainder = 2 * (scaled % total);
    if (twiceRemainder > total || (twiceRemainder == total && quotient % 2 == 1))
        ++quotient;
    return int(quotient);
}

ProgressReporter::ProgressReporter(const Handler &handler, QString message, qint64 total)
    : m_handler(handler)
    , m_message(std::move(message))
    , m_total(total)
{
    if (m_handler) {
        m_last = 0;
        m_handler(m_message, 0);
    }
}

void ProgressReporter::advance(qint64 amount)
{
    m_done += amount;
    if (!m_handler)
        return;
    const int percent = roundedPercent(m_done, m_total);
    if (percent != m_last) {
        m_last = percent;
        m_handler(m_message, percent);
    }
}

} // namespace ergotab::archive
