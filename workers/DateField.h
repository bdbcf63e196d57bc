#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace ergotab::workers {

class CalendarPopup;

// A date that may also be left empty: a text field for day-month-year text of at most ten
// characters, with a button that drops down a calendar. A day chosen there is written as
// "dd.MM.yyyy"; typed text of a whole date is put in the same form when the field is left.
// The text is what is stored, so a stored text that is no date is shown as it is. Alt+Down
// or F4 opens the calendar from the keyboard.
class DateField : public QWidget
{
    Q_OBJECT
public:
    explicit DateField(QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);

    QLineEdit *lineEdit() const { return m_edit; }
    QToolButton *dropDownButton() const { return m_button; }
    CalendarPopup *popup() const { return m_popup; }

    void showCalendar();

signals:
    void textChanged(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void normalise();

    QLineEdit *m_edit;
    QToolButton *m_button;
    CalendarPopup *m_popup;
};

} // namespace ergotab::workers
