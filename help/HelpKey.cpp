#include "HelpKey.h"

#include "HelpViewer.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

namespace ergotab {

namespace {
constexpr char contextProperty[] = "ergotabHelpContext";
}

void installHelpKey(QWidget *window, int contextNumber)
{
    window->setProperty(contextProperty, contextNumber);
    auto *action = new QAction(window);
    action->setShortcut(QKeySequence::HelpContents);
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, window,
                     [window] { HelpViewer::showContext(window, helpKeyContext(window)); });
    window->addAction(action);
}

int helpKeyContext(const QWidget *window)
{
    return window->property(contextProperty).toInt();
}

void setHelpKeyContext(QWidget *window, int contextNumber)
{
    window->setProperty(contextProperty, contextNumber);
}

} // namespace ergotab
