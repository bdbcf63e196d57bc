#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

class QAction;
class QMenu;

namespace ergotab {

// The recent documents at the foot of the "Soubor" menu, below its last fixed item: a separator
// and one item per path, "&1 path" to "&9 path" and "&A path" for the tenth.
class RecentFilesMenu : public QObject
{
    Q_OBJECT
public:
    RecentFilesMenu(QMenu *menu, QObject *parent = nullptr);

    void rebuild(const QStringList &paths);
    const QList<QAction *> &actions() const { return m_actions; }

    // "&1 " … "&9 ", "&A " followed by the path; an ampersand in the path is shown as itself.
    static QString caption(int position, const QString &path);

signals:
    void chosen(const QString &path);

private:
    QMenu *m_menu;
    QList<QAction *> m_actions; // separator first, then the items
};

} // namespace ergotab
