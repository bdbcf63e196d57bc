#include "ClipboardCommands.h"

#include "storage/document/Document.h"
#include "tree/CategoryMarks.h"
#include "tree/DataTreeItem.h"
#include "tree/DocumentTree.h"
#include "tree/ObjectRecords.h"

#include <QScopeGuard>
#include <QTreeWidget>

namespace ergotab::tree {

ClipboardCommands::ClipboardCommands(DocumentTree &tree, QString clipboardFolder)
    : m_tree(tree)
    , m_clipboard(std::move(clipboardFolder))
{
}

void ClipboardCommands::Copy1Click()
{
    const DataTreeItem *selected = m_tree.selectedItem();
    if (!selected)
        return;
    Document &document = m_tree.document();
    m_clipboard.copyFrom(document.objects(), selected->index(), document.progressSink());
}

void ClipboardCommands::Paste1Click()
{
    Document &document = m_tree.document();
    const DataTreeItem *selected = m_tree.selectedItem();
    const int parent = placementParent(document.objects(), selected ? selected->index() : 0);

    QTreeWidget &widget = m_tree.widget();
    DocumentTree::BuildingScope building(m_tree);
    widget.setUpdatesEnabled(false);
    struct RepaintAgain
    {
        QTreeWidget &widget;
        ~RepaintAgain() { widget.setUpdatesEnabled(true); }
    } repaintAgain {widget};

    // The table stands on each pasted row as it is reported, so its masks are read there; the
    // categories of the pasted branch and above it are put right once, at the end.
    DataTreeItem *top = nullptr;
    const auto refresh = qScopeGuard([&top] { refreshBranchCategories(top); });
    m_clipboard.pasteInto(
        document, parent,
        [this, &document, &top](int index, int upLink, int type, const QString &text) {
            DataTreeItem *item = m_tree.addItem(index, upLink, type, text);
            if (item->isAssessment())
                item->setOwnCategory(overallCategory(readFactorMasks(document.objects())));
            if (!top)
                top = item;
        },
        document.progressSink());
}

} // namespace ergotab::tree
