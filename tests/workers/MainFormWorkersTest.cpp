// The register reached through the main window's hidden menu, and what a saved document then
// holds, read back by ergotab-cli.
#include "tests/app/MainFormFixture.h"
#include "tests/cli/CliRunner.h"

#include "app/DocumentCommands.h"
#include "storage/document/Document.h"
#include "workers/TWorkersForm.h"
#include "workers/WorkersFormUi.h"

#include <QAction>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "workers/DateField.h"
#include "workers/MaskedField.h"

using namespace ergotab;
using namespace ergotab::test;

namespace {

using WorkersOnMainWindow = MainFormFixture;

TEST_F(WorkersOnMainWindow, TheHiddenMenuOpensTheRegisterAndTheSavedDocumentHoldsWhatItWrote)
{
    TMainForm &window = shownForm();
    EXPECT_FALSE(child<QMenu>("Workers1")->menuAction()->isVisible());
    // Links come only with documents that hold them.
    for (const auto &[worker, assessment] : {std::pair {1, 5}, {2, 5}, {2, 6}})
        window.document().links().appendRecord({worker, assessment});
    window.document().setModified(false);

    bool ran = false;
    QTimer::singleShot(0, &window, [&] {
        auto *form = window.findChild<workers::TWorkersForm *>();
        ASSERT_TRUE(form);
        EXPECT_TRUE(form->isVisible());
        EXPECT_TRUE(form->isModal());
        workers::WorkersFormUi &ui = form->ui();
        ui.SpeedButton1->click();
        ui.Edit1->setText(QStringLiteral("Nováková"));
        ui.Edit2->setText(QStringLiteral("Jana"));
        ui.Edit6->setText(QStringLiteral("Lakýrnice"));
        ui.DateEdit1->setText(QStringLiteral("01.01.1985"));
        ui.MaskEdit1->setText(QStringLiteral("8551011234"));
        ui.MaskEdit2->setText(QStringLiteral("11000"));
        ui.MaskEdit3->setText(QStringLiteral("12"));
        ui.ComboBox1->setCurrentIndex(1);
        ui.ComboBox2->setCurrentIndex(0);
        ui.BitBtn1->click();
        ui.SpeedButton1->click();
        ui.Edit1->setText(QStringLiteral("Druhý"));
        ui.MaskEdit3->setText(QStringLiteral("3"));
        ui.BitBtn1->click();
        boxes.answerNext(true);
        ui.SpeedButton2->click();
        ui.BitBtn3->click();
        ran = true;
    });
    child<QAction>("Editovat1")->trigger();
    ASSERT_TRUE(ran);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().at(0).title, QStringLiteral("Vymazat"));
    EXPECT_EQ(boxes.shown().at(0).text, QStringLiteral("Opravdu vymazat?"));
    EXPECT_TRUE(window.document().isModified());

    dialogs.answerNext(scratch.file(QStringLiteral("Lakovna.tvo")));
    window.SaveAs1Click();
    const CliRun run = runCli({QStringLiteral("dump"), window.document().fileName()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(run.outBytes).object();
    const QJsonArray workers = json.value(QStringLiteral("Worker")).toArray();
    ASSERT_EQ(workers.size(), 1);
    const QJsonObject w = workers.at(0).toObject();
    EXPECT_EQ(w.value(QStringLiteral("Index")).toInt(), 1);
    EXPECT_EQ(w.value(QStringLiteral("LName")).toString(), QStringLiteral("Nováková"));
    EXPECT_EQ(w.value(QStringLiteral("FName")).toString(), QStringLiteral("Jana"));
    EXPECT_EQ(w.value(QStringLiteral("Profese")).toString(), QStringLiteral("Lakýrnice"));
    EXPECT_EQ(w.value(QStringLiteral("BirthDate")).toString(), QStringLiteral("01.01.1985"));
    EXPECT_EQ(w.value(QStringLiteral("BirthNum")).toString(), QStringLiteral("855101-1234"));
    EXPECT_EQ(w.value(QStringLiteral("Zip")).toString(), QStringLiteral("110 00"));
    EXPECT_EQ(w.value(QStringLiteral("RiskLen")).toInt(), 12);
    EXPECT_EQ(w.value(QStringLiteral("LenType")).toInt(), 1);
    EXPECT_EQ(w.value(QStringLiteral("Result")).toInt(), 0);
    EXPECT_EQ(w.value(QStringLiteral("ReviDate")).toString(), QString());
    const QJsonArray links = json.value(QStringLiteral("Link")).toArray();
    ASSERT_EQ(links.size(), 1) << "the deleted worker's links went with it";
    EXPECT_EQ(links.at(0).toObject().value(QStringLiteral("WIndex")).toInt(), 1);
    EXPECT_EQ(links.at(0).toObject().value(QStringLiteral("TIndex")).toInt(), 5);
}

TEST_F(WorkersOnMainWindow, TheRegisterIsMadeOnceAndOpensAgainOnTheCurrentDocument)
{
    TMainForm &window = shownForm();
    auto *form = window.findChild<workers::TWorkersForm *>();
    ASSERT_TRUE(form);
    int rows = -1;
    const auto openAndCount = [&] {
        QTimer::singleShot(0, &window, [&] {
            rows = form->ui().ListBox1->count();
            form->ui().SpeedButton1->click();
            form->ui().BitBtn3->click();
        });
        window.Editovat1Click();
    };
    openAndCount();
    EXPECT_EQ(rows, 0);
    openAndCount();
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(window.findChildren<workers::TWorkersForm *>().size(), 1);

    boxes.answerNext(false); // "Nový" asks about the changes: not saved
    window.New1Click();
    openAndCount();
    EXPECT_EQ(rows, 0) << "a new document has no workers";
}

} // namespace
