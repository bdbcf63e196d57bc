#pragma once

#include "OverallCategory.h"

#include <QTreeWidgetItem>

namespace ergotab::tree {

// One item of the categorisation tree: the record's Index as its data, and the image that
// the tree shows for it both selected and unselected. The second column shows the overall
// category: an assessment's own, a node's the highest of everything below it.
class DataTreeItem : public QTreeWidgetItem
{
public:
    static constexpr int ItemType = QTreeWidgetItem::UserType + 1;
    static constexpr int CategoryColumn = 1;

    DataTreeItem(int index, int image, const QString &caption);

    int index() const { return m_index; }
    int image() const { return m_image; }
    void setImage(int image);
    bool isAssessment() const;

    // The assessment's own overall category, as its stored masks give it (nodes keep none).
    const OverallCategory &ownCategory() const { return m_own; }
    void setOwnCategory(const OverallCategory &own) { m_own = own; }
    // What the second column shows: the highest of the own category and of the children's.
    // Kept by the functions of CategoryMarks.h.
    int shownCategory() const { return m_shown; }
    void setShownCategory(int category);

    // The tool-tip is the item's path with every name in full: names are cut short where the
    // tree is narrow.
    QVariant data(int column, int role) const override;

    // Captions in the order of the Czech collation: "č" beside "c", not after "z".
    bool operator<(const QTreeWidgetItem &other) const override;

    // nullptr for an item some other code put into the tree.
    static DataTreeItem *from(QTreeWidgetItem *item);
    static const DataTreeItem *from(const QTreeWidgetItem *item);

private:
    QVariant categoryData(int role) const;

    int m_index;
    int m_image;
    OverallCategory m_own;
    int m_shown = 0;
};

// Czech collation of two captions (<0, 0, >0), shared by every sorted tree of the program.
int compareCaptions(const QString &a, const QString &b);

} // namespace ergotab::tree
