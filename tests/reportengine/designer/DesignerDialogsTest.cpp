// The designer's dialogs opened from its menu as a user opens them: the rich text editor, the
// template's properties and its variables, the band's options, the page setup and the expression
// editor, each ending in one step that undo takes back; and F1 in the window and in every dialog
// asking for the dialog's own help topic.

#include "DesignerTestSupport.h"

#include "reportengine/designer/BandDialog.h"
#include "reportengine/designer/DataTree.h"
#include "reportengine/designer/ExpressionEditor.h"
#include "reportengine/designer/PageSetupDialog.h"
#include "reportengine/designer/RichTextEditor.h"
#include "reportengine/designer/TemplateInfoDialog.h"
#include "reportengine/designer/VariablesDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>

using namespace ergotab::report;
using namespace ergotab::report::designer;
using namespace ergotab::report::designer::test;

namespace {

template <typename W> W *in(QWidget &dialog, const char *name)
{
    W *widget = dialog.findChild<W *>(QLatin1String(name));
    EXPECT_TRUE(widget) << name;
    return widget;
}

// As typed (the test's key clicks know ASCII only): the field changes as a whole.
void retype(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->setText(text);
}

void pressOk(QDialog &dialog)
{
    dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
}

using DesignerDialogs = DesignerWithKinds;

} // namespace

TEST_F(DesignerDialogs, RichTextIsEditedAsItLooksAndKeptAsHtmlWithPlainExpressions)
{
    designer->surface().setSelection({at(Rich1)});
    whenModal<RichTextEditor>([](RichTextEditor &editor) {
        editor.editor()->insertPlainText(QStringLiteral("Počet & spol. "));
        editor.editor()->selectAll();
        in<QToolButton>(editor, "RichBoldButton")->click();
        in<QToolButton>(editor, "RichAlignCenterButton")->click();
        EXPECT_TRUE(in<QToolButton>(editor, "RichAlignCenterButton")->isChecked());
        EXPECT_TRUE(in<QToolButton>(editor, "RichBoldButton")->isChecked());
        in<QToolButton>(editor, "RichItalicButton")->click();
        in<QToolButton>(editor, "RichUnderlineButton")->click();
        auto *size = in<QComboBox>(editor, "RichSizeCombo");
        size->lineEdit()->setText(QStringLiteral("14"));
        QTest::keyClick(size->lineEdit(), Qt::Key_Return);
        editor.setColorChooser([](QWidget *, const QColor &, const QString &) { return QColor(Qt::blue); });
        in<QToolButton>(editor, "RichColorButton")->click();
        auto *family = in<QFontComboBox>(editor, "RichFontCombo");
        family->lineEdit()->setText(family->itemText(0));
        QTest::keyClick(family->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(editor.editor()->textCursor().charFormat().fontFamilies().toStringList(),
                  QStringList({family->itemText(0)}));
        editor.editor()->moveCursor(QTextCursor::End);
        in<QToolButton>(editor, "RichBoldButton")->click(); // bold off for what follows
        QTreeWidgetItem *field =
            editor.dataTree()->findField(QStringLiteral("Kategorie_DataSet"), QStringLiteral("Pracov"));
        ASSERT_TRUE(field);
        emit editor.dataTree()->itemDoubleClicked(field, 0);
        QTest::keyClicks(editor.editor(), QStringLiteral(" > 2"));
        editor.accept();
    });
    designer->action(QStringLiteral("EditTextAction"))->trigger();
    const QString html = content<RichTextObject>(Rich1).html;
    // The engine evaluates [ … ] in the HTML as it stands: quotes must be quotes there, while
    // the text around keeps its entities.
    EXPECT_TRUE(html.contains(QStringLiteral("[Kategorie_DataSet.\"Pracov\"]"))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("Počet &amp; spol.")));
    EXPECT_TRUE(html.contains(QStringLiteral(" &gt; 2")));
    EXPECT_TRUE(html.contains(QStringLiteral("font-weight:700")));
    EXPECT_TRUE(html.contains(QStringLiteral("align=\"center\"")));
    for (const char *style : {"font-style:italic", "text-decoration: underline", "font-size:14pt", "color:#0000ff"})
        EXPECT_TRUE(html.contains(QLatin1String(style))) << style;
    QTextDocument shown;
    shown.setHtml(html);
    EXPECT_EQ(shown.toPlainText(), QStringLiteral("Počet & spol. [Kategorie_DataSet.\"Pracov\"] > 2"));
    EXPECT_EQ(steps(), 1);

    // Opened and closed with OK without a change, it keeps the HTML as it was, without a step.
    whenModal<RichTextEditor>([](RichTextEditor &editor) { editor.accept(); });
    designer->action(QStringLiteral("EditTextAction"))->trigger();
    EXPECT_EQ(content<RichTextObject>(Rich1).html, html);
    EXPECT_EQ(steps(), 1);
    model().undoStack().undo();
    EXPECT_EQ(model().reportTemplate(), kindsTemplate());
}

