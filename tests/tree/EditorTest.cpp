#include "PanelFixture.h"

#include "storage/AppError.h"
#include "tree/RecordEditor.h"
#include "tree/StorableText.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextDocumentFragment>
#include <QToolTip>

namespace ergotab::tree::test {

class EditorTest : public PanelFixture
{
protected:
    void SetUp() override
    {
        PanelFixture::SetUp();
        addRow(1, 0, 0, QStringLiteral("Dílna"));
        addRow(2, 1, 1, QStringLiteral("Svářeč"));
        build();
    }
    RecordEditor &editor() { return panel->editor(); }
    const EditorControls &controls() { return editor().controls(); }
    void type(QWidget *target, const QString &text)
    {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &press);
        }
    }
    void setMaskField(int index, int factor, int mask)
    {
        dbf::Table &t = document.objects();
        t.setFiltered(false);
        ASSERT_TRUE(t.locate(QStringLiteral("Index"), index));
        t.edit();
        t.setFieldInt(QStringLiteral("Fak%1").arg(factor, 2, 10, QLatin1Char('0')), mask);
        t.post();
        document.setModified(false);
    }
    int fak(int index, int factor)
    {
        return field(index, QStringLiteral("Fak%1").arg(factor, 2, 10, QLatin1Char('0')));
    }
    // Every control the editing state switches, with whether it must be enabled while editing.
    std::vector<std::pair<QString, bool>> lockState()
    {
        std::vector<std::pair<QString, bool>> state;
        for (QMenu *menu : menus)
            state.emplace_back(menu->objectName(), menu->menuAction()->isEnabled());
        state.emplace_back(QStringLiteral("Panel1"), panel1->isEnabled());
        for (QToolButton *button : buttons)
            state.emplace_back(button->objectName(), button->isEnabled());
        state.emplace_back(QStringLiteral("StoreBitBtn"), store->isEnabled());
        state.emplace_back(QStringLiteral("CancelBitBtn"), cancel->isEnabled());
        return state;
    }
    static std::vector<std::pair<QString, bool>> expectedLock(bool on)
    {
        std::vector<std::pair<QString, bool>> state;
        for (const char *name :
             {"File1", "Workers1", "Sestavy1", "Help1", "Administrace1", "Panel1", "AddNodeSpeedButton",
              "AddKatSpeedButton", "AddLibSpeedButton", "WizardSpeedButton1", "DeleteSpeedButton"})
            state.emplace_back(QString::fromLatin1(name), !on);
        state.emplace_back(QStringLiteral("StoreBitBtn"), on);
        state.emplace_back(QStringLiteral("CancelBitBtn"), on);
        return state;
    }
};

TEST_F(EditorTest, TypingLocksExactlyTheNamedControlsAndCancelRestores)
{
    select(1);
    EXPECT_EQ(pages->currentWidget(), nodePage);
    EXPECT_EQ(controls().NodeNameEdit->text(), QStringLiteral("Dílna"));
    EXPECT_EQ(lockState(), expectedLock(false));

    type(controls().NodeNameEdit, QStringLiteral("x"));
    EXPECT_EQ(lockState(), expectedLock(true));
    EXPECT_TRUE(editor().isEditing());

    cancel->click();
    EXPECT_EQ(lockState(), expectedLock(false));
    EXPECT_EQ(controls().NodeNameEdit->text(), QStringLiteral("Dílna"));
    EXPECT_EQ(textField(1), QStringLiteral("Dílna"));
    EXPECT_FALSE(document.isModified());
}

TEST_F(EditorTest, LoadingNeverStartsEditing)
{
    select(2);
    select(1);
    select(2);
    EXPECT_FALSE(store->isEnabled());
    EXPECT_TRUE(editor().isReady());
}

TEST_F(EditorTest, SelectionChangedWhileBuildingLeavesEditorAlone)
{
    select(1);
    {
        DocumentTree::BuildingScope building(tree());
        select(2);
    }
    EXPECT_EQ(pages->currentWidget(), nodePage);
    EXPECT_EQ(controls().NodeNameEdit->text(), QStringLiteral("Dílna"));
}

