#include "reportengine/dialogs/DialogPageForm.h"
#include "reportengine/dialogs/ReportProgressForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace ergotab::report;

namespace {

DialogControl control(ControlKind kind, const char *name, int y, const QString &text = {})
{
    DialogControl c;
    c.kind = kind;
    c.name = QLatin1String(name);
    c.rect = QRect(10, y, 200, 24);
    c.text = text;
    return c;
}

// A page with one control of each kind and the template's own OK and cancel buttons.
DialogPage everyControl()
{
    DialogPage page;
    page.name = QStringLiteral("Dotaz");
    page.caption = QStringLiteral("Údaje o zaměstnavateli");
    page.size = QSize(400, 380);
    page.controls.push_back(control(ControlKind::Label, "Popisek", 4, QStringLiteral("Zaměstnavatel:")));
    page.controls.push_back(control(ControlKind::Edit, "Nazev", 30, QStringLiteral("Firma")));
    page.controls.push_back(control(ControlKind::Memo, "Poznamka", 58, QStringLiteral("řádek 1")));
    DialogControl check = control(ControlKind::CheckBox, "Podpis", 90, QStringLiteral("S podpisem"));
    check.checked = true;
    page.controls.push_back(check);
    DialogControl combo = control(ControlKind::ComboBox, "Smennost", 118, QStringLiteral("dvousměnný"));
    combo.items = {QStringLiteral("jednosměnný"), QStringLiteral("dvousměnný")};
    combo.readOnly = true;
    page.controls.push_back(combo);
    DialogControl first = control(ControlKind::RadioButton, "Kraj", 146, QStringLiteral("Kraj"));
    first.checked = true;
    page.controls.push_back(first);
    page.controls.push_back(control(ControlKind::RadioButton, "Obec", 174, QStringLiteral("Obec")));
    page.controls.push_back(control(ControlKind::DateEdit, "Datum", 202, QStringLiteral("2024-03-05")));
    DialogControl list = control(ControlKind::ListBox, "Vyber", 230);
    list.items = {QStringLiteral("A"), QStringLiteral("B")};
    page.controls.push_back(list);
    DialogControl ok = control(ControlKind::Button, "OK", 330, QStringLiteral("OK"));
    ok.modalResult = 1;
    page.controls.push_back(ok);
    DialogControl cancel = control(ControlKind::Button, "Zrusit", 330, QStringLiteral("Zrušit"));
    cancel.rect = QRect(220, 330, 90, 24);
    cancel.modalResult = 2;
    page.controls.push_back(cancel);
    return page;
}

template <typename T> T *at(const DialogPageForm &form, const char *name)
{
    return qobject_cast<T *>(form.control(QLatin1String(name)));
}

} // namespace

