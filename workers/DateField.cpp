#include "DateField.h"

#include "CalendarPopup.h"
#include "DateText.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>

namespace ergotab::workers {

DateField::DateField(QWidget *parent)
    : QWidget(parent)
    , m_edit(new QLineEdit(this))
    , m_button(new QToolButton(this))
    , m_popup(new CalendarPopup(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_edit);
    layout->addWidget(m_button);

    m_edit->setMaxLength(10);
    // Digits and separators in the shape of a day, a month and a year, at any stage of typing.
    m_edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,2}([./-][0-9]{0,2}([./-][0-9]{0,4})?)?")), m_edit));
    setFocusProxy(m_edit);
    setFocusPolicy(Qt::StrongFocus);

    m_button->setArrowType(Qt::DownArrow);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setToolTip(QStringLiteral("Vyber datum"));

    m_edit->installEventFilter(this);
    connect(m_edit, &QLineEdit::textChanged, this, &DateField::textChanged);
    connect(m_edit, &QLineEdit::editingFinished, this, &DateField::normalise);
    connect(m_button, &QToolButton::clicked, this, &DateField::showCalendar);
    connect(m_popup, &CalendarPopup::picked, this, [this](const QDate &date) {
        m_edit->setText(formatDateText(date));
        m_edit->setFocus(Qt::PopupFocusReason);
    });
}

QString DateField::text() const
{
    return m_edit->text().trimmed();
}

void DateField::setText(const QString &text)
{
    m_edit->setText(text);
}

void DateField::showCalendar()
{
    m_popup->popUp(this, parseDateText(text()));
}

bool DateField::eventFilter(QObject *watched, QEvent *event)
{
    // Alt+Down and F4 drop the calendar down from the keyboard, as in other date fields.
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier) ||
            (key->key() == Qt::Key_F4 && key->modifiers() == Qt::NoModifier)) {
            showCalendar();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void DateField::normalise()
{
    const QDate date = parseDateText(text());
    if (date.isValid() && formatDateText(date) != m_edit->text())
        m_edit->setText(formatDateText(date));
}

} // namespace ergotab::workers
