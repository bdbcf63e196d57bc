#pragma once

#include <QObject>
#include <QPoint>

#include <functional>

class QAbstractButton;
class QAction;
class QMenu;

namespace ergotab::tree {

class DocumentTree;
class StructureCommands;

// PopupMenu1, the tree's context menu. The wizard, library, copy and paste items belong to
// their own commands: the first two press their buttons, the other two call whatever the
// clipboard installs.
class TreeContextMenu : public QObject
{
    Q_OBJECT
public:
    TreeContextMenu(DocumentTree &tree, StructureCommands &commands, QObject *parent = nullptr);
    ~TreeContextMenu() override;

    QMenu *menu() const { return m_menu; }
    QAction *action(const QString &objectName) const;

    void setWizardButton(QAbstractButton *button) { m_wizardButton = button; }
    void setLibraryButton(QAbstractButton *button) { m_libraryButton = button; }
    // Copy1Click and Paste1Click, and whether the clipboard holds rows to paste.
    void setClipboardCommands(std::function<void()> copy, std::function<void()> paste, std::function<bool()> hasRows);

    // PopupMenu1Popup: selects the item under the position (nothing over empty space), which
    // loads the editor as any selection change does, and enables the items.
    void PopupMenu1Popup(const QPoint &viewportPos);
    // Prepares the menu and shows it at the position.
    void popup(const QPoint &viewportPos);

private:
    QAction *addItem(const QString &name, const QString &caption);

    DocumentTree &m_tree;
    QMenu *m_menu;
    QAbstractButton *m_wizardButton = nullptr;
    QAbstractButton *m_libraryButton = nullptr;
    std::function<void()> m_copy;
    std::function<void()> m_paste;
    std::function<bool()> m_clipboardHasRows;
};

} // namespace ergotab::tree
