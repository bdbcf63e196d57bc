#pragma once

#include <QDate>
#include <QString>

namespace ergotab::workers {

// Dates of the register are kept as day-month-year text of at most ten characters.
QString formatDateText(const QDate &date);
// The date in such a text: day, month and four-digit year separated by '.', '/' or '-',
// with or without leading zeros. An invalid date for anything else, the empty text included.
QDate parseDateText(const QString &text);

} // namespace ergotab::workers
