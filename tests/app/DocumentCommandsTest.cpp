// The "Soubor" commands on the real main window: dialogs and questions answered in advance.
#include "MainFormFixture.h"

#include "app/DocumentCommands.h"
#include "app/FileDialogs.h"
#include "storage/document/Document.h"
#include "tests/storage/document/DamagedDocument.h"

#include <QCheckBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSpinBox>
#include <QTextEdit>
#include <QTreeWidget>

#include <functional>

using namespace ergotab;
using namespace ergotab::test;

namespace {

class DocumentCommandsTest : public MainFormFixture
{
protected:
    // Adds one assessment through the editor, as a user would.
    void addAssessment(TMainForm &window, const QString &name)
    {
        window.AddKatSpeedButtonClick();
        child<QLineEdit>("KatNameEdit")->setText(name);
        child<QCheckBox>("f03k2")->click();
        window.StoreBitBtnClick();
    }

    QString saveAs(TMainForm &window, const QString &name)
    {
        dialogs.answerNext(scratch.file(name));
        window.SaveAs1Click();
        return window.document().fileName();
    }

    int topLevelItems() const { return child<QTreeWidget>("DataTreeNT")->topLevelItemCount(); }
};

} // namespace

TEST(SaveAsNames, TvoIsAppendedUnlessTheExtensionIsAlreadyTvo)
{
    EXPECT_EQ(DocumentCommands::withDocumentExtension(QStringLiteral("/d/zavod")), QStringLiteral("/d/zavod.TVO"));
    EXPECT_EQ(DocumentCommands::withDocumentExtension(QStringLiteral("/d/zavod.tvo")), QStringLiteral("/d/zavod.tvo"));
    EXPECT_EQ(DocumentCommands::withDocumentExtension(QStringLiteral("/d/zavod.TvO")), QStringLiteral("/d/zavod.TvO"));
    EXPECT_EQ(DocumentCommands::withDocumentExtension(QStringLiteral("/d/zavod.txt")),
              QStringLiteral("/d/zavod.txt.TVO"));
    EXPECT_EQ(DocumentCommands::withDocumentExtension(QStringLiteral("/d.tvo/zavod")),
              QStringLiteral("/d.tvo/zavod.TVO"));
    EXPECT_EQ(FileDialogs::qtFilter(FileDialogs::documentFilter), QStringLiteral("Soubory Ergotab (*.tvo)"));
}

TEST_F(DocumentCommandsTest, SaveAsNamesTheDocumentAndListsItFirst)
{
    TMainForm &window = shownForm();
    addAssessment(window, QStringLiteral("Lakýrník"));
    ASSERT_TRUE(window.document().isModified());
    const QString saved = saveAs(window, QStringLiteral("Lakovna"));
    EXPECT_EQ(saved, scratch.file(QStringLiteral("Lakovna.TVO")));
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_FALSE(window.document().isModified());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Lakovna - Ergotab"));
    EXPECT_EQ(window.recentFiles().paths().value(0), saved);

    // Save with a name saves in place without asking.
    addAssessment(window, QStringLiteral("Brusič"));
    const int asked = dialogs.asked();
    window.Save1Click();
    EXPECT_EQ(dialogs.asked(), asked);
    EXPECT_FALSE(window.document().isModified());
}

TEST_F(DocumentCommandsTest, CancellingTheSaveDialogLeavesTheDocumentUnsavedAndStopsTheCommand)
{
    TMainForm &window = shownForm();
    addAssessment(window, QStringLiteral("Obráběč"));
    window.Save1Click(); // no answer: cancelled
    EXPECT_EQ(dialogs.asked(), 1);
    EXPECT_TRUE(window.document().isModified());
    EXPECT_TRUE(window.document().fileName().isEmpty());

    // Yes to the question, then cancel: New, Open and a recent file do nothing further.
    for (auto command : {&TMainForm::New1Click, &TMainForm::Open1Click}) {
        boxes.clear();
        boxes.answerNext(true);
        const int asked = dialogs.asked();
        (window.*command)();
        ASSERT_EQ(boxes.shown().size(), 1);
        EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("Uložit"));
        EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Data byla změněna!\n\rUložit změny?"));
        EXPECT_EQ(dialogs.asked(), asked + 1) << "only the save dialog was shown";
        EXPECT_TRUE(window.document().isModified());
        EXPECT_EQ(topLevelItems(), 1);
    }
    boxes.answerNext(true);
    window.MRUManager1Click(scratch.file(QStringLiteral("other.tvo")));
    EXPECT_EQ(topLevelItems(), 1);

    // No drops the changes and lets New go on.
    boxes.answerNext(false);
    window.New1Click();
    EXPECT_FALSE(window.document().isModified());
    EXPECT_EQ(topLevelItems(), 0);
}

