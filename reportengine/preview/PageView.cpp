#include "PageView.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

namespace ergotab::report {

namespace {

constexpr int gapPx = 12; // around and between pages

} // namespace

PageView::PageView(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("PreviewPages"));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
}

void PageView::setReport(const PreparedReport *report)
{
    m_report = report;
    m_highlightPage = -1;
    m_lastCurrentPage = -1;
    fitZoom();
    layoutPages();
    verticalScrollBar()->setValue(0);
    viewport()->update();
    notifyCurrentPage();
}

int PageView::pageCount() const
{
    return m_report ? int(m_report->pages.size()) : 0;
}

double PageView::pixelsPerMm() const
{
    return m_factor * logicalDpiX() / 25.4;
}

void PageView::setZoomMode(ZoomMode mode)
{
    const int page = std::max(0, m_lastCurrentPage);
    m_mode = mode;
    fitZoom();
    layoutPages();
    goToPage(page);
    viewport()->update();
}

void PageView::setZoomFactor(double factor)
{
    const int page = currentPage();
    // Keep the same place of the page at the top while zooming.
    const double within = page >= 0 ? (verticalScrollBar()->value() - m_tops[page]) / pixelsPerMm() : 0.0;
    m_mode = ZoomMode::Factor;
    m_factor = std::clamp(factor, minimumZoom, maximumZoom);
    layoutPages();
    if (page >= 0)
        verticalScrollBar()->setValue(int(std::lround(m_tops[page] + within * pixelsPerMm())));
    viewport()->update();
    emit zoomChanged(m_factor);
}

void PageView::fitZoom()
{
    if (m_mode == ZoomMode::Factor || pageCount() == 0)
        return;
    QSizeF largest;
    for (const PreparedPage &page : m_report->pages)
        largest = largest.expandedTo(page.sizeMm);
    const double mmToPx = logicalDpiX() / 25.4;
    const QSize available = viewport()->size() - QSize(2 * gapPx, 2 * gapPx);
    double factor = (available.width() - verticalScrollBar()->sizeHint().width()) / (largest.width() * mmToPx);
    if (m_mode == ZoomMode::WholePage)
        factor =
            std::min(available.width() / (largest.width() * mmToPx), available.height() / (largest.height() * mmToPx));
    factor = std::clamp(factor, minimumZoom, maximumZoom);
    if (factor != m_factor) {
        m_factor = factor;
        emit zoomChanged(m_factor);
    }
}

void PageView::layoutPages()
{
    m_tops.clear();
    double y = gapPx;
    double widest = 0;
    const double scale = pixelsPerMm();
    for (int i = 0; i < pageCount(); ++i) {
        const QSizeF size = m_report->pages[i].sizeMm * scale;
        m_tops.push_back(y);
        y += std::ceil(size.height()) + gapPx;
        widest = std::max(widest, std::ceil(size.width()));
    }
    m_contentWidth = widest + 2 * gapPx;
    m_contentHeight = y;
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, int(m_contentWidth) - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setRange(0, std::max(0, int(m_contentHeight) - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setSingleStep(std::max(1, int(scale * 10)));
}

QRectF PageView::pageRect(int page) const
{
    if (page < 0 || page >= int(m_tops.size()))
        return {};
    const QSizeF size = m_report->pages[page].sizeMm * pixelsPerMm();
    const double left =
        std::max<double>(gapPx, (std::max<double>(m_contentWidth, viewport()->width()) - size.width()) / 2);
    return {QPointF(std::round(left), m_tops[page]), size};
}

int PageView::currentPage() const
{
    if (m_tops.empty())
        return -1;
    // The page that holds the line a third down the window.
    const double line = verticalScrollBar()->value() + viewport()->height() / 3.0;
    const auto next = std::upper_bound(m_tops.begin(), m_tops.end(), line);
    return std::max(0, int(next - m_tops.begin()) - 1);
}

void PageView::goToPage(int page)
{
    if (page < 0 || page >= pageCount())
        return;
    verticalScrollBar()->setValue(int(m_tops[page]) - gapPx);
    notifyCurrentPage();
}

void PageView::setHighlight(int page, const QRectF &rectMm)
{
    m_highlightPage = page;
    m_highlightMm = rectMm;
    if (page >= 0 && page < pageCount()) {
        const QRectF pageArea = pageRect(page);
        const QRectF hit(pageArea.topLeft() + rectMm.topLeft() * pixelsPerMm(), rectMm.size() * pixelsPerMm());
        const QRect view(horizontalScrollBar()->value(), verticalScrollBar()->value(), viewport()->width(),
                         viewport()->height());
        if (!view.contains(hit.toAlignedRect())) {
            verticalScrollBar()->setValue(int(hit.center().y() - viewport()->height() / 2.0));
            if (hit.right() > view.right() || hit.left() < view.left())
                horizontalScrollBar()->setValue(int(hit.center().x() - viewport()->width() / 2.0));
        }
    }
    viewport()->update();
}

void PageView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().color(QPalette::Dark));
    const QPointF scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const QRectF exposed = QRectF(event->rect()).translated(scroll);
    for (int i = 0; i < pageCount(); ++i) {
        const QRectF area = pageRect(i);
        if (area.bottom() < exposed.top())
            continue;
        if (area.top() > exposed.bottom())
            break;
        const QRectF onScreen = area.translated(-scroll);
        painter.fillRect(onScreen.translated(3, 3), QColor(0, 0, 0, 90));
        painter.fillRect(onScreen, Qt::white);
        painter.save();
        painter.setClipRect(onScreen);
        m_painter.paint(painter, m_report->pages[i], onScreen);
        painter.restore();
        if (i == m_highlightPage) {
            const double scale = pixelsPerMm();
            const QRectF hit(onScreen.topLeft() + m_highlightMm.topLeft() * scale, m_highlightMm.size() * scale);
            painter.fillRect(hit, QColor(255, 200, 0, 110));
            painter.setPen(QPen(QColor(230, 120, 0), 2));
            painter.drawRect(hit.adjusted(-1, -1, 1, 1));
        }
    }
}

void PageView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    // The page that was current before the window changed size stays in view.
    const int page = std::max(0, m_lastCurrentPage);
    fitZoom();
    layoutPages();
    if (m_mode != ZoomMode::Factor)
        goToPage(page);
}

void PageView::wheelEvent(QWheelEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        const int steps = event->angleDelta().y() / 120;
        if (steps != 0)
            setZoomFactor(m_factor * std::pow(1.1, steps));
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void PageView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
        goToPage(std::min(currentPage() + 1, pageCount() - 1));
        break;
    case Qt::Key_PageUp:
        goToPage(std::max(currentPage() - 1, 0));
        break;
    case Qt::Key_Home:
        goToPage(0);
        break;
    case Qt::Key_End:
        goToPage(pageCount() - 1);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void PageView::scrollContentsBy(int, int)
{
    viewport()->update();
    notifyCurrentPage();
}

void PageView::notifyCurrentPage()
{
    const int page = currentPage();
    if (page != m_lastCurrentPage) {
        m_lastCurrentPage = page;
        emit currentPageChanged(page);
    }
}

} // namespace ergotab::report
