#include "EditLock.h"

#include <QAbstractButton>
#include <QAction>
#include <QWidget>

namespace ergotab::tree {

EditLock::EditLock(const Targets &targets)
    : m_store(targets.store)
    , m_cancel(targets.cancel)
{
    for (QAction *menu : targets.menus)
        m_menus.append(menu);
    for (QWidget *widget : targets.widgets)
        m_widgets.append(widget);
}

void EditLock::set(bool on)
{
    if (m_store)
        m_store->setEnabled(on);
    if (m_cancel)
        m_cancel->setEnabled(on);
    for (const auto &menu : m_menus)
        if (menu)
            menu->setEnabled(!on);
    for (const auto &widget : m_widgets)
        if (widget)
            widget->setEnabled(!on);
}

bool EditLock::isOn() const
{
    return m_store && m_store->isEnabled();
}

} // namespace ergotab::tree
