#pragma once

#include <QList>
#include <QPointer>

class QAbstractButton;
class QAction;
class QWidget;

namespace ergotab::tree {

// The editing state of the window: while the editor holds changes, "Uložit" and "Zrušit" are
// the only way on; the menus, the tree panel and its buttons are disabled. Changes are
// pending exactly while the store button is enabled.
class EditLock
{
public:
    struct Targets
    {
        QAbstractButton *store = nullptr;
        QAbstractButton *cancel = nullptr;
        QList<QAction *> menus;   // the main menu's entries (a menu's menuAction)
        QList<QWidget *> widgets; // the tree panel and the buttons under the tree
    };

    EditLock() = default;
    explicit EditLock(const Targets &targets);

    // SetEditLock
    void set(bool on);
    bool isOn() const;

private:
    QPointer<QAbstractButton> m_store;
    QPointer<QAbstractButton> m_cancel;
    QList<QPointer<QAction>> m_menus;
    QList<QPointer<QWidget>> m_widgets;
};

} // namespace ergotab::tree
