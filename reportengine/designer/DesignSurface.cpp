#include "DesignSurface.h"

#include "reportengine/designer/core/Arrange.h"

#include <QContextMenuEvent>
#include <QMimeData>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>

namespace ergotab::report::designer {

namespace {

constexpr double borderMm = 8.0; // grey space around the sheet
constexpr double screenPixelMm = 25.4 / 96.0;

Handle handleOf(int index)
{
    return static_cast<Handle>(index);
}

QSizeF defaultSize(ObjectKind kind)
{
    switch (kind) {
    case ObjectKind::Text:
        return {30, 5};
    case ObjectKind::Line:
        return {40, 0};
    case ObjectKind::CheckBox:
        return {5, 5};
    default:
        return {20, 10};
    }
}

} // namespace

DesignSurface::DesignSurface(DesignerModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
{
    setObjectName(QStringLiteral("DesignSurface"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAcceptDrops(true);
    connect(&m_model, &DesignerModel::changed, this, &DesignSurface::modelChanged);
    connect(&m_model, &DesignerModel::templateReplaced, this, [this] { setPage(0); });
}

void DesignSurface::setPage(int page)
{
    m_page = page;
    m_selection.clear();
    m_currentBand = -1;
    m_drag = Drag::None;
    updateGeometry();
    resize(sizeHint());
    update();
    emit selectionChanged();
    emit currentBandChanged(m_currentBand);
}

SurfaceGeometry DesignSurface::geometry() const
{
    const auto &pages = m_model.reportTemplate().pages;
    if (m_page < 0 || m_page >= int(pages.size()))
        return SurfaceGeometry(ReportPage {});
    return SurfaceGeometry(pages[m_page]);
}

void DesignSurface::modelChanged(const ObjectRefs &touched, bool structural)
{
    if (!touched.empty()) {
        m_selection = touched;
        if (!touched.front().isPageLevel())
            m_currentBand = touched.front().band;
    } else if (structural) {
        m_selection.clear();
    }
    std::erase_if(m_selection, [this](const ObjectRef &r) { return r.page != m_page || !m_model.isValid(r); });
    const auto &pages = m_model.reportTemplate().pages;
    const int bands = m_page < int(pages.size()) ? int(pages[m_page].bands.size()) : 0;
    if (m_currentBand >= bands)
        m_currentBand = bands - 1;
    resize(sizeHint());
    update();
    emit selectionChanged();
    emit currentBandChanged(m_currentBand);
}

void DesignSurface::setSelection(ObjectRefs refs)
{
    std::erase_if(refs, [this](const ObjectRef &r) { return r.page != m_page || !m_model.isValid(r); });
    m_selection = std::move(refs);
    if (!m_selection.empty() && !m_selection.front().isPageLevel() && m_currentBand != m_selection.front().band) {
        m_currentBand = m_selection.front().band;
        emit currentBandChanged(m_currentBand);
    }
    update();
    emit selectionChanged();
}

void DesignSurface::setCurrentBand(int band)
{
    if (band == m_currentBand)
        return;
    m_currentBand = band;
    update();
    emit currentBandChanged(band);
}

void DesignSurface::selectAllInCurrentBand()
{
    ObjectRefs refs;
    if (m_currentBand >= 0)
        for (int i = 0; i < int(m_model.band({m_page, m_currentBand}).objects.size()); ++i)
            refs.push_back({m_page, m_currentBand, i});
    setSelection(refs);
}

void DesignSurface::setZoom(double zoom)
{
    zoom = std::clamp(zoom, 0.25, 4.0);
    if (qFuzzyCompare(zoom, m_zoom))
        return;
    m_zoom = zoom;
    resize(sizeHint());
    update();
    emit zoomChanged(zoom);
}

void DesignSurface::setGridVisible(bool on)
{
    m_gridVisible = on;
    update();
}

void DesignSurface::setSnapToGrid(bool on)
{
    m_snap = on;
}

void DesignSurface::setGridMm(double mm)
{
    m_gridMm = std::max(0.5, mm);
    update();
}

void DesignSurface::setInsertKind(std::optional<ObjectKind> kind)
{
    m_insertKind = kind;
    setCursor(kind ? Qt::CrossCursor : Qt::ArrowCursor);
    emit insertKindChanged();
}

double DesignSurface::pixelsPerMm() const
{
    return logicalDpiX() / 25.4 * m_zoom;
}

QPointF DesignSurface::sheetOrigin() const
{
    return {borderMm * pixelsPerMm(), borderMm * pixelsPerMm()};
}

QPointF DesignSurface::toPixels(QPointF mm) const
{
    return sheetOrigin() + mm * pixelsPerMm();
}

QPointF DesignSurface::toMm(QPointF pixels) const
{
    return (pixels - sheetOrigin()) / pixelsPerMm();
}

QSize DesignSurface::sizeHint() const
{
    const QSizeF sheet = geometry().sheetMm() + QSizeF(2 * borderMm, 2 * borderMm);
    return (sheet * pixelsPerMm()).toSize();
}

double DesignSurface::keyStepMm(bool fine) const
{
    return fine ? screenPixelMm : m_gridMm;
}

QRectF DesignSurface::sheetRectOf(const ObjectRef &ref) const
{
    return geometry().objectRect(ref.band, m_model.object(ref).rect);
}

std::optional<ObjectRef> DesignSurface::objectAt(QPointF mm) const
{
    const SurfaceGeometry g = geometry();
    // The last drawn is on top: the page's own objects, then the bands from the last one; lines
    // are hard to hit, so they count a little wider.
    std::vector<int> containers {pageLevel};
    for (int b = g.bandCount() - 1; b >= 0; --b)
        containers.push_back(b);
    for (const int b : containers) {
        const auto &objects = m_model.objectsIn({m_page, b});
        for (int i = int(objects.size()) - 1; i >= 0; --i) {
            QRectF r = g.objectRect(b, objects[i].rect);
            const double slack = 1.0;
            if (r.width() < slack)
                r.adjust(-slack, 0, slack, 0);
            if (r.height() < slack)
                r.adjust(0, -slack, 0, slack);
            if (r.contains(mm))
                return ObjectRef {m_page, b, i};
        }
    }
    return std::nullopt;
}

std::vector<QRectF> DesignSurface::selectedSheetRects() const
{
    std::vector<QRectF> rects;
    for (const ObjectRef &ref : m_selection)
        rects.push_back(sheetRectOf(ref));
    return rects;
}

int DesignSurface::handleAt(QPointF pixels) const
{
    if (m_selection.empty())
        return -1;
    const QRectF box = boundingBox(selectedSheetRects());
    const QRectF r(toPixels(box.topLeft()), toPixels(box.bottomRight()));
    for (int h = 0; h < handleCount; ++h) {
        const QPointF p = handlePoint(r, handleOf(h));
        if (std::abs(p.x() - pixels.x()) <= handlePx && std::abs(p.y() - pixels.y()) <= handlePx)
            return h;
    }
    return -1;
}

int DesignSurface::bandBottomAt(QPointF pixels) const
{
    const SurfaceGeometry g = geometry();
    for (int b = 0; b < g.bandCount(); ++b) {
        const QRectF r = g.bandRect(b);
        const double y = toPixels(r.bottomLeft()).y();
        if (std::abs(pixels.y() - y) <= 3 && pixels.x() >= toPixels(r.topLeft()).x() &&
            pixels.x() <= toPixels(r.topRight()).x())
            return b;
    }
    return -1;
}

QPointF DesignSurface::snappedDelta(QPointF delta) const
{
    if (!m_snap || m_selection.empty())
        return delta;
    // The first selected object's corner lands on the grid of its band.
    const QPointF corner = m_model.object(m_selection.front()).rect.topLeft();
    return QPointF(snapped(corner.x() + delta.x(), m_gridMm), snapped(corner.y() + delta.y(), m_gridMm)) - corner;
}

QPointF DesignSurface::gridDelta(QPointF delta) const
{
    return m_snap ? QPointF(snapped(delta.x(), m_gridMm), snapped(delta.y(), m_gridMm)) : delta;
}

std::vector<QRectF> DesignSurface::resizedSheetRects(QPointF delta) const
{
    const std::vector<QRectF> rects = selectedSheetRects();
    const QRectF box = boundingBox(rects);
    return scaledInto(rects, box, draggedByHandle(box, handleOf(m_handle), delta));
}

int DesignSurface::bandDropPosition() const
{
    const SurfaceGeometry g = geometry();
    if (m_dragBand < 0 || m_dragBand >= g.bandCount() || std::abs(m_dragMm.y() - m_pressMm.y()) * pixelsPerMm() < 4)
        return -1;
    const int position = SurfaceGeometry::positionForGap(m_dragBand, g.dropGap(m_dragMm));
    return position == m_dragBand ? -1 : position;
}

void DesignSurface::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton)
        return;
    const QPointF mm = toMm(event->position());
    m_pressMm = m_dragMm = mm;
    const SurfaceGeometry g = geometry();
    const bool adding = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);

    if (m_insertKind) {
        m_drag = Drag::Create;
        return;
    }
    if (!adding && (m_handle = handleAt(event->position())) >= 0) {
        m_drag = Drag::Resize;
        return;
    }
    if ((m_dragBand = bandBottomAt(event->position())) >= 0) {
        m_drag = Drag::BandHeight;
        return;
    }
    if (const auto hit = objectAt(mm)) {
        const auto found = std::find(m_selection.begin(), m_selection.end(), *hit);
        if (adding) {
            if (found != m_selection.end())
                m_selection.erase(found);
            else
                m_selection.push_back(*hit);
            m_drag = Drag::None;
        } else {
            if (found == m_selection.end())
                m_selection = {*hit};
            m_drag = Drag::Move;
        }
        if (!hit->isPageLevel())
            setCurrentBand(hit->band);
        update();
        emit selectionChanged();
        return;
    }
    if (!adding && (m_dragBand = g.captionAt(mm)) >= 0) {
        // A band's caption strip: a click makes it current, a drag moves it in the page's order.
        setCurrentBand(m_dragBand);
        m_drag = Drag::BandOrder;
        setCursor(Qt::ClosedHandCursor);
        return;
    }
    const int band = g.bandAt(mm);
    if (band >= 0)
        setCurrentBand(band);
    if (!adding && !m_selection.empty()) {
        m_selection.clear();
        emit selectionChanged();
    }
    m_drag = Drag::Rubber;
    update();
}

void DesignSurface::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF mm = toMm(event->position());
    emit cursorMoved(mm);
    if (m_drag == Drag::None) {
        if (m_insertKind)
            return;
        const int handle = handleAt(event->position());
        if (handle == 0 || handle == 4)
            setCursor(Qt::SizeFDiagCursor);
        else if (handle == 2 || handle == 6)
            setCursor(Qt::SizeBDiagCursor);
        else if (handle == 1 || handle == 5 || bandBottomAt(event->position()) >= 0)
            setCursor(Qt::SizeVerCursor);
        else if (handle == 3 || handle == 7)
            setCursor(Qt::SizeHorCursor);
        else if (geometry().captionAt(mm) >= 0)
            setCursor(Qt::OpenHandCursor);
        else
            setCursor(Qt::ArrowCursor);
        return;
    }
    m_dragMm = mm;
    update();
}

