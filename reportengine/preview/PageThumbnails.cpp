#include "PageThumbnails.h"

#include "reportengine/render/PagePainter.h"

#include <QPainter>
#include <QStyledItemDelegate>

#include <cmath>

namespace ergotab::report {

namespace {

constexpr int margin = 8;

class ThumbnailDelegate : public QStyledItemDelegate
{
public:
    explicit ThumbnailDelegate(QObject *parent)
        : QStyledItemDelegate(parent)
    {
    }

    void setReport(const PreparedReport *report) { m_report = report; }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QSize(PageThumbnails::thumbnailWidth + 2 * margin,
                     int(std::ceil(pictureSize(index.row()).height())) + option.fontMetrics.height() + 3 * margin);
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const int row = index.row();
        if (!m_report || row < 0 || row >= int(m_report->pages.size()))
            return;
        painter->save();
        if (option.state & QStyle::State_Selected)
            painter->fillRect(option.rect, option.palette.color(QPalette::Highlight));
        const QSizeF size = pictureSize(row);
        const QRectF picture(option.rect.left() + (option.rect.width() - size.width()) / 2.0,
                             option.rect.top() + margin, size.width(), size.height());
        painter->fillRect(picture.translated(2, 2), QColor(0, 0, 0, 70));
        painter->fillRect(picture, Qt::white);
        painter->setClipRect(picture);
        painter->setRenderHint(QPainter::Antialiasing);
        m_painter.paint(*painter, m_report->pages[std::size_t(row)], picture);
        painter->setClipping(false);
        painter->setPen(
            option.palette.color((option.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
        const QRectF caption(option.rect.left(), picture.bottom() + margin / 2.0, option.rect.width(),
                             option.fontMetrics.height());
        painter->drawText(caption, Qt::AlignCenter, QString::number(row + 1));
        painter->restore();
    }

private:
    QSizeF pictureSize(int row) const
    {
        QSizeF paper(210.0, 297.0);
        if (m_report && row >= 0 && row < int(m_report->pages.size()))
            paper = m_report->pages[std::size_t(row)].sizeMm;
        const double scale = PageThumbnails::thumbnailWidth / std::max(paper.width(), paper.height());
        return paper * scale;
    }

    const PreparedReport *m_report = nullptr;
    mutable PagePainter m_painter;
};

} // namespace

PageThumbnails::PageThumbnails(QWidget *parent)
    : QListWidget(parent)
{
    setObjectName(QStringLiteral("PreviewThumbnails"));
    setItemDelegate(new ThumbnailDelegate(this));
    setUniformItemSizes(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFixedWidth(thumbnailWidth + 2 * margin + 24);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && !signalsBlocked())
            emit pageChosen(row);
    });
}

void PageThumbnails::setReport(const PreparedReport *report)
{
    const QSignalBlocker block(this);
    static_cast<ThumbnailDelegate *>(itemDelegate())->setReport(report);
    clear();
    const int count = report ? int(report->pages.size()) : 0;
    for (int i = 0; i < count; ++i) {
        auto *item = new QListWidgetItem(this);
        item->setToolTip(QStringLiteral("Strana %1").arg(i + 1));
    }
}

void PageThumbnails::showCurrentPage(int page)
{
    if (page < 0 || page >= count() || page == currentRow())
        return;
    const QSignalBlocker block(this);
    setCurrentRow(page);
    scrollToItem(item(page));
}

} // namespace ergotab::report
