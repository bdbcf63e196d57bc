#include "DesignerHost.h"

#include <QAction>
#include <QWidget>

namespace ergotab::report::designer {

void installDesignerHelp(QWidget *window, const DesignerHost &host, DesignerHelp topic)
{
    if (!host.showHelp)
        return;
    auto *action = new QAction(window);
    action->setShortcut(QKeySequence::HelpContents);
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, window,
                     [window, show = host.showHelp, topic] { show(window, topic); });
    window->addAction(action);
}

} // namespace ergotab::report::designer
