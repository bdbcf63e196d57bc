#include "app/MessageBoxes.h"
#include "app/TMainForm.h"
#include "tests/support/TempDir.h"
#include "tree/CategorisationPanel.h"
#include "tree/DataTreeItem.h"
#include "tree/DocumentTree.h"

#include "storage/document/Document.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace ergotab::tree::test {

// The main window with its real widgets: the tree, the editor and the commands are reached the
// way the wizard and the library reach them, by slot name and by object name.
class MainFormWiring : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch.file(QStringLiteral("settings")));
        qputenv("ERGOTAB_ADMIN_MARKER", scratch.file(QStringLiteral("Admin.set")).toLocal8Bit());
        form = std::make_unique<TMainForm>();
        form->show();
    }
    void TearDown() override
    {
        form.reset();
        qunsetenv("ERGOTAB_ADMIN_MARKER");
    }
    template <typename T> T *child(const char *name) { return form->findChild<T *>(QString::fromLatin1(name)); }
    int field(int index, const char *name)
    {
        dbf::Table &t = form->document().objects();
        t.setFiltered(false);
        EXPECT_TRUE(t.locate(QStringLiteral("Index"), index));
        return t.fieldInt(QString::fromLatin1(name));
    }

    ergotab::test::TempDir scratch;
    MessageBoxRecorder boxes;
    std::unique_ptr<TMainForm> form;
};

TEST_F(MainFormWiring, AssessmentCreatedThroughSlotsAndNamedControls)
{
    ASSERT_TRUE(QMetaObject::invokeMethod(form.get(), "AddKatSpeedButtonClick"));
    child<QLineEdit>("KatNameEdit")->setText(QStringLiteral("Obsluha lisu"));
    child<QCheckBox>("f03k3")->setChecked(true);
    child<QCheckBox>("f06k2")->setChecked(true);
    child<QSpinBox>("PracSpinEdit")->setValue(4);

    // The editing state locks the window's own menus, panel and buttons.
    EXPECT_TRUE(child<QPushButton>("StoreBitBtn")->isEnabled());
    EXPECT_FALSE(child<QMenu>("File1")->menuAction()->isEnabled());
    EXPECT_FALSE(child<QMenu>("Help1")->menuAction()->isEnabled());
    EXPECT_FALSE(child<QWidget>("Panel1")->isEnabled());
    EXPECT_FALSE(child<QWidget>("WizardSpeedButton1")->isEnabled());

    ASSERT_TRUE(QMetaObject::invokeMethod(form.get(), "StoreBitBtnClick"));
    EXPECT_EQ(field(1, "Fak03"), 4);
    EXPECT_EQ(field(1, "Fak06"), 2);
    EXPECT_EQ(field(1, "Pracov"), 4);
    EXPECT_EQ(child<QTreeWidget>("DataTreeNT")->topLevelItem(0)->text(0), QStringLiteral("Obsluha lisu"));
    EXPECT_TRUE(child<QMenu>("File1")->menuAction()->isEnabled());
    EXPECT_TRUE(child<QWidget>("Panel1")->isEnabled());
    EXPECT_TRUE(form->document().isModified());
}

TEST_F(MainFormWiring, ButtonsUnderTheTreeAddAndDeleteWithTheQuestionBox)
{
    child<QAbstractButton>("AddNodeSpeedButton")->click();
    child<QAbstractButton>("AddKatSpeedButton")->click(); // under the new node
    CategorisationPanel &panel = form->categorisation();
    ASSERT_NE(panel.tree().nodes().at(2), nullptr);
    EXPECT_EQ(field(2, "UpLink"), 1);

    panel.tree().select(panel.tree().nodes().at(1));
    boxes.answerNext(true);
    child<QAbstractButton>("DeleteSpeedButton")->click();
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().at(0).title, QStringLiteral("Vymazat"));
    EXPECT_EQ(boxes.shown().at(0).text, QStringLiteral("Opravdu vymazat?"));
    EXPECT_EQ(child<QTreeWidget>("DataTreeNT")->topLevelItemCount(), 0);
    EXPECT_EQ(form->document().objects().recordCount(), 0);
}

TEST_F(MainFormWiring, BuildHookShowsTheDocumentsRowsAndNothingSelected)
{
    form->AddNodeSpeedButtonClick();
    form->document().objects().appendRecord({7, 1, 1, QStringLiteral("Lakýrník")});
    form->BuildTreeFromDocument();
    auto *tree = child<QTreeWidget>("DataTreeNT");
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->child(0)->text(0), QStringLiteral("Lakýrník"));
    EXPECT_EQ(tree->currentItem(), nullptr);
    EXPECT_EQ(child<QStackedWidget>("PageControl1")->currentWidget(), child<QWidget>("NoneTabSheet"));
    form->ClearTree();
    EXPECT_EQ(tree->topLevelItemCount(), 0);
    EXPECT_EQ(form->categorisation().tree().nodes().at(7), nullptr);
}

} // namespace ergotab::tree::test
