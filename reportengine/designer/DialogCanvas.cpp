#include "DialogCanvas.h"

#include "reportengine/designer/core/SurfaceGeometry.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace ergotab::report::designer {

namespace {
constexpr int gridPx = 4;
constexpr int corner = 6; // the resize grip at a control's lower right corner
int toGrid(int value)
{
    return (value + gridPx / 2) / gridPx * gridPx;
}
} // namespace

DialogCanvas::DialogCanvas(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("DialogCanvas"));
    setFocusPolicy(Qt::StrongFocus);
}

void DialogCanvas::setPage(const DialogPage &page)
{
    m_page = page;
    if (m_selected >= int(m_page.controls.size()))
        m_selected = int(m_page.controls.size()) - 1;
    resize(sizeHint());
    update();
}

void DialogCanvas::setSelected(int index)
{
    m_selected = index;
    update();
    emit selectedChanged(index);
}

QSize DialogCanvas::sizeHint() const
{
    return m_page.size + QSize(2, 2);
}

QRect DialogCanvas::draggedRect() const
{
    QRect r = m_page.controls.at(m_selected).rect;
    const QPoint delta = m_current - m_press;
    if (m_resizing)
        r.setSize(QSize(std::max(8, toGrid(r.width() + delta.x())), std::max(8, toGrid(r.height() + delta.y()))));
    else
        r.moveTopLeft(QPoint(toGrid(r.left() + delta.x()), toGrid(r.top() + delta.y())));
    return r;
}

void DialogCanvas::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0x9a, 0xa3, 0xad));
    const QRect form(QPoint(0, 0), m_page.size);
    p.fillRect(form, palette().window());
    p.setPen(QColor(0xc8, 0xcc, 0xd0));
    for (int y = 0; y < form.height(); y += 2 * gridPx)
        for (int x = 0; x < form.width(); x += 2 * gridPx)
            p.drawPoint(x, y);
    for (int i = 0; i < int(m_page.controls.size()); ++i) {
        const DialogControl &c = m_page.controls[i];
        const QRect r = i == m_selected && (m_dragging || m_resizing) ? draggedRect() : c.rect;
        p.setPen(QColor(0x60, 0x68, 0x70));
        p.setBrush(Qt::NoBrush);
        QString caption = c.text;
        switch (c.kind) {
        case ControlKind::Label:
            break;
        case ControlKind::Edit:
        case ControlKind::Memo:
        case ControlKind::DateEdit:
        case ControlKind::ListBox:
            p.fillRect(r, Qt::white);
            p.drawRect(r.adjusted(0, 0, -1, -1));
            if (c.kind == ControlKind::DateEdit && caption.isEmpty())
                caption = QStringLiteral("dd.mm.rrrr");
            if (c.kind == ControlKind::ListBox)
                caption = c.items.join(u'\n');
            break;
        case ControlKind::ComboBox:
            p.fillRect(r, Qt::white);
            p.drawRect(r.adjusted(0, 0, -1, -1));
            p.drawText(r.adjusted(r.width() - 16, 0, 0, 0), Qt::AlignCenter, QStringLiteral("▾"));
            if (caption.isEmpty() && !c.items.isEmpty())
                caption = c.items.front();
            break;
        case ControlKind::CheckBox:
        case ControlKind::RadioButton: {
            const QRect mark(r.left(), r.center().y() - 6, 12, 12);
            p.fillRect(mark, Qt::white);
            if (c.kind == ControlKind::CheckBox)
                p.drawRect(mark.adjusted(0, 0, -1, -1));
            else
                p.drawEllipse(mark.adjusted(0, 0, -1, -1));
            if (c.checked)
                p.drawText(mark, Qt::AlignCenter,
                           c.kind == ControlKind::CheckBox ? QStringLiteral("✓") : QStringLiteral("●"));
            break;
        }
        case ControlKind::Button:
            p.fillRect(r, QColor(0xe8, 0xea, 0xed));
            p.drawRect(r.adjusted(0, 0, -1, -1));
            break;
        }
        p.setPen(Qt::black);
        const int indent = c.kind == ControlKind::CheckBox || c.kind == ControlKind::RadioButton ? 16 : 3;
        const Qt::Alignment align = c.kind == ControlKind::Button ? Qt::AlignCenter
                                    : c.kind == ControlKind::Memo || c.kind == ControlKind::ListBox
                                        ? Qt::AlignLeft | Qt::AlignTop
                                        : Qt::AlignLeft | Qt::AlignVCenter;
        p.drawText(r.adjusted(indent, 1, -2, -1), align, caption);
        if (i == m_selected) {
            p.setPen(QPen(QColor(0x1f, 0x6f, 0xd0), 1, Qt::DashLine));
            p.drawRect(r.adjusted(-2, -2, 1, 1));
            p.fillRect(QRect(r.right() - corner + 2, r.bottom() - corner + 2, corner, corner),
                       QColor(0x1f, 0x6f, 0xd0));
        }
    }
}

void DialogCanvas::mousePressEvent(QMouseEvent *event)
{
    setFocus();
    const QPoint at = event->position().toPoint();
    m_press = m_current = at;
    if (m_selected >= 0) {
        const QRect r = m_page.controls.at(m_selected).rect;
        if (QRect(r.right() - corner, r.bottom() - corner, corner * 2, corner * 2).contains(at)) {
            m_resizing = true;
            return;
        }
    }
    for (int i = int(m_page.controls.size()) - 1; i >= 0; --i)
        if (m_page.controls[i].rect.contains(at)) {
            setSelected(i);
            m_dragging = true;
            return;
        }
    setSelected(-1);
}

void DialogCanvas::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging || m_resizing) {
        m_current = event->position().toPoint();
        update();
    }
}

void DialogCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    m_current = event->position().toPoint();
    const bool moved = (m_current - m_press).manhattanLength() >= 3;
    if ((m_dragging || m_resizing) && moved && m_selected >= 0) {
        const QRect r = draggedRect();
        m_dragging = m_resizing = false;
        emit controlMoved(m_selected, r);
    }
    m_dragging = m_resizing = false;
    update();
}

void DialogCanvas::keyPressEvent(QKeyEvent *event)
{
    if (m_selected < 0)
        return QWidget::keyPressEvent(event);
    const int step = event->modifiers() & Qt::ControlModifier ? 1 : gridPx;
    const QPoint delta = arrowKeyDirection(event->key()) * step;
    if (delta.isNull())
        return QWidget::keyPressEvent(event);
    QRect r = m_page.controls.at(m_selected).rect;
    if (event->modifiers() & Qt::ShiftModifier)
        r.setSize(QSize(std::max(8, r.width() + delta.x()), std::max(8, r.height() + delta.y())));
    else
        r.translate(delta);
    emit controlMoved(m_selected, r);
}

} // namespace ergotab::report::designer
