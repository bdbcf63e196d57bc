#include "LibraryFixtures.h"
#include "tests/app/MainFormFixture.h"

#include "library/LibraryCommands.h"
#include "library/TLibForm.h"
#include "library/TVyberForm.h"
#include "library/TVzoryForm.h"
#include "library/core/LibraryWorkCopy.h"
#include "library/core/MeasureTemplates.h"
#include "library/core/WritableFolder.h"
#include "storage/archive/ContainerReplacement.h"
#include "storage/document/Document.h"
#include "tree/CategoryGrid.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <iostream>

using namespace ergotab;
using namespace ergotab::test;

namespace {

// A main window over a library of its own: a sector with a workshop node and two
// assessments, and two noise templates.
class LibraryOnMainWindow : public MainFormFixture
{
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        TempDir source;
        makeSampleTable(source.file(QStringLiteral("Object.dbf")),
                        {{1, 0, 0, QStringLiteral("Strojírenství")},
                         {2, 1, 0, QStringLiteral("Svařovna")},
                         {3, 2, 1, QStringLiteral("Svářeč"), masksOf({{1, 4}, {3, 4}, {5, 4}})},
                         {4, 1, 1, QStringLiteral("Mistr"), masksOf({{3, 1}})}});
        makeTemplateTable(source.file(QStringLiteral("Vzory.dbf")),
                          {{3, QStringLiteral("do 85 dB"), QStringLiteral("Poskytnout chrániče.")},
                           {3, QStringLiteral("nad 85 dB"), QStringLiteral("Nosit chrániče.")},
                           {1, QStringLiteral("do PEL"), QStringLiteral("Odsávat.")}});
        QStringList files;
        for (const QString &name : QDir(source.path()).entryList(QDir::Files))
            files.append(source.file(name));
        writeContainerAtomically(libraryFile(), files, fcDefault);
        m_shippedLibrary = qgetenv("ERGOTAB_LIBRARY");
        qputenv("ERGOTAB_LIBRARY", libraryFile().toLocal8Bit());
    }
    void TearDown() override
    {
        MainFormFixture::TearDown();
        qputenv("ERGOTAB_LIBRARY", m_shippedLibrary);
    }
    QByteArray m_shippedLibrary;

    QString libraryFile() const { return scratch.file(QStringLiteral("Library.LIB")); }
    library::TLibForm &libForm() { return form->library().libForm(); }

    // Runs `answer` on the modal window once it is up.
    static void whenModal(std::function<void(QWidget *)> answer)
    {
        QTimer::singleShot(0, [answer] {
            QWidget *modal = QApplication::activeModalWidget();
            ASSERT_TRUE(modal);
            answer(modal);
        });
    }

    dbf::Table &objects()
    {
        dbf::Table &t = form->document().objects();
        t.setFiltered(false);
        t.setFilter(QString());
        return t;
    }
};

} // namespace

