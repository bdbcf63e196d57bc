#include "MainFormFixture.h"

#include "help/HelpKey.h"
#include "help/HelpTopics.h"
#include "help/HelpViewer.h"
#include "reportengine/dialogs/DialogPageForm.h"
#include "reportengine/dialogs/ReportProgressForm.h"
#include "reportengine/model/TemplateLoader.h"
#include "reportengine/preview/ReportPreview.h"
#include "reportengine/render/PreparedReportFile.h"
#include "reports/ReportsFolder.h"
#include "storage/document/Document.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QTimer>

#include <functional>
#include <memory>

using namespace ergotab;

namespace {

QString shippedTemplate(const QString &name)
{
    return QStringLiteral(ERGOTAB_PROGRAM_DIR "/Reports/") + name + QStringLiteral(".frf");
}

// Calls `act` on the first window of type T that comes up modal, from inside its own event
// loop (or, for the progress window, from the events it lets through). Watches only while it
// lives, so a window that never came cannot reach a later step of the test.
template <typename T> class WhenShown
{
public:
    enum class Times { Once, Each };
    explicit WhenShown(std::function<void(T *)> act, Times times = Times::Once)
    {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [this, act, times] {
            if (auto *window = qobject_cast<T *>(QApplication::activeModalWidget())) {
                if (times == Times::Once)
                    m_timer.stop();
                act(window);
            }
        });
        m_timer.start();
    }

private:
    QTimer m_timer;
};

QString allText(const report::PreparedReport &report)
{
    QStringList texts;
    for (const report::PreparedPage &page : report.pages)
        for (const report::PreparedItem &item : page.items)
            if (const auto *text = std::get_if<report::TextItem>(&item))
                texts.append(text->text);
    return texts.join(QLatin1Char('\n'));
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

// The main window over a document of a plant with two workplaces and three works, and a
// reports folder of the test's own.
class ReportRun : public test::MainFormFixture
{
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        folder = scratch.file(QStringLiteral("Reports"));
        QDir(scratch.path()).mkpath(QStringLiteral("Reports"));
        reports::ReportsFolder::setPath(folder);
    }

    void TearDown() override
    {
        MainFormFixture::TearDown();
        reports::ReportsFolder::setPath(QString());
    }

    void addTemplate(const QString &shipped, const QString &fileName)
    {
        ASSERT_TRUE(QFile::copy(shippedTemplate(shipped), folder + QLatin1Char('/') + fileName));
    }

    void showWithDocument(int extraWorks = 0)
    {
        shownForm();
        dbf::Table &objects = form->document().objects();
        objects.appendRecord({1, 0, 0, QStringLiteral("Závod Sever")});
        objects.appendRecord({2, 1, 0, QStringLiteral("Lakovna")});
        objects.appendRecord({3, 2, 1, QStringLiteral("Lakýrník"), 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 14, 3});
        objects.appendRecord({4, 1, 0, QStringLiteral("Sklad")});
        objects.appendRecord({5, 4, 1, QStringLiteral("Skladník"), 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 20, 4});
        for (int i = 0; i < extraWorks; ++i)
            objects.appendRecord({6 + i, 4, 1, QStringLiteral("Pomocník %1").arg(i + 1)});
        form->rebuildReportsMenu();
    }

    QAction *item(const QString &caption) const
    {
        for (QAction *action : child<QMenu>("Sestavy1")->actions())
            if (action->text() == caption)
                return action;
        return nullptr;
    }

    // Chooses the menu item and gives back what its preview showed (closing it).
    report::PreparedReport choose(const QString &caption, bool *previewShown = nullptr)
    {
        report::PreparedReport shown;
        bool seen = false;
        const WhenShown<report::ReportPreview> watch([&](report::ReportPreview *preview) {
            shown = preview->report();
            seen = true;
            preview->accept();
        });
        QAction *action = item(caption);
        EXPECT_TRUE(action) << caption.toStdString();
        if (action)
            action->trigger();
        if (previewShown)
            *previewShown = seen;
        return shown;
    }

    QString folder;
};

