#include "DesignSurface.h"

#include "reportengine/designer/core/Arrange.h"
#include "reportengine/designer/core/DesignPageBuilder.h"
#include "reportengine/render/PagePainter.h"

#include <QContextMenuEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ergotab::report::designer {

namespace {

constexpr double borderMm = 8.0; // grey space around the sheet
constexpr double handlePx = 6.0; // side of a selection handle
constexpr double screenPixelMm = 25.4 / 96.0;

bool isLeft(int handle)
{
    return handle == 0 || handle == 6 || handle == 7;
}
bool isRight(int handle)
{
    return handle == 2 || handle == 3 || handle == 4;
}
bool isTop(int handle)
{
    return handle == 0 || handle == 1 || handle == 2;
}
bool isBottom(int handle)
{
    return handle == 4 || handle == 5 || handle == 6;
}

std::array<QPointF, 8> handlePoints(const QRectF &r)
{
    const double cx = r.center().x();
    const double cy = r.center().y();
    return {QPointF(r.left(), r.top()),    QPointF(cx, r.top()),           QPointF(r.right(), r.top()),
            QPointF(r.right(), cy),        QPointF(r.right(), r.bottom()), QPointF(cx, r.bottom()),
            QPointF(r.left(), r.bottom()), QPointF(r.left(), cy)};
}

QString bandCaption(const Band &band)
{
    QString caption = bandKindCaption(band.kind) + QStringLiteral(": ") + band.name;
    if (!band.dataSource.isEmpty())
        caption += QStringLiteral(" – ") + band.dataSource;
    if (!band.condition.isEmpty())
        caption += QStringLiteral(" – ") + band.condition;
    return caption;
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
    if (!m_selection.empty() && m_currentBand != m_selection.front().band) {
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
    const auto &page = m_model.reportTemplate().pages.at(m_page);
    // The last drawn is on top; lines are hard to hit, so they count a little wider.
    for (int b = g.bandCount() - 1; b >= 0; --b) {
        const auto &objects = page.bands[b].objects;
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

int DesignSurface::handleAt(QPointF pixels) const
{
    for (const ObjectRef &ref : m_selection) {
        const QRectF r(toPixels(sheetRectOf(ref).topLeft()), toPixels(sheetRectOf(ref).bottomRight()));
        const auto points = handlePoints(r);
        for (int h = 0; h < 8; ++h)
            if (std::abs(points[h].x() - pixels.x()) <= handlePx && std::abs(points[h].y() - pixels.y()) <= handlePx)
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

QRectF DesignSurface::resizedRect(const QRectF &rect, QPointF delta) const
{
    QRectF r = rect;
    if (isLeft(m_handle))
        r.setLeft(r.left() + delta.x());
    if (isRight(m_handle))
        r.setRight(r.right() + delta.x());
    if (isTop(m_handle))
        r.setTop(r.top() + delta.y());
    if (isBottom(m_handle))
        r.setBottom(r.bottom() + delta.y());
    return r.normalized();
}

void DesignSurface::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x9a, 0xa3, 0xad));
    const auto &pages = m_model.reportTemplate().pages;
    if (m_page < 0 || m_page >= int(pages.size()))
        return;
    const SurfaceGeometry g = geometry();
    const QRectF sheet(toPixels(QPointF(0, 0)), toPixels(QPointF(g.sheetMm().width(), g.sheetMm().height())));
    painter.fillRect(sheet.translated(3, 3), QColor(0x70, 0x78, 0x80));
    painter.fillRect(sheet, Qt::white);
    paintBands(painter, g);

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PagePainter pagePainter;
    pagePainter.paint(painter, designView(pages[m_page], g), sheet);
    paintSelection(painter, g);
}

void DesignSurface::paintBands(QPainter &painter, const SurfaceGeometry &g)
{
    const auto &page = m_model.reportTemplate().pages[m_page];
    QFont captionFont = font();
    captionFont.setPointSizeF(std::clamp(7.5 * m_zoom, 6.0, 14.0));
    painter.setFont(captionFont);
    const double grid = m_gridMm * pixelsPerMm();
    for (int b = 0; b < g.bandCount(); ++b) {
        const QRectF caption(toPixels(g.captionRect(b).topLeft()), toPixels(g.captionRect(b).bottomRight()));
        const QRectF area(toPixels(g.bandRect(b).topLeft()), toPixels(g.bandRect(b).bottomRight()));
        const bool current = b == m_currentBand;
        painter.fillRect(caption, current ? QColor(0xb9, 0xd3, 0xee) : QColor(0xe1, 0xe6, 0xeb));
        painter.setPen(QColor(0x33, 0x3d, 0x47));
        painter.drawText(caption.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, bandCaption(page.bands[b]));
        painter.fillRect(area, QColor(0xfb, 0xfc, 0xfd));
        if (m_gridVisible && grid >= 5) {
            painter.setPen(QColor(0xc8, 0xcf, 0xd6));
            for (double y = area.top(); y <= area.bottom() + 0.1; y += grid)
                for (double x = area.left(); x <= area.right() + 0.1; x += grid)
                    painter.drawPoint(QPointF(x, y));
        }
        painter.setPen(QPen(current ? QColor(0x3a, 0x78, 0xb8) : QColor(0xb0, 0xb8, 0xc0), 1, Qt::DashLine));
        painter.drawRect(area);
    }
}

void DesignSurface::paintSelection(QPainter &painter, const SurfaceGeometry &g)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QPointF delta = m_dragMm - m_pressMm;
    for (const ObjectRef &ref : m_selection) {
        QRectF r = g.objectRect(ref.band, m_model.object(ref).rect);
        if (m_drag == Drag::Move)
            r.translate(snappedDelta(delta));
        else if (m_drag == Drag::Resize)
            r = resizedRect(r, m_snap ? QPointF(snapped(delta.x(), m_gridMm), snapped(delta.y(), m_gridMm)) : delta);
        const QRectF px(toPixels(r.topLeft()), toPixels(r.bottomRight()));
        painter.setPen(QPen(QColor(0x1f, 0x6f, 0xd0), 1, m_drag == Drag::None ? Qt::DotLine : Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(px);
        painter.setPen(QColor(0x1f, 0x6f, 0xd0));
        painter.setBrush(ref == m_selection.front() ? QColor(0x1f, 0x6f, 0xd0) : QColor(Qt::white));
        for (const QPointF &p : handlePoints(px))
            painter.drawRect(QRectF(p.x() - handlePx / 2, p.y() - handlePx / 2, handlePx, handlePx));
    }
    if (m_drag == Drag::Rubber || m_drag == Drag::Create) {
        painter.setPen(QPen(QColor(0x1f, 0x6f, 0xd0), 1, Qt::DashLine));
        painter.setBrush(QColor(0x1f, 0x6f, 0xd0, 30));
        painter.drawRect(QRectF(toPixels(m_pressMm), toPixels(m_dragMm)).normalized());
    }
    if (m_drag == Drag::BandHeight && m_dragBand >= 0) {
        painter.setPen(QPen(QColor(0x1f, 0x6f, 0xd0), 1, Qt::DashLine));
        const double y = toPixels(m_dragMm).y();
        const QRectF band = g.bandRect(m_dragBand);
        painter.drawLine(QPointF(toPixels(band.topLeft()).x(), y), QPointF(toPixels(band.topRight()).x(), y));
    }
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
        setCurrentBand(hit->band);
        update();
        emit selectionChanged();
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
        finishResize(m_snap ? QPointF(snapped(delta.x(), m_gridMm), snapped(delta.y(), m_gridMm)) : delta);
        break;
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
        const auto &page = m_model.reportTemplate().pages.at(m_page);
        for (int b = 0; b < g.bandCount(); ++b)
            for (int i = 0; i < int(page.bands[b].objects.size()); ++i) {
                const ObjectRef ref {m_page, b, i};
                if (swept.intersects(g.objectRect(b, page.bands[b].objects[i].rect).adjusted(-0.1, -0.1, 0.1, 0.1)) &&
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
    // first object's corner lands on the grid of the band it ends in.
    const SurfaceGeometry g = geometry();
    const ObjectRef first = m_selection.front();
    const QRectF firstRect = g.objectRect(first.band, m_model.object(first).rect).translated(delta);
    int target = g.bandAt(firstRect.center(), false);
    const bool oneBand =
        std::all_of(m_selection.begin(), m_selection.end(), [&](const ObjectRef &r) { return r.band == first.band; });
    if (target < 0 || !oneBand)
        target = first.band;
    QPointF shift = delta + g.bandRect(first.band).topLeft() - g.bandRect(target).topLeft();
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
    std::vector<QRectF> rects;
    for (const ObjectRef &ref : m_selection)
        rects.push_back(resizedRect(m_model.object(ref).rect, delta));
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
    QRectF rect = sheetRect.translated(-g.bandRect(band).topLeft());
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
        if (m_insertKind)
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
