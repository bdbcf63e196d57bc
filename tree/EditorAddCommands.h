#pragma once

#include "DocumentEditing.h"

namespace ergotab::tree {

class DocumentTree;
class RecordEditor;
class StructureCommands;

// DocumentEditing on the categorisation panel: "Přidat uzel" or "Přidat hodnocení", the
// editor's controls filled, then "Uložit", as a user would do it.
class EditorAddCommands : public DocumentEditing
{
public:
    EditorAddCommands(DocumentTree &tree, StructureCommands &commands, RecordEditor &editor);

    int selectedIndex() const override;
    void selectItem(int index) override;
    int addNode(const QString &name) override;
    int addAssessment(const QString &name, const FactorMasks &masks) override;

private:
    DocumentTree &m_tree;
    StructureCommands &m_commands;
    RecordEditor &m_editor;
};

} // namespace ergotab::tree
