#include "WorkersFormFixture.h"

#include <QApplication>
#include <QTest>

namespace ergotab::workers::test {

namespace {

QString errorOf(const std::function<void()> &command)
{
    try {
        command();
    } catch (const AppError &e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

TEST_F(WorkersFormFixture, AnEmptyRegisterShowsNothingAndPlusMakesWorkerOne)
{
    open();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Zaměstnanci"));
    EXPECT_EQ(ui().ListBox1->count(), 0);
    EXPECT_TRUE(fieldsDisabled());
    EXPECT_TRUE(browsing());

    ui().SpeedButton1->click();
    ASSERT_EQ(ui().ListBox1->count(), 1);
    EXPECT_EQ(form->rowIndex(0), 1);
    EXPECT_EQ(ui().ListBox1->currentRow(), 0);
    EXPECT_EQ(rowTexts(), QStringList {QString()});
    EXPECT_TRUE(fieldsEnabled());
    EXPECT_TRUE(browsing()) << "filling the fields is no change";
    EXPECT_EQ(ui().ComboBox1->currentIndex(), -1);
    EXPECT_EQ(ui().ComboBox2->currentIndex(), -1);
    EXPECT_TRUE(ui().MaskEdit3->text().isEmpty());
    EXPECT_EQ(form->focusWidget(), ui().Edit3);
    EXPECT_TRUE(document.isModified());
}

TEST_F(WorkersFormFixture, PlusThenStornoKeepsTheEmptyWorker)
{
    open();
    ui().SpeedButton1->click();
    QTest::keyClicks(ui().Edit1, QStringLiteral("Novak"));
    EXPECT_TRUE(editing());
    ui().BitBtn2->click();
    EXPECT_TRUE(browsing());
    EXPECT_TRUE(ui().Edit1->text().isEmpty());
    EXPECT_EQ(rowTexts(), QStringList {QString()});
    const std::optional<WorkerRecord> w = stored(1);
    ASSERT_TRUE(w);
    EXPECT_EQ(*w, WorkerRecord {}) << "empty fields, LenType and Result -1";
}

TEST_F(WorkersFormFixture, StoringWithoutALengthIsRefusedThenTwelveYearsAreStored)
{
    open();
    ui().SpeedButton1->click();
    ui().Edit1->setText(QStringLiteral("Novák"));
    ui().Edit2->setText(QStringLiteral("Jan"));
    document.setModified(false);

    EXPECT_EQ(errorOf([&] { form->BitBtn1Click(); }), QStringLiteral("'' is not a valid integer value"));
    EXPECT_TRUE(editing()) << "the user corrects the length or discards";
    EXPECT_EQ(ui().Edit1->text(), QStringLiteral("Novák"));
    EXPECT_EQ(stored(1), WorkerRecord {}) << "only the empty record made by \"+\"";
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(rowTexts(), QStringList {QString()});

    ui().MaskEdit3->setText(QStringLiteral("12"));
    ui().ComboBox1->setCurrentIndex(1);
    EXPECT_EQ(ui().ComboBox1->currentText(), QStringLiteral("Let"));
    form->BitBtn1Click();
    EXPECT_TRUE(browsing());
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(rowTexts(), QStringList {QStringLiteral("Novák Jan")});
    dbf::Table &t = document.workers();
    ASSERT_TRUE(t.locate(field::Index, 1));
    EXPECT_EQ(t.fieldInt(field::RiskLen), 12);
    EXPECT_EQ(t.fieldInt(field::LenType), 1);
    EXPECT_EQ(t.fieldInt(field::Result), -1);
    EXPECT_EQ(t.fieldText(field::LName), QStringLiteral("Novák"));
}

TEST_F(WorkersFormFixture, AChangeInProfeseAloneIsStoredAndKeepsTheRest)
{
    addWorker(4, QStringLiteral("Dvořák"), QStringLiteral("Antonín"));
    {
        WorkerRecord w = *stored(4);
        w.persNum = QStringLiteral("0042");
        w.birthDate = QStringLiteral("08.09.1941");
        w.birthNum = QStringLiteral("410908-123");
        w.zip = QStringLiteral("120 00");
        w.riskLen = QStringLiteral("300");
        w.lenType = 0;
        w.result = 1;
        WorkerRegister(document).store(4, w);
        document.setModified(false);
    }
    const WorkerRecord before = *stored(4);
    open();
    select(0);
    EXPECT_EQ(ui().MaskEdit1->displayText(), QStringLiteral("410908-123 "));
    EXPECT_EQ(ui().MaskEdit2->displayText(), QStringLiteral("120 00"));
    EXPECT_EQ(ui().ComboBox2->currentText(), QStringLiteral("Schopen s omezením"));
    EXPECT_TRUE(browsing());

    QTest::keyClicks(ui().Edit6, QStringLiteral("Skladatel"));
    EXPECT_TRUE(editing());
    ui().BitBtn1->click();
    EXPECT_TRUE(browsing());
    WorkerRecord expected = before;
    expected.profese = QStringLiteral("Skladatel");
    EXPECT_EQ(stored(4), expected);
    EXPECT_EQ(rowTexts(), QStringList {QStringLiteral("Dvořák Antonín")});
}

TEST_F(WorkersFormFixture, TheWindowDoesNotCloseWhileAChangeIsUnsaved)
{
    addWorker(1, QStringLiteral("A"), QStringLiteral("B"));
    open();
    select(0);
    QTest::keyClicks(ui().Edit2, QStringLiteral("x"));
    ASSERT_TRUE(editing());
    EXPECT_FALSE(form->close());
    form->reject();
    EXPECT_TRUE(form->isVisible());

    // Escape is "Storno": it ends the editing state, and only then does the window close.
    QTest::keyClick(ui().Edit2, Qt::Key_Escape);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(browsing());
    EXPECT_EQ(ui().Edit2->text(), QStringLiteral("B"));
    ui().BitBtn3->click();
    EXPECT_FALSE(form->isVisible());
}

TEST_F(WorkersFormFixture, DeletingRemovesTheRowAndItsLinksAndKeepsTheOthersMatched)
{
    addWorker(1, QStringLiteral("Alfa"), QStringLiteral("A"));
    addWorker(2, QStringLiteral("Beta"), QStringLiteral("B"));
    addWorker(3, QStringLiteral("Gama"), QStringLiteral("C"));
    addLink(2, 10);
    addLink(1, 10);
    addLink(2, 11);
    open();

    ui().SpeedButton2->click();
    EXPECT_TRUE(asked.isEmpty()) << "nothing selected, nothing asked";

    select(1);
    ui().SpeedButton2->click(); // answered No
    EXPECT_EQ(asked, QStringList {QStringLiteral("Vymazat|Opravdu vymazat?")});
    EXPECT_EQ(rowTexts().size(), 3);
    EXPECT_FALSE(document.isModified());

    answers = {true};
    select(1);
    ui().SpeedButton2->click();
    EXPECT_EQ(rowTexts(), (QStringList {QStringLiteral("Alfa A"), QStringLiteral("Gama C")}));
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(ui().ListBox1->currentRow(), -1);
    EXPECT_TRUE(fieldsDisabled());
    EXPECT_TRUE(browsing());
    dbf::Table &links = document.links();
    links.first();
    ASSERT_FALSE(links.eof());
    EXPECT_EQ(links.fieldInt(field::WIndex), 1);
    links.next();
    EXPECT_TRUE(links.eof());

    // The row below moved up and still shows its own worker.
    select(1);
    EXPECT_EQ(form->rowIndex(1), 3);
    EXPECT_EQ(ui().Edit1->text(), QStringLiteral("Gama"));
    select(0);
    EXPECT_EQ(ui().Edit1->text(), QStringLiteral("Alfa"));
}

TEST_F(WorkersFormFixture, DeletingTheLastWorkerLeavesAnEmptyList)
{
    open();
    ui().SpeedButton1->click();
    answers = {true};
    ui().SpeedButton2->click();
    EXPECT_EQ(ui().ListBox1->count(), 0);
    EXPECT_TRUE(fieldsDisabled());
    EXPECT_EQ(WorkerRegister(document).rows(nullptr).size(), 0);
}

TEST_F(WorkersFormFixture, OpeningAgainShowsRecordOrderWithTheSavedNames)
{
    addWorker(7, QStringLiteral("Sedm"), QStringLiteral("S"));
    open();
    for (const char *name : {"Zeman", "Adam"}) {
        ui().SpeedButton1->click();
        ui().Edit1->setText(QString::fromUtf8(name));
        ui().MaskEdit3->setText(QStringLiteral("1"));
        ui().BitBtn1->click();
    }
    ui().SpeedButton1->click(); // left unnamed
    ui().BitBtn3->click();

    open();
    EXPECT_EQ(rowTexts(), (QStringList {QStringLiteral("Sedm S"), QStringLiteral("Zeman "), QStringLiteral("Adam "),
                                        QStringLiteral(" ")}));
    EXPECT_EQ(form->rowIndex(1), 8);
    EXPECT_EQ(form->rowIndex(3), 10);
    EXPECT_EQ(ui().ListBox1->currentRow(), -1);
    EXPECT_TRUE(fieldsDisabled());
}

TEST_F(WorkersFormFixture, AddingSavingAndDeletingEachMarkTheDocument)
{
    open();
    ui().SpeedButton1->click();
    EXPECT_TRUE(document.isModified());
    document.setModified(false);
    ui().MaskEdit3->setText(QStringLiteral("0"));
    ui().BitBtn1->click();
    EXPECT_TRUE(document.isModified());
    document.setModified(false);
    answers = {true};
    select(0);
    ui().SpeedButton2->click();
    EXPECT_TRUE(document.isModified());
}

TEST_F(WorkersFormFixture, PlusWhileEditingDropsTheUnsavedValues)
{
    addWorker(1, QStringLiteral("Starý"), QString());
    open();
    select(0);
    ui().Edit1->setText(QStringLiteral("Nový"));
    ASSERT_TRUE(editing());
    ui().SpeedButton1->click();
    EXPECT_TRUE(browsing());
    EXPECT_EQ(ui().ListBox1->currentRow(), 1);
    EXPECT_EQ(stored(1)->lName, QStringLiteral("Starý"));
    EXPECT_EQ(rowTexts().first(), QStringLiteral("Starý "));
}

TEST_F(WorkersFormFixture, TabVisitsTheFieldsInTheFormsOrder)
{
    open();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    ui().SpeedButton1->click();
    QTest::keyClicks(ui().Edit3, QStringLiteral("1")); // editing: both buttons take part
    const QList<QWidget *> order = {ui().Edit3,     ui().Edit1,     ui().Edit2,   ui().DateEdit1, ui().MaskEdit1,
                                    ui().Edit4,     ui().MaskEdit2, ui().Edit5,   ui().MaskEdit3, ui().ComboBox1,
                                    ui().DateEdit2, ui().ComboBox2, ui().BitBtn1, ui().BitBtn2,   ui().Edit6};
    for (QWidget *expected : order) {
        if (auto *date = qobject_cast<DateField *>(expected))
            expected = date->lineEdit();
        EXPECT_EQ(QApplication::focusWidget(), expected) << expected->objectName().toStdString();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

} // namespace

} // namespace ergotab::workers::test