TEST_F(ReportRun, EachItemRunsItsTemplateWhateverTheCaseOfItsExtension)
{
    addTemplate(QStringLiteral("Kategorizace prací"), QStringLiteral("Riziko.frf"));
    addTemplate(QStringLiteral("Souhrn kategorií"), QStringLiteral("Souhrn.FRF"));
    showWithDocument();

    bool shown = false;
    const report::PreparedReport riziko = choose(QStringLiteral("Riziko"), &shown);
    EXPECT_TRUE(shown);
    ASSERT_FALSE(riziko.pages.empty());
    EXPECT_TRUE(allText(riziko).contains(QStringLiteral("Lakýrník")));
    EXPECT_TRUE(allText(riziko).contains(QStringLiteral("Závod Sever / Lakovna")));

    const report::PreparedReport souhrn = choose(QStringLiteral("Souhrn"), &shown);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(souhrn.pages.empty());
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(ReportRun, AVanishedTemplateRunsAsAnEmptyReportWithoutAMessage)
{
    addTemplate(QStringLiteral("Kategorizace prací"), QStringLiteral("Riziko.frf"));
    showWithDocument();
    QFile::remove(folder + QStringLiteral("/Riziko.frf"));
    bool shown = false;
    const report::PreparedReport report = choose(QStringLiteral("Riziko"), &shown);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(allText(report).isEmpty());
    for (const auto &box : boxes.shown())
        ADD_FAILURE() << box.text.toStdString();
}

TEST_F(ReportRun, WhatATemplateCouldNotCarryOverIsToldOnceBesideThePreview)
{
    report::TemplateFormat format;
    format.name = QStringLiteral("zkušební s upozorněním");
    format.recognises = [](const QByteArray &head) { return head.startsWith("UPOZORNENI"); };
    format.loadWithWarnings = [](const QByteArray &, const QString &, QStringList &warnings) {
        report::ReportTemplate t;
        t.pages.emplace_back();
        warnings << QStringLiteral("Objekt Memo1: dvojitý rámeček se tiskne jednoduchou čarou.")
                 << QStringLiteral("Objekt Band2: skript se nespouští.");
        return t;
    };
    report::registerTemplateFormat(format);
    test::TempDir::write(folder + QStringLiteral("/Stará.frf"), "UPOZORNENI");
    addTemplate(QStringLiteral("Kategorizace prací"), QStringLiteral("Riziko.frf"));
    showWithDocument();

    bool shown = false;
    choose(QStringLiteral("Stará"), &shown);
    EXPECT_TRUE(shown); // the report still runs
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().at(0).kind, MessageBoxes::Kind::Warning);
    const QString told = boxes.shown().at(0).text;
    EXPECT_TRUE(told.contains(QStringLiteral("Stará.frf"))) << told.toStdString();
    EXPECT_TRUE(told.contains(QStringLiteral("Objekt Memo1: dvojitý rámeček"))) << told.toStdString();
    EXPECT_TRUE(told.contains(QStringLiteral("Objekt Band2"))) << told.toStdString();
    boxes.clear();

    // Once is enough: the next run of the same file says nothing; our own templates never do.
    choose(QStringLiteral("Stará"), &shown);
    EXPECT_TRUE(shown);
    choose(QStringLiteral("Riziko"), &shown);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(ReportRun, ZrusitInTheProgressWindowShowsNoPreviewAndTheDocumentStaysUsable)
{
    addTemplate(QStringLiteral("Kategorizace prací"), QStringLiteral("Riziko.frf"));
    showWithDocument(400);
    int helpContext = 0;
    QString records;
    const WhenShown<report::ReportProgressForm> cancelling([&](report::ReportProgressForm *progress) {
        helpContext = helpKeyContext(progress);
        records = progress->recordLabel()->text();
        progress->cancelButton()->click();
    });
    bool shown = false;
    choose(QStringLiteral("Riziko"), &shown);
    EXPECT_FALSE(shown);
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_EQ(helpContext, HelpTopic::ReportProgress);
    EXPECT_TRUE(records.startsWith(QStringLiteral("Záznam "))) << records.toStdString();
    EXPECT_TRUE(records.contains(QStringLiteral(" z "))) << records.toStdString();

    // The same report runs again to its end: nothing of the cancelled run is left open.
    choose(QStringLiteral("Riziko"), &shown);
    EXPECT_TRUE(shown);
}

TEST_F(ReportRun, AFailureWhilePreparingIsShownInTheErrorBoxNamingTheObject)
{
    test::TempDir::write(folder + QStringLiteral("/Chyba.frf"),
                         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<report version=\"1\" name=\"Chyba\"><page name=\"Strana\">"
                         "<band kind=\"master-data\" name=\"Prace\" data-source=\"Kategorie_DataSet\" height=\"6\">"
                         "<text name=\"Delitel\" x=\"0\" y=\"0\" width=\"50\" height=\"5\">"
                         "<content>[R_MAXKATEGORIE('1x')]</content></text></band></page></report>");
    test::TempDir::write(folder + QStringLiteral("/Poškozená.frf"), "<report version=\"1\"><page");
    showWithDocument();
    bool shown = false;
    choose(QStringLiteral("Poškozená"), &shown);
    EXPECT_FALSE(shown);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_TRUE(boxes.shown().at(0).text.contains(QStringLiteral("Poškozená.frf")))
        << boxes.shown().at(0).text.toStdString();
    boxes.clear();

    choose(QStringLiteral("Chyba"), &shown);
    EXPECT_FALSE(shown);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().at(0).kind, MessageBoxes::Kind::Error);
    EXPECT_TRUE(boxes.shown().at(0).text.contains(QStringLiteral("Delitel"))) << boxes.shown().at(0).text.toStdString();
}

