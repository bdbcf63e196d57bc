#include "TLibForm.h"

#include "help/HelpKey.h"
#include "help/HelpTopics.h"

#include "TFindDialog.h"

#include "storage/dbf/Table.h"
#include "storage/document/FactorCatalogue.h"
#include "tree/BuildTree.h"
#include "tree/CategoryGrid.h"
#include "tree/DataTreeItem.h"
#include "tree/TreeArrangement.h"
#include "tree/TreeImages.h"
#include "tree/UiGuards.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace ergotab::library {

// The check boxes of the library tree, found through the window's node table.
class TLibForm::Ticks : public SampleTicks
{
public:
    explicit Ticks(const TLibForm &form)
        : m_form(form)
    {
    }
    bool isTicked(int index) const override
    {
        const QTreeWidgetItem *item = m_form.itemOf(index);
        return item && item->checkState(0) == Qt::Checked;
    }
    void untick(int index) override
    {
        if (QTreeWidgetItem *item = m_form.itemOf(index))
            item->setCheckState(0, Qt::Unchecked);
    }

private:
    const TLibForm &m_form;
};

TLibForm::TLibForm(dbf::Table &samples, DocumentEditing &editing, QWidget *parent)
    : QDialog(parent)
    , m_samples(samples)
    , m_editing(editing)
    , m_inform([](QWidget *parent, const QString &title, const QString &text) {
        QMessageBox::information(parent, title, text);
    })
{
    setObjectName(QStringLiteral("LibForm"));
    installHelpKey(this, HelpTopic::Library);
    setWindowTitle(QStringLiteral("Knihovna vzorů"));
    setModal(true);
    buildWindow();
    buildPopupMenu();
    resize(640, 470);
}

TLibForm::~TLibForm() = default;

void TLibForm::buildWindow()
{
    DataTreeNT = new QTreeWidget(this);
    DataTreeNT->setObjectName(QStringLiteral("DataTreeNT"));
    DataTreeNT->setHeaderHidden(true);
    DataTreeNT->setColumnCount(1);
    DataTreeNT->setContextMenuPolicy(Qt::CustomContextMenu);
    FindSpeedButton = new QToolButton(this);
    FindSpeedButton->setObjectName(QStringLiteral("FindSpeedButton"));
    FindSpeedButton->setToolTip(QStringLiteral("Najít"));
    FindSpeedButton->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));

    PageControl1 = new QStackedWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    buildPages(PageControl1);

    StoreBitBtn = new QPushButton(QStringLiteral("OK"), this);
    StoreBitBtn->setObjectName(QStringLiteral("StoreBitBtn"));
    StoreBitBtn->setDefault(true);
    CancelBitBtn = new QPushButton(QStringLiteral("Zavřít"), this);
    CancelBitBtn->setObjectName(QStringLiteral("CancelBitBtn"));

    auto *left = new QVBoxLayout;
    left->addWidget(DataTreeNT, 1);
    left->addWidget(FindSpeedButton, 0, Qt::AlignLeft);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(StoreBitBtn);
    buttons->addWidget(CancelBitBtn);
    auto *right = new QVBoxLayout;
    right->addWidget(PageControl1, 1);
    right->addLayout(buttons);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);

    FindDialog1 = new TFindDialog(this);

    connect(DataTreeNT, &QTreeWidget::currentItemChanged, this, &TLibForm::DataTreeNTChange);
    connect(DataTreeNT, &QWidget::customContextMenuRequested, this, &TLibForm::PopupMenu1Popup);
    connect(StoreBitBtn, &QPushButton::clicked, this, &TLibForm::StoreBitBtnClick);
    connect(CancelBitBtn, &QPushButton::clicked, this, &TLibForm::CancelBitBtnClick);
    connect(FindSpeedButton, &QToolButton::clicked, this, &TLibForm::FindSpeedButtonClick);
    connect(FindDialog1, &TFindDialog::findRequested, this, &TLibForm::FindDialog1Find);
    connect(FindDialog1, &TFindDialog::closed, this, &TLibForm::FindDialog1Close);
}

