#pragma once

class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QMenuBar;
class QPushButton;
class QSplitter;
class QStackedWidget;
class QStatusBar;
class QToolButton;
class QTreeWidget;
class QWidget;

namespace ergotab {

// The controls of the main window, each with the object name of the form design, built once
// by setupUi. The window's behaviour lives in TMainForm and in the command classes; the tree
// and editor parts fill DataTreeNT, NodeTabSheet and ItemTabSheet.
struct MainFormUi
{
    // Main menu
    QMenuBar *MainMenu1 = nullptr;
    QMenu *File1 = nullptr;
    QAction *New1 = nullptr;
    QAction *Open1 = nullptr;
    QAction *Save1 = nullptr;
    QAction *SaveAs1 = nullptr;
    QAction *N1 = nullptr;
    QAction *Exit1 = nullptr;
    QMenu *Workers1 = nullptr; // present but never shown
    QAction *Editovat1 = nullptr;
    QMenu *Sestavy1 = nullptr; // one item per report template
    QMenu *Zobrazit1 = nullptr;
    QAction *Souhrn1 = nullptr; // the summary of categories
    QMenu *Help1 = nullptr;
    QAction *Index1 = nullptr;
    QAction *N2 = nullptr;
    QAction *Oprogramu1 = nullptr;
    QMenu *Administrace1 = nullptr; // administrator mode only
    QAction *Exportujknihovnu1 = nullptr;
    QAction *Editacevzoruopatreni1 = nullptr;
    QAction *ModifyReport1 = nullptr;

    // Left: the tree and the button bar under it
    QSplitter *Splitter1 = nullptr;
    QWidget *Panel1 = nullptr;
    QTreeWidget *DataTreeNT = nullptr;
    QWidget *ButtonBar = nullptr;
    QToolButton *AddNodeSpeedButton = nullptr;
    QToolButton *AddKatSpeedButton = nullptr;
    QToolButton *AddLibSpeedButton = nullptr;
    QToolButton *WizardSpeedButton1 = nullptr;
    QToolButton *DeleteSpeedButton = nullptr;

    // Right: the pages of the selected record and the store/cancel bar
    QWidget *Panel3 = nullptr;
    QStackedWidget *PageControl1 = nullptr;
    QWidget *NoneTabSheet = nullptr;
    QWidget *NodeTabSheet = nullptr;
    QWidget *ItemTabSheet = nullptr;
    QWidget *Panel4 = nullptr;
    QLabel *AdminRxLabel = nullptr;
    QPushButton *StoreBitBtn = nullptr;
    QPushButton *CancelBitBtn = nullptr;

    QStatusBar *StatusBar1 = nullptr;

    void setupUi(QMainWindow *window);

private:
    void setupMenus(QMainWindow *window);
    void setupTreePanel(QWidget *parent);
    void setupEditorPanel(QWidget *parent);
};

} // namespace ergotab