void DesignSurface::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_drag == Drag::None)
        return;
    const Drag drag = std::exchange(m_drag, Drag::None);
    const QPointF delta = toMm(event->position()) - m_pressMm;
    const QRectF swept = QRectF(m_pressMm, toMm(event->position())).normalized();
    switch (drag) {
    case Drag::Move:
        if (delta.manhattanLength() * pixelsPerMm() >= 3)
            finishMove(delta);
        break;
    case Drag::Resize:
        finishResize(gridDelta(delta));
        break;
    case Drag::BandOrder: {
        setCursor(Qt::OpenHandCursor);
        m_dragMm = toMm(event->position());
        const int position = bandDropPosition();
        if (position >= 0) {
            m_model.moveBand({m_page, m_dragBand}, position);
            setCurrentBand(position);
        }
        break;
    }
    case Drag::Create:
        finishCreate(swept);
        break;
    case Drag::BandHeight: {
        const double top = geometry().bandRect(m_dragBand).top();
        const double height = toMm(event->position()).y() - top;
        m_model.setBandHeight({m_page, m_dragBand}, m_snap ? snapped(height, m_gridMm) : height);
        break;
    }
    case Drag::Rubber: {
        const SurfaceGeometry g = geometry();
        for (int b = pageLevel; b < g.bandCount(); ++b)
            for (int i = 0; i < int(m_model.objectsIn({m_page, b}).size()); ++i) {
                const ObjectRef ref {m_page, b, i};
                if (swept.intersects(sheetRectOf(ref).adjusted(-0.1, -0.1, 0.1, 0.1)) &&
                    std::find(m_selection.begin(), m_selection.end(), ref) == m_selection.end())
                    m_selection.push_back(ref);
            }
        emit selectionChanged();
        break;
    }
    case Drag::None:
        break;
    }
    update();
}

