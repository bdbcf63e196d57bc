#pragma once

// A millimetre ruler beside the design surface, scrolling with it: a tick each millimetre,
// longer ones each five, numbers each ten, zero at the sheet's edge.

#include <QWidget>

namespace ergotab::report::designer {

class DesignSurface;

class Ruler : public QWidget
{
    Q_OBJECT

public:
    Ruler(Qt::Orientation orientation, DesignSurface &surface, QWidget *parent = nullptr);

    // Where the surface's left (top) edge is, in this ruler's pixels; follows the scroll bar.
    void setOffset(int pixels);
    // The mouse position on the sheet, marked on the ruler.
    void setMarker(double mm);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Qt::Orientation m_orientation;
    DesignSurface &m_surface;
    int m_offset = 0;
    double m_marker = -1;
};

} // namespace ergotab::report::designer
