#include "TSplashForm.h"

#include "AppVersion.h"
#include "ProductLabels.h"
#include "WindowPlacement.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace ergotab {

TSplashForm::TSplashForm(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("SplashForm"));
    setFixedSize(420, 260);

    QLabel *name = makeProductNameLabel(this, 36);
    m_version = makeVersionLabel(this);
    QFont versionFont = m_version->font();
    versionFont.setPointSize(12);
    m_version->setFont(versionFont);
    const QString white = QStringLiteral("color: white;");
    name->setStyleSheet(white);
    m_version->setStyleSheet(white);

    auto *layout = new QVBoxLayout(this);
    layout->addStretch(3);
    layout->addWidget(name);
    layout->addWidget(m_version);
    layout->addStretch(2);
}

void TSplashForm::showEvent(QShowEvent *event)
{
    m_version->setText(programVersionText());
    centreOnScreen(this);
    QWidget::showEvent(event);
}

void TSplashForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = rect();

    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0.0, QColor(0x1f, 0x4e, 0x79));
    sky.setColorAt(1.0, QColor(0x2e, 0x8b, 0x57));
    painter.fillRect(area, sky);

    // A stylised rising line of four category steps behind the name.
    QPainterPath steps;
    const qreal stepWidth = area.width() / 4;
    steps.moveTo(0, area.height());
    for (int step = 0; step < 4; ++step) {
        const qreal top = area.height() * (0.85 - 0.15 * step);
        steps.lineTo(step * stepWidth, top);
        steps.lineTo((step + 1) * stepWidth, top);
    }
    steps.lineTo(area.width(), area.height());
    steps.closeSubpath();
    painter.fillPath(steps, QColor(255, 255, 255, 40));

    painter.setPen(QPen(QColor(255, 255, 255, 160), 2));
    painter.drawRect(area.adjusted(1, 1, -2, -2));
}

} // namespace ergotab
