#pragma once

#include "OverallCategory.h"

#include <QWidget>

class QLabel;

namespace ergotab::tree {

// Beside the editor's grid: the overall category of the boxes as they are ticked now, as the
// tree's mark drawn large with the words and the factors that reach it below.
class OverallCategoryView : public QWidget
{
    Q_OBJECT
public:
    explicit OverallCategoryView(QWidget *parent = nullptr);

    void showCategory(const OverallCategory &overall);
    const OverallCategory &category() const { return m_overall; }
    QString text() const;

private:
    QLabel *m_mark;
    QLabel *m_text;
    OverallCategory m_overall;
};

} // namespace ergotab::tree
