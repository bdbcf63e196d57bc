#include "app/AdminMode.h"
#include "app/AppVersion.h"
#include "app/MessageBoxes.h"
#include "app/TAboutForm.h"
#include "app/TProgressForm.h"
#include "app/TSplashForm.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

using namespace ergotab;

TEST(Version, ShowsTheFirstTwoPartsOfTheFileVersion)
{
    EXPECT_EQ(versionText(QStringLiteral("1.7.0.0")), QStringLiteral("Verze 1.7"));
    EXPECT_EQ(versionText(QStringLiteral("2.10.3.4")), QStringLiteral("Verze 2.10"));
    EXPECT_EQ(versionText(QString()), QStringLiteral("Verze "));
    EXPECT_EQ(programVersionText(), QStringLiteral("Verze 1.7"));
}

TEST(SplashAndAbout, ShowTheProductAndTheVersionWhenShown)
{
    TSplashForm splash;
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    splash.show();
    EXPECT_EQ(splash.findChild<QLabel *>(QStringLiteral("RxLabel8"))->text(), QStringLiteral("Verze 1.7"));
    auto *name = splash.findChild<QLabel *>(QStringLiteral("ProductLabel"));
    EXPECT_EQ(name->text(), QStringLiteral("Ergotab"));
    EXPECT_TRUE(name->font().bold());
    splash.close();

    TAboutForm about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("O programu"));
    EXPECT_EQ(about.layout()->sizeConstraint(), QLayout::SetFixedSize);
    about.show();
    EXPECT_EQ(about.findChild<QLabel *>(QStringLiteral("RxLabel8"))->text(), QStringLiteral("Verze 1.7"));
    about.findChild<QPushButton *>(QStringLiteral("OKButton"))->click();
    EXPECT_EQ(about.result(), QDialog::Accepted);
    EXPECT_FALSE(about.isVisible());
}

class ProgressForm : public ::testing::Test
{
protected:
    TProgressForm form;
    QLabel *text() const { return form.findChild<QLabel *>(QStringLiteral("TextLabel")); }
    QProgressBar *gauge() const { return form.findChild<QProgressBar *>(QStringLiteral("ProgressGauge")); }
};

TEST_F(ProgressForm, IsABorderlessWindowOnTopCaptionedPrubeh)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Prubeh"));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    ASSERT_TRUE(text());
    ASSERT_TRUE(gauge());
}

TEST_F(ProgressForm, ShowStepSetAndHide)
{
    form.ShowProgress(QStringLiteral("Vytvářím strom"), 3);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(text()->text(), QStringLiteral("Vytvářím strom"));
    EXPECT_EQ(gauge()->minimum(), 0);
    EXPECT_EQ(gauge()->maximum(), 3);
    EXPECT_EQ(gauge()->value(), 0);
    ASSERT_TRUE(QApplication::overrideCursor());
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);

    form.StepProgress();
    form.StepProgress();
    EXPECT_EQ(gauge()->value(), 2);
    form.SetProgress(1);
    EXPECT_EQ(gauge()->value(), 1);

    // A second operation started while the dialog is up takes it over without a second cursor.
    form.ShowProgress(QStringLiteral("Otevírání: Hala"), 100);
    EXPECT_EQ(gauge()->value(), 0);
    EXPECT_EQ(gauge()->maximum(), 100);

    form.HideProgress();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(QApplication::overrideCursor());
    form.HideProgress();
    EXPECT_FALSE(QApplication::overrideCursor());
}

TEST_F(ProgressForm, EveryAdvanceProcessesPendingEvents)
{
    form.ShowProgress(QStringLiteral("Převádím data"), 10);
    int delivered = 0;
    QTimer::singleShot(0, &form, [&] { ++delivered; });
    form.StepProgress();
    EXPECT_EQ(delivered, 1);
    QTimer::singleShot(0, &form, [&] { ++delivered; });
    form.SetProgress(5);
    EXPECT_EQ(delivered, 2);
    form.HideProgress();
}

TEST(MessageBoxRecorder, RecordsBoxesAndAnswersQuestionsInOrder)
{
    MessageBoxRecorder boxes;
    boxes.answerNext(true);
    EXPECT_TRUE(MessageBoxes::question(nullptr, QStringLiteral("Uložit"), QStringLiteral("Uložit změny?")));
    EXPECT_FALSE(MessageBoxes::question(nullptr, QStringLiteral("Uložit"), QStringLiteral("Znovu?")))
        << "No once the preset answers run out";
    MessageBoxes::warning(nullptr, QStringLiteral("Soubor nenalezen."));
    showErrorBox(nullptr, QStringLiteral("File (3) is corrupt"));

    ASSERT_EQ(boxes.shown().size(), 4);
    EXPECT_EQ(boxes.shown().at(2).kind, MessageBoxes::Kind::Warning);
    EXPECT_EQ(boxes.shown().at(3).kind, MessageBoxes::Kind::Error);
    EXPECT_EQ(boxes.shown().at(3).text, QStringLiteral("File (3) is corrupt"));
}

namespace {

// Answers the next modal message box in the way given, once the event loop runs.
void leaveNextBox(const std::function<void(QMessageBox *)> &how)
{
    QTimer::singleShot(0, [how] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        how(box);
    });
}

} // namespace

TEST(SaveQuestion, EscapeOrClosingTheBoxIsNeitherYesNorNo)
{
    const auto ask = [] {
        return MessageBoxes::askYesNo(nullptr, QStringLiteral("Uložit"), QStringLiteral("Data byla změněna!"));
    };
    QStringList visibleButtons;
    leaveNextBox([&](QMessageBox *box) {
        for (QAbstractButton *button : box->buttons())
            if (!button->isHidden())
                visibleButtons << button->text();
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(ask(), MessageBoxes::Answer::Cancelled);
    EXPECT_EQ(visibleButtons.size(), 2) << "only Yes and No are offered";

    leaveNextBox([](QMessageBox *box) { box->close(); });
    EXPECT_EQ(ask(), MessageBoxes::Answer::Cancelled);
    leaveNextBox([](QMessageBox *box) { box->button(QMessageBox::No)->click(); });
    EXPECT_EQ(ask(), MessageBoxes::Answer::No);
    leaveNextBox([](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Return); });
    EXPECT_EQ(ask(), MessageBoxes::Answer::Yes) << "Yes is the default button";
}

TEST(AdministratorMarker, LiesAtTheRootUnlessPointedElsewhere)
{
    const QByteArray saved = qgetenv("ERGOTAB_ADMIN_MARKER");
    qunsetenv("ERGOTAB_ADMIN_MARKER");
#ifdef Q_OS_WIN
    EXPECT_EQ(adminMarkerPath(), QStringLiteral("c:\\Admin.set"));
#else
    EXPECT_EQ(adminMarkerPath(), QStringLiteral("/Admin.set"));
#endif
    qputenv("ERGOTAB_ADMIN_MARKER", QByteArrayLiteral("/nowhere/Admin.set"));
    EXPECT_EQ(adminMarkerPath(), QStringLiteral("/nowhere/Admin.set"));
    EXPECT_FALSE(administratorMarkerExists());
    if (saved.isEmpty())
        qunsetenv("ERGOTAB_ADMIN_MARKER");
    else
        qputenv("ERGOTAB_ADMIN_MARKER", saved);
}
