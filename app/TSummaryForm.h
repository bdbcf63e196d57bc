#pragma once

#include "tree/CategorySummary.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace ergotab {

// "Souhrn": assessments, employees and women per factor and category, for the whole document or
// the node selected in the tree, with a copy to the clipboard that spreadsheets take as a table.
class TSummaryForm : public QDialog
{
    Q_OBJECT

public:
    // `summarise` counts below an Index (0: the whole document). `selectedNode` is the Index and
    // the caption of the node selected in the tree; Index 0 when there is none.
    TSummaryForm(std::function<tree::CategorySummary(int rootIndex)> summarise, int selectedNode,
                 const QString &selectedCaption, QWidget *parent = nullptr);

    const tree::CategorySummary &summary() const { return m_summary; }

public slots:
    void CopyButtonClick();

private:
    void refresh();
    void fitToTable();

    std::function<tree::CategorySummary(int)> m_summarise;
    int m_selectedNode;
    tree::CategorySummary m_summary;
    QRadioButton *m_wholeDocument;
    QRadioButton *m_selected;
    QTableWidget *m_table;
    QLabel *m_totals;
};

} // namespace ergotab
