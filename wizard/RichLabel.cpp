#include "RichLabel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace ergotab {

QFont RichLabel::defaultFirstFont()
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(16);
    return font;
}

QFont RichLabel::defaultSecondFont()
{
    // Symbol where it exists; elsewhere any font that carries Greek letters.
    QFont font(QStringLiteral("Symbol"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(16);
    return font;
}

RichLabel::RichLabel(const QString &caption, QWidget *parent)
    : QWidget(parent)
    , m_caption(caption)
    , m_second(defaultSecondFont())
{
    setFont(defaultFirstFont());
    setCursor(Qt::PointingHandCursor);
    relayout();
}

void RichLabel::setCaption(const QString &caption)
{
    m_caption = caption;
    relayout();
}

void RichLabel::setSecondFont(const QFont &font)
{
    m_second = font;
    relayout();
}

void RichLabel::relayout()
{
    m_layout = layoutRichCaption(m_caption, font(), m_second);
    setFixedSize(m_layout.size);
    update();
}

void RichLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    for (const RichRun &run : m_layout.runs) {
        painter.setFont(run.font);
        painter.drawText(run.x, run.top + QFontMetrics(run.font).ascent(), run.text);
    }
}

void RichLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void RichLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        relayout();
    QWidget::changeEvent(event);
}

} // namespace ergotab
