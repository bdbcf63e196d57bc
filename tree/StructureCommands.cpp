#include "StructureCommands.h"

#include "DataTreeItem.h"
#include "DocumentTree.h"
#include "ObjectRecords.h"
#include "RecordEditor.h"
#include "SubtreeDeleter.h"
#include "TreeArrangement.h"
#include "UiGuards.h"

#include "storage/document/Document.h"

#include <QCoreApplication>
#include <QTreeWidget>

namespace ergotab::tree {

StructureCommands::StructureCommands(DocumentTree &tree, RecordEditor &editor, Confirm confirm, QObject *parent)
    : QObject(parent)
    , m_tree(tree)
    , m_editor(editor)
    , m_confirm(std::move(confirm))
    , m_mover(tree)
{
}

int StructureCommands::addRecord(int type)
{
    DocumentTree::BuildingScope building(m_tree);
    Document &document = m_tree.document();
    const DataTreeItem *selected = m_tree.selectedItem();
    const int upLink = placementParent(document.objects(), selected ? selected->index() : 0);
    const int index = NewObjectRecord(document, type, upLink);
    m_tree.select(m_tree.addItem(index, upLink, type, QString()));
    return index;
}

void StructureCommands::AddNodeSpeedButtonClick()
{
    addRecord(NodeType);
    m_editor.LoadEditor();
    m_editor.focusNodeName();
    m_tree.widget().viewport()->update();
}

void StructureCommands::AddKatSpeedButtonClick()
{
    addRecord(AssessmentType);
    m_editor.LoadEditor();
    m_editor.focusAssessmentName();
    m_tree.widget().viewport()->update();
}

void StructureCommands::DeleteSpeedButtonClick()
{
    if (!m_tree.selectedItem())
        return;
    if (!m_confirm || !m_confirm(QStringLiteral("Vymazat"), QStringLiteral("Opravdu vymazat?")))
        return;
    deleteSelected();
}

void StructureCommands::deleteSelected()
{
    BusyCursor busy;
    // The deletion lets window events run so the window keeps painting; no click or key may
    // move the selection or the tables' cursors meanwhile.
    UserInputBlocker blockInput;
    DataTreeItem *item = m_tree.selectedItem();
    const int d = item->index();
    Document &document = m_tree.document();

    SubtreeDeleter deleter(document, m_tree.nodes());
    deleter.setLevelHook([] { QCoreApplication::processEvents(); });
    try {
        deleter.deleteRecord(d);
    } catch (...) {
        // Some rows may be gone and others not: the tree is read again from what is left.
        if (deleter.deletedObjectRows() > 0)
            document.setModified(true);
        m_tree.rebuild();
        m_editor.LoadEditor();
        throw;
    }

    // The tree follows the table before packing, so a failed pack leaves both in step.
    m_tree.removeItem(item);
    // The control moves the current item on by itself; it is shown selected as well.
    if (QTreeWidgetItem *now = m_tree.widget().currentItem()) {
        DocumentTree::BuildingScope building(m_tree);
        now->setSelected(true);
    }
    if (deleter.deletedObjectRows() > 0)
        document.setModified(true);
    try {
        packTable(document.objects());
        packTable(document.links());
    } catch (...) {
        m_editor.LoadEditor();
        throw;
    }
    m_editor.LoadEditor();
}

void StructureCommands::ExpandAll1Click()
{
    expandBranch(m_tree.widget(), m_tree.widget().currentItem());
}

void StructureCommands::CollapseAll1Click()
{
    collapseBranch(m_tree.widget(), m_tree.widget().currentItem());
}

void StructureCommands::Sort1Click()
{
    sortLevel(m_tree.widget(), m_tree.widget().currentItem());
}

void StructureCommands::SortAll1Click()
{
    sortAll(m_tree.widget());
}

} // namespace ergotab::tree