TEST_F(DocumentCommandsTest, PressingEscapeAtTheSaveQuestionKeepsTheChangesAndCallsTheCommandOff)
{
    TMainForm &window = shownForm();
    addAssessment(window, QStringLiteral("Lakýrník"));
    const QString other = scratch.file(QStringLiteral("other.tvo"));
    TempDir::write(other, QByteArray(200, 'x'));

    const std::function<void()> commands[] = {[&] { window.New1Click(); }, [&] { window.Open1Click(); },
                                              [&] { window.MRUManager1Click(other); },
                                              [&] { EXPECT_FALSE(window.close()); }};
    for (const auto &command : commands) {
        boxes.clear();
        boxes.escapeNext();
        command();
        ASSERT_EQ(boxes.shown().size(), 1) << "only the question, no error box";
        EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Data byla změněna!\n\rUložit změny?"));
        EXPECT_EQ(dialogs.asked(), 0);
        EXPECT_TRUE(window.document().isModified());
        EXPECT_EQ(topLevelItems(), 1);
        EXPECT_TRUE(window.isVisible());
    }
}

TEST_F(DocumentCommandsTest, OpenThroughTheDialogShowsTheDocumentAndAsksNothingWhenUnmodified)
{
    TMainForm &window = shownForm();
    addAssessment(window, QStringLiteral("Svářeč"));
    const QString path = saveAs(window, QStringLiteral("Svarovna.tvo"));
    window.New1Click();
    EXPECT_EQ(topLevelItems(), 0);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Ergotab"));

    boxes.clear();
    dialogs.answerNext(path);
    window.Open1Click();
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Svarovna - Ergotab"));
    ASSERT_EQ(topLevelItems(), 1);
    EXPECT_EQ(child<QTreeWidget>("DataTreeNT")->topLevelItem(0)->text(0), QStringLiteral("Svářeč"));
    EXPECT_FALSE(window.document().isModified());
}

TEST_F(DocumentCommandsTest, OpeningATextFileRenamedToTvoKeepsTheOpenDocumentAndNamesTheFile)
{
    TMainForm &window = shownForm();
    addAssessment(window, QStringLiteral("Skladník"));
    const QString saved = saveAs(window, QStringLiteral("Sklad.tvo"));
    addAssessment(window, QStringLiteral("Neuložený"));
    const QString bad = scratch.file(QStringLiteral("poznámky.tvo"));
    TempDir::write(bad, QByteArray("Toto je textový soubor.\n").repeated(20));

    // Answered No, so Open goes on; the changes are dropped only once the new file is in.
    boxes.answerNext(false);
    dialogs.answerNext(bad);
    try {
        window.Open1Click();
        FAIL() << "no error";
    } catch (const AppError &error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("Soubor „poznámky.tvo“ nelze otevřít: ")))
            << error.message().toStdString();
        EXPECT_GT(error.message().size(), QStringLiteral("Soubor „poznámky.tvo“ nelze otevřít: ").size());
    }
    EXPECT_EQ(topLevelItems(), 2);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Sklad - Ergotab"));
    EXPECT_EQ(window.document().fileName(), saved);
    EXPECT_EQ(window.document().objects().recordCount(), 2);
    // "Uložit" saves under the same name without asking for one.
    window.document().setModified(true);
    const int asked = dialogs.asked();
    window.Save1Click();
    EXPECT_EQ(dialogs.asked(), asked);
    EXPECT_FALSE(window.document().isModified());
}

TEST_F(DocumentCommandsTest, OpeningADocumentCutShortWarnsAndShowsWhatCouldBeRead)
{
    const QString path = scratch.file(QStringLiteral("Hala.tvo"));
    test::writeDamagedDocument(path, 46, 8, 5);
    TMainForm &window = shownForm();
    dialogs.answerNext(path);
    window.Open1Click();

    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].kind, MessageBoxes::Kind::Warning);
    const QString text = boxes.shown()[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("Dokument je poškozen: "))) << text.toStdString();
    for (const QString &part : {QStringLiteral("Object.dbf"), QStringLiteral("46"), QStringLiteral("8"),
                                QStringLiteral("Object.dbt"), QStringLiteral("3"), QStringLiteral("kopii")})
        EXPECT_TRUE(text.contains(part)) << part.toStdString() << " in " << text.toStdString();
    EXPECT_EQ(topLevelItems(), 8);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Hala - Ergotab"));
    // The rows whose memo was lost load with an empty one instead of failing.
    auto *tree = child<QTreeWidget>("DataTreeNT");
    tree->setCurrentItem(tree->topLevelItem(7));
    EXPECT_TRUE(child<QPlainTextEdit>("PopisMemo")->toPlainText().isEmpty());
    tree->setCurrentItem(tree->topLevelItem(0));
    EXPECT_EQ(child<QPlainTextEdit>("PopisMemo")->toPlainText(), QStringLiteral("Popis 1"));
}

