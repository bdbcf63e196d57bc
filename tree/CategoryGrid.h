#pragma once

#include <QWidget>

#include <array>

class QCheckBox;
class QLabel;
class QEvent;

namespace ergotab::tree {

// The grid "Faktory": one row per factor of the catalogue with its caption and the check
// boxes f01k1 … f13k4, one per category. Rows lie 19 pixels apart and columns 21, with thin
// lines between the rows; a caption too long for the width left is cut short with an ellipsis
// and shown whole as a tool tip. The fourth box of a factor that does not offer category 4 is
// always disabled but still shows a stored bit.
class CategoryGrid : public QWidget
{
    Q_OBJECT
public:
    static constexpr int RowPitch = 19;
    static constexpr int ColumnPitch = 21;

    explicit CategoryGrid(QWidget *parent = nullptr);

    QCheckBox *box(int factorNumber, int category) const;
    void setMask(int factorNumber, int mask);
    int mask(int factorNumber) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // Any box ticked or cleared, by the user or by code.
    void changed();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    int headerHeight() const;
    int captionWidth() const;
    int boxesLeft() const;
    void placeChildren();

    QLabel *m_title = nullptr;
    std::array<QLabel *, 4> m_headings {};
    std::array<std::array<QCheckBox *, 4>, 13> m_boxes {};
};

} // namespace ergotab::tree