TEST_F(ReportRun, ValuesTypedInTheDialogPageAppearInTheReport)
{
    addTemplate(QStringLiteral("Návrh na zařazení prací do kategorií"), QStringLiteral("Návrh.frf"));
    showWithDocument();
    int helpContext = 0;
    auto typing = std::make_unique<WhenShown<report::DialogPageForm>>([&](report::DialogPageForm *page) {
        helpContext = helpKeyContext(page);
        EXPECT_EQ(page->windowTitle(), QStringLiteral("Údaje o zaměstnavateli"));
        qobject_cast<QLineEdit *>(page->control(QStringLiteral("Nazev")))
            ->setText(QStringLiteral("Strojírny Žďár a.s."));
        qobject_cast<QLineEdit *>(page->control(QStringLiteral("Ico")))->setText(QStringLiteral("12345678"));
        qobject_cast<QComboBox *>(page->control(QStringLiteral("Smennost")))->setCurrentIndex(2);
        qobject_cast<QPushButton *>(page->control(QStringLiteral("OK")))->click();
    });
    bool shown = false;
    const QString text = allText(choose(QStringLiteral("Návrh"), &shown));
    EXPECT_TRUE(shown);
    EXPECT_EQ(helpContext, HelpTopic::ReportDialog);
    EXPECT_TRUE(text.contains(QStringLiteral("Strojírny Žďár a.s."))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("12345678")));
    EXPECT_TRUE(text.contains(QStringLiteral("třísměnný provoz")));
    typing.reset();

    // "Zrušit" on the page ends the run quietly.
    const WhenShown<report::DialogPageForm> cancelling([](report::DialogPageForm *page) {
        qobject_cast<QPushButton *>(page->control(QStringLiteral("Zrusit")))->click();
    });
    choose(QStringLiteral("Návrh"), &shown);
    EXPECT_FALSE(shown);
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(ReportRun, ThePreviewSavesEachFormatOpensItsOwnFileAndPrintsAllPages)
{
    addTemplate(QStringLiteral("Kategorizace prací"), QStringLiteral("Riziko.frf"));
    showWithDocument(120);
    const QString out = scratch.file(QStringLiteral("out"));
    QDir().mkpath(out);
    int pages = 0;
    int reopenedPages = 0;
    QString helpShown;
    const WhenShown<report::ReportPreview> saving([&](report::ReportPreview *preview) {
        pages = int(preview->report().pages.size());
        for (const char *name : {"sestava.pdf", "sestava.html", "sestava.rtf", "sestava.frp"}) {
            dialogs.answerNext(out + QLatin1Char('/') + QLatin1String(name));
            preview->save();
        }
        dialogs.answerNext(out + QStringLiteral("/sestava.frp"));
        preview->openFile();
        reopenedPages = int(preview->report().pages.size());
        preview->hooks().choosePrinter = [&](QWidget *, QPrinter &printer, int) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(out + QStringLiteral("/tisk.pdf"));
            return true;
        };
        preview->print();
        preview->findChild<QAction *>(QStringLiteral("PreviewHelp"))->trigger();
        for (QWidget *widget : QApplication::allWidgets())
            if (auto *viewer = qobject_cast<HelpViewer *>(widget); viewer && viewer->isVisible())
                helpShown = viewer->browser()->toPlainText();
        preview->accept();
    });
    item(QStringLiteral("Riziko"))->trigger();
    EXPECT_TRUE(boxes.shown().isEmpty());
    ASSERT_GT(pages, 1);
    EXPECT_EQ(reopenedPages, pages);
    EXPECT_TRUE(helpShown.contains(QStringLiteral("%1").arg(HelpTopic::Preview))) << helpShown.toStdString();
    EXPECT_EQ(QSettings().value(QStringLiteral("ReportPreview/LastFolder")).toString(), out);

    EXPECT_TRUE(run(QStringLiteral("pdftotext"), {out + QStringLiteral("/sestava.pdf"), QStringLiteral("-")})
                    .contains(QStringLiteral("Lakýrník")));
    // unrtf writes Czech letters as HTML character references.
    EXPECT_TRUE(QTextDocumentFragment::fromHtml(
                    run(QStringLiteral("unrtf"), {QStringLiteral("--html"), out + QStringLiteral("/sestava.rtf")}))
                    .toPlainText()
                    .contains(QStringLiteral("Skladník")));
    EXPECT_TRUE(QString::fromUtf8(test::TempDir::read(out + QStringLiteral("/sestava.html")))
                    .contains(QStringLiteral("Lakýrník")));
    EXPECT_EQ(report::PreparedReportFile::load(out + QStringLiteral("/sestava.frp")).pages.size(), std::size_t(pages));
    const QString info = run(QStringLiteral("pdfinfo"), {out + QStringLiteral("/tisk.pdf")});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages)))) << info.toStdString();
}