TEST_F(DesignerDialogs, TemplatePropertiesAreOneStep)
{
    whenModal<TemplateInfoDialog>([](TemplateInfoDialog &dialog) {
        retype(in<QLineEdit>(dialog, "TemplateNameEdit"), QStringLiteral("  Souhrn kategorií "));
        in<QPlainTextEdit>(dialog, "TemplateDescriptionEdit")->insertPlainText(QStringLiteral("Pro vedení"));
        in<QCheckBox>(dialog, "DoublePassCheck")->click();
        pressOk(dialog);
    });
    designer->action(QStringLiteral("TemplateInfoAction"))->trigger();
    EXPECT_EQ(model().reportTemplate().name, QStringLiteral("Souhrn kategorií"));
    EXPECT_EQ(model().reportTemplate().description, QStringLiteral("Pro vedení"));
    EXPECT_TRUE(model().reportTemplate().doublePass);
    EXPECT_EQ(steps(), 1);
    // Cancelled, nothing changes.
    whenModal<TemplateInfoDialog>([](TemplateInfoDialog &dialog) {
        retype(in<QLineEdit>(dialog, "TemplateNameEdit"), QStringLiteral("Jiný"));
        dialog.reject();
    });
    designer->action(QStringLiteral("TemplateInfoAction"))->trigger();
    EXPECT_EQ(steps(), 1);
    model().undoStack().undo();
    EXPECT_EQ(model().reportTemplate(), kindsTemplate());
}

TEST_F(DesignerDialogs, VariablesAreAddedRenamedDeletedAndCheckedAsTyped)
{
    model().setVariables({{QStringLiteral("Stará"), QStringLiteral("1"), QString()}});
    bool refused = false;
    whenModal<VariablesDialog>([&refused](VariablesDialog &dialog) {
        auto *list = in<QListWidget>(dialog, "VariableList");
        auto *name = in<QLineEdit>(dialog, "VariableNameEdit");
        auto *expression = in<QLineEdit>(dialog, "VariableExpressionEdit");
        auto *status = in<QLabel>(dialog, "VariableStatus");
        ASSERT_EQ(list->count(), 1);
        EXPECT_EQ(name->text(), QStringLiteral("Stará"));
        in<QPushButton>(dialog, "AddVariableButton")->click();
        EXPECT_EQ(name->text(), QStringLiteral("Proměnná1"));
        retype(name, QStringLiteral("Celkem"));
        retype(expression, QStringLiteral("(Pracov + "));
        EXPECT_TRUE(status->text().startsWith(QStringLiteral("Chyba na pozici"))) << status->text().toStdString();
        pressOk(dialog);
        refused = dialog.isVisible();
        retype(expression, QStringLiteral("Pracov + Zen"));
        EXPECT_EQ(status->text(), QStringLiteral("Výraz je v pořádku."));
        // A doubled name and a name the program uses are refused too.
        in<QPushButton>(dialog, "AddVariableButton")->click();
        retype(name, QStringLiteral("celkem"));
        EXPECT_TRUE(dialog.problem().contains(QStringLiteral("dvakrát"))) << dialog.problem().toStdString();
        retype(name, QStringLiteral("Dokument"));
        EXPECT_FALSE(dialog.problem().isEmpty());
        retype(name, QStringLiteral("Ženy"));
        retype(expression, QStringLiteral("Zen"));
        retype(in<QLineEdit>(dialog, "VariableCategoryEdit"), QStringLiteral("Počty"));
        list->setCurrentRow(0);
        in<QPushButton>(dialog, "DeleteVariableButton")->click();
        EXPECT_EQ(list->count(), 2);
        EXPECT_EQ(dialog.problem(), QString());
        pressOk(dialog);
    });
    designer->action(QStringLiteral("VariablesAction"))->trigger();
    EXPECT_TRUE(refused);
    const std::vector<TemplateVariable> expected = {
        {QStringLiteral("Celkem"), QStringLiteral("Pracov + Zen"), QString()},
        {QStringLiteral("Ženy"), QStringLiteral("Zen"), QStringLiteral("Počty")}};
    EXPECT_EQ(model().reportTemplate().variables, expected);
    EXPECT_EQ(steps(), 2);
    // The data tree lists the variables as they are now, after undo as well.
    auto listed = [this](const char *name) {
        return !designer->dataTree()
                    .findItems(QString::fromUtf8(name), Qt::MatchExactly | Qt::MatchRecursive)
                    .isEmpty();
    };
    EXPECT_TRUE(listed("Celkem"));
    EXPECT_FALSE(listed("Stará"));
    model().undoStack().undo();
    EXPECT_FALSE(listed("Celkem"));
    EXPECT_TRUE(listed("Stará"));
}

