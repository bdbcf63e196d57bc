#include "MainFormFixture.h"

#include "app/DocumentCommands.h"
#include "storage/document/Document.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>

using namespace ergotab;
using ergotab::test::MainFormFixture;

namespace {

struct Named
{
    const char *name;
    const char *text;
};

QStringList actionNames(const QMenu *menu)
{
    QStringList names;
    for (const QAction *action : menu->actions())
        names.append(action->objectName());
    return names;
}

} // namespace

class MainForm : public MainFormFixture
{
};

TEST_F(MainForm, MenusCarryTheirNamesCaptionsAndShortcuts)
{
    makeForm();
    auto *bar = child<QMenuBar>("MainMenu1");
    ASSERT_TRUE(bar);
    EXPECT_EQ(form->menuBar(), bar);

    const Named menus[] = {{"File1", "&Soubor"},      {"Workers1", "Zaměstnanci"}, {"Sestavy1", "Sestavy"},
                           {"Zobrazit1", "Zobrazit"}, {"Help1", "Nápověda"},       {"Administrace1", "Administrace"}};
    QStringList barOrder;
    for (const QAction *action : bar->actions())
        barOrder.append(action->menu() ? action->menu()->objectName() : QString());
    EXPECT_EQ(barOrder,
              (QStringList {QStringLiteral("File1"), QStringLiteral("Workers1"), QStringLiteral("Sestavy1"),
                            QStringLiteral("Zobrazit1"), QStringLiteral("Help1"), QStringLiteral("Administrace1")}));
    for (const Named &menu : menus) {
        auto *found = child<QMenu>(menu.name);
        ASSERT_TRUE(found) << menu.name;
        EXPECT_EQ(found->title(), QString::fromUtf8(menu.text)) << menu.name;
    }

    const Named items[] = {{"New1", "&Nový"},
                           {"Open1", "&Otevřít..."},
                           {"Save1", "&Uložit"},
                           {"SaveAs1", "Uložit j&ako..."},
                           {"Exit1", "Konec"},
                           {"Editovat1", "Editovat"},
                           {"Index1", "Témata"},
                           {"Oprogramu1", "O programu"},
                           {"Exportujknihovnu1", "Export do knihovny"},
                           {"Editacevzoruopatreni1", "Editace vzoru opatreni"},
                           {"ModifyReport1", "Úprava sestav"}};
    for (const Named &item : items) {
        auto *found = child<QAction>(item.name);
        ASSERT_TRUE(found) << item.name;
        EXPECT_EQ(found->text(), QString::fromUtf8(item.text)) << item.name;
    }
    EXPECT_EQ(child<QAction>("Index1")->shortcut(), QKeySequence(Qt::Key_F1));
    const std::pair<const char *, QKeySequence> standard[] = {
        {"New1", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"Open1", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"Save1", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"SaveAs1", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {"Exit1", QKeySequence(Qt::CTRL | Qt::Key_Q)}};
    for (const auto &[name, keys] : standard)
        EXPECT_TRUE(child<QAction>(name)->shortcuts().contains(keys)) << name;
    EXPECT_TRUE(child<QAction>("Oprogramu1")->shortcut().isEmpty());

    EXPECT_EQ(actionNames(child<QMenu>("File1")),
              (QStringList {QStringLiteral("New1"), QStringLiteral("Open1"), QStringLiteral("Save1"),
                            QStringLiteral("SaveAs1"), QStringLiteral("N1"), QStringLiteral("Exit1")}));
    EXPECT_EQ(actionNames(child<QMenu>("Help1")),
              (QStringList {QStringLiteral("Index1"), QStringLiteral("N2"), QStringLiteral("Oprogramu1")}));
    EXPECT_TRUE(child<QAction>("N1")->isSeparator());
    EXPECT_TRUE(child<QAction>("N2")->isSeparator());
    EXPECT_TRUE(child<QMenu>("Sestavy1")->actions().isEmpty());
}

TEST_F(MainForm, FrameHasItsPanelsButtonsAndPages)
{
    shownForm();

    EXPECT_EQ(form->objectName(), QStringLiteral("MainForm"));
    EXPECT_EQ(form->size(), QSize(573, 445));
    EXPECT_GE(child<QWidget>("Panel1")->minimumWidth(), 150);
    EXPECT_EQ(child<QWidget>("Panel3")->minimumSize(), QSize(410, 380));
    auto *splitter = child<QSplitter>("Splitter1");
    ASSERT_TRUE(splitter);
    EXPECT_EQ(splitter->widget(0), child<QWidget>("Panel1"));
    EXPECT_EQ(splitter->widget(1), child<QWidget>("Panel3"));
    EXPECT_TRUE(child<QStatusBar>("StatusBar1"));

    auto *tree = child<QTreeWidget>("DataTreeNT");
    ASSERT_TRUE(tree);
    EXPECT_TRUE(tree->isHeaderHidden());
    EXPECT_TRUE(child<QWidget>("Panel1")->isAncestorOf(tree));

    const Named buttons[] = {{"AddNodeSpeedButton", "Přidat uzel"},
                             {"AddKatSpeedButton", "Přidat hodnocení"},
                             {"AddLibSpeedButton", "Přidat z knihovny"},
                             {"WizardSpeedButton1", "Přidat průvodcem"},
                             {"DeleteSpeedButton", "Vymazat"}};
    int previousX = -1;
    for (const Named &button : buttons) {
        auto *found = child<QToolButton>(button.name);
        ASSERT_TRUE(found) << button.name;
        EXPECT_EQ(found->toolTip(), QString::fromUtf8(button.text)) << button.name;
        EXPECT_FALSE(found->icon().isNull()) << button.name;
        EXPECT_TRUE(child<QWidget>("Panel1")->isAncestorOf(found)) << button.name;
        EXPECT_GT(found->x(), previousX) << button.name << " is left to right";
        EXPECT_GT(found->mapTo(child<QWidget>("Panel1"), QPoint()).y(), tree->geometry().bottom() - 1);
        previousX = found->x();
    }

    auto *pages = child<QStackedWidget>("PageControl1");
    ASSERT_TRUE(pages);
    ASSERT_EQ(pages->count(), 3);
    EXPECT_EQ(pages->widget(0)->objectName(), QStringLiteral("NoneTabSheet"));
    EXPECT_EQ(pages->widget(1)->objectName(), QStringLiteral("NodeTabSheet"));
    EXPECT_EQ(pages->widget(2)->objectName(), QStringLiteral("ItemTabSheet"));
    EXPECT_EQ(pages->currentWidget(), child<QWidget>("NoneTabSheet"));
    QStringList titleTexts;
    for (const QLabel *label : child<QWidget>("NoneTabSheet")->findChildren<QLabel *>())
        titleTexts.append(label->text());
    EXPECT_EQ(titleTexts, (QStringList {QStringLiteral("Ergotab"), QStringLiteral("dle Vyhlášky 432/2003")}));
    EXPECT_TRUE(child<QLabel>("ProductLabel")->font().bold());

    auto *store = child<QPushButton>("StoreBitBtn");
    auto *cancel = child<QPushButton>("CancelBitBtn");
    ASSERT_TRUE(store && cancel);
    EXPECT_EQ(store->text(), QStringLiteral("Uložit"));
    EXPECT_EQ(cancel->text(), QStringLiteral("Zrušit"));
    EXPECT_FALSE(store->isEnabled());
    EXPECT_FALSE(cancel->isEnabled());
    EXPECT_TRUE(child<QWidget>("Panel4")->isAncestorOf(store));
    EXPECT_EQ(child<QLabel>("AdminRxLabel")->text(), QStringLiteral("Administrator mode"));
}

TEST_F(MainForm, AdministratorModeFollowsTheMarkerFile)
{
    shownForm();
    EXPECT_FALSE(form->isAdministratorMode());
    EXPECT_FALSE(child<QMenu>("Administrace1")->menuAction()->isVisible());
    EXPECT_FALSE(child<QLabel>("AdminRxLabel")->isVisible());
    EXPECT_FALSE(child<QMenu>("Workers1")->menuAction()->isVisible());

    test::TempDir::write(markerPath(), QByteArray());
    shownForm();
    EXPECT_TRUE(form->isAdministratorMode());
    EXPECT_TRUE(child<QMenu>("Administrace1")->menuAction()->isVisible());
    EXPECT_TRUE(child<QLabel>("AdminRxLabel")->isVisible());
    EXPECT_FALSE(child<QMenu>("Workers1")->menuAction()->isVisible()) << "nothing shows the worker menu";
}

TEST_F(MainForm, StartUpMakesTheWorkingFolderAndClosingRemovesIt)
{
    makeForm();
    EXPECT_FALSE(form->document().isStarted());
    form->show();

    const QString folder = form->document().workFolder();
    ASSERT_FALSE(folder.isEmpty());
    EXPECT_TRUE(folder.endsWith(QLatin1Char('/')));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(QDir(folder).dirName().startsWith(QStringLiteral("TVO")));

    form->hide();
    form->show();
    EXPECT_EQ(form->document().workFolder(), folder) << "the start-up sequence runs once";

    EXPECT_TRUE(form->close());
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_FALSE(form->document().isStarted());
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(MainForm, ClosingIsRefusedWhileTheEditorHoldsChanges)
{
    shownForm();
    const QString folder = form->document().workFolder();
    child<QPushButton>("StoreBitBtn")->setEnabled(true);

    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().at(0).kind, MessageBoxes::Kind::Information);
    EXPECT_EQ(boxes.shown().at(0).text, QStringLiteral("Nejprve uložte nebo zrušte změny v editovaném záznamu."));
    EXPECT_TRUE(QFileInfo(folder).isDir());

    child<QPushButton>("StoreBitBtn")->setEnabled(false);
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST_F(MainForm, UnsavedChangesAreAskedAboutBeforeClosing)
{
    shownForm();
    const QString folder = form->document().workFolder();
    form->document().setModified(true);

    // Yes without a completed save keeps the window, the changes and the working folder.
    boxes.answerNext(true);
    EXPECT_FALSE(form->close());
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().at(0).kind, MessageBoxes::Kind::Question);
    EXPECT_EQ(boxes.shown().at(0).title, QStringLiteral("Uložit"));
    EXPECT_EQ(boxes.shown().at(0).text, QStringLiteral("Data byla změněna!\n\rUložit změny?"));
    EXPECT_TRUE(form->document().isModified());
    EXPECT_TRUE(QFileInfo(folder).isDir());

    // No drops the changes and closes.
    boxes.answerNext(false);
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST_F(MainForm, OpeningADocumentRenamesTheMainWindowOnly)
{
    const QString displayName = QGuiApplication::applicationDisplayName();
    shownForm();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Ergotab"));

    form->document().setFileName(QStringLiteral("/data/Závod Brno.v2.tvo"));
    form->UpdateCaption();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Závod Brno.v2 - Ergotab"));
    // The platform appends the display name to every window's title: it must not follow the
    // document, or the help window reads "Nápověda – Ergotab — Závod Brno.v2 - Ergotab".
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), displayName);
    child<QAction>("Index1")->trigger();
    auto *viewer = form->findChild<HelpViewer *>();
    ASSERT_TRUE(viewer);
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("Nápověda – Ergotab"));
    viewer->close();
}