TEST_F(EditorTest, StoringANodeRenamesRowAndItem)
{
    select(1);
    controls().NodeNameEdit->setText(QStringLiteral("Lakovna"));
    EXPECT_TRUE(store->isEnabled());
    store->click();
    EXPECT_EQ(textField(1), QStringLiteral("Lakovna"));
    EXPECT_EQ(item(1)->text(0), QStringLiteral("Lakovna"));
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(lockState(), expectedLock(false));

    controls().NodeNameEdit->clear();
    store->click();
    EXPECT_EQ(item(1)->text(0), QString());
    EXPECT_EQ(textField(1), QString());
}

TEST_F(EditorTest, MaskOfTicksAndBack)
{
    select(2);
    EXPECT_EQ(pages->currentWidget(), itemPage);
    box(3, 1)->setChecked(true);
    box(3, 3)->setChecked(true);
    store->click();
    EXPECT_EQ(fak(2, 3), 5);
    for (int f = 1; f <= 13; ++f) {
        if (f != 3) {
            EXPECT_EQ(fak(2, f), 0) << f;
        }
    }

    select(1);
    select(2);
    EXPECT_TRUE(box(3, 1)->isChecked());
    EXPECT_FALSE(box(3, 2)->isChecked());
    EXPECT_TRUE(box(3, 3)->isChecked());
    EXPECT_FALSE(box(3, 4)->isChecked());
}

TEST_F(EditorTest, HighBitsAreIgnoredAndNotStoredAgain)
{
    setMaskField(2, 1, 16 + 8 + 2);
    select(2);
    EXPECT_FALSE(box(1, 1)->isChecked());
    EXPECT_TRUE(box(1, 2)->isChecked());
    EXPECT_FALSE(box(1, 3)->isChecked());
    EXPECT_TRUE(box(1, 4)->isChecked());
    controls().KatNameEdit->setText(QStringLiteral("Svářeč II"));
    store->click();
    EXPECT_EQ(fak(2, 1), 10);
}

TEST_F(EditorTest, DisabledFourthBoxShowsAndKeepsAStoredBit)
{
    setMaskField(2, 5, 8);
    select(2);
    for (int f : {5, 6, 7, 9, 10, 11})
        EXPECT_FALSE(box(f, 4)->isEnabled()) << f;
    for (int f : {1, 2, 3, 4, 8, 12, 13})
        EXPECT_TRUE(box(f, 4)->isEnabled()) << f;
    EXPECT_TRUE(box(5, 4)->isChecked());
    box(1, 2)->setChecked(true);
    store->click();
    EXPECT_EQ(fak(2, 5), 8);
    EXPECT_EQ(fak(2, 1), 2);
}

TEST_F(EditorTest, NewAssessmentStoredUnchangedWritesZeros)
{
    select(1);
    panel->commands().AddKatSpeedButtonClick();
    EXPECT_TRUE(controls().KatNameEdit->text().isEmpty());
    EXPECT_EQ(controls().PracSpinEdit->value(), 0);
    EXPECT_TRUE(controls().PopisMemo->toPlainText().isEmpty());
    for (int f = 1; f <= 13; ++f)
        for (int k = 1; k <= 4; ++k)
            EXPECT_FALSE(box(f, k)->isChecked());
    dbf::Table &t = document.objects();
    ASSERT_TRUE(t.locate(QStringLiteral("Index"), 3));
    EXPECT_TRUE(t.isFieldEmpty(QStringLiteral("Fak01")));
    panel->editor().StoreBitBtnClick();
    ASSERT_TRUE(t.locate(QStringLiteral("Index"), 3));
    EXPECT_FALSE(t.isFieldEmpty(QStringLiteral("Fak01")));
    EXPECT_FALSE(t.isFieldEmpty(QStringLiteral("Zen")));
    EXPECT_EQ(fak(3, 13), 0);
}

