#include "MainFormUi.h"

#include "ButtonIcons.h"
#include "ProductLabels.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace ergotab {

namespace {

template <typename T> T *named(T *object, const char *name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

QMenu *addMenu(QMenuBar *bar, const QString &title, const char *name)
{
    return named(bar->addMenu(title), name);
}

QAction *addItem(QMenu *menu, const QString &text, const char *name)
{
    return named(menu->addAction(text), name);
}

// The platform's keys for a standard command; where the platform has none (Quit on Windows),
// the fallback, so the same keys work everywhere.
void setStandardShortcut(QAction *action, QKeySequence::StandardKey key, const QKeySequence &fallback = {})
{
    const QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (!keys.isEmpty())
        action->setShortcuts(keys);
    else if (!fallback.isEmpty())
        action->setShortcut(fallback);
}

QToolButton *speedButton(QWidget *parent, ButtonIcon icon, const QString &hint, const char *name)
{
    auto *button = named(new QToolButton(parent), name);
    button->setIcon(buttonIcon(icon));
    button->setIconSize(QSize(20, 20));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    return button;
}

} // namespace

void MainFormUi::setupUi(QMainWindow *window)
{
    window->setObjectName(QStringLiteral("MainForm"));
    setupMenus(window);

    Splitter1 = named(new QSplitter(Qt::Horizontal, window), "Splitter1");
    Splitter1->setChildrenCollapsible(false);
    Panel1 = named(new QWidget(Splitter1), "Panel1");
    Panel3 = named(new QWidget(Splitter1), "Panel3");
    setupTreePanel(Panel1);
    setupEditorPanel(Panel3);
    Splitter1->addWidget(Panel1);
    Splitter1->addWidget(Panel3);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    window->setCentralWidget(Splitter1);

    StatusBar1 = named(new QStatusBar(window), "StatusBar1");
    window->setStatusBar(StatusBar1);
}

void MainFormUi::setupMenus(QMainWindow *window)
{
    MainMenu1 = named(new QMenuBar(window), "MainMenu1");
    window->setMenuBar(MainMenu1);

    File1 = addMenu(MainMenu1, QStringLiteral("&Soubor"), "File1");
    New1 = addItem(File1, QStringLiteral("&Nový"), "New1");
    Open1 = addItem(File1, QStringLiteral("&Otevřít..."), "Open1");
    Save1 = addItem(File1, QStringLiteral("&Uložit"), "Save1");
    SaveAs1 = addItem(File1, QStringLiteral("Uložit j&ako..."), "SaveAs1");
    N1 = named(File1->addSeparator(), "N1");
    Exit1 = addItem(File1, QStringLiteral("Konec"), "Exit1");
    setStandardShortcut(New1, QKeySequence::New);
    setStandardShortcut(Open1, QKeySequence::Open);
    setStandardShortcut(Save1, QKeySequence::Save);
    setStandardShortcut(SaveAs1, QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    setStandardShortcut(Exit1, QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q));

    Workers1 = addMenu(MainMenu1, QStringLiteral("Zaměstnanci"), "Workers1");
    Editovat1 = addItem(Workers1, QStringLiteral("Editovat"), "Editovat1");
    Workers1->menuAction()->setVisible(false);

    Sestavy1 = addMenu(MainMenu1, QStringLiteral("Sestavy"), "Sestavy1");

    Zobrazit1 = addMenu(MainMenu1, QStringLiteral("Zobrazit"), "Zobrazit1");
    Souhrn1 = addItem(Zobrazit1, QStringLiteral("Souhrn kategorií…"), "Souhrn1");
    Help1 = addMenu(MainMenu1, QStringLiteral("Nápověda"), "Help1");
    Index1 = addItem(Help1, QStringLiteral("Témata"), "Index1");
    // F1 of the main window only: every other window's F1 opens its own topic.
    Index1->setShortcut(QKeySequence(Qt::Key_F1));
    Index1->setShortcutContext(Qt::WindowShortcut);
    N2 = named(Help1->addSeparator(), "N2");
    Oprogramu1 = addItem(Help1, QStringLiteral("O programu"), "Oprogramu1");

    Administrace1 = addMenu(MainMenu1, QStringLiteral("Administrace"), "Administrace1");
    Exportujknihovnu1 = addItem(Administrace1, QStringLiteral("Export do knihovny"), "Exportujknihovnu1");
    Editacevzoruopatreni1 = addItem(Administrace1, QStringLiteral("Editace vzoru opatreni"), "Editacevzoruopatreni1");
    ModifyReport1 = addItem(Administrace1, QStringLiteral("Úprava sestav"), "ModifyReport1");
    Administrace1->menuAction()->setVisible(false);
}

void MainFormUi::setupTreePanel(QWidget *parent)
{
    parent->setMinimumWidth(150);

    DataTreeNT = named(new QTreeWidget(parent), "DataTreeNT");
    DataTreeNT->setHeaderHidden(true);
    DataTreeNT->setColumnCount(1);

    ButtonBar = named(new QWidget(parent), "ButtonBar");
    AddNodeSpeedButton =
        speedButton(ButtonBar, ButtonIcon::AddNode, QStringLiteral("Přidat uzel"), "AddNodeSpeedButton");
    AddKatSpeedButton =
        speedButton(ButtonBar, ButtonIcon::AddAssessment, QStringLiteral("Přidat hodnocení"), "AddKatSpeedButton");
    AddLibSpeedButton =
        speedButton(ButtonBar, ButtonIcon::AddFromLibrary, QStringLiteral("Přidat z knihovny"), "AddLibSpeedButton");
    WizardSpeedButton1 =
        speedButton(ButtonBar, ButtonIcon::Wizard, QStringLiteral("Přidat průvodcem"), "WizardSpeedButton1");
    DeleteSpeedButton = speedButton(ButtonBar, ButtonIcon::Delete, QStringLiteral("Vymazat"), "DeleteSpeedButton");

    auto *buttons = new QHBoxLayout(ButtonBar);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(2);
    for (QToolButton *button :
         {AddNodeSpeedButton, AddKatSpeedButton, AddLibSpeedButton, WizardSpeedButton1, DeleteSpeedButton})
        buttons->addWidget(button);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(parent);
    layout->setContentsMargins(2, 2, 0, 2);
    layout->setSpacing(2);
    layout->addWidget(DataTreeNT, 1);
    layout->addWidget(ButtonBar);
}

void MainFormUi::setupEditorPanel(QWidget *parent)
{
    parent->setMinimumSize(410, 380);

    PageControl1 = named(new QStackedWidget(parent), "PageControl1");
    NoneTabSheet = named(new QWidget(PageControl1), "NoneTabSheet");
    NodeTabSheet = named(new QWidget(PageControl1), "NodeTabSheet");
    ItemTabSheet = named(new QWidget(PageControl1), "ItemTabSheet");
    PageControl1->addWidget(NoneTabSheet);
    PageControl1->addWidget(NodeTabSheet);
    PageControl1->addWidget(ItemTabSheet);

    // The title page shown while nothing is selected.
    auto *title = makeProductNameLabel(NoneTabSheet, 32);
    auto *decree = named(new QLabel(QStringLiteral("dle Vyhlášky 432/2003"), NoneTabSheet), "DecreeLabel");
    decree->setAlignment(Qt::AlignCenter);
    QFont decreeFont = decree->font();
    decreeFont.setPointSize(decreeFont.pointSize() + 4);
    decree->setFont(decreeFont);
    auto *titleLayout = new QVBoxLayout(NoneTabSheet);
    titleLayout->addStretch();
    titleLayout->addWidget(title);
    titleLayout->addWidget(decree);
    titleLayout->addStretch();

    Panel4 = named(new QWidget(parent), "Panel4");
    AdminRxLabel = named(new QLabel(QStringLiteral("Administrator mode"), Panel4), "AdminRxLabel");
    AdminRxLabel->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    AdminRxLabel->setVisible(false);
    StoreBitBtn = named(new QPushButton(QStringLiteral("Uložit"), Panel4), "StoreBitBtn");
    StoreBitBtn->setIcon(StoreBitBtn->style()->standardIcon(QStyle::SP_DialogApplyButton));
    StoreBitBtn->setDefault(true);
    StoreBitBtn->setEnabled(false);
    CancelBitBtn = named(new QPushButton(QStringLiteral("Zrušit"), Panel4), "CancelBitBtn");
    CancelBitBtn->setIcon(CancelBitBtn->style()->standardIcon(QStyle::SP_DialogCancelButton));
    CancelBitBtn->setEnabled(false);

    auto *bar = new QHBoxLayout(Panel4);
    bar->setContentsMargins(4, 2, 4, 2);
    bar->addWidget(AdminRxLabel);
    bar->addStretch();
    bar->addWidget(StoreBitBtn);
    bar->addWidget(CancelBitBtn);

    auto *layout = new QVBoxLayout(parent);
    layout->setContentsMargins(0, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(PageControl1, 1);
    layout->addWidget(Panel4);
}

} // namespace ergotab
