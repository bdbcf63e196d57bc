#include "EditorPages.h"

#include "CategoryGrid.h"
#include "CommentsPage.h"
#include "OverallCategoryView.h"
#include "StorableText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ergotab::tree {

namespace {

template <typename Layout> Layout *layoutOf(QWidget *page)
{
    if (auto *existing = qobject_cast<Layout *>(page->layout()))
        return existing;
    delete page->layout();
    return new Layout(page);
}

void buildNodePage(QWidget *page, EditorControls &c)
{
    auto *layout = layoutOf<QVBoxLayout>(page);
    auto *label = new QLabel(QStringLiteral("Název"), page);
    c.NodeNameEdit = new QLineEdit(page);
    c.NodeNameEdit->setObjectName(QStringLiteral("NodeNameEdit"));
    guardNameEdit(c.NodeNameEdit);
    label->setBuddy(c.NodeNameEdit);
    layout->addWidget(label);
    layout->addWidget(c.NodeNameEdit);
    layout->addStretch(1);
}

QSpinBox *headCountField(QWidget *parent, const QString &name)
{
    auto *spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(0, 99999);
    spin->setValue(0);
    spin->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    return spin;
}

QWidget *buildCategoryTab(EditorControls &c)
{
    auto *tab = new QWidget;
    tab->setObjectName(QStringLiteral("ItemKatTabSheet"));
    auto *layout = new QVBoxLayout(tab);

    auto *nameRow = new QHBoxLayout;
    auto *nameLabel = new QLabel(QStringLiteral("Název:"), tab);
    c.KatNameEdit = new QLineEdit(tab);
    c.KatNameEdit->setObjectName(QStringLiteral("KatNameEdit"));
    guardNameEdit(c.KatNameEdit);
    nameLabel->setBuddy(c.KatNameEdit);
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(c.KatNameEdit, 1);
    layout->addLayout(nameRow);

    c.Grid = new CategoryGrid(tab);
    c.Grid->setObjectName(QStringLiteral("FaktoryGrid"));
    c.OverallCategory = new OverallCategoryView(tab);
    auto *gridRow = new QHBoxLayout;
    gridRow->addWidget(c.Grid, 1);
    gridRow->addWidget(c.OverallCategory, 0, Qt::AlignTop);
    layout->addLayout(gridRow);
    CategoryGrid *grid = c.Grid;
    OverallCategoryView *overall = c.OverallCategory;
    QObject::connect(grid, &CategoryGrid::changed, overall, [grid, overall] {
        FactorMasks masks {};
        for (int n = 1; n <= int(masks.size()); ++n)
            masks[size_t(n - 1)] = grid->mask(n);
        overall->showCategory(overallCategory(masks));
    });

    auto *counts = new QHBoxLayout;
    c.PracSpinEdit = headCountField(tab, QStringLiteral("PracSpinEdit"));
    c.ZenSpinEdit = headCountField(tab, QStringLiteral("ZenSpinEdit"));
    auto *pracLabel = new QLabel(QStringLiteral("Počet zaměstanců:"), tab);
    auto *zenLabel = new QLabel(QStringLiteral("z toho žen:"), tab);
    pracLabel->setBuddy(c.PracSpinEdit);
    zenLabel->setBuddy(c.ZenSpinEdit);
    counts->addWidget(pracLabel);
    counts->addWidget(c.PracSpinEdit);
    counts->addSpacing(12);
    counts->addWidget(zenLabel);
    counts->addWidget(c.ZenSpinEdit);
    counts->addStretch(1);
    layout->addLayout(counts);
    layout->addStretch(1);
    return tab;
}

void buildItemPage(QWidget *page, EditorControls &c)
{
    auto *layout = layoutOf<QVBoxLayout>(page);
    layout->setContentsMargins(0, 0, 0, 0);
    c.PageControl2 = new QTabWidget(page);
    c.PageControl2->setObjectName(QStringLiteral("PageControl2"));
    c.PageControl2->setTabPosition(QTabWidget::East);
    c.ItemKatTabSheet = buildCategoryTab(c);
    c.PageControl2->addTab(c.ItemKatTabSheet, QStringLiteral("Kategorie"));
    c.TabSheet2 = buildCommentsPage(c);
    c.PageControl2->addTab(c.TabSheet2, QStringLiteral("Komentáře"));
    layout->addWidget(c.PageControl2);
}

} // namespace

EditorControls buildEditorPages(QWidget *nodePage, QWidget *itemPage)
{
    EditorControls controls;
    buildNodePage(nodePage, controls);
    buildItemPage(itemPage, controls);
    return controls;
}

} // namespace ergotab::tree