TEST_F(EditorTest, CountsAndMemosRoundTripWithLineBreaks)
{
    select(2);
    controls().PracSpinEdit->setValue(120);
    controls().ZenSpinEdit->setValue(45);
    controls().PopisMemo->setPlainText(QStringLiteral("řádek 1\nřádek 2"));
    controls().OpatreniMemo->setPlainText(QStringLiteral("OOPP"));
    store->click();
    EXPECT_EQ(field(2, QStringLiteral("Pracov")), 120);
    EXPECT_EQ(field(2, QStringLiteral("Zen")), 45);
    EXPECT_EQ(textField(2, QStringLiteral("Popis")), QStringLiteral("řádek 1\r\nřádek 2"));
    EXPECT_EQ(textField(2, QStringLiteral("Opatreni")), QStringLiteral("OOPP"));
    select(1);
    select(2);
    EXPECT_EQ(controls().PopisMemo->toPlainText(), QStringLiteral("řádek 1\nřádek 2"));
    EXPECT_EQ(controls().ZenSpinEdit->value(), 45);
    EXPECT_EQ(controls().PracSpinEdit->maximum(), 99999);
    EXPECT_EQ(controls().ZenSpinEdit->minimum(), 0);
}

TEST_F(EditorTest, ANameLongerThanTheFieldIsStoppedAt250AndTheTreeShowsWhatIsStored)
{
    select(2);
    const QString name = QString(300, QLatin1Char('a'));
    controls().KatNameEdit->setText(name);
    EXPECT_EQ(controls().KatNameEdit->text(), name.left(250));
    type(controls().KatNameEdit, QStringLiteral("b"));
    EXPECT_EQ(controls().KatNameEdit->text(), name.left(250));
    store->click();
    EXPECT_EQ(textField(2), name.left(250));
    EXPECT_EQ(item(2)->text(0), name.left(250));
}

TEST_F(EditorTest, TypingOrPastingCharactersTheDocumentCannotStoreIsRefused)
{
    select(1);
    QLineEdit *name = controls().NodeNameEdit;
    name->end(false);
    type(name, QStringLiteral(" Ж中€Ř"));
    EXPECT_EQ(name->text(), QStringLiteral("Dílna €Ř")) << "the euro sign and Czech letters are in Windows-1250";
    EXPECT_EQ(QToolTip::text(), refusedCharacterNote());
    QApplication::clipboard()->setText(QStringLiteral("Ж1"));
    name->paste();
    EXPECT_EQ(name->text(), QStringLiteral("Dílna €Ř"));
    store->click();
    EXPECT_EQ(textField(1), QStringLiteral("Dílna €Ř"));
    EXPECT_EQ(item(1)->text(0), textField(1));

    select(2);
    QPlainTextEdit *memo = controls().PopisMemo;
    type(memo, QStringLiteral("a中b"));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("ab"));
    QApplication::clipboard()->setText(QStringLiteral("x€Ж"));
    memo->paste();
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("ab"));
    QApplication::clipboard()->setText(QStringLiteral("–ť€"));
    memo->paste();
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("ab–ť€"));

    // Text set by code is not typed: whatever the record makes of it, the tree shows the same.
    controls().KatNameEdit->setText(QStringLiteral("Ж中"));
    store->click();
    EXPECT_EQ(item(2)->text(0), textField(2));
    EXPECT_EQ(textField(2, QStringLiteral("Popis")), QStringLiteral("ab–ť€"));
}

TEST_F(EditorTest, MoreWomenThanEmployeesIsRefusedAtStoreButOpensAsStored)
{
    select(2);
    controls().PracSpinEdit->setValue(10);
    controls().ZenSpinEdit->setValue(500);
    try {
        editor().StoreBitBtnClick();
        FAIL() << "stored";
    } catch (const AppError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("Počet žen nemůže být větší než počet zaměstnanců."));
    }
    EXPECT_TRUE(editor().isEditing());
    EXPECT_EQ(field(2, QStringLiteral("Zen")), 0);
    EXPECT_FALSE(document.isModified());
    controls().ZenSpinEdit->setValue(10);
    editor().StoreBitBtnClick();
    EXPECT_EQ(field(2, QStringLiteral("Zen")), 10);
    EXPECT_FALSE(editor().isEditing());

    // A record that already holds such counts shows them as they are.
    dbf::Table &t = document.objects();
    ASSERT_TRUE(t.locate(QStringLiteral("Index"), 2));
    t.edit();
    t.setFieldInt(QStringLiteral("Zen"), 500);
    t.post();
    select(1);
    select(2);
    EXPECT_EQ(controls().PracSpinEdit->value(), 10);
    EXPECT_EQ(controls().ZenSpinEdit->value(), 500);
    EXPECT_FALSE(editor().isEditing());
}