void DesignSurface::finishMove(QPointF delta)
{
    if (m_selection.empty())
        return;
    // All objects of one band dragged so that the first lands in another band go into it; the
    // first object's corner lands on the grid of the band it ends in. The page's own objects
    // stay the page's.
    const SurfaceGeometry g = geometry();
    const ObjectRef first = m_selection.front();
    const QRectF firstRect = g.objectRect(first.band, m_model.object(first).rect).translated(delta);
    int target = g.bandAt(firstRect.center(), false);
    const bool oneBand =
        std::all_of(m_selection.begin(), m_selection.end(), [&](const ObjectRef &r) { return r.band == first.band; });
    if (target < 0 || !oneBand || first.isPageLevel())
        target = first.band;
    QPointF shift = delta + g.origin(first.band) - g.origin(target);
    if (m_snap) {
        const QPointF corner = m_model.object(first).rect.topLeft() + shift;
        shift += QPointF(snapped(corner.x(), m_gridMm), snapped(corner.y(), m_gridMm)) - corner;
    }
    if (target == first.band) {
        m_model.moveObjects(m_selection, shift);
        return;
    }
    std::vector<QRectF> rects;
    for (const ObjectRef &ref : m_selection)
        rects.push_back(m_model.object(ref).rect.translated(shift));
    m_model.moveObjectsToBand(m_selection, {m_page, target}, rects);
}

