#pragma once

#include "Confirm.h"
#include "ItemMover.h"

#include <QObject>

namespace ergotab::tree {

class DocumentTree;
class RecordEditor;

// The commands that change the tree's shape, offered by the buttons under the tree and by
// its context menu: add a node or an assessment, delete with everything below, move (through
// ItemMover), and the display commands expand, collapse and sort.
class StructureCommands : public QObject
{
    Q_OBJECT
public:
    StructureCommands(DocumentTree &tree, RecordEditor &editor, Confirm confirm, QObject *parent = nullptr);

    ItemMover &mover() { return m_mover; }

    // Appends a record of the type where the placement rule puts it, adds its item (empty
    // caption) as the last child of its parent's item and selects it without loading the
    // editor. Returns the new Index.
    int addRecord(int type);

public slots:
    void AddNodeSpeedButtonClick();
    void AddKatSpeedButtonClick();
    void DeleteSpeedButtonClick();
    void ExpandAll1Click();
    void CollapseAll1Click();
    void Sort1Click();
    void SortAll1Click();

private:
    void deleteSelected();

    DocumentTree &m_tree;
    RecordEditor &m_editor;
    Confirm m_confirm;
    ItemMover m_mover;
};

} // namespace ergotab::tree