TEST_F(DesignerDialogs, F1AsksForTheTopicOfTheWindowInFront)
{
    auto pressF1 = [](QWidget &window) {
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([&window] { return QApplication::activeWindow() == &window; }))
            << window.objectName().toStdString();
        QTest::keyClick(&window, Qt::Key_F1);
    };
    pressF1(*designer);
    EXPECT_EQ(helpAsked, std::vector<DesignerHelp>({DesignerHelp::Designer}));

    const std::pair<const char *, DesignerHelp> dialogs[] = {
        {"PageSetupAction", DesignerHelp::PageSetup}, {"BandOptionsAction", DesignerHelp::Band},
        {"EditTextAction", DesignerHelp::Expression}, {"TemplateInfoAction", DesignerHelp::Designer},
        {"VariablesAction", DesignerHelp::Designer},
    };
    designer->surface().setCurrentBand(0);
    designer->surface().setSelection({at(Text1)});
    for (const auto &[action, topic] : dialogs) {
        helpAsked.clear();
        whenModal<QDialog>([&pressF1](QDialog &dialog) {
            pressF1(dialog);
            dialog.reject();
        });
        designer->action(QLatin1String(action))->trigger();
        EXPECT_EQ(helpAsked, std::vector<DesignerHelp>({topic})) << action;
    }
    // The rich text editor belongs to the designer's topic.
    helpAsked.clear();
    designer->surface().setSelection({at(Rich1)});
    whenModal<RichTextEditor>([&pressF1](RichTextEditor &dialog) {
        pressF1(dialog);
        dialog.reject();
    });
    designer->action(QStringLiteral("EditTextAction"))->trigger();
    EXPECT_EQ(helpAsked, std::vector<DesignerHelp>({DesignerHelp::Designer}));

    // With a dialog page in front, F1 is about dialog pages.
    helpAsked.clear();
    designer->insertDialogPage();
    pressF1(*designer);
    EXPECT_EQ(helpAsked, std::vector<DesignerHelp>({DesignerHelp::DialogPage}));
}

TEST_F(DesignerDialogs, BandOptionsAreOneStepAndFaultyExpressionsAreRefused)
{
    const BandRef child = model().insertBand(0, 1, newBand(BandKind::Child));
    const QString childName = model().band(child).name;
    const Band before = model().band({0, 0});
    const int start = steps();
    designer->surface().setCurrentBand(0);
    bool refused = false;
    whenModal<BandDialog>([&refused, &childName](BandDialog &dialog) {
        retype(in<QLineEdit>(dialog, "BandNameEdit"), QStringLiteral("Prace"));
        in<QDoubleSpinBox>(dialog, "BandHeightSpin")->setValue(25.5);
        in<QComboBox>(dialog, "DataSourceCombo")->setCurrentText(QStringLiteral("5"));
        retype(in<QLineEdit>(dialog, "PrintIfEdit"), QStringLiteral("Pracov >"));
        EXPECT_TRUE(in<QLabel>(dialog, "BandStatus")->text().startsWith(QStringLiteral("Tisknout, jen když: chyba")))
            << in<QLabel>(dialog, "BandStatus")->text().toStdString();
        pressOk(dialog);
        refused = dialog.isVisible();
        retype(in<QLineEdit>(dialog, "PrintIfEdit"), QStringLiteral("Pracov > 0"));
        EXPECT_EQ(in<QLabel>(dialog, "BandStatus")->text(), QString());
        auto *childCombo = in<QComboBox>(dialog, "ChildBandCombo");
        childCombo->setCurrentIndex(childCombo->findData(childName));
        in<QCheckBox>(dialog, "KeepTogetherCheck")->click();
        in<QCheckBox>(dialog, "NewPageAfterCheck")->click();
        pressOk(dialog);
    });
    designer->action(QStringLiteral("BandOptionsAction"))->trigger();
    EXPECT_TRUE(refused);
    Band expected = before;
    expected.name = QStringLiteral("Prace");
    expected.height = 25.5;
    expected.dataSource = QStringLiteral("5");
    expected.printIf = QStringLiteral("Pracov > 0");
    expected.childBand = childName;
    expected.keepTogether = true;
    expected.newPageAfter = true;
    EXPECT_EQ(model().band({0, 0}), expected);
    EXPECT_EQ(steps(), start + 1);
    model().undoStack().undo();
    EXPECT_EQ(model().band({0, 0}), before);
    model().undoStack().redo();
    EXPECT_EQ(model().band({0, 0}), expected);
}