TEST_F(LibraryOnMainWindow, OkCreatesTheTickedItemsThroughTheEditorsCommands)
{
    TMainForm &window = shownForm();
    EXPECT_TRUE(boxes.shown().isEmpty());
    // The destination is an assessment with head counts and texts: the copies go beside it
    // and take none of them.
    const int office = window.editing().addNode(QStringLiteral("Provoz"));
    window.editing().addAssessment(QStringLiteral("Účetní"), {});
    child<QSpinBox>("PracSpinEdit")->setValue(12);
    child<QPlainTextEdit>("PopisMemo")->setPlainText(QStringLiteral("popis"));
    window.StoreBitBtnClick();
    window.document().setModified(false);

    library::TLibForm &lib = libForm();
    lib.show();
    QTreeWidget *tree = lib.tree();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->checkState(0), Qt::Unchecked);
    lib.itemOf(3)->setCheckState(0, Qt::Checked); // deep inside unticked nodes
    lib.itemOf(4)->setCheckState(0, Qt::Checked);
    lib.itemOf(2)->setCheckState(0, Qt::Checked);
    lib.findChild<QPushButton *>(QStringLiteral("StoreBitBtn"))->click();
    EXPECT_FALSE(lib.isVisible());
    EXPECT_TRUE(window.document().isModified());
    EXPECT_EQ(lib.itemOf(2)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(lib.itemOf(4)->checkState(0), Qt::Unchecked);

    dbf::Table &t = objects();
    QStringList rows;
    for (t.first(); !t.eof(); t.next())
        rows.append(QStringLiteral("%1<%2 %3 %4 %5")
                        .arg(t.fieldText(QStringLiteral("Text")))
                        .arg(t.fieldInt(QStringLiteral("UpLink")))
                        .arg(t.fieldInt(QStringLiteral("Fak03")))
                        .arg(t.fieldInt(QStringLiteral("Pracov")))
                        .arg(t.fieldText(QStringLiteral("Popis"))));
    EXPECT_EQ(rows, (QStringList {QStringLiteral("Provoz<0 0 0 "), QStringLiteral("Účetní<1 0 12 popis"),
                                  QStringLiteral("Svařovna<1 0 0 "), QStringLiteral("Svářeč<3 4 0 "),
                                  QStringLiteral("Mistr<1 1 0 ")}));
    ASSERT_TRUE(t.locate(QStringLiteral("Text"), QStringLiteral("Svářeč")));
    EXPECT_EQ(t.fieldInt(QStringLiteral("Fak05")), 4) << "masks carried, disabled boxes included";
    auto *docTree = child<QTreeWidget>("DataTreeNT");
    ASSERT_EQ(docTree->topLevelItem(0)->childCount(), 3);
    EXPECT_EQ(docTree->topLevelItem(0)->child(1)->child(0)->text(0), QStringLiteral("Svářeč"));
    EXPECT_EQ(office, 1);
}

TEST_F(LibraryOnMainWindow, TheWindowShowsTheSelectionReadOnlyAndFinds)
{
    shownForm();
    library::TLibForm &lib = libForm();
    lib.show();
    lib.tree()->setCurrentItem(lib.itemOf(3));
    auto *pages = lib.findChild<QStackedWidget *>(QStringLiteral("PageControl1"));
    EXPECT_EQ(pages->currentWidget()->objectName(), QStringLiteral("ItemTabSheet"));
    EXPECT_FALSE(pages->currentWidget()->isEnabled());
    EXPECT_EQ(lib.findChild<QLineEdit *>(QStringLiteral("KatNameEdit"))->text(), QStringLiteral("Svářeč"));
    EXPECT_TRUE(lib.findChild<QCheckBox *>(QStringLiteral("f03k3"))->isChecked());
    EXPECT_FALSE(lib.findChild<QCheckBox *>(QStringLiteral("f03k2"))->isChecked());
    EXPECT_TRUE(lib.findChild<QCheckBox *>(QStringLiteral("f05k3"))->isChecked());

    lib.findChild<QToolButton *>(QStringLiteral("FindSpeedButton"))->click();
    EXPECT_TRUE(lib.isFindDialogOpen());
    QWidget *find = lib.findChild<QWidget *>(QStringLiteral("FindDialog1"));
    ASSERT_TRUE(find && find->isVisible());
    find->findChild<QLineEdit *>(QStringLiteral("FindEdit"))->setText(QStringLiteral("svá"));
    auto *next = find->findChild<QPushButton *>(QStringLiteral("FindNextButton"));
    lib.tree()->setCurrentItem(nullptr);
    next->click();
    EXPECT_EQ(lib.tree()->currentItem(), lib.itemOf(3)) << "not the node Svařovna: á is no a";
    find->findChild<QLineEdit *>(QStringLiteral("FindEdit"))->setText(QStringLiteral("MISTR"));
    next->click();
    EXPECT_EQ(lib.tree()->currentItem(), lib.itemOf(4));
    next->click();
    EXPECT_EQ(lib.tree()->currentItem(), lib.itemOf(4)) << "past the end the end item is tested again";
    find->findChild<QLineEdit *>(QStringLiteral("FindEdit"))->setText(QStringLiteral("nic"));
    next->click();
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].title, QStringLiteral("Nalezeno"));
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Nebyl nalezen další odpovídající záznam."));
    EXPECT_EQ(lib.tree()->currentItem(), lib.itemOf(4));

    lib.findChild<QToolButton *>(QStringLiteral("FindSpeedButton"))->click();
    EXPECT_FALSE(find->isVisible());
    EXPECT_FALSE(lib.isFindDialogOpen());

    // "Zavřít" unticks everything; the title bar keeps the ticks.
    lib.itemOf(1)->setCheckState(0, Qt::Checked);
    lib.close();
    lib.show();
    EXPECT_EQ(lib.itemOf(1)->checkState(0), Qt::Checked);
    lib.findChild<QPushButton *>(QStringLiteral("CancelBitBtn"))->click();
    EXPECT_EQ(lib.itemOf(1)->checkState(0), Qt::Unchecked);
}

