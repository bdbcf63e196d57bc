#pragma once

#include <QLabel>

namespace ergotab {

// A text label that reports clicks, for answers whose text stands beside their button.
class ClickableLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ClickableLabel(const QString &text, QWidget *parent = nullptr);

    // The heat answers' markup: the words between "<b>" and "</b>" are bold, line breaks are
    // kept, and everything else is shown as the literal text it is.
    static ClickableLabel *withBoldMarkup(const QString &caption, QWidget *parent = nullptr);
    static QString boldMarkupToHtml(const QString &caption);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace ergotab
