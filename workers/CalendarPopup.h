#pragma once

#include <QFrame>

class QCalendarWidget;
class QLabel;

namespace ergotab::workers {

// The drop-down calendar of a date field: a title, buttons a year and a month back and
// forward around the month shown, and the month's days. Choosing a day emits `picked` and
// closes it; Escape or a click elsewhere closes it without a choice.
class CalendarPopup : public QFrame
{
    Q_OBJECT
public:
    explicit CalendarPopup(QWidget *parent = nullptr);

    // Opens below `anchor` on `date` (today when it is invalid).
    void popUp(QWidget *anchor, const QDate &date);

    QCalendarWidget *calendar() const { return m_calendar; }

signals:
    void picked(const QDate &date);

private:
    void showMonth();
    void turnPages(int months);

    QCalendarWidget *m_calendar;
    QLabel *m_month;
};

} // namespace ergotab::workers
