#include "CalendarPopup.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace ergotab::workers {

CalendarPopup::CalendarPopup(QWidget *parent)
    : QFrame(parent, Qt::Popup)
    , m_calendar(new QCalendarWidget(this))
    , m_month(new QLabel(this))
{
    setObjectName(QStringLiteral("CalendarPopup"));
    setFrameShape(QFrame::Box);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);

    auto *title = new QLabel(QStringLiteral("Vyber datum"), this);
    title->setAlignment(Qt::AlignCenter);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);

    auto *bar = new QHBoxLayout;
    const auto navigation = [this, bar](const char *name, const QString &text, const QString &hint, int months) {
        auto *button = new QToolButton(this);
        button->setObjectName(QLatin1String(name));
        button->setText(text);
        button->setToolTip(hint);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, months] { turnPages(months); });
        bar->addWidget(button);
    };
    navigation("YearBackButton", QStringLiteral("«"), QStringLiteral("Rok zpět"), -12);
    navigation("MonthBackButton", QStringLiteral("‹"), QStringLiteral("Měsíc zpět"), -1);
    m_month->setAlignment(Qt::AlignCenter);
    bar->addWidget(m_month, 1);
    navigation("MonthForwardButton", QStringLiteral("›"), QStringLiteral("Měsíc dopředu"), 1);
    navigation("YearForwardButton", QStringLiteral("»"), QStringLiteral("Rok dopředu"), 12);
    layout->addLayout(bar);

    const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
    m_calendar->setLocale(czech);
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setNavigationBarVisible(false);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setGridVisible(false);
    layout->addWidget(m_calendar);
    connect(m_calendar, &QCalendarWidget::currentPageChanged, this, &CalendarPopup::showMonth);
    const auto choose = [this](const QDate &date) {
        if (!isVisible())
            return; // the second half of a double click
        hide();
        emit picked(date);
    };
    connect(m_calendar, &QCalendarWidget::activated, this, choose);
    connect(m_calendar, &QCalendarWidget::clicked, this, choose);
}

void CalendarPopup::showMonth()
{
    const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
    m_month->setText(czech.standaloneMonthName(m_calendar->monthShown()) + QLatin1Char(' ') +
                     QString::number(m_calendar->yearShown()));
}

void CalendarPopup::turnPages(int months)
{
    const QDate shown = QDate(m_calendar->yearShown(), m_calendar->monthShown(), 1).addMonths(months);
    const QDate selected = m_calendar->selectedDate();
    // The selected day moves with the page, so the keyboard goes on from the month shown.
    m_calendar->setSelectedDate(QDate(shown.year(), shown.month(), qMin(selected.day(), shown.daysInMonth())));
    m_calendar->setCurrentPage(shown.year(), shown.month());
}

void CalendarPopup::popUp(QWidget *anchor, const QDate &date)
{
    const QDate start = date.isValid() ? date : QDate::currentDate();
    m_calendar->setSelectedDate(start);
    m_calendar->setCurrentPage(start.year(), start.month());
    showMonth();
    adjustSize();
    QPoint at = anchor->mapToGlobal(QPoint(0, anchor->height()));
    if (const QScreen *screen = anchor->screen()) {
        const QRect room = screen->availableGeometry();
        if (at.y() + height() > room.bottom())
            at.setY(anchor->mapToGlobal(QPoint(0, 0)).y() - height());
        at.setX(qBound(room.left(), at.x(), qMax(room.left(), room.right() - width())));
    }
    move(at);
    show();
    m_calendar->setFocus(Qt::PopupFocusReason);
}

} // namespace ergotab::workers
