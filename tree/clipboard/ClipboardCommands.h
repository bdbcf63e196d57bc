#pragma once

#include "SubtreeClipboard.h"

namespace ergotab {
class Document;
}

namespace ergotab::tree {

class DocumentTree;

// "Kopírovat" and "Vložit" of the tree's context menu.
class ClipboardCommands
{
public:
    ClipboardCommands(DocumentTree &tree, QString clipboardFolder);

    SubtreeClipboard &clipboard() { return m_clipboard; }

    // Copies the selected item's subtree into the clipboard.
    void Copy1Click();
    // Pastes the clipboard under the selected item by the placement rule. The selection and
    // the editor stay as they were.
    void Paste1Click();
    bool ClipboardHasRows() const { return m_clipboard.ClipboardHasRows(); }

private:
    DocumentTree &m_tree;
    SubtreeClipboard m_clipboard;
};

} // namespace ergotab::tree
