#include "CommentsPage.h"

#include "EditorPages.h"
#include "StorableText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace ergotab::tree {

namespace {

constexpr int MinimumPaneHeight = 60;

QPlainTextEdit *memo(QWidget *parent, const QString &name)
{
    auto *edit = new MemoEdit(parent);
    edit->setObjectName(name);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setTabChangesFocus(true);
    return edit;
}

QWidget *pane(const QString &caption, QPlainTextEdit **edit, const QString &name, QPushButton **button = nullptr)
{
    auto *widget = new QWidget;
    widget->setMinimumHeight(MinimumPaneHeight);
    auto *layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 2, 0, 2);
    auto *head = new QHBoxLayout;
    auto *label = new QLabel(caption, widget);
    head->addWidget(label);
    head->addStretch(1);
    if (button) {
        *button = new QPushButton(QStringLiteral("Vzor"), widget);
        (*button)->setObjectName(QStringLiteral("VzorButton"));
        head->addWidget(*button);
    }
    layout->addLayout(head);
    *edit = memo(widget, name);
    label->setBuddy(*edit);
    layout->addWidget(*edit, 1);
    return widget;
}

} // namespace

QWidget *buildCommentsPage(EditorControls &c)
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    auto *layout = new QVBoxLayout(page);
    c.MemoSplitter = new QSplitter(Qt::Vertical, page);
    c.MemoSplitter->setChildrenCollapsible(false);
    c.MemoSplitter->addWidget(
        pane(QStringLiteral("Popis (charakter) činnosti"), &c.PopisMemo, QStringLiteral("PopisMemo")));
    c.MemoSplitter->addWidget(pane(QStringLiteral("Měření"), &c.MereniMemo, QStringLiteral("MereniMemo")));
    c.MemoSplitter->addWidget(
        pane(QStringLiteral("Ochranná opatření"), &c.OpatreniMemo, QStringLiteral("OpatreniMemo"), &c.VzorButton));
    // The middle pane takes whatever height the other two leave.
    c.MemoSplitter->setStretchFactor(0, 0);
    c.MemoSplitter->setStretchFactor(1, 1);
    c.MemoSplitter->setStretchFactor(2, 0);
    // Initial heights in proportion: the outer panes small, the middle one the rest.
    c.MemoSplitter->setSizes({MinimumPaneHeight + 30, 1000, MinimumPaneHeight + 30});
    layout->addWidget(c.MemoSplitter);
    return page;
}

} // namespace ergotab::tree
