#pragma once

#include <QLineEdit>

#include <functional>

namespace ergotab::workers {

// The position in `shown` (a masked edit's display text) of the first character the input
// mask requires that is still blank, -1 when none is missing. `mask` is Qt's input mask
// without its ";blank" part.
int firstMissingPosition(const QString &mask, const QString &shown, QChar blank = QLatin1Char(' '));

// A line edit with an input mask whose blank is a space, kept as it is shown: literals and
// blanks included. Leaving it after typing while a required digit is missing is refused with
// a beep and a notice, and the cursor goes back to that digit; Escape puts back the text the
// field had when it was entered. A field never typed into, or emptied, is not refused.
class MaskedField : public QLineEdit
{
    Q_OBJECT
public:
    MaskedField(const QString &mask, QWidget *parent = nullptr);

    static QString invalidInputText();
    void setNotice(std::function<void(const QString &)> notice) { m_notice = std::move(notice); }

    // The shown text with its blanks and literals, or "" when no position is filled.
    QString storedText() const;
    // Shows a stored value; counts as not typed into.
    void setStoredText(const QString &text);

    bool wasTypedInto() const { return m_typed; }
    // -1 when the text is complete or empty, else where the first missing character goes.
    int firstMissingDigit() const;

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool isBlank() const;
    void refuseExit();

    QString m_mask;
    QString m_textOnEntry;
    std::function<void(const QString &)> m_notice;
    bool m_typed = false;
    bool m_refusing = false;
};

} // namespace ergotab::workers
