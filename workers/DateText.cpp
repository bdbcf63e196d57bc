#include "DateText.h"

#include <QRegularExpression>

namespace ergotab::workers {

QString formatDateText(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

QDate parseDateText(const QString &text)
{
    static const QRegularExpression dayMonthYear(
        QStringLiteral("^\\s*([0-9]{1,2})[./-]([0-9]{1,2})[./-]([0-9]{4})\\s*$"));
    const QRegularExpressionMatch m = dayMonthYear.match(text);
    if (!m.hasMatch())
        return {};
    return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
}

} // namespace ergotab::workers