TEST_F(LibraryOnMainWindow, VzorAppendsTheChosenTemplateAndStartsEditing)
{
    TMainForm &window = shownForm();
    window.editing().addAssessment(QStringLiteral("Svářeč"), masksOf({{1, 2}, {3, 4}}));
    child<QPlainTextEdit>("OpatreniMemo")->setPlainText(QStringLiteral("Stávající"));
    window.StoreBitBtnClick();
    whenModal([](QWidget *modal) {
        auto *chooser = qobject_cast<library::TVyberForm *>(modal);
        ASSERT_TRUE(chooser);
        EXPECT_EQ(chooser->findChild<QLabel *>(QStringLiteral("FaktorRxLabel"))->text(), QStringLiteral("Hluk"));
        auto *ok = chooser->findChild<QPushButton *>(QStringLiteral("BitBtn1"));
        EXPECT_FALSE(ok->isEnabled());
        chooser->findChild<QComboBox *>(QStringLiteral("SpecifikComboBox"))->setCurrentIndex(1);
        EXPECT_TRUE(ok->isEnabled());
        ok->click();
    });
    child<QPushButton>("VzorButton")->click();
    EXPECT_EQ(child<QPlainTextEdit>("OpatreniMemo")->toPlainText(),
              QStringLiteral("Stávající\n-- Prach do PEL\nOdsávat.\n\n-- Hluk nad 85 dB\nNosit chrániče.\n\n"));
    EXPECT_TRUE(child<QPushButton>("StoreBitBtn")->isEnabled()) << "the editing state is on";
}

TEST_F(LibraryOnMainWindow, AMissingLibraryIsReportedAndTheProgramStarts)
{
    QFile::remove(libraryFile());
    TMainForm &window = shownForm();
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].kind, MessageBoxes::Kind::Error);
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Archive file not found"));
    EXPECT_TRUE(window.document().isStarted());
    EXPECT_EQ(window.library().workCopy().LibTable().recordCount(), 0);
    const QString folder = window.library().workCopy().folder();
    EXPECT_TRUE(QFileInfo::exists(folder));
    window.close();
    EXPECT_FALSE(QFileInfo::exists(folder)) << "closing removes the library's working folder";
}

TEST_F(LibraryOnMainWindow, ExportAndTemplateSavingReplaceTheLibraryFile)
{
    TempDir::write(markerPath(), QByteArray());
    TMainForm &window = shownForm();
    window.editing().addNode(QStringLiteral("Nový sektor"));

    boxes.answerNext(true);
    child<QAction>("Exportujknihovnu1")->trigger();
    ASSERT_EQ(boxes.shown().size(), 2);
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Opravdu chcete vytvořit knihovnu z aktuálních dat?"));
    EXPECT_EQ(boxes.shown()[1].text, QStringLiteral("Nová knihovna bude přístupná při dalším spuštění programu."));
    EXPECT_EQ(window.library().workCopy().LibTable().recordCount(), 4) << "the running library is untouched";
    {
        library::LibraryWorkCopy written;
        ASSERT_EQ(written.open(libraryFile()), QString());
        EXPECT_EQ(written.LibTable().recordCount(), 1);
        EXPECT_EQ(written.OpatTable().recordCount(), 3);
    }

    boxes.clear();
    boxes.answerNext(true);
    whenModal([](QWidget *modal) {
        ASSERT_TRUE(qobject_cast<library::TVzoryForm *>(modal));
        modal->close();
    });
    child<QAction>("Editacevzoruopatreni1")->trigger();
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown()[0].text, QStringLiteral("Uložit změny v knihovně vzorů?"));
    library::LibraryWorkCopy saved;
    ASSERT_EQ(saved.open(libraryFile()), QString());
    EXPECT_EQ(saved.LibTable().recordCount(), 4) << "the working copy's samples, not the exported ones";
}