void TLibForm::buildPages(QStackedWidget *pages)
{
    NoneTabSheet = new QWidget(pages);
    NoneTabSheet->setObjectName(QStringLiteral("NoneTabSheet"));
    auto *noneLayout = new QVBoxLayout(NoneTabSheet);
    noneLayout->addStretch();
    for (const QString &text : {QStringLiteral("Knihovna vzorů"), QStringLiteral("hodnocení")}) {
        auto *label = new QLabel(text, NoneTabSheet);
        QFont big = label->font();
        big.setPointSizeF(big.pointSizeF() * 2.2);
        big.setBold(true);
        label->setFont(big);
        label->setAlignment(Qt::AlignCenter);
        noneLayout->addWidget(label);
    }
    noneLayout->addStretch();

    NodeTabSheet = new QWidget(pages);
    NodeTabSheet->setObjectName(QStringLiteral("NodeTabSheet"));
    auto *nodeLayout = new QVBoxLayout(NodeTabSheet);
    nodeLayout->addWidget(new QLabel(QStringLiteral("Název"), NodeTabSheet));
    NodeNameEdit = new QLineEdit(NodeTabSheet);
    NodeNameEdit->setObjectName(QStringLiteral("NodeNameEdit"));
    nodeLayout->addWidget(NodeNameEdit);
    nodeLayout->addStretch();

    ItemTabSheet = new QWidget(pages);
    ItemTabSheet->setObjectName(QStringLiteral("ItemTabSheet"));
    auto *itemLayout = new QVBoxLayout(ItemTabSheet);
    itemLayout->addWidget(new QLabel(QStringLiteral("Název:"), ItemTabSheet));
    KatNameEdit = new QLineEdit(ItemTabSheet);
    KatNameEdit->setObjectName(QStringLiteral("KatNameEdit"));
    itemLayout->addWidget(KatNameEdit);
    // The grid brings its heading "Faktory", the factor captions and the boxes f01k1 … f13k4.
    Grid = new tree::CategoryGrid(ItemTabSheet);
    itemLayout->addWidget(Grid);
    itemLayout->addStretch();

    // Only displayed: the library is edited by exporting a document into it.
    NodeTabSheet->setEnabled(false);
    ItemTabSheet->setEnabled(false);
    for (QWidget *page : {NoneTabSheet, NodeTabSheet, ItemTabSheet})
        pages->addWidget(page);
}