TEST_F(DocumentCommandsTest, AFailedSaveKeepsTheOldFileAndTheFlag)
{
    TMainForm &window = shownForm();
    addAssessment(window, QStringLiteral("Řidič"));
    const QString path = saveAs(window, QStringLiteral("Doprava.tvo"));
    const QByteArray before = TempDir::read(path);
    addAssessment(window, QStringLiteral("Dispečer"));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    EXPECT_THROW(window.Save1Click(), AppError);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(TempDir::read(path), before);
    EXPECT_TRUE(window.document().isModified());
    addAssessment(window, QStringLiteral("Ještě jeden"));
    EXPECT_EQ(topLevelItems(), 3);
}

TEST_F(DocumentCommandsTest, WhatWasTypedComesBackFromTheCommandLineDump)
{
    TMainForm &window = shownForm();
    window.AddKatSpeedButtonClick();
    child<QLineEdit>("KatNameEdit")->setText(QStringLiteral("Čalouník – šití potahů"));
    child<QCheckBox>("f01k2")->click();
    child<QCheckBox>("f07k3")->click();
    child<QSpinBox>("PracSpinEdit")->setValue(12);
    child<QSpinBox>("ZenSpinEdit")->setValue(9);
    QWidget *memo = child<QWidget>("OpatreniMemo");
    if (auto *plain = qobject_cast<QPlainTextEdit *>(memo))
        plain->setPlainText(QStringLiteral("Přestávky, střídání činností.\nŠkolení."));
    else if (auto *rich = qobject_cast<QTextEdit *>(memo))
        rich->setPlainText(QStringLiteral("Přestávky, střídání činností.\nŠkolení."));
    window.StoreBitBtnClick();
    const QString path = saveAs(window, QStringLiteral("Čalounictví"));

    QProcess cli;
    cli.start(QStringLiteral(ERGOTAB_PROGRAM_DIR "/ergotab-cli"), {QStringLiteral("dump"), path});
    ASSERT_TRUE(cli.waitForFinished(60000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().constData();
    const QJsonObject json = QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
    const QJsonArray rows = json.value(QStringLiteral("Object")).toArray();
    ASSERT_EQ(rows.size(), 1);
    const QJsonObject row = rows[0].toObject();
    EXPECT_EQ(row.value(QStringLiteral("Text")).toString(), QStringLiteral("Čalouník – šití potahů"));
    EXPECT_EQ(row.value(QStringLiteral("Fak01")).toInt(), 2);
    EXPECT_EQ(row.value(QStringLiteral("Fak07")).toInt(), 4);
    EXPECT_EQ(row.value(QStringLiteral("Fak02")).toInt(), 0);
    EXPECT_EQ(row.value(QStringLiteral("Pracov")).toInt(), 12);
    EXPECT_EQ(row.value(QStringLiteral("Zen")).toInt(), 9);
    EXPECT_TRUE(
        row.value(QStringLiteral("Opatreni")).toString().startsWith(QStringLiteral("Přestávky, střídání činností.")));
    EXPECT_TRUE(row.value(QStringLiteral("Opatreni")).toString().contains(QStringLiteral("Školení.")));
}

// A document written by another dBase program, without its index file and without Worker.dbf:
// the window shows its tree, and saving it writes both.
TEST_F(DocumentCommandsTest, ADocumentWithoutIndexAndWorkerTableOpensAndSavesWhole)
{
    TMainForm &window = shownForm();
    const QString path = scratch.file(QStringLiteral("cizi.tvo"));
    QFile::copy(QStringLiteral(ERGOTAB_SOURCE_DIR "/tests/data/old-documents/version3-no-index-no-worker.tvo"), path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);

    dialogs.answerNext(path);
    window.Open1Click();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("cizi - Ergotab"));
    const auto *tree = child<QTreeWidget>("DataTreeNT");
    ASSERT_EQ(topLevelItems(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("Závod Žďár nad Sázavou"));
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 2);
    EXPECT_EQ(window.document().workers().recordCount(), 0);
    EXPECT_FALSE(window.document().isModified());

    window.Save1Click();
    QProcess cli;
    cli.start(QStringLiteral(ERGOTAB_PROGRAM_DIR "/ergotab-cli"), {QStringLiteral("list"), path});
    ASSERT_TRUE(cli.waitForFinished(60000));
    const QString members = QString::fromUtf8(cli.readAllStandardOutput());
    EXPECT_TRUE(members.contains(QStringLiteral("Object.mdx"))) << members.toStdString();
    EXPECT_TRUE(members.contains(QStringLiteral("Worker.dbf"))) << members.toStdString();
}
