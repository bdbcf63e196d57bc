#pragma once

// The pages of a prepared report one under another in a scrolling view, painted straight from
// the prepared items at the current zoom (so text stays sharp at any zoom and on high-density
// screens). Ctrl+wheel zooms; PgUp/PgDn go a page back or on, Home/End to the first or last.

#include "reportengine/prepared/PreparedReport.h"
#include "reportengine/render/PagePainter.h"

#include <QAbstractScrollArea>

#include <vector>

namespace ergotab::report {

class PageView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    enum class ZoomMode { WholePage, PageWidth, Factor };

    explicit PageView(QWidget *parent = nullptr);

    // The report stays owned by the caller and must outlive the view or the next call.
    void setReport(const PreparedReport *report);
    int pageCount() const;

    ZoomMode zoomMode() const { return m_mode; }
    // 1.0 shows the paper at its real size.
    double zoomFactor() const { return m_factor; }
    void setZoomMode(ZoomMode mode);
    void setZoomFactor(double factor);

    int currentPage() const;
    void goToPage(int page);

    // Marks an area of a page (a find hit) and scrolls it into view; a negative page clears it.
    void setHighlight(int page, const QRectF &rectMm);

    // Where a page lies in the view's content, in pixels (for tests and scrolling).
    QRectF pageRect(int page) const;

    static constexpr double minimumZoom = 0.1;
    static constexpr double maximumZoom = 8.0;

signals:
    void currentPageChanged(int page);
    void zoomChanged(double factor);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    double pixelsPerMm() const;
    void fitZoom();
    void layoutPages();
    void notifyCurrentPage();

    const PreparedReport *m_report = nullptr;
    ZoomMode m_mode = ZoomMode::WholePage;
    double m_factor = 1.0;
    std::vector<double> m_tops; // each page's top in content pixels
    double m_contentWidth = 0;
    double m_contentHeight = 0;
    int m_lastCurrentPage = -1;
    int m_highlightPage = -1;
    QRectF m_highlightMm;
    PagePainter m_painter;
};

} // namespace ergotab::report