TEST_F(DesignerDialogs, PageSetupIsOneStep)
{
    whenModal<PageSetupDialog>([](PageSetupDialog &dialog) {
        auto *paper = in<QComboBox>(dialog, "PaperCombo");
        paper->setCurrentIndex(paper->findData(int(PaperSize::A5)));
        EXPECT_EQ(in<QDoubleSpinBox>(dialog, "PaperWidthSpin")->value(), 148);
        EXPECT_FALSE(in<QDoubleSpinBox>(dialog, "PaperWidthSpin")->isEnabled());
        in<QRadioButton>(dialog, "LandscapeRadio")->click();
        in<QDoubleSpinBox>(dialog, "MarginLeftSpin")->setValue(20);
        in<QDoubleSpinBox>(dialog, "MarginBottomSpin")->setValue(15);
        in<QSpinBox>(dialog, "ColumnsSpin")->setValue(2);
        in<QDoubleSpinBox>(dialog, "ColumnGapSpin")->setValue(5);
        pressOk(dialog);
    });
    designer->action(QStringLiteral("PageSetupAction"))->trigger();
    const ReportPage &page = model().reportTemplate().pages[0];
    EXPECT_EQ(page.paper, PaperSize::A5);
    EXPECT_EQ(page.orientation, Orientation::Landscape);
    EXPECT_EQ(page.margins, (Margins {20, 10, 10, 15}));
    EXPECT_EQ(page.columns, 2);
    EXPECT_EQ(page.columnGapMm, 5);
    EXPECT_EQ(page.bands, kindsTemplate().pages[0].bands);
    EXPECT_EQ(steps(), 1);
    model().undoStack().undo();
    EXPECT_EQ(model().reportTemplate(), kindsTemplate());
}

TEST_F(DesignerDialogs, ExpressionEditorChecksAsTypedAndInsertsFromTheDataTree)
{
    designer->surface().setSelection({at(Text1), at(Text2)});
    whenModal<ExpressionEditor>([](ExpressionEditor &editor) {
        auto *edit = in<QPlainTextEdit>(editor, "ExpressionEdit");
        auto *status = in<QLabel>(editor, "ExpressionStatus");
        EXPECT_EQ(edit->toPlainText(), QStringLiteral("[Pracov]")); // the first object's text
        edit->setPlainText(QStringLiteral("Počet: [Pracov * ]"));
        EXPECT_TRUE(status->text().startsWith(QStringLiteral("Chyba na pozici 18"))) << status->text().toStdString();
        edit->setPlainText(QStringLiteral("Počet: "));
        edit->moveCursor(QTextCursor::End);
        QTreeWidgetItem *field =
            editor.dataTree()->findField(QStringLiteral("Kategorie_DataSet"), QStringLiteral("Pracov"));
        ASSERT_TRUE(field);
        emit editor.dataTree()->itemDoubleClicked(field, 0);
        EXPECT_EQ(status->text(), QStringLiteral("Výraz je v pořádku."));
        pressOk(editor);
    });
    designer->action(QStringLiteral("EditTextAction"))->trigger();
    const QString expected = QStringLiteral("Počet: [Kategorie_DataSet.\"Pracov\"]");
    EXPECT_EQ(content<TextObject>(Text1).text, expected);
    EXPECT_EQ(content<TextObject>(Text2).text, expected);
    EXPECT_EQ(steps(), 1);
    model().undoStack().undo();
    EXPECT_EQ(model().reportTemplate(), kindsTemplate());
}

TEST_F(DesignerDialogs, ThePanelsConditionsOpenInTheExpressionEditor)
{
    designer->surface().setSelection({at(Text1)});
    whenModal<ExpressionEditor>([](ExpressionEditor &editor) {
        in<QPlainTextEdit>(editor, "ExpressionEdit")->setPlainText(QStringLiteral("Pracov >\n  2"));
        pressOk(editor);
    });
    control<QToolButton>("HighlightButton")->click();
    EXPECT_EQ(content<TextObject>(Text1).highlight.condition, QStringLiteral("Pracov > 2"));
    EXPECT_EQ(control<QLineEdit>("HighlightEdit")->text(), QStringLiteral("Pracov > 2"));
    EXPECT_EQ(steps(), 1);
    // Cancelled, the condition stays as it was.
    whenModal<ExpressionEditor>([](ExpressionEditor &editor) {
        in<QPlainTextEdit>(editor, "ExpressionEdit")->setPlainText(QStringLiteral("Zen"));
        editor.reject();
    });
    control<QToolButton>("PrintIfButton")->click();
    EXPECT_EQ(model().object(at(Text1)).printIf, QString());
    EXPECT_EQ(steps(), 1);
}