TEST_F(MainForm, AMissingFileNamedOnTheCommandLineIsReportedAsNotFound)
{
    shownForm(scratch.file(QStringLiteral("chybí.tvo")));
    EXPECT_TRUE(form->document().isStarted());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Ergotab"));
    EXPECT_TRUE(form->recentFiles().isEmpty());
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().at(0).kind, MessageBoxes::Kind::Warning);
    EXPECT_EQ(boxes.shown().at(0).text, QStringLiteral("Soubor nenalezen."));
}

TEST_F(MainForm, StandardShortcutsRunTheirCommandsButNotWhileARecordIsEdited)
{
    shownForm();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->document().setModified(true);

    // Ctrl+N reaches "Nový", which asks first; Escape calls it off.
    boxes.escapeNext();
    QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().at(0).title, QStringLiteral("Uložit"));

    // While the editor holds changes the "Soubor" commands are locked, keys included.
    boxes.clear();
    form->AddNodeSpeedButtonClick();
    child<QLineEdit>("NodeNameEdit")->setText(QStringLiteral("Dílna"));
    ASSERT_TRUE(child<QPushButton>("StoreBitBtn")->isEnabled());
    for (const auto &keys :
         {QKeySequence(Qt::CTRL | Qt::Key_N), QKeySequence(Qt::CTRL | Qt::Key_O), QKeySequence(Qt::CTRL | Qt::Key_Q)})
        QTest::keySequence(form.get(), keys);
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_TRUE(form->isVisible());
    form->CancelBitBtnClick();
    EXPECT_TRUE(child<QAction>("New1")->isEnabled());
}