TEST_F(ReportRun, InputAndMessageBoxOfATemplateAskTheUser)
{
    test::TempDir::write(folder + QStringLiteral("/Dotaz.frf"),
                         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<report version=\"1\" name=\"Dotaz\"><page name=\"Strana\">"
                         "<band kind=\"report-title\" name=\"Titul\" height=\"12\">"
                         "<text name=\"Smeny\" x=\"0\" y=\"0\" width=\"80\" height=\"5\">"
                         "<content>Směn: [INPUT('Počet směn?', '1')]</content></text>"
                         "<text name=\"Odpoved\" x=\"0\" y=\"6\" width=\"80\" height=\"5\">"
                         "<content>Odpověď: [MESSAGEBOX('Tisknout i ženy?', 'Dotaz', 4)]</content></text>"
                         "</band></page></report>");
    showWithDocument();
    QStringList asked;
    const WhenShown<QInputDialog> typing(
        [&](QInputDialog *dialog) {
            asked.append(dialog->labelText());
            dialog->setTextValue(QStringLiteral("3"));
            dialog->accept();
        },
        WhenShown<QInputDialog>::Times::Each);
    const WhenShown<QMessageBox> answering(
        [&](QMessageBox *box) {
            asked.append(box->text());
            for (QAbstractButton *button : box->buttons())
                if (button->text() == QStringLiteral("Ne"))
                    button->click();
        },
        WhenShown<QMessageBox>::Times::Each);
    bool shown = false;
    const QString text = allText(choose(QStringLiteral("Dotaz"), &shown));
    EXPECT_TRUE(shown);
    EXPECT_TRUE(asked.contains(QStringLiteral("Počet směn?")));
    EXPECT_TRUE(asked.contains(QStringLiteral("Tisknout i ženy?")));
    EXPECT_TRUE(text.contains(QStringLiteral("Směn: 3"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Odpověď: 7"))) << text.toStdString(); // No
}