TEST_F(LibraryOnMainWindow, AProgramFolderThatCannotBeWrittenIsReportedWithThePathAndNothingIsLost)
{
    TempDir::write(markerPath(), QByteArray());
    // The installed program's folder: the library in a folder the user may not write to.
    TempDir program;
    const QString installed = program.file(QStringLiteral("Library.LIB"));
    ASSERT_TRUE(QFile::copy(libraryFile(), installed));
    const QByteArray shipped = TempDir::read(installed);
    QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
    const auto writableAgain = qScopeGuard(
        [&program] { QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
    qputenv("ERGOTAB_LIBRARY", installed.toLocal8Bit());

    TMainForm &window = shownForm();
    if (library::canReplaceFile(installed)) {
        // Rights that pass over the folder's permissions (tests run as root in CI): the refusal
        // is what the check answers, so it is simulated there.
        std::cout << "[ note ] the folder's permissions do not stop this user; the refusal is simulated\n";
        window.library().setReplaceCheck([](const QString &) { return false; });
    }
    EXPECT_EQ(QDir(program.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList {QStringLiteral("Library.LIB")})
        << "starting writes nothing beside the library";
    window.editing().addNode(QStringLiteral("Nový sektor"));

    // Export: the refusal names the library's path; the new library goes where the user says.
    const QString elsewhere = scratch.file(QStringLiteral("Moje knihovna.LIB"));
    boxes.answerNext(true);
    boxes.answerNext(true);
    dialogs.answerNext(elsewhere);
    child<QAction>("Exportujknihovnu1")->trigger();
    ASSERT_EQ(boxes.shown().size(), 3);
    EXPECT_TRUE(boxes.shown()[1].text.contains(QStringLiteral("nelze přepsat")));
    EXPECT_TRUE(boxes.shown()[1].text.contains(QDir::toNativeSeparators(installed)));
    EXPECT_TRUE(boxes.shown()[2].text.contains(QDir::toNativeSeparators(elsewhere)));
    {
        library::LibraryWorkCopy written;
        ASSERT_EQ(written.open(elsewhere), QString());
        EXPECT_EQ(written.LibTable().recordCount(), 1);
        EXPECT_EQ(written.OpatTable().recordCount(), 3) << "the templates come along";
    }
    EXPECT_EQ(TempDir::read(installed), shipped);

    // Templates: declining to save elsewhere says the changes stay for the run.
    boxes.clear();
    boxes.answerNext(true);
    boxes.answerNext(false);
    whenModal([](QWidget *modal) { modal->close(); });
    child<QAction>("Editacevzoruopatreni1")->trigger();
    ASSERT_EQ(boxes.shown().size(), 3);
    EXPECT_TRUE(boxes.shown()[1].text.contains(QDir::toNativeSeparators(installed)));
    EXPECT_TRUE(boxes.shown()[2].text.contains(QStringLiteral("zůstávají v otevřené knihovně")));
    EXPECT_EQ(TempDir::read(installed), shipped);

    // Saving them elsewhere instead.
    const QString templatesElsewhere = scratch.file(QStringLiteral("Vzory.LIB"));
    boxes.clear();
    boxes.answerNext(true);
    boxes.answerNext(true);
    dialogs.answerNext(templatesElsewhere);
    whenModal([](QWidget *modal) { modal->close(); });
    child<QAction>("Editacevzoruopatreni1")->trigger();
    library::LibraryWorkCopy saved;
    ASSERT_EQ(saved.open(templatesElsewhere), QString());
    EXPECT_EQ(saved.OpatTable().recordCount(), 3) << "the templates kept in the open library, all of them";
    EXPECT_EQ(QDir(program.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList {QStringLiteral("Library.LIB")});
}
