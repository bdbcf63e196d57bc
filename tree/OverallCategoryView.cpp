#include "OverallCategoryView.h"

#include "CategoryMarks.h"

#include <QLabel>
#include <QVBoxLayout>

namespace ergotab::tree {

namespace {
constexpr int MarkSize = 36;
}

OverallCategoryView::OverallCategoryView(QWidget *parent)
    : QWidget(parent)
    , m_mark(new QLabel(this))
    , m_text(new QLabel(this))
{
    setObjectName(QStringLiteral("OverallCategoryView"));
    m_mark->setObjectName(QStringLiteral("OverallCategoryMark"));
    m_text->setObjectName(QStringLiteral("OverallCategoryLabel"));
    m_mark->setFixedSize(MarkSize, MarkSize);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setFixedWidth(120);
    auto *caption = new QLabel(QStringLiteral("Celková kategorie"), this);
    caption->setAlignment(Qt::AlignHCenter);
    caption->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(m_mark, 0, Qt::AlignHCenter);
    layout->addWidget(m_text);
    layout->addStretch(1);
    showCategory({});
}

void OverallCategoryView::showCategory(const OverallCategory &overall)
{
    m_overall = overall;
    m_mark->setPixmap(categoryMarkPixmap(overall.category, false, MarkSize));
    m_text->setText(overall.category == 0 ? QStringLiteral("žádná") : factorNames(overall.factorBits));
    setToolTip(overallCategoryText(overall.category, overall.factorBits));
}

QString OverallCategoryView::text() const
{
    return m_text->text();
}

} // namespace ergotab::tree
