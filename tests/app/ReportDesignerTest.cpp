// "Úprava sestav" on the main window: the designer over the stored document, its files in the
// reports folder, and "Sestavy" built again when it closes.

#include "MainFormFixture.h"

#include "help/HelpViewer.h"

#include "reportengine/designer/DataTree.h"
#include "reportengine/designer/DesignSurface.h"
#include "reportengine/designer/ReportDesigner.h"
#include "reportengine/designer/core/ObjectFactory.h"
#include "reports/ReportsFolder.h"
#include "storage/document/Document.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

using namespace ergotab;
using namespace ergotab::report;
using namespace ergotab::report::designer;

namespace {

// Runs `act` on a window of type W once it is shown modally.
template <typename W> void whenShown(const std::function<void(W &)> &act)
{
    auto *timer = new QTimer;
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto *window = qobject_cast<W *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(*window);
        }
    });
    timer->start();
}

void whenDesignerShown(const std::function<void(ReportDesigner &)> &act)
{
    whenShown<ReportDesigner>(act);
}

// The help page on show after F1 in `window`, relative to the help folder.
QString helpAfterF1(QWidget &window)
{
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&window] { return QApplication::activeWindow() == &window; }));
    QTest::keyClick(&window, Qt::Key_F1);
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *viewer = qobject_cast<HelpViewer *>(top); viewer && viewer->isVisible())
            return QDir(HelpViewer::helpFolder()).relativeFilePath(viewer->browser()->source().toLocalFile());
    return {};
}

QString allText(const PreparedReport &report)
{
    QStringList texts;
    for (const PreparedPage &page : report.pages)
        for (const PreparedItem &item : page.items)
            if (const auto *text = std::get_if<TextItem>(&item))
                texts << text->text;
    return texts.join(u'\n');
}

} // namespace

class ReportDesignerOnMainWindow : public test::MainFormFixture
{
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        test::TempDir::write(markerPath(), "");
        folder = scratch.file(QStringLiteral("Reports"));
        QDir(scratch.path()).mkpath(QStringLiteral("Reports"));
        reports::ReportsFolder::setPath(folder);
    }
    void TearDown() override
    {
        MainFormFixture::TearDown();
        reports::ReportsFolder::setPath(QString());
    }

    QString folder;
};

TEST_F(ReportDesignerOnMainWindow, DesignsOverTheDocumentSavesInTheReportsFolderAndRebuildsTheMenu)
{
    shownForm();
    dbf::Table &objects = form->document().objects();
    objects.appendRecord({1, 0, 0, QStringLiteral("Závod Sever")});
    objects.appendRecord({2, 1, 1, QStringLiteral("Lakýrník")});
    form->rebuildReportsMenu();
    EXPECT_TRUE(child<QMenu>("Sestavy1")->actions().isEmpty());
    QAction *modify = child<QAction>("ModifyReport1");
    ASSERT_TRUE(modify);

    QString preview;
    QString suggested;
    bool sawFunctions = false;
    whenDesignerShown([&](ReportDesigner &designer) {
        // An empty report, the document's sources and the program's functions in the data tree.
        EXPECT_EQ(designer.model().reportTemplate(), ReportDesigner::emptyTemplate());
        EXPECT_TRUE(designer.dataTree().findField(QStringLiteral("Kategorie_DataSet"), QStringLiteral("Pracov")));
        sawFunctions = !designer.dataTree()
                            .findItems(QStringLiteral("R_MAXKATEGORIE(text)"), Qt::MatchExactly | Qt::MatchRecursive)
                            .isEmpty();

        DesignerModel &model = designer.model();
        const BandRef band = model.insertBand(0, 0, newBand(BandKind::MasterData));
        Band options = model.band(band);
        options.dataSource = QStringLiteral("Kategorie_DataSet");
        model.setBandOptions(band, options, QStringLiteral("Pás"));
        model.insertObjects(
            band,
            {newTextObject(QStringLiteral("[Kategorie_DataSet.\"Text\"] v [R_PATH([UpLink])]"), QRectF(0, 0, 150, 5))},
            QStringLiteral("Vložit"));
        designer.hooks().showPreview = [&preview](QWidget *, PreparedReport report) { preview = allText(report); };
        designer.preview();

        designer.hooks().saveFileName = [&](QWidget *, const QString &path) {
            suggested = path;
            return QDir(folder).filePath(QStringLiteral("Práce podle pracovišť.frf"));
        };
        EXPECT_TRUE(designer.save());
        designer.close();
    });
    modify->trigger();

    EXPECT_TRUE(sawFunctions);
    EXPECT_EQ(preview, QStringLiteral("Lakýrník v Závod Sever"));
    EXPECT_EQ(QFileInfo(suggested).absolutePath(), QFileInfo(folder).absoluteFilePath());
    const QList<QAction *> items = child<QMenu>("Sestavy1")->actions();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items.front()->text(), QStringLiteral("Práce podle pracovišť"));
    for (const auto &box : boxes.shown())
        ADD_FAILURE() << box.text.toStdString();
}

TEST_F(ReportDesignerOnMainWindow, F1OpensTheTopicOfTheDesignerAndOfEachOfItsDialogs)
{
    shownForm();
    HelpViewer::setHelpFolder(QStringLiteral(ERGOTAB_SOURCE_DIR "/help/pages"));
    QStringList pages;
    whenDesignerShown([&pages](ReportDesigner &designer) {
        pages << helpAfterF1(designer);
        DesignerModel &model = designer.model();
        const BandRef band = model.insertBand(0, 0, newBand(BandKind::MasterData));
        const ObjectRefs text =
            model.insertObjects(band, {newTextObject(QStringLiteral("[Text]"), QRectF(0, 0, 40, 5))}, QString());
        designer.surface().setSelection(text);
        for (const char *action :
             {"PageSetupAction", "BandOptionsAction", "EditTextAction", "TemplateInfoAction", "VariablesAction"}) {
            whenShown<QDialog>([&pages](QDialog &dialog) {
                pages << helpAfterF1(dialog);
                dialog.reject();
            });
            designer.action(QLatin1String(action))->trigger();
        }
        designer.insertDialogPage();
        pages << helpAfterF1(designer);
        for (QWidget *top : QApplication::topLevelWidgets())
            if (qobject_cast<HelpViewer *>(top))
                delete top;
        designer.hooks().ask = [](QWidget *, const QString &) { return DesignerHooks::Answer::No; };
        designer.close();
    });
    child<QAction>("ModifyReport1")->trigger();
    // The designer, page setup, band, expression editor, template properties, variables, dialog page.
    EXPECT_EQ(pages, QStringList({QStringLiteral("topics/450.html"), QStringLiteral("topics/470.html"),
                                  QStringLiteral("topics/480.html"), QStringLiteral("topics/460.html"),
                                  QStringLiteral("topics/450.html"), QStringLiteral("topics/450.html"),
                                  QStringLiteral("topics/490.html")}));
}
