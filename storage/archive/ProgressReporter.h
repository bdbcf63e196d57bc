#pragma once

#include <QString>

#include <functional>

namespace ergotab::archive {

// Whole percentage of done / total, rounded half to even; an empty task counts as finished.
int roundedPercent(qint64 done, qint64 total);

// Reports one phase ("Extracting x", "Updating y" ...) as whole percentages, and only when the
// percentage moves: a 200 MB member would otherwise raise tens of thousands of notifications.
class ProgressReporter
{
public:
    using Handler = std::function<void(const QString &message, int percentage)>;

    ProgressReporter(const Handler &handler, QString message, qint64 total);
    void advance(qint64 amount);

private:
    const Handler &m_handler;
    QString m_message;
    qint64 m_total;
    qint64 m_done = 0;
    int m_last = -1;
};

} // namespace ergotab::archive
