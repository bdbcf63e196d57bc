#include "WorkersFormFixture.h"

#include "workers/CalendarPopup.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QTest>

namespace ergotab::workers::test {

namespace {

// The register with one empty worker selected, active, so that focus moves as a user's would.
class FieldsTest : public WorkersFormFixture
{
protected:
    void SetUp() override
    {
        WorkersFormFixture::SetUp();
        open();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        ui().SpeedButton1->click();
    }

    // Stores the fields with a length, so the record can be read back.
    WorkerRecord storeAndRead()
    {
        if (ui().MaskEdit3->text().isEmpty())
            ui().MaskEdit3->setText(QStringLiteral("0"));
        form->BitBtn1Click();
        return *stored(1);
    }

    void typeInto(QLineEdit *edit, const QString &text)
    {
        edit->setFocus(Qt::TabFocusReason);
        edit->setCursorPosition(0);
        QTest::keyClicks(edit, text);
    }
};

TEST_F(FieldsTest, TheMasksKeepTheirLiteralsAndTheOptionalLastDigit)
{
    typeInto(ui().MaskEdit1, QStringLiteral("7002011234"));
    typeInto(ui().MaskEdit2, QStringLiteral("11000"));
    EXPECT_TRUE(editing());
    WorkerRecord w = storeAndRead();
    EXPECT_EQ(w.birthNum, QStringLiteral("700201-1234"));
    EXPECT_EQ(w.zip, QStringLiteral("110 00"));

    ui().MaskEdit1->setFocus(Qt::TabFocusReason);
    ui().MaskEdit1->selectAll();
    QTest::keyClicks(ui().MaskEdit1, QStringLiteral("700201123"));
    ui().Edit4->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_TRUE(notices.isEmpty()) << "nine digits are a whole birth number";
    w = storeAndRead();
    EXPECT_EQ(w.birthNum, QStringLiteral("700201-123")) << "the blank last digit, trailing, reads back without it";

    // Emptied masks store nothing, not their literals.
    ui().MaskEdit1->setText(QString());
    ui().MaskEdit2->setText(QString());
    w = storeAndRead();
    EXPECT_EQ(w.birthNum, QString());
    EXPECT_EQ(w.zip, QString());
    EXPECT_TRUE(notices.isEmpty());
}

TEST_F(FieldsTest, LeavingAMaskWithAMissingDigitIsRefusedAtThatDigit)
{
    // A field only passed through is not checked.
    ui().MaskEdit2->setFocus(Qt::TabFocusReason);
    ui().Edit5->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_TRUE(notices.isEmpty());

    typeInto(ui().MaskEdit1, QStringLiteral("70020"));
    ui().Edit4->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(notices, QStringList {QStringLiteral("Invalid input value.  Use escape key to abandon changes")});
    EXPECT_EQ(QApplication::focusWidget(), ui().MaskEdit1);
    EXPECT_EQ(ui().MaskEdit1->cursorPosition(), 5);

    // Escape puts back what the field held, and then it may be left.
    QTest::keyClick(ui().MaskEdit1, Qt::Key_Escape);
    EXPECT_EQ(ui().MaskEdit1->storedText(), QString());
    EXPECT_TRUE(editing()) << "Escape in the field abandons the field, not the worker";
    ui().Edit4->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(notices.size(), 1);

    typeInto(ui().MaskEdit2, QStringLiteral("1234"));
    ui().Edit5->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(notices.size(), 2);
    EXPECT_EQ(QApplication::focusWidget(), ui().MaskEdit2);
    EXPECT_EQ(ui().MaskEdit2->cursorPosition(), 5);

    // "Storno" pressed as the field is left puts the stored value back: nothing to refuse.
    ui().Edit5->setFocus(Qt::TabFocusReason);
    ui().BitBtn2->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(notices.size(), 2);
    EXPECT_EQ(ui().MaskEdit2->storedText(), QString());
    EXPECT_TRUE(browsing());
}

TEST_F(FieldsTest, DatesMayStayEmptyAndTheCalendarWritesDayMonthYear)
{
    WorkerRecord w = storeAndRead();
    EXPECT_EQ(w.birthDate, QString());
    EXPECT_EQ(w.reviDate, QString());

    DateField *birth = ui().DateEdit1;
    birth->showCalendar();
    CalendarPopup *popup = birth->popup();
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->calendar()->selectedDate(), QDate::currentDate()) << "an empty field opens on today";
    QStringList texts;
    for (const QLabel *label : popup->findChildren<QLabel *>())
        texts.append(label->text());
    EXPECT_TRUE(texts.contains(QStringLiteral("Vyber datum")));
    QStringList hints;
    for (const char *name : {"YearBackButton", "MonthBackButton", "MonthForwardButton", "YearForwardButton"})
        hints.append(popup->findChild<QToolButton *>(QLatin1String(name))->toolTip());
    EXPECT_EQ(hints, (QStringList {QStringLiteral("Rok zpět"), QStringLiteral("Měsíc zpět"),
                                   QStringLiteral("Měsíc dopředu"), QStringLiteral("Rok dopředu")}));
    popup->hide();

    birth->setText(QStringLiteral("31.01.2004"));
    QTest::keyClick(birth->lineEdit(), Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(popup->isVisible());
    popup->findChild<QToolButton *>(QStringLiteral("YearBackButton"))->click();
    popup->findChild<QToolButton *>(QStringLiteral("MonthForwardButton"))->click();
    EXPECT_EQ(popup->calendar()->yearShown(), 2003);
    EXPECT_EQ(popup->calendar()->monthShown(), 2);
    emit popup->calendar()->clicked(QDate(2003, 2, 28));
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(birth->text(), QStringLiteral("28.02.2003"));

    // Typed dates are put in the same form; nothing longer than ten characters gets in.
    typeInto(ui().DateEdit2->lineEdit(), QStringLiteral("1.2.2025"));
    ui().Edit5->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(ui().DateEdit2->text(), QStringLiteral("01.02.2025"));
    typeInto(ui().DateEdit2->lineEdit(), QStringLiteral("99"));
    EXPECT_EQ(ui().DateEdit2->text().size(), 10);
    ui().DateEdit2->setText(QString());
    w = storeAndRead();
    EXPECT_EQ(w.birthDate, QStringLiteral("28.02.2003"));
    EXPECT_EQ(w.reviDate, QString()) << "emptied again";
}

} // namespace

} // namespace ergotab::workers::test
