#pragma once

#include "Confirm.h"
#include "DocumentEditing.h"
#include "EditLock.h"
#include "RecordEditor.h"

#include <QObject>

#include <memory>

class QAbstractButton;
class QTreeWidget;

namespace ergotab {
class Document;
}

namespace ergotab::tree {

class DataTreeBehaviour;
class DocumentTree;
class EditorAddCommands;
class StructureCommands;
class TreeContextMenu;

// The widgets of the main window the categorisation tree works on.
struct CategorisationWidgets
{
    QTreeWidget *DataTreeNT = nullptr;
    EditorPageSet pages;
    // StoreBitBtn, CancelBitBtn, the five main menus, Panel1 and the five buttons.
    EditLock::Targets lock;
    QAbstractButton *AddNodeSpeedButton = nullptr;
    QAbstractButton *AddKatSpeedButton = nullptr;
    QAbstractButton *AddLibSpeedButton = nullptr;
    QAbstractButton *WizardSpeedButton1 = nullptr;
    QAbstractButton *DeleteSpeedButton = nullptr;
};

// The tree, the editor and the structure commands put together on the main window's widgets
// and wired to its buttons and the tree's notifications, so that the window only creates it.
class CategorisationPanel : public QObject
{
    Q_OBJECT
public:
    CategorisationPanel(const CategorisationWidgets &widgets, Document &document, Confirm confirm,
                        QObject *parent = nullptr);
    ~CategorisationPanel() override;

    DocumentTree &tree() { return *m_tree; }
    RecordEditor &editor() { return *m_editor; }
    StructureCommands &commands() { return *m_commands; }
    TreeContextMenu &contextMenu() { return *m_menu; }
    // The add and store commands as the wizard and the library use them.
    DocumentEditing &editing();

    // After start-up, New and Open: the tree built from the document, the editor showing the
    // selection (nothing, since a built tree selects nothing).
    void rebuildTree();
    // Empties the tree and its node table.
    void clearTree();

private:
    std::unique_ptr<DocumentTree> m_tree;
    std::unique_ptr<RecordEditor> m_editor;
    std::unique_ptr<StructureCommands> m_commands;
    std::unique_ptr<TreeContextMenu> m_menu;
    std::unique_ptr<EditorAddCommands> m_editing;
    DataTreeBehaviour *m_behaviour = nullptr;
};

} // namespace ergotab::tree
