#include "RecentFilesMenu.h"

#include <QAction>
#include <QMenu>

namespace ergotab {

RecentFilesMenu::RecentFilesMenu(QMenu *menu, QObject *parent)
    : QObject(parent)
    , m_menu(menu)
{
}

QString RecentFilesMenu::caption(int position, const QString &path)
{
    const QChar key = position < 9 ? QChar(u'1' + position) : QChar(u'A' + (position - 9));
    QString shown = path;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QLatin1Char('&') + key + QLatin1Char(' ') + shown;
}

void RecentFilesMenu::rebuild(const QStringList &paths)
{
    for (QAction *action : std::as_const(m_actions)) {
        m_menu->removeAction(action);
        action->deleteLater();
    }
    m_actions.clear();
    if (paths.isEmpty())
        return;

    m_actions.append(m_menu->addSeparator());
    for (int position = 0; position < paths.size(); ++position) {
        const QString path = paths.at(position);
        QAction *item = m_menu->addAction(caption(position, path));
        item->setData(path);
        connect(item, &QAction::triggered, this, [this, path] { emit chosen(path); });
        m_actions.append(item);
    }
}

} // namespace ergotab