void TLibForm::buildPopupMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    const auto add = [this](const char16_t *name, const QString &text, void (TLibForm::*slot)()) {
        QAction *action = PopupMenu1->addAction(text);
        action->setObjectName(QString::fromUtf16(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    Copy1 = add(u"Copy1", QStringLiteral("Kopírovat"), &TLibForm::Copy1Click);
    PopupMenu1->addSeparator();
    ExpandAll1 = add(u"ExpandAll1", QStringLiteral("Rozvinout vše"), &TLibForm::ExpandAll1Click);
    CollapseAll1 = add(u"CollapseAll1", QStringLiteral("Zabalit Vše"), &TLibForm::CollapseAll1Click);
    PopupMenu1->addSeparator();
    Sort1 = add(u"Sort1", QStringLiteral("Seřadit"), &TLibForm::Sort1Click);
    SortAll1 = add(u"SortAll1", QStringLiteral("Seřadit vše"), &TLibForm::SortAll1Click);
}

QTreeWidgetItem *TLibForm::itemOf(int index) const
{
    if (tree::DataTreeItem *item = m_nodes.at(index))
        return item;
    return tree::FindItemByIndex(*DataTreeNT, index);
}

void TLibForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TLibForm::FormShow()
{
    if (!m_firstShowPending)
        return;
    PageControl1->setCurrentWidget(NoneTabSheet);
    m_treeBuilding = true;
    m_samples.setFiltered(false);
    m_samples.setFilter(QString());
    tree::BuildTree(*DataTreeNT, m_samples, m_nodes, m_progress);
    for (QTreeWidgetItemIterator it(DataTreeNT); *it; ++it)
        (*it)->setCheckState(0, Qt::Unchecked);
    m_treeBuilding = false;
    m_findOpen = false;
    m_firstShowPending = false;
}

void TLibForm::DataTreeNTChange()
{
    if (m_treeBuilding)
        return;
    const tree::DataTreeItem *item = tree::DataTreeItem::from(DataTreeNT->currentItem());
    if (!item) {
        PageControl1->setCurrentWidget(NoneTabSheet);
        return;
    }
    showRecord(item->index());
}

void TLibForm::showRecord(int index)
{
    m_samples.setFiltered(false);
    m_samples.setFilter(QString());
    if (!m_samples.locate(QStringLiteral("Index"), index))
        return;
    if (m_samples.fieldInt(QStringLiteral("Type")) == 0) {
        PageControl1->setCurrentWidget(NodeTabSheet);
        NodeNameEdit->setText(m_samples.fieldText(QStringLiteral("Text")));
        return;
    }
    PageControl1->setCurrentWidget(ItemTabSheet);
    KatNameEdit->setText(m_samples.fieldText(QStringLiteral("Text")));
    for (const Factor &f : factorCatalogue())
        Grid->setMask(f.number, m_samples.fieldInt(f.fieldName));
}

void TLibForm::StoreBitBtnClick()
{
    const int destination = m_editing.selectedIndex();
    {
        tree::RepaintSuspender frozen(*DataTreeNT);
        Ticks ticks(*this);
        transferTickedSamples(m_samples, destination, m_editing, ticks, m_progress);
    }
    accept();
}

void TLibForm::CancelBitBtnClick()
{
    {
        tree::BusyCursor busy;
        for (QTreeWidgetItemIterator it(DataTreeNT); *it; ++it)
            (*it)->setCheckState(0, Qt::Unchecked);
    }
    FindDialog1->close();
    reject();
}

void TLibForm::closeEvent(QCloseEvent *event)
{
    // FormClose: the ticks stay for the next showing; only the find dialog goes.
    FindDialog1->close();
    m_findOpen = false;
    QDialog::closeEvent(event);
}

QList<QTreeWidgetItem *> TLibForm::allItems() const
{
    QList<QTreeWidgetItem *> items;
    for (QTreeWidgetItemIterator it(DataTreeNT); *it; ++it)
        items.append(*it);
    return items;
}

void TLibForm::FindSpeedButtonClick()
{
    if (m_findOpen) {
        FindDialog1->close();
        m_findOpen = false;
        return;
    }
    FindDialog1->show();
    FindDialog1->raise();
    m_findOpen = true;
    m_lastFound = false;
}

void TLibForm::FindDialog1Close()
{
    m_findOpen = false;
}

void TLibForm::FindDialog1Find()
{
    tree::BusyCursor busy;
    const QList<QTreeWidgetItem *> items = allItems();
    if (!DataTreeNT->currentItem() && !items.isEmpty())
        DataTreeNT->setCurrentItem(items.first());
    QStringList captions;
    for (const QTreeWidgetItem *item : items)
        captions.append(item->text(0));
    const int start = static_cast<int>(items.indexOf(DataTreeNT->currentItem()));
    const int hit = findCaption(captions, start, m_lastFound, FindDialog1->findText(), FindDialog1->options());
    m_lastFound = false;
    if (hit >= 0) {
        DataTreeNT->setCurrentItem(items.at(hit));
        DataTreeNT->scrollToItem(items.at(hit));
        m_lastFound = true;
    } else if (m_inform) {
        m_inform(FindDialog1, QStringLiteral("Nalezeno"), QStringLiteral("Nebyl nalezen další odpovídající záznam."));
    }
}

void TLibForm::PopupMenu1Popup(const QPoint &pos)
{
    QTreeWidgetItem *item = DataTreeNT->itemAt(pos);
    DataTreeNT->setCurrentItem(item);
    if (!item)
        DataTreeNT->clearSelection();
    for (QAction *action : {Copy1, ExpandAll1, CollapseAll1, Sort1, SortAll1})
        action->setEnabled(item != nullptr);
    PopupMenu1->popup(DataTreeNT->viewport()->mapToGlobal(pos));
}

void TLibForm::Copy1Click()
{
    const tree::DataTreeItem *item = tree::DataTreeItem::from(DataTreeNT->currentItem());
    if (item && m_copy)
        m_copy(m_samples, item->index());
}

void TLibForm::ExpandAll1Click()
{
    tree::BusyCursor busy;
    tree::RepaintSuspender frozen(*DataTreeNT);
    tree::expandBranch(*DataTreeNT, DataTreeNT->currentItem());
}

void TLibForm::CollapseAll1Click()
{
    tree::BusyCursor busy;
    tree::RepaintSuspender frozen(*DataTreeNT);
    tree::collapseBranch(*DataTreeNT, DataTreeNT->currentItem());
}

void TLibForm::Sort1Click()
{
    tree::BusyCursor busy;
    tree::RepaintSuspender frozen(*DataTreeNT);
    tree::sortLevel(*DataTreeNT, DataTreeNT->currentItem());
}

void TLibForm::SortAll1Click()
{
    tree::BusyCursor busy;
    tree::RepaintSuspender frozen(*DataTreeNT);
    tree::sortAll(*DataTreeNT);
}

} // namespace ergotab::library
