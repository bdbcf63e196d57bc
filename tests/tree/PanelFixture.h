#pragma once

#include "TreeFixture.h"

#include "tree/CategorisationPanel.h"
#include "tree/CategoryGrid.h"
#include "tree/DocumentTree.h"
#include "tree/StructureCommands.h"
#include "tree/TreeContextMenu.h"

#include <QAction>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace ergotab::tree::test {

// A small window laid out like the main window's relevant parts: the tree panel with its five
// buttons, the three pages, "Uložit" and "Zrušit" and the five main menus, with the
// categorisation panel built on them. Questions are answered from `answers`.
class PanelFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        document.start();
        window = std::make_unique<QMainWindow>();
        for (const char *name : {"File1", "Workers1", "Sestavy1", "Help1", "Administrace1"}) {
            QMenu *menu = window->menuBar()->addMenu(QString::fromLatin1(name));
            menu->setObjectName(QString::fromLatin1(name));
            menus.append(menu);
        }
        auto *central = new QWidget;
        auto *layout = new QHBoxLayout(central);
        panel1 = new QWidget(central);
        panel1->setObjectName(QStringLiteral("Panel1"));
        auto *left = new QVBoxLayout(panel1);
        treeWidget = new QTreeWidget(panel1);
        treeWidget->setObjectName(QStringLiteral("DataTreeNT"));
        left->addWidget(treeWidget);
        for (const char *name : {"AddNodeSpeedButton", "AddKatSpeedButton", "AddLibSpeedButton", "WizardSpeedButton1",
                                 "DeleteSpeedButton"}) {
            auto *button = new QToolButton(panel1);
            button->setObjectName(QString::fromLatin1(name));
            left->addWidget(button);
            buttons.append(button);
        }
        auto *right = new QWidget(central);
        auto *rightLayout = new QVBoxLayout(right);
        pages = new QStackedWidget(right);
        nonePage = new QWidget(pages);
        nodePage = new QWidget(pages);
        itemPage = new QWidget(pages);
        pages->addWidget(nonePage);
        pages->addWidget(nodePage);
        pages->addWidget(itemPage);
        rightLayout->addWidget(pages);
        store = new QPushButton(QStringLiteral("Uložit"), right);
        store->setObjectName(QStringLiteral("StoreBitBtn"));
        cancel = new QPushButton(QStringLiteral("Zrušit"), right);
        cancel->setObjectName(QStringLiteral("CancelBitBtn"));
        rightLayout->addWidget(store);
        rightLayout->addWidget(cancel);
        layout->addWidget(panel1);
        layout->addWidget(right);
        window->setCentralWidget(central);

        CategorisationWidgets w;
        w.DataTreeNT = treeWidget;
        w.pages = {nonePage, nodePage, itemPage};
        w.lock.store = store;
        w.lock.cancel = cancel;
        for (QMenu *menu : menus)
            w.lock.menus.append(menu->menuAction());
        w.lock.widgets = {panel1};
        for (QToolButton *button : buttons)
            w.lock.widgets.append(button);
        w.AddNodeSpeedButton = buttons[0];
        w.AddKatSpeedButton = buttons[1];
        w.AddLibSpeedButton = buttons[2];
        w.WizardSpeedButton1 = buttons[3];
        w.DeleteSpeedButton = buttons[4];
        panel = std::make_unique<CategorisationPanel>(w, document, [this](const QString &caption, const QString &text) {
            asked.append(caption + QLatin1Char('|') + text);
            return answers.isEmpty() ? false : answers.takeFirst();
        });
        window->resize(900, 600);
    }

    void TearDown() override
    {
        panel.reset();
        window.reset();
        document.shutDown();
    }

    void addRow(int index, int upLink, int type, const QString &text = QString())
    {
        document.objects().appendRecord(
            {index, upLink, type, text.isEmpty() ? QStringLiteral("r%1").arg(index) : text});
        document.setModified(false);
    }
    void addLink(int worker, int assessment)
    {
        document.links().appendRecord({worker, assessment});
        document.setModified(false);
    }
    void build() { panel->rebuildTree(); }
    DocumentTree &tree() { return panel->tree(); }
    DataTreeItem *item(int index) { return tree().nodes().at(index); }
    void select(int index) { tree().select(item(index)); }
    template <typename T> T *find(const char *name) { return window->findChild<T *>(QString::fromLatin1(name)); }
    QCheckBox *box(int factor, int category) { return panel->editor().controls().Grid->box(factor, category); }
    QAction *menuItem(const char *name) { return panel->contextMenu().action(QString::fromLatin1(name)); }

    std::set<int> objectIndexes()
    {
        std::set<int> result;
        dbf::Table &t = document.objects();
        t.setFiltered(false);
        t.setFilter(QString());
        for (t.first(); !t.eof(); t.next())
            result.insert(t.fieldInt(QStringLiteral("Index")));
        return result;
    }
    int field(int index, const QString &name)
    {
        dbf::Table &t = document.objects();
        t.setFiltered(false);
        t.setFilter(QString());
        EXPECT_TRUE(t.locate(QStringLiteral("Index"), index));
        return t.fieldInt(name);
    }
    QString textField(int index, const QString &name = QStringLiteral("Text"))
    {
        dbf::Table &t = document.objects();
        t.setFiltered(false);
        t.setFilter(QString());
        EXPECT_TRUE(t.locate(QStringLiteral("Index"), index));
        return t.fieldText(name);
    }

    Document document;
    std::unique_ptr<QMainWindow> window;
    QList<QMenu *> menus;
    QWidget *panel1 = nullptr;
    QTreeWidget *treeWidget = nullptr;
    QList<QToolButton *> buttons;
    QStackedWidget *pages = nullptr;
    QWidget *nonePage = nullptr;
    QWidget *nodePage = nullptr;
    QWidget *itemPage = nullptr;
    QPushButton *store = nullptr;
    QPushButton *cancel = nullptr;
    std::unique_ptr<CategorisationPanel> panel;
    QList<bool> answers;
    QStringList asked;
};

} // namespace ergotab::tree::test
