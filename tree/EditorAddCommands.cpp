#include "EditorAddCommands.h"

#include "BuildTree.h"
#include "CategoryGrid.h"
#include "DataTreeItem.h"
#include "DocumentTree.h"
#include "RecordEditor.h"
#include "StructureCommands.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

namespace ergotab::tree {

EditorAddCommands::EditorAddCommands(DocumentTree &tree, StructureCommands &commands, RecordEditor &editor)
    : m_tree(tree)
    , m_commands(commands)
    , m_editor(editor)
{
}

void EditorAddCommands::selectItem(int index)
{
    // The editor follows the selection as it does for a click.
    m_tree.select(index > 0 ? FindItemByIndex(m_tree.widget(), index) : nullptr);
}

int EditorAddCommands::selectedIndex() const
{
    const DataTreeItem *item = m_tree.selectedItem();
    return item ? item->index() : 0;
}

int EditorAddCommands::addNode(const QString &name)
{
    m_commands.AddNodeSpeedButtonClick();
    m_editor.controls().NodeNameEdit->setText(name);
    m_editor.StoreBitBtnClick();
    return selectedIndex();
}

int EditorAddCommands::addAssessment(const QString &name, const FactorMasks &masks)
{
    m_commands.AddKatSpeedButtonClick();
    const EditorControls &c = m_editor.controls();
    c.KatNameEdit->setText(name);
    for (int f = 1; f <= static_cast<int>(masks.size()); ++f)
        c.Grid->setMask(f, masks[f - 1]);
    // A new record loads empty; set anyway, so nothing the editor held can leak into it.
    c.PracSpinEdit->setValue(0);
    c.ZenSpinEdit->setValue(0);
    for (QPlainTextEdit *memo : {c.PopisMemo, c.MereniMemo, c.OpatreniMemo})
        memo->clear();
    m_editor.StoreBitBtnClick();
    return selectedIndex();
}

} // namespace ergotab::tree
