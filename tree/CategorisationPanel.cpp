#include "CategorisationPanel.h"

#include "DataTreeBehaviour.h"
#include "DocumentTree.h"
#include "EditorAddCommands.h"
#include "StructureCommands.h"
#include "TreeContextMenu.h"

#include <QAbstractButton>
#include <QTreeWidget>

namespace ergotab::tree {

CategorisationPanel::CategorisationPanel(const CategorisationWidgets &w, Document &document, Confirm confirm,
                                         QObject *parent)
    : QObject(parent)
    , m_tree(std::make_unique<DocumentTree>(*w.DataTreeNT, document))
    , m_editor(std::make_unique<RecordEditor>(*m_tree, w.pages, w.lock))
    , m_commands(std::make_unique<StructureCommands>(*m_tree, *m_editor, std::move(confirm)))
    , m_menu(std::make_unique<TreeContextMenu>(*m_tree, *m_commands))
    , m_editing(std::make_unique<EditorAddCommands>(*m_tree, *m_commands, *m_editor))
    , m_behaviour(new DataTreeBehaviour(*w.DataTreeNT))
{
    // DataTreeNTChange
    connect(m_tree.get(), &DocumentTree::selectionChanged, m_editor.get(), &RecordEditor::LoadEditor);

    ItemMover &mover = m_commands->mover();
    m_behaviour->setDropHandlers(
        [&mover](const DataTreeItem *dragged, const QTreeWidgetItem *target) {
            return mover.DataTreeNTDragOver(dragged, target);
        },
        [&mover](DataTreeItem *dragged, QTreeWidgetItem *target) { mover.DataTreeNTDragDrop(dragged, target); });
    connect(m_behaviour, &DataTreeBehaviour::contextMenuRequested, m_menu.get(), &TreeContextMenu::popup);

    if (w.lock.store)
        connect(w.lock.store, &QAbstractButton::clicked, m_editor.get(), &RecordEditor::StoreBitBtnClick);
    if (w.lock.cancel)
        connect(w.lock.cancel, &QAbstractButton::clicked, m_editor.get(), &RecordEditor::CancelBitBtnClick);
    if (w.AddNodeSpeedButton)
        connect(w.AddNodeSpeedButton, &QAbstractButton::clicked, m_commands.get(),
                &StructureCommands::AddNodeSpeedButtonClick);
    if (w.AddKatSpeedButton)
        connect(w.AddKatSpeedButton, &QAbstractButton::clicked, m_commands.get(),
                &StructureCommands::AddKatSpeedButtonClick);
    if (w.DeleteSpeedButton)
        connect(w.DeleteSpeedButton, &QAbstractButton::clicked, m_commands.get(),
                &StructureCommands::DeleteSpeedButtonClick);
    m_menu->setWizardButton(w.WizardSpeedButton1);
    m_menu->setLibraryButton(w.AddLibSpeedButton);

    m_editor->SetEditLock(false);
    m_editor->LoadEditor();
}

CategorisationPanel::~CategorisationPanel() = default;

DocumentEditing &CategorisationPanel::editing()
{
    return *m_editing;
}

void CategorisationPanel::rebuildTree()
{
    m_tree->rebuild();
    m_editor->LoadEditor();
}

void CategorisationPanel::clearTree()
{
    m_tree->clear();
}

} // namespace ergotab::tree
