#include "ClickableLabel.h"

#include <QMouseEvent>

namespace ergotab {

ClickableLabel::ClickableLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
}

QString ClickableLabel::boldMarkupToHtml(const QString &caption)
{
    const QString open = QStringLiteral("<b>");
    const QString close = QStringLiteral("</b>");
    QString html;
    bool bold = false;
    qsizetype from = 0;
    while (from <= caption.size()) {
        const QString &tag = bold ? close : open;
        const qsizetype at = caption.indexOf(tag, from, Qt::CaseInsensitive);
        const QString piece = caption.mid(from, at < 0 ? -1 : at - from);
        html += piece.toHtmlEscaped();
        if (at < 0)
            break;
        html += bold ? close : open;
        bold = !bold;
        from = at + tag.size();
    }
    if (bold)
        html += close;
    html.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    html.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    return QStringLiteral("<span style=\"white-space:pre\">") + html + QStringLiteral("</span>");
}

ClickableLabel *ClickableLabel::withBoldMarkup(const QString &caption, QWidget *parent)
{
    auto *label = new ClickableLabel(QString(), parent);
    label->setTextFormat(Qt::RichText);
    label->setText(boldMarkupToHtml(caption));
    return label;
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace ergotab
