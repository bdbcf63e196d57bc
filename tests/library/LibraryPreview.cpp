// Shows a library window over the shipped Library.LIB, for a look at it:
//     library_preview lib|chooser|editor
#include "library/TFindDialog.h"
#include "library/TLibForm.h"
#include "library/TVyberForm.h"
#include "library/TVzoryForm.h"
#include "library/core/LibraryWorkCopy.h"
#include "library/core/MeasureTemplates.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

using namespace ergotab;

namespace {

class NoDocument : public DocumentEditing
{
public:
    int selectedIndex() const override { return 0; }
    void selectItem(int) override { }
    int addNode(const QString &) override { return 0; }
    int addAssessment(const QString &, const FactorMasks &) override { return 0; }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("lib");
    library::LibraryWorkCopy copy;
    copy.open(QStringLiteral(ERGOTAB_PROGRAM_DIR "/Library.LIB"));
    NoDocument document;

    if (mode == QStringLiteral("chooser")) {
        library::TVyberForm chooser;
        library::MeasureTemplates templates(copy.OpatTable());
        chooser.offer(QStringLiteral("Hluk"), templates.specifications(3));
        chooser.findChild<QComboBox *>(QStringLiteral("SpecifikComboBox"))->setCurrentIndex(1);
        chooser.show();
        return app.exec();
    }
    if (mode == QStringLiteral("editor")) {
        library::TVzoryForm editor(copy.OpatTable(), {});
        editor.move(20, 20);
        editor.show();
        QTimer::singleShot(0, &editor, [&editor] {
            editor.findChild<QComboBox *>(QStringLiteral("ComboBox1"))->setCurrentIndex(2);
            QLineEdit *spec = editor.findChild<QComboBox *>(QStringLiteral("ComboBox2"))->lineEdit();
            spec->setFocus();
            spec->setText(QStringLiteral("na"));
            emit spec->textEdited(QStringLiteral("na"));
        });
        return app.exec();
    }

    library::TLibForm form(copy.LibTable(), document);
    form.move(10, 10);
    form.resize(760, 560);
    form.show();
    QTimer::singleShot(0, &form, [&form] {
        QTreeWidget *tree = form.tree();
        tree->topLevelItem(0)->setExpanded(true);
        tree->topLevelItem(0)->child(1)->setExpanded(true);
        tree->topLevelItem(3)->setExpanded(true);
        for (int index : {2, 7, 8})
            form.itemOf(index)->setCheckState(0, Qt::Checked);
        form.FindSpeedButtonClick();
        library::TFindDialog *find = form.findDialog();
        find->move(790, 10);
        find->findChild<QLineEdit *>(QStringLiteral("FindEdit"))->setText(QStringLiteral("svářeč"));
        find->findChild<QPushButton *>(QStringLiteral("FindNextButton"))->click();
    });
    return app.exec();
}