TEST_F(MainForm, RecentFilesAreReadAtFirstShowWrittenAtCloseAndListedUnderKonec)
{
    {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Selvar"),
                           QStringLiteral("Ergotab"));
        settings.beginGroup(QStringLiteral("TMainForm.MRUManager1"));
        settings.setValue(QStringLiteral("Item_0"), QStringLiteral("/data/A.tvo"));
        settings.setValue(QStringLiteral("Item_1"), QStringLiteral("/data/B.tvo"));
        settings.setValue(QStringLiteral("User_0"), 0);
    }
    shownForm();
    EXPECT_EQ(form->recentFiles().paths(),
              (QStringList {QStringLiteral("/data/A.tvo"), QStringLiteral("/data/B.tvo")}));

    form->addRecentFile(QStringLiteral("/data/C.tvo"));
    const QList<QAction *> file = child<QMenu>("File1")->actions();
    ASSERT_EQ(file.size(), 6 + 1 + 3);
    EXPECT_EQ(file.at(5)->objectName(), QStringLiteral("Exit1"));
    EXPECT_TRUE(file.at(6)->isSeparator());
    EXPECT_EQ(file.at(7)->text(), QStringLiteral("&1 /data/C.tvo"));
    EXPECT_EQ(file.at(9)->text(), QStringLiteral("&3 /data/B.tvo"));

    ASSERT_TRUE(form->close());
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Selvar"),
                       QStringLiteral("Ergotab"));
    settings.beginGroup(QStringLiteral("TMainForm.MRUManager1"));
    EXPECT_EQ(settings.childKeys(),
              (QStringList {QStringLiteral("Item_0"), QStringLiteral("Item_1"), QStringLiteral("Item_2")}));
    EXPECT_EQ(settings.value(QStringLiteral("Item_0")).toString(), QStringLiteral("/data/C.tvo"));
}

