// Dialog pages in the designer: a page and its controls made, edited, moved and undone through
// the editor, and tried out through the caller's dialog.

#include "reportengine/designer/DialogPageEditor.h"
#include "reportengine/designer/DialogCanvas.h"
#include "reportengine/designer/ReportDesigner.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace ergotab::report;
using namespace ergotab::report::designer;

TEST(DialogPageEditor, ControlsArePlacedEditedMovedAndTriedOut)
{
    DesignerHost host;
    DialogPage shown;
    host.showDialog = [&shown](QWidget *, const DialogPage &page, QVariantMap &) {
        shown = page;
        return true;
    };
    ReportDesigner designer(host);
    designer.show();
    designer.action(QStringLiteral("InsertDialogAction"))->trigger();
    auto *tabs = designer.findChild<QTabWidget *>(QStringLiteral("PageTabs"));
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->currentIndex(), 1);
    DialogPageEditor *editor = designer.dialogEditor(0);
    ASSERT_TRUE(editor);

    editor->insertControl(ControlKind::Label);
    editor->insertControl(ControlKind::ComboBox);
    const DialogPage &page = designer.model().reportTemplate().dialogs.at(0);
    ASSERT_EQ(page.controls.size(), 2u);
    EXPECT_EQ(page.controls[1].rect.top(), page.controls[0].rect.bottom() + 8); // placed below the label
    EXPECT_EQ(editor->selectedControl(), 1);

    auto *name = editor->findChild<QLineEdit *>(QStringLiteral("ControlNameEdit"));
    name->setText(QStringLiteral("Obdobi"));
    emit name->editingFinished();
    auto *items = editor->findChild<QPlainTextEdit *>(QStringLiteral("ControlItemsEdit"));
    items->setPlainText(QStringLiteral("2025\n2026\n"));
    EXPECT_EQ(designer.model().reportTemplate().dialogs[0].controls[1].name, QStringLiteral("Obdobi"));
    EXPECT_EQ(designer.model().reportTemplate().dialogs[0].controls[1].items,
              QStringList({QStringLiteral("2025"), QStringLiteral("2026")}));
    // A name another part of the template has is refused.
    name->setText(designer.model().reportTemplate().dialogs[0].controls[0].name.toUpper());
    emit name->editingFinished();
    EXPECT_EQ(designer.model().reportTemplate().dialogs[0].controls[1].name, QStringLiteral("Obdobi"));

    auto *canvas = editor->findChild<DialogCanvas *>();
    const QRect before = designer.model().reportTemplate().dialogs[0].controls[1].rect;
    canvas->setFocus();
    QTest::keyClick(canvas, Qt::Key_Right);
    QTest::keyClick(canvas, Qt::Key_Down, Qt::ShiftModifier);
    const QRect after = designer.model().reportTemplate().dialogs[0].controls[1].rect;
    EXPECT_EQ(after.topLeft(), before.topLeft() + QPoint(4, 0));
    EXPECT_EQ(after.height(), before.height() + 4);

    editor->findChild<QPushButton *>(QStringLiteral("TestRunButton"))->click();
    EXPECT_EQ(shown, designer.model().reportTemplate().dialogs[0]);

    // Everything above undone step by step leaves no dialog page and no tab.
    while (designer.model().undoStack().canUndo())
        designer.model().undoStack().undo();
    EXPECT_TRUE(designer.model().reportTemplate().dialogs.empty());
    EXPECT_EQ(tabs->count(), 1);
    while (designer.model().undoStack().canRedo())
        designer.model().undoStack().redo();
    EXPECT_EQ(designer.model().reportTemplate().dialogs[0], shown);
}
