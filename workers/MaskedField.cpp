#include "MaskedField.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QScopedValueRollback>

namespace ergotab::workers {

namespace {

const QString requiredMaskChars = QStringLiteral("ANX9DHB");
const QString optionalMaskChars = QStringLiteral("anx0d#hb");
const QString caseMaskChars = QStringLiteral("<>!");

} // namespace

int firstMissingPosition(const QString &mask, const QString &shown, QChar blank)
{
    int position = 0;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar m = mask.at(i);
        if (caseMaskChars.contains(m))
            continue;
        if (m == QLatin1Char('\\'))
            ++i; // the next character is a literal
        else if (requiredMaskChars.contains(m) && (position >= shown.size() || shown.at(position) == blank))
            return position;
        ++position;
    }
    return -1;
}

MaskedField::MaskedField(const QString &mask, QWidget *parent)
    : QLineEdit(parent)
    , m_mask(mask)
{
    setInputMask(mask + QStringLiteral("; "));
    connect(this, &QLineEdit::textEdited, this, [this] { m_typed = true; });
}

QString MaskedField::invalidInputText()
{
    return QStringLiteral("Invalid input value.  Use escape key to abandon changes");
}

bool MaskedField::isBlank() const
{
    // No position filled: the text minus the mask's blanks and literals is empty.
    return text().remove(QRegularExpression(QStringLiteral("[^0-9A-Za-z]"))).isEmpty();
}

QString MaskedField::storedText() const
{
    return isBlank() ? QString() : displayText();
}

void MaskedField::setStoredText(const QString &text)
{
    setText(text);
    m_typed = false;
    m_textOnEntry = text;
}

int MaskedField::firstMissingDigit() const
{
    return isBlank() ? -1 : firstMissingPosition(m_mask, displayText());
}

void MaskedField::focusInEvent(QFocusEvent *event)
{
    if (!m_refusing && event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        m_textOnEntry = displayText();
    QLineEdit::focusInEvent(event);
}

void MaskedField::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Another window coming to the front is not leaving the field.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (m_typed && firstMissingDigit() >= 0)
        QMetaObject::invokeMethod(this, &MaskedField::refuseExit, Qt::QueuedConnection);
}

void MaskedField::refuseExit()
{
    // Whatever took the focus may have put a stored value back meanwhile ("Storno").
    if (m_refusing || !m_typed || !isEnabled() || !isVisible() || firstMissingDigit() < 0)
        return;
    QScopedValueRollback guard(m_refusing, true);
    QApplication::beep();
    if (m_notice)
        m_notice(invalidInputText());
    setFocus(Qt::OtherFocusReason);
    setCursorPosition(firstMissingDigit());
}

void MaskedField::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && m_typed) {
        setText(m_textOnEntry);
        m_typed = false;
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace ergotab::workers
