#include "WizardPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace ergotab {

namespace {

// Hues of the six strips, chosen to tell neighbouring pages apart.
constexpr int kHues[] = {210, 150, 30, 270, 0, 190};

void drawEmblem(QPainter &p, int n, QPointF c, qreal r)
{
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    switch (n) {
    case 0: { // a clipboard with ticks: the assessment being filled in
        p.drawRoundedRect(QRectF(c.x() - r * 0.7, c.y() - r, r * 1.4, r * 2), 4, 4);
        for (int i = 0; i < 3; ++i) {
            const qreal y = c.y() - r * 0.5 + i * r * 0.5;
            p.drawPolyline(
                QPolygonF({{c.x() - r * 0.45, y}, {c.x() - r * 0.3, y + r * 0.15}, {c.x() - r * 0.1, y - r * 0.15}}));
            p.drawLine(QPointF(c.x() + r * 0.05, y), QPointF(c.x() + r * 0.5, y));
        }
        break;
    }
    case 1: { // dust: scattered grains
        p.setBrush(Qt::white);
        for (int i = 0; i < 14; ++i) {
            const qreal a = i * 2.4, d = r * (0.2 + 0.06 * i);
            p.drawEllipse(QPointF(c.x() + d * std::cos(a), c.y() + d * std::sin(a)), 2.5, 2.5);
        }
        break;
    }
    case 2: { // a flask
        QPainterPath flask;
        flask.moveTo(c.x() - r * 0.2, c.y() - r);
        flask.lineTo(c.x() - r * 0.2, c.y() - r * 0.3);
        flask.lineTo(c.x() - r * 0.8, c.y() + r * 0.8);
        flask.lineTo(c.x() + r * 0.8, c.y() + r * 0.8);
        flask.lineTo(c.x() + r * 0.2, c.y() - r * 0.3);
        flask.lineTo(c.x() + r * 0.2, c.y() - r);
        p.drawPath(flask);
        p.drawLine(QPointF(c.x() - r * 0.5, c.y() + r * 0.3), QPointF(c.x() + r * 0.5, c.y() + r * 0.3));
        break;
    }
    case 3: { // sound or vibration: waves
        for (int i = 1; i <= 3; ++i)
            p.drawArc(QRectF(c.x() - r * 0.35 * i, c.y() - r * 0.35 * i, r * 0.7 * i, r * 0.7 * i), -50 * 16, 100 * 16);
        p.setBrush(Qt::white);
        p.drawEllipse(c, r * 0.12, r * 0.12);
        break;
    }
    case 4: { // heat: a sun
        p.drawEllipse(c, r * 0.4, r * 0.4);
        for (int i = 0; i < 8; ++i) {
            const qreal a = i * M_PI / 4;
            p.drawLine(QPointF(c.x() + r * 0.6 * std::cos(a), c.y() + r * 0.6 * std::sin(a)),
                       QPointF(c.x() + r * 0.9 * std::cos(a), c.y() + r * 0.9 * std::sin(a)));
        }
        break;
    }
    default: { // physical load: a figure carrying a box
        p.drawEllipse(QPointF(c.x() - r * 0.2, c.y() - r * 0.8), r * 0.18, r * 0.18);
        p.drawLine(QPointF(c.x() - r * 0.2, c.y() - r * 0.6), QPointF(c.x() - r * 0.2, c.y() + r * 0.2));
        p.drawLine(QPointF(c.x() - r * 0.2, c.y() + r * 0.2), QPointF(c.x() - r * 0.55, c.y() + r * 0.95));
        p.drawLine(QPointF(c.x() - r * 0.2, c.y() + r * 0.2), QPointF(c.x() + r * 0.1, c.y() + r * 0.95));
        p.drawLine(QPointF(c.x() - r * 0.2, c.y() - r * 0.4), QPointF(c.x() + r * 0.3, c.y() - r * 0.15));
        p.drawRect(QRectF(c.x() + r * 0.25, c.y() - r * 0.45, r * 0.55, r * 0.5));
        break;
    }
    }
}

} // namespace

QPixmap drawStripPicture(int n, int width, int height)
{
    QPixmap pixmap(width, height);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    const int hue = kHues[n % 6];
    QLinearGradient background(0, 0, 0, height);
    background.setColorAt(0, QColor::fromHsv(hue, 120, 200));
    background.setColorAt(1, QColor::fromHsv(hue, 200, 90));
    p.fillRect(pixmap.rect(), background);

    // Soft circles in the lower part, a quiet pattern for the rest of the strip.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
        p.setBrush(QColor(255, 255, 255, 18 + 6 * i));
        const qreal d = width * (0.5 + 0.25 * i);
        p.drawEllipse(QPointF(width * (i % 2 ? 0.9 : 0.1), height * (0.55 + 0.1 * i)), d / 2, d / 2);
    }

    drawEmblem(p, n % 6, QPointF(width / 2.0, height * 0.22), width * 0.3);

    // A step marker: n + 1 dots of six, so consecutive pictures look different at a glance.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
        p.setBrush(i <= n % 6 ? QColor(Qt::white) : QColor(255, 255, 255, 70));
        p.drawEllipse(QPointF(width / 2.0 - 25 + i * 10, height * 0.42), 3, 3);
    }
    return pixmap;
}

QPixmap drawHelpIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 70, 160), 1.5));
    p.setBrush(QColor(60, 120, 220));
    p.drawEllipse(QRectF(1, 1, size - 2, size - 2));
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(size * 2 / 3);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("?"));
    return pixmap;
}

} // namespace ergotab
