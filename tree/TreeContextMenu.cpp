#include "TreeContextMenu.h"

#include "DocumentTree.h"
#include "StructureCommands.h"

#include <QAbstractButton>
#include <QMenu>
#include <QTreeWidget>

namespace ergotab::tree {

TreeContextMenu::TreeContextMenu(DocumentTree &tree, StructureCommands &commands, QObject *parent)
    : QObject(parent)
    , m_tree(tree)
    , m_menu(new QMenu(&tree.widget()))
{
    m_menu->setObjectName(QStringLiteral("PopupMenu1"));
    connect(addItem(QStringLiteral("InsertNode1"), QStringLiteral("Přidat uzel")), &QAction::triggered, &commands,
            &StructureCommands::AddNodeSpeedButtonClick);
    connect(addItem(QStringLiteral("InsertData1"), QStringLiteral("Přidat hodnocení")), &QAction::triggered, &commands,
            &StructureCommands::AddKatSpeedButtonClick);
    connect(addItem(QStringLiteral("InsertWizard1"), QStringLiteral("Přidat průvodcem")), &QAction::triggered, this,
            [this] {
                if (m_wizardButton)
                    m_wizardButton->click();
            });
    connect(addItem(QStringLiteral("InsertFromLibrary1"), QStringLiteral("Přidat z knihovny")), &QAction::triggered,
            this, [this] {
                if (m_libraryButton)
                    m_libraryButton->click();
            });
    m_menu->addSeparator();
    connect(addItem(QStringLiteral("Delete1"), QStringLiteral("Vymazat")), &QAction::triggered, &commands,
            &StructureCommands::DeleteSpeedButtonClick);
    m_menu->addSeparator();
    connect(addItem(QStringLiteral("Copy1"), QStringLiteral("Kopírovat")), &QAction::triggered, this, [this] {
        if (m_copy)
            m_copy();
    });
    connect(addItem(QStringLiteral("Paste1"), QStringLiteral("Vložit")), &QAction::triggered, this, [this] {
        if (m_paste)
            m_paste();
    });
    m_menu->addSeparator();
    connect(addItem(QStringLiteral("ExpandAll1"), QStringLiteral("Rozvinout vše")), &QAction::triggered, &commands,
            &StructureCommands::ExpandAll1Click);
    connect(addItem(QStringLiteral("CollapseAll1"), QStringLiteral("Zabalit Vše")), &QAction::triggered, &commands,
            &StructureCommands::CollapseAll1Click);
    m_menu->addSeparator();
    connect(addItem(QStringLiteral("Sort1"), QStringLiteral("Seřadit")), &QAction::triggered, &commands,
            &StructureCommands::Sort1Click);
    connect(addItem(QStringLiteral("SortAll1"), QStringLiteral("Seřadit vše")), &QAction::triggered, &commands,
            &StructureCommands::SortAll1Click);
}

TreeContextMenu::~TreeContextMenu() = default;

QAction *TreeContextMenu::addItem(const QString &name, const QString &caption)
{
    QAction *action = m_menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

QAction *TreeContextMenu::action(const QString &objectName) const
{
    return m_menu->findChild<QAction *>(objectName);
}

void TreeContextMenu::setClipboardCommands(std::function<void()> copy, std::function<void()> paste,
                                           std::function<bool()> hasRows)
{
    m_copy = std::move(copy);
    m_paste = std::move(paste);
    m_clipboardHasRows = std::move(hasRows);
}

void TreeContextMenu::PopupMenu1Popup(const QPoint &viewportPos)
{
    QTreeWidget &widget = m_tree.widget();
    m_tree.select(widget.itemAt(viewportPos));

    const bool selected = m_tree.selectedItem() != nullptr;
    for (const char *name : {"Delete1", "Copy1", "ExpandAll1", "CollapseAll1", "Sort1", "SortAll1"})
        action(QString::fromLatin1(name))->setEnabled(selected);
    action(QStringLiteral("Paste1"))->setEnabled(m_clipboardHasRows && m_clipboardHasRows());
    for (const char *name : {"InsertNode1", "InsertData1", "InsertWizard1", "InsertFromLibrary1"})
        action(QString::fromLatin1(name))->setEnabled(true);
}

void TreeContextMenu::popup(const QPoint &viewportPos)
{
    PopupMenu1Popup(viewportPos);
    m_menu->popup(m_tree.widget().viewport()->mapToGlobal(viewportPos));
}

} // namespace ergotab::tree