TEST_F(EditorTest, HoveringANameCutShortShowsItInFullWithItsPath)
{
    const QString longName = QStringLiteral("Lakýrník – ruční stříkání barev a laků v boxu s odsáváním <b>");
    addRow(3, 1, 0, QStringLiteral("Lakovna"));
    addRow(4, 3, 1, longName);
    build();
    const QString tip = item(4)->data(0, Qt::ToolTipRole).toString();
    EXPECT_EQ(QTextDocumentFragment::fromHtml(tip).toPlainText(), QStringLiteral("Dílna › Lakovna › ") + longName);
    EXPECT_EQ(QTextDocumentFragment::fromHtml(item(1)->data(0, Qt::ToolTipRole).toString()).toPlainText(),
              QStringLiteral("Dílna"));
}

TEST_F(EditorTest, CancelRestoresAnAssessmentAndAnyControlStartsEditing)
{
    select(2);
    box(7, 2)->setChecked(true);
    EXPECT_TRUE(store->isEnabled());
    cancel->click();
    EXPECT_FALSE(box(7, 2)->isChecked());
    EXPECT_EQ(fak(2, 7), 0);
    controls().MereniMemo->setPlainText(QStringLiteral("hluk 85 dB"));
    EXPECT_TRUE(store->isEnabled());
    cancel->click();
    controls().ZenSpinEdit->setValue(3);
    EXPECT_TRUE(store->isEnabled());
    cancel->click();
    EXPECT_EQ(controls().ZenSpinEdit->value(), 0);
}

TEST_F(EditorTest, PlaceholderSelectedKeepsThePagesAndStoresNothing)
{
    addRow(5, 4, 1);
    build();
    select(2);
    tree().select(item(4));
    EXPECT_EQ(pages->currentWidget(), itemPage);
    EXPECT_EQ(controls().KatNameEdit->text(), QStringLiteral("Svářeč"));
    controls().KatNameEdit->setText(QStringLiteral("jiné"));
    store->click();
    EXPECT_FALSE(store->isEnabled());
    EXPECT_EQ(item(4)->text(0), QStringLiteral("$$"));
    EXPECT_EQ(textField(2), QStringLiteral("Svářeč"));
}

// The wizard's way: add an assessment, fill the controls found by name, store.
TEST_F(EditorTest, ControlsFoundByNameDriveTheStore)
{
    select(1);
    panel->commands().AddKatSpeedButtonClick();
    window->findChild<QLineEdit *>(QStringLiteral("KatNameEdit"))->setText(QStringLiteral("Z průvodce"));
    window->findChild<QCheckBox *>(QStringLiteral("f12k3"))->setChecked(true);
    window->findChild<QSpinBox *>(QStringLiteral("PracSpinEdit"))->setValue(7);
    EXPECT_TRUE(store->isEnabled());
    panel->editor().StoreBitBtnClick();
    EXPECT_EQ(textField(3), QStringLiteral("Z průvodce"));
    EXPECT_EQ(fak(3, 12), 4);
    EXPECT_EQ(field(3, QStringLiteral("Pracov")), 7);
    EXPECT_EQ(item(3)->text(0), QStringLiteral("Z průvodce"));
    EXPECT_FALSE(store->isEnabled());
}

TEST_F(EditorTest, GridRowsAndColumnsKeepTheirPitch)
{
    window->show();
    select(2);
    QApplication::processEvents();
    const QRect a = box(1, 1)->geometry();
    EXPECT_EQ(box(2, 1)->geometry().top() - a.top(), 19);
    EXPECT_EQ(box(13, 1)->geometry().top() - a.top(), 12 * 19);
    EXPECT_EQ(box(1, 2)->geometry().left() - a.left(), 21);
    EXPECT_EQ(box(1, 4)->geometry().left() - a.left(), 3 * 21);
    EXPECT_EQ(box(1, 1)->focusPolicy() & Qt::TabFocus, 0);
    EXPECT_EQ(controls().PageControl2->tabPosition(), QTabWidget::East);
    EXPECT_EQ(controls().PageControl2->tabText(0), QStringLiteral("Kategorie"));
    EXPECT_EQ(controls().PageControl2->tabText(1), QStringLiteral("Komentáře"));
}

} // namespace ergotab::tree::test