void DesignSurface::finishResize(QPointF delta)
{
    std::vector<QRectF> rects = resizedSheetRects(delta);
    const SurfaceGeometry g = geometry();
    for (size_t i = 0; i < rects.size(); ++i)
        rects[i] = g.objectRectIn(m_selection[i].band, rects[i]);
    m_model.setRects(m_selection, rects, QStringLiteral("Změnit velikost"));
}

void DesignSurface::finishCreate(const QRectF &sheetRect)
{
    const ObjectKind kind = *m_insertKind;
    setInsertKind(std::nullopt);
    const SurfaceGeometry g = geometry();
    int band = g.bandAt(sheetRect.topLeft(), false);
    if (band < 0)
        band = g.nearestBand(sheetRect.topLeft());
    if (band < 0)
        return;
    QRectF rect = g.objectRectIn(band, sheetRect);
    if (m_snap)
        rect = QRectF(QPointF(snapped(rect.left(), m_gridMm), snapped(rect.top(), m_gridMm)),
                      QPointF(snapped(rect.right(), m_gridMm), snapped(rect.bottom(), m_gridMm)));
    // A click instead of a drag places the kind's usual size.
    if (sheetRect.width() * pixelsPerMm() < 4 && sheetRect.height() * pixelsPerMm() < 4)
        rect.setSize(defaultSize(kind));
    rect.moveTop(std::max(0.0, rect.top()));
    m_model.insertObjects({m_page, band}, {newObject(kind, rect)}, QStringLiteral("Vložit objekt"));
}

void DesignSurface::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPointF mm = toMm(event->position());
    if (const auto hit = objectAt(mm)) {
        setSelection({*hit});
        emit editObjectRequested(*hit);
        return;
    }
    const int band = geometry().bandAt(mm);
    if (band >= 0)
        emit bandOptionsRequested(band);
}

void DesignSurface::keyPressEvent(QKeyEvent *event)
{
    const bool fine = event->modifiers() & Qt::ControlModifier;
    const bool resizing = event->modifiers() & Qt::ShiftModifier;
    const double step = keyStepMm(fine);
    if (event->key() == Qt::Key_Escape) {
        // Escape while the mouse drags calls the drag off; the button's release then does nothing.
        if (m_drag != Drag::None) {
            m_drag = Drag::None;
            setCursor(Qt::ArrowCursor);
            update();
        } else if (m_insertKind)
            setInsertKind(std::nullopt);
        else
            setSelection({});
        return;
    }
    const QPoint direction = arrowKeyDirection(event->key());
    if (direction.isNull()) {
        QWidget::keyPressEvent(event);
        return;
    }
    const QPointF delta = QPointF(direction) * step;
    if (m_selection.empty())
        return;
    if (resizing)
        m_model.resizeObjects(m_selection, QSizeF(delta.x(), delta.y()));
    else
        m_model.moveObjects(m_selection, delta);
}

void DesignSurface::contextMenuEvent(QContextMenuEvent *event)
{
    const QPointF mm = toMm(event->pos());
    if (const auto hit = objectAt(mm)) {
        if (std::find(m_selection.begin(), m_selection.end(), *hit) == m_selection.end())
            setSelection({*hit});
    } else if (const int band = geometry().bandAt(mm); band >= 0) {
        setCurrentBand(band);
    }
    emit contextMenuRequested(event->globalPos());
}

void DesignSurface::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasFormat(QLatin1String(fieldMimeType)))
        event->acceptProposedAction();
}

void DesignSurface::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->mimeData()->hasFormat(QLatin1String(fieldMimeType)) && geometry().bandCount() > 0)
        event->acceptProposedAction();
}

void DesignSurface::dropEvent(QDropEvent *event)
{
    const QString text = QString::fromUtf8(event->mimeData()->data(QLatin1String(fieldMimeType)));
    const SurfaceGeometry g = geometry();
    const QPointF mm = toMm(event->position());
    int band = g.bandAt(mm, false);
    if (band < 0)
        band = g.nearestBand(mm);
    if (band < 0 || text.isEmpty())
        return;
    QPointF at = mm - g.bandRect(band).topLeft();
    if (m_snap)
        at = QPointF(snapped(at.x(), m_gridMm), snapped(at.y(), m_gridMm));
    at.setY(std::clamp(at.y(), 0.0, std::max(0.0, m_model.band({m_page, band}).height - 5.0)));
    m_model.insertObjects({m_page, band}, {newTextObject(text, QRectF(at, QSizeF(30, 5)))},
                          QStringLiteral("Vložit pole"));
    event->acceptProposedAction();
    setFocus();
}

} // namespace ergotab::report::designer