TEST_F(MainForm, ChoosingARecentFileThatIsGoneWarnsAndKeepsTheEntry)
{
    shownForm();
    const QString gone = scratch.file(QStringLiteral("Smazaný.tvo"));
    form->addRecentFile(gone);
    form->addRecentFile(QStringLiteral("/data/Jiný.tvo"));

    child<QMenu>("File1")->actions().at(8)->trigger(); // "&2 …Smazaný.tvo"

    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().at(0).kind, MessageBoxes::Kind::Warning);
    EXPECT_EQ(boxes.shown().at(0).text, QStringLiteral("Soubor nenalezen."));
    EXPECT_EQ(form->recentFiles().paths(), (QStringList {QStringLiteral("/data/Jiný.tvo"), gone}));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Ergotab"));
}

TEST_F(MainForm, EnterAndEscapePressStoreAndCancelOnlyWhileEnabled)
{
    shownForm();
    auto *store = child<QPushButton>("StoreBitBtn");
    auto *cancel = child<QPushButton>("CancelBitBtn");
    QSignalSpy stored(store, &QPushButton::clicked);
    QSignalSpy cancelled(cancel, &QPushButton::clicked);

    QTest::keyClick(form.get(), Qt::Key_Return);
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_EQ(stored.size(), 0);
    EXPECT_EQ(cancelled.size(), 0);

    // Each press ends the editing state, which disables both buttons again.
    const auto editing = [&] {
        store->setEnabled(true);
        cancel->setEnabled(true);
    };
    editing();
    QTest::keyClick(form.get(), Qt::Key_Return);
    editing();
    QTest::keyClick(form.get(), Qt::Key_Enter, Qt::KeypadModifier);
    editing();
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_EQ(stored.size(), 2);
    EXPECT_EQ(cancelled.size(), 1);
    store->setEnabled(false);
    cancel->setEnabled(false);
}

TEST_F(MainForm, TemataOpensTheHelpContents)
{
    QDir().mkpath(scratch.file(QStringLiteral("help")));
    test::TempDir::write(scratch.file(QStringLiteral("help/index.html")),
                         QByteArrayLiteral("<html><body><h1>Obsah</h1></body></html>"));
    shownForm();

    child<QAction>("Index1")->trigger();
    auto *viewer = form->findChild<HelpViewer *>();
    ASSERT_TRUE(viewer);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(viewer->browser()->source().toLocalFile().endsWith(QStringLiteral("help/index.html")));
    viewer->close();
}

namespace {

// A real, empty document file made the way the program saves one.
QString saveEmptyDocument(const QString &path)
{
    Document document;
    document.start();
    document.setFileName(path);
    document.save();
    document.shutDown();
    return path;
}

} // namespace

TEST_F(MainForm, ADocumentNamedOnTheCommandLineIsOpenAtFirstShow)
{
    const QString path = saveEmptyDocument(scratch.file(QStringLiteral("Slévárna.tvo")));

    shownForm(path);

    EXPECT_EQ(form->document().fileName(), path);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Slévárna - Ergotab"));
    ASSERT_FALSE(form->recentFiles().isEmpty());
    EXPECT_EQ(form->recentFiles().paths().first(), path);
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(MainForm, OpeningARecentDocumentMovesItToTheTop)
{
    const QString first = saveEmptyDocument(scratch.file(QStringLiteral("Hala.tvo")));
    shownForm();
    form->addRecentFile(first);
    form->addRecentFile(QStringLiteral("/data/Sklad.tvo"));
    form->addRecentFile(QStringLiteral("/data/Kancelář.tvo"));

    child<QMenu>("File1")->actions().at(9)->trigger(); // "&3 …Hala.tvo"

    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Hala - Ergotab"));
    EXPECT_EQ(form->recentFiles().paths(),
              (QStringList {first, QStringLiteral("/data/Kancelář.tvo"), QStringLiteral("/data/Sklad.tvo")}));
    EXPECT_EQ(child<QMenu>("File1")->actions().at(7)->data().toString(), first);
}
