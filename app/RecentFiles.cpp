#include "RecentFiles.h"

#include <QSettings>

namespace ergotab {

static QString itemKey(int position)
{
    return QStringLiteral("Item_%1").arg(position);
}

void RecentFiles::add(const QString &path)
{
    if (path.isEmpty())
        return;
    remove(path);
    m_paths.prepend(path);
    while (m_paths.size() > Capacity)
        m_paths.removeLast();
}

void RecentFiles::remove(const QString &path)
{
    m_paths.removeIf([&](const QString &entry) { return entry.compare(path, Qt::CaseInsensitive) == 0; });
}

QString RecentFiles::settingsGroup()
{
    return QStringLiteral("TMainForm.MRUManager1");
}

void RecentFiles::load(QSettings &settings)
{
    m_paths.clear();
    settings.beginGroup(settingsGroup());
    for (int position = Capacity - 1; position >= 0; --position)
        add(settings.value(itemKey(position)).toString());
    settings.endGroup();
}

void RecentFiles::save(QSettings &settings) const
{
    settings.beginGroup(settingsGroup());
    settings.remove(QString());
    for (int position = 0; position < m_paths.size(); ++position)
        settings.setValue(itemKey(position), m_paths.at(position));
    settings.endGroup();
}

} // namespace ergotab
