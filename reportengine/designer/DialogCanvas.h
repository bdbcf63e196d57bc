#pragma once

// The drawing area of a dialog page: controls drawn roughly as they will look, one selected.

#include "reportengine/model/ReportTemplate.h"

#include <QWidget>

#include <functional>

namespace ergotab::report::designer {

class DialogCanvas : public QWidget
{
    Q_OBJECT

public:
    explicit DialogCanvas(QWidget *parent = nullptr);

    void setPage(const DialogPage &page);
    int selected() const { return m_selected; }
    void setSelected(int index);
    QSize sizeHint() const override;

signals:
    void selectedChanged(int index);
    // A control dragged, resized or moved by keys to `rect`; one signal per finished gesture.
    void controlMoved(int index, const QRect &rect);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QRect draggedRect() const;

    DialogPage m_page;
    int m_selected = -1;
    bool m_dragging = false;
    bool m_resizing = false;
    QPoint m_press;
    QPoint m_current;
};

} // namespace ergotab::report::designer