TEST(DialogPageForm, BuildsEachControlAtItsPlaceAndGivesBackWhatWasEntered)
{
    DialogPageForm form(everyControl(), {{QStringLiteral("Nazev"), QStringLiteral("Strojírny")}});
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Údaje o zaměstnavateli"));
    EXPECT_EQ(form.size(), QSize(400, 380));
    ASSERT_TRUE(at<QLabel>(form, "Popisek"));
    EXPECT_EQ(at<QLabel>(form, "Popisek")->text(), QStringLiteral("Zaměstnavatel:"));
    EXPECT_EQ(at<QLineEdit>(form, "Nazev")->geometry(), QRect(10, 30, 200, 24));
    EXPECT_EQ(at<QLineEdit>(form, "Nazev")->text(), QStringLiteral("Strojírny")); // the engine's value wins
    EXPECT_EQ(at<QComboBox>(form, "Smennost")->currentText(), QStringLiteral("dvousměnný"));
    EXPECT_FALSE(at<QComboBox>(form, "Smennost")->isEditable());
    EXPECT_EQ(at<QDateEdit>(form, "Datum")->date(), QDate(2024, 3, 5));
    EXPECT_FALSE(form.findChild<QDialogButtonBox *>()); // the page has buttons of its own

    at<QLineEdit>(form, "Nazev")->setText(QStringLiteral("Žďas a.s."));
    at<QPlainTextEdit>(form, "Poznamka")->setPlainText(QStringLiteral("řádek 1\nřádek 2"));
    at<QCheckBox>(form, "Podpis")->setChecked(false);
    at<QComboBox>(form, "Smennost")->setCurrentIndex(0);
    at<QRadioButton>(form, "Obec")->setChecked(true); // and the other one goes off
    at<QDateEdit>(form, "Datum")->setDate(QDate(2025, 1, 31));
    at<QListWidget>(form, "Vyber")->setCurrentRow(1);

    const QVariantMap values = form.values();
    EXPECT_EQ(values.value(QStringLiteral("Nazev")).toString(), QStringLiteral("Žďas a.s."));
    EXPECT_EQ(values.value(QStringLiteral("Poznamka")).toString(), QStringLiteral("řádek 1\nřádek 2"));
    EXPECT_EQ(values.value(QStringLiteral("Podpis")), QVariant(false));
    EXPECT_EQ(values.value(QStringLiteral("Smennost")).toString(), QStringLiteral("jednosměnný"));
    EXPECT_EQ(values.value(QStringLiteral("Kraj")), QVariant(false));
    EXPECT_EQ(values.value(QStringLiteral("Obec")), QVariant(true));
    EXPECT_EQ(values.value(QStringLiteral("Datum")).toDate(), QDate(2025, 1, 31));
    EXPECT_EQ(values.value(QStringLiteral("Vyber")).toString(), QStringLiteral("B"));
    EXPECT_FALSE(values.contains(QStringLiteral("Popisek")));
    EXPECT_FALSE(values.contains(QStringLiteral("OK")));
}

TEST(DialogPageForm, ItsButtonsAcceptOrCancelAndAPageWithoutThemGetsItsOwn)
{
    const DialogPage page = everyControl();
    for (const char *button : {"OK", "Zrusit"}) {
        DialogPageForm form(page, {});
        QTimer::singleShot(0, &form, [&form, button] { at<QPushButton>(form, button)->click(); });
        EXPECT_EQ(form.exec(),
                  QString::fromLatin1(button) == QLatin1String("OK") ? QDialog::Accepted : QDialog::Rejected);
    }

    DialogPage bare = page;
    bare.controls.resize(2); // the label and the edit
    DialogPageForm form(bare, {});
    auto *buttons = form.findChild<QDialogButtonBox *>(QStringLiteral("DialogPageButtons"));
    ASSERT_TRUE(buttons);
    EXPECT_GT(form.height(), page.size.height());
    QTimer::singleShot(0, &form, [buttons] { buttons->button(QDialogButtonBox::Ok)->click(); });
    EXPECT_EQ(form.exec(), QDialog::Accepted);
    EXPECT_TRUE(form.rect().contains(buttons->geometry()));
}

TEST(ReportProgressForm, ShowsTheFiguresAndStopsAfterZrusit)
{
    ReportProgressForm progress(QStringLiteral("Kategorizace prací"));
    EXPECT_FALSE(progress.isVisible()); // not before the first record: dialog pages come first
    EXPECT_TRUE(progress.advance({3, 40, 1, 1}));
    EXPECT_TRUE(progress.isVisible());
    EXPECT_EQ(progress.recordLabel()->text(), QStringLiteral("Záznam 3 z 40"));
    progress.cancelButton()->click();
    EXPECT_FALSE(progress.advance({4, 40, 1, 1}));
    EXPECT_TRUE(progress.isCancelled());
    QTest::keyClick(&progress, Qt::Key_Escape); // Escape is "Zrušit" too, and never closes it silently
    EXPECT_TRUE(progress.isCancelled());
}
