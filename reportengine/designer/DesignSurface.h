#pragma once

// The report page being designed: the sheet with its bands as captioned strips, a grid with
// snapping, zoom. Objects (those of the bands and the page's own) are selected by click,
// Shift/Ctrl-click and rubber band; moved and resized with the mouse and the keyboard (arrows
// move by the grid step, Shift+arrows resize each, with Ctrl by one pixel). The eight handles
// sit around the whole selection: dragging one scales it, every object keeping its place and
// size in proportion. Objects are dragged into another band, bands into another order by their
// caption strips; new objects are drawn with the mouse after choosing their kind; fields dropped
// from the data tree become texts. Every change is one command of the model.

#include "reportengine/designer/core/DesignerModel.h"
#include "reportengine/designer/core/ObjectFactory.h"
#include "reportengine/designer/core/SurfaceGeometry.h"

#include <QWidget>

#include <optional>

namespace ergotab::report::designer {

// The mime type the data tree gives a dragged field, variable or function: the text to insert.
inline constexpr char fieldMimeType[] = "application/x-ergotab-report-field";

class DesignSurface : public QWidget
{
    Q_OBJECT

public:
    explicit DesignSurface(DesignerModel &model, QWidget *parent = nullptr);

    int page() const { return m_page; }
    void setPage(int page);

    const ObjectRefs &selection() const { return m_selection; }
    void setSelection(ObjectRefs refs);
    // The band objects are inserted into: the band last clicked or holding the selection.
    int currentBand() const { return m_currentBand; }
    void setCurrentBand(int band);
    void selectAllInCurrentBand();

    double zoom() const { return m_zoom; }
    void setZoom(double zoom);
    bool gridVisible() const { return m_gridVisible; }
    void setGridVisible(bool on);
    bool snapToGrid() const { return m_snap; }
    void setSnapToGrid(bool on);
    double gridMm() const { return m_gridMm; }
    void setGridMm(double mm);

    // The next press on a band draws an object of this kind (none: selecting).
    void setInsertKind(std::optional<ObjectKind> kind);
    std::optional<ObjectKind> insertKind() const { return m_insertKind; }

    double pixelsPerMm() const;
    // Where the sheet's top-left corner is drawn, in widget pixels.
    QPointF sheetOrigin() const;
    QPointF toPixels(QPointF mm) const;
    QPointF toMm(QPointF pixels) const;
    QSize sizeHint() const override;
    QSizeF geometryMm() const { return geometry().sheetMm(); }

    // The step of the arrow keys: the grid, or with Ctrl one pixel of the screen at 100 %.
    double keyStepMm(bool fine) const;

signals:
    void selectionChanged();
    void currentBandChanged(int band);
    void zoomChanged(double zoom);
    void insertKindChanged();
    void editObjectRequested(const ergotab::report::designer::ObjectRef &ref);
    void bandOptionsRequested(int band);
    void contextMenuRequested(const QPoint &globalPos);
    void cursorMoved(QPointF sheetMm);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    enum class Drag { None, Move, Resize, Rubber, Create, BandHeight, BandOrder };
    static constexpr double handlePx = 6.0; // side of a selection handle

    void modelChanged(const ObjectRefs &touched, bool structural);
    SurfaceGeometry geometry() const;
    QRectF sheetRectOf(const ObjectRef &ref) const;
    // The selection's rectangles on the sheet and the box around them.
    std::vector<QRectF> selectedSheetRects() const;
    std::optional<ObjectRef> objectAt(QPointF mm) const;
    int handleAt(QPointF pixels) const;
    int bandBottomAt(QPointF pixels) const;
    QPointF snappedDelta(QPointF delta) const;
    QPointF gridDelta(QPointF delta) const;
    // Where the selected objects are on the sheet after the handle moved by `delta`.
    std::vector<QRectF> resizedSheetRects(QPointF delta) const;
    // Where the band dragged by its caption would go; -1 while it would stay.
    int bandDropPosition() const;
    void finishMove(QPointF delta);
    void finishResize(QPointF delta);
    void finishCreate(const QRectF &sheetRect);
    void paintBands(QPainter &painter, const SurfaceGeometry &geometry);
    void paintObjects(QPainter &painter, const SurfaceGeometry &geometry, const QRectF &sheet);
    void paintSelection(QPainter &painter, const SurfaceGeometry &geometry);

    DesignerModel &m_model;
    int m_page = 0;
    ObjectRefs m_selection;
    int m_currentBand = -1;
    double m_zoom = 1.0;
    bool m_gridVisible = true;
    bool m_snap = true;
    double m_gridMm = 2.5;
    std::optional<ObjectKind> m_insertKind;

    Drag m_drag = Drag::None;
    QPointF m_pressMm;
    QPointF m_dragMm;
    int m_handle = -1;
    int m_dragBand = -1;
};

} // namespace ergotab::report::designer
