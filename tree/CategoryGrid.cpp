#include "CategoryGrid.h"

#include "storage/document/FactorCatalogue.h"

#include <QCheckBox>
#include <QHelpEvent>
#include <QLabel>
#include <QPainter>
#include <QToolTip>

namespace ergotab::tree {

CategoryGrid::CategoryGrid(QWidget *parent)
    : QWidget(parent)
{
    m_title = new QLabel(QStringLiteral("Faktory"), this);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    for (int k = 1; k <= CategoryCount; ++k) {
        auto *heading = new QLabel(QString::number(k) + QLatin1Char(' '), this);
        heading->setAlignment(Qt::AlignCenter);
        heading->setFont(bold);
        m_headings[k - 1] = heading;
    }
    for (const Factor &f : factorCatalogue()) {
        for (int k = 1; k <= CategoryCount; ++k) {
            auto *box = new QCheckBox(this);
            box->setObjectName(categoryBoxName(f.number, k));
            // The Tab key passes the grid by; the boxes take clicks only.
            box->setFocusPolicy(Qt::ClickFocus);
            if (k == 4 && !f.category4Offered)
                box->setEnabled(false);
            connect(box, &QCheckBox::toggled, this, &CategoryGrid::changed);
            m_boxes[f.number - 1][k - 1] = box;
        }
    }
}

QCheckBox *CategoryGrid::box(int factorNumber, int category) const
{
    return m_boxes.at(factorNumber - 1).at(category - 1);
}

void CategoryGrid::setMask(int factorNumber, int mask)
{
    const auto categories = maskToCategories(mask);
    for (int k = 1; k <= CategoryCount; ++k)
        box(factorNumber, k)->setChecked(categories[k - 1]);
}

int CategoryGrid::mask(int factorNumber) const
{
    std::array<bool, CategoryCount> categories {};
    for (int k = 1; k <= CategoryCount; ++k)
        categories[k - 1] = box(factorNumber, k)->isChecked();
    return categoriesToMask(categories);
}

int CategoryGrid::headerHeight() const
{
    return m_title->sizeHint().height() + 2;
}

int CategoryGrid::captionWidth() const
{
    int widest = m_title->sizeHint().width();
    for (const Factor &f : factorCatalogue())
        widest = std::max(widest, fontMetrics().horizontalAdvance(f.rowCaption));
    return widest + 6;
}

QSize CategoryGrid::sizeHint() const
{
    return {captionWidth() + CategoryCount * ColumnPitch + 2, headerHeight() + FactorCount * RowPitch + 1};
}

void CategoryGrid::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeChildren();
}

int CategoryGrid::boxesLeft() const
{
    return width() - CategoryCount * ColumnPitch - 2;
}

void CategoryGrid::placeChildren()
{
    const int boxesLeft = this->boxesLeft();
    const int top = headerHeight();
    m_title->setGeometry(0, 0, boxesLeft, top);
    for (int k = 0; k < CategoryCount; ++k)
        m_headings[k]->setGeometry(boxesLeft + k * ColumnPitch, 0, ColumnPitch, top);
    for (int row = 0; row < FactorCount; ++row) {
        const int y = top + row * RowPitch;
        for (int k = 0; k < CategoryCount; ++k) {
            QCheckBox *box = m_boxes[row][k];
            const QSize hint = box->sizeHint();
            const int w = std::min(hint.width(), ColumnPitch);
            const int h = std::min(hint.height(), RowPitch);
            box->setGeometry(boxesLeft + k * ColumnPitch + (ColumnPitch - w) / 2 + 1, y + (RowPitch - h) / 2, w, h);
        }
    }
}

void CategoryGrid::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    const int top = headerHeight();
    for (int row = 0; row <= FactorCount; ++row) {
        const int y = top + row * RowPitch;
        painter.drawLine(0, y, width() - 1, y);
    }
    painter.setPen(palette().color(QPalette::WindowText));
    const int textWidth = boxesLeft() - 6;
    for (const Factor &f : factorCatalogue()) {
        const QRect cell(2, top + (f.number - 1) * RowPitch, textWidth, RowPitch);
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter,
                         fontMetrics().elidedText(f.rowCaption, Qt::ElideRight, textWidth));
    }
}

bool CategoryGrid::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const int row = (help->pos().y() - headerHeight()) / RowPitch;
        if (help->pos().y() >= headerHeight() && row < FactorCount && help->pos().x() < boxesLeft())
            QToolTip::showText(help->globalPos(), factorCatalogue()[static_cast<size_t>(row)].rowCaption, this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

} // namespace ergotab::tree
