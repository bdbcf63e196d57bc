#include "app/ErgotabApplication.h"
#include "app/MessageBoxes.h"
#include "app/TProgressForm.h"
#include "storage/AppError.h"

#include <QEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace ergotab;

namespace {

const QEvent::Type ThrowAppError = QEvent::Type(QEvent::User + 1);
const QEvent::Type ThrowStdError = QEvent::Type(QEvent::User + 2);
const QEvent::Type Count = QEvent::Type(QEvent::User + 3);

// An event handler failing the way a command does when nothing catches its error.
class FailingHandler : public QObject
{
public:
    int handled = 0;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == ThrowAppError)
            throw AppError(QStringLiteral("Soubor nelze otevřít: poškozený archiv."));
        if (event->type() == ThrowStdError)
            throw std::runtime_error("Archive file not found");
        if (event->type() == Count) {
            ++handled;
            return true;
        }
        return QObject::event(event);
    }
};

} // namespace

TEST(ErrorBox, AFailureInAnEventHandlerIsShownOnceAndTheProgramGoesOn)
{
    MessageBoxRecorder boxes;
    FailingHandler handler;

    QEvent failing(ThrowAppError);
    EXPECT_FALSE(QCoreApplication::sendEvent(&handler, &failing));
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().at(0).kind, MessageBoxes::Kind::Error);
    EXPECT_EQ(boxes.shown().at(0).text, QStringLiteral("Soubor nelze otevřít: poškozený archiv."));

    // Posted events fail inside the event loop; the events after them are still delivered.
    QCoreApplication::postEvent(&handler, new QEvent(ThrowStdError));
    QCoreApplication::postEvent(&handler, new QEvent(Count));
    QCoreApplication::sendPostedEvents(&handler);
    ASSERT_EQ(boxes.shown().size(), 2);
    EXPECT_EQ(boxes.shown().at(1).text, QStringLiteral("Archive file not found"));
    EXPECT_EQ(handler.handled, 1);
}

TEST(ErrorBox, TakesDownTheProgressDialogTheFailedOperationLeftUp)
{
    MessageBoxRecorder boxes;
    TProgressForm progress;
    auto *app = static_cast<ErgotabApplication *>(QCoreApplication::instance());
    app->setProgressForm(&progress);
    progress.showProgress(QStringLiteral("Otevírání: Hala"), 100);
    ASSERT_TRUE(QApplication::overrideCursor());

    FailingHandler handler;
    QEvent failing(ThrowAppError);
    QCoreApplication::sendEvent(&handler, &failing);

    EXPECT_EQ(boxes.shown().size(), 1);
    EXPECT_FALSE(progress.isVisible());
    EXPECT_FALSE(QApplication::overrideCursor());
    app->setProgressForm(nullptr);
}

TEST(CzechTexts, TheSaveQuestionAndTheFileDialogSpeakCzech)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Uložit"), QStringLiteral("Data byla změněna!"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Ano"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("&Ne"));
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("OK"));

    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto *lookIn = dialog.findChild<QLabel *>(QStringLiteral("lookInLabel"));
    ASSERT_TRUE(lookIn);
    EXPECT_NE(lookIn->text(), QStringLiteral("Look in:"));
    EXPECT_NE(dialog.labelText(QFileDialog::Reject), QStringLiteral("Cancel"));
}

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    ErgotabApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
