#pragma once

#include <QStringList>

class QSettings;

namespace ergotab {

// The recently used documents: at most ten full paths, newest first, compared without regard
// to letter case.
class RecentFiles
{
public:
    static constexpr int Capacity = 10;

    // Puts the path at the top; an entry equal to it (in any letter case) moves there and takes
    // the new spelling, and the oldest entry drops out beyond the capacity.
    void add(const QString &path);
    void remove(const QString &path);
    void clear() { m_paths.clear(); }

    const QStringList &paths() const { return m_paths; }
    bool isEmpty() const { return m_paths.isEmpty(); }
    int size() const { return int(m_paths.size()); }

    // Settings section "TMainForm.MRUManager1": string values "Item_0" (newest) to "Item_9".
    static QString settingsGroup();
    // Reads positions 9 down to 0, each non-empty value added at the top, so position 0 ends
    // first. Replaces the current list.
    void load(QSettings &settings);
    // Erases the whole section (including the "User_%d" numbers older versions kept beside the
    // items) and writes "Item_0" onwards from the list.
    void save(QSettings &settings) const;

private:
    QStringList m_paths;
};

} // namespace ergotab
