#pragma once

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTabWidget;
class QWidget;

namespace ergotab::tree {

class CategoryGrid;
class OverallCategoryView;

// The editor's controls, each with the object name of the form design.
struct EditorControls
{
    // NodeTabSheet
    QLineEdit *NodeNameEdit = nullptr;
    // ItemTabSheet
    QTabWidget *PageControl2 = nullptr;
    QWidget *ItemKatTabSheet = nullptr;
    QWidget *TabSheet2 = nullptr;
    QLineEdit *KatNameEdit = nullptr;
    CategoryGrid *Grid = nullptr;
    OverallCategoryView *OverallCategory = nullptr; // follows the grid's boxes as they are ticked
    QSpinBox *PracSpinEdit = nullptr;
    QSpinBox *ZenSpinEdit = nullptr;
    QSplitter *MemoSplitter = nullptr;
    QPlainTextEdit *PopisMemo = nullptr;
    QPlainTextEdit *MereniMemo = nullptr;
    QPlainTextEdit *OpatreniMemo = nullptr;
    QPushButton *VzorButton = nullptr;
};

// Fills the two (empty) pages given by the main window: the node page with "Název" and its
// edit, the assessment page with the tabs "Kategorie" and "Komentáře" on the right.
EditorControls buildEditorPages(QWidget *nodePage, QWidget *itemPage);

} // namespace ergotab::tree
