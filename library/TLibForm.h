#pragma once

#include "core/LibraryTransfer.h"
#include "core/TreeSearch.h"
#include "tree/DocumentEditing.h"
#include "tree/NodeTable.h"

#include <QDialog>

#include <functional>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStackedWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace ergotab {
class ProgressSink;
namespace dbf {
class Table;
}
namespace tree {
class CategoryGrid;
}
} // namespace ergotab

namespace ergotab::library {

class TFindDialog;

// "Knihovna vzorů": the library's samples as a tree with a check box on every item (ticks
// independent of each other), the selected item shown on the right for reading only, "OK"
// to create the ticked items in the document, "Zavřít" to untick everything, a pop-up menu
// (copy to the subtree clipboard, expand, collapse, sort) and a find dialog. Built from
// LibTable on its first showing; later showings keep tree, selection and ticks.
class TLibForm : public QDialog
{
    Q_OBJECT
public:
    // Whatever a window needs to tell the user: title and text of an information box.
    using Inform = std::function<void(QWidget *parent, const QString &title, const QString &text)>;
    using CopyToClipboard = std::function<void(dbf::Table &samples, int index)>;

    TLibForm(dbf::Table &samples, DocumentEditing &editing, QWidget *parent = nullptr);
    ~TLibForm() override;

    void setInform(Inform inform) { m_inform = std::move(inform); }
    void setCopyToClipboard(CopyToClipboard copy) { m_copy = std::move(copy); }
    void setProgress(ProgressSink *progress) { m_progress = progress; }

    QTreeWidget *tree() const { return DataTreeNT; }
    TFindDialog *findDialog() const { return FindDialog1; }
    bool isFindDialogOpen() const { return m_findOpen; }
    // The item of a library Index; nullptr when there is none.
    QTreeWidgetItem *itemOf(int index) const;

public slots:
    void FormShow();
    void DataTreeNTChange();
    void StoreBitBtnClick();
    void CancelBitBtnClick();
    void FindSpeedButtonClick();
    void FindDialog1Find();
    void FindDialog1Close();
    void PopupMenu1Popup(const QPoint &pos);
    void Copy1Click();
    void ExpandAll1Click();
    void CollapseAll1Click();
    void Sort1Click();
    void SortAll1Click();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    class Ticks;
    void buildWindow();
    void buildPages(QStackedWidget *pages);
    void buildPopupMenu();
    void showRecord(int index);
    QList<QTreeWidgetItem *> allItems() const;

    dbf::Table &m_samples;
    DocumentEditing &m_editing;
    Inform m_inform;
    CopyToClipboard m_copy;
    ProgressSink *m_progress = nullptr;
    tree::NodeTable m_nodes;

    bool m_firstShowPending = true;
    bool m_treeBuilding = true;
    bool m_findOpen = false;
    bool m_lastFound = false;

    QTreeWidget *DataTreeNT = nullptr;
    QToolButton *FindSpeedButton = nullptr;
    QStackedWidget *PageControl1 = nullptr;
    QWidget *NoneTabSheet = nullptr;
    QWidget *NodeTabSheet = nullptr;
    QWidget *ItemTabSheet = nullptr;
    QLineEdit *NodeNameEdit = nullptr;
    QLineEdit *KatNameEdit = nullptr;
    tree::CategoryGrid *Grid = nullptr;
    QPushButton *StoreBitBtn = nullptr;
    QPushButton *CancelBitBtn = nullptr;
    TFindDialog *FindDialog1 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *Copy1 = nullptr;
    QAction *ExpandAll1 = nullptr;
    QAction *CollapseAll1 = nullptr;
    QAction *Sort1 = nullptr;
    QAction *SortAll1 = nullptr;
};

} // namespace ergotab::library
