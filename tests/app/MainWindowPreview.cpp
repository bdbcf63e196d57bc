// Shows the main window in a situation a user meets, for a look at it under a virtual display:
//     main_window_preview save-question | open-dialog | tooltip | damaged | categories | summary
//                         | help [search words]
#include "app/ErgotabApplication.h"
#include "app/TMainForm.h"
#include "app/TProgressForm.h"
#include "help/HelpTopics.h"
#include "help/HelpViewer.h"
#include "storage/document/Document.h"
#include "tests/storage/document/DamagedDocument.h"

#include <QTemporaryDir>

#include <QHelpEvent>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

using namespace ergotab;

namespace {

// A narrow tree with a name too long for it, and the tool-tip of that name.
void showTooltip(TMainForm &form)
{
    dbf::Table &objects = form.document().objects();
    objects.appendRecord({1, 0, 0, QStringLiteral("Závod Brno")});
    objects.appendRecord({2, 1, 0, QStringLiteral("Lakovna")});
    objects.appendRecord({3, 2, 1, QStringLiteral("Lakýrník – ruční stříkání barev a laků v boxu s odsáváním")});
    form.BuildTreeFromDocument();
    auto *tree = form.findChild<QTreeWidget *>(QStringLiteral("DataTreeNT"));
    tree->expandAll();
    QTreeWidgetItem *item = tree->topLevelItem(0)->child(0)->child(0);
    const QPoint at = tree->visualItemRect(item).center();
    QHelpEvent help(QEvent::ToolTip, at, tree->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(tree->viewport(), &help);
}

// A plant with assessments of every overall category, expanded, one assessment selected.
void showCategories(TMainForm &form)
{
    dbf::Table &objects = form.document().objects();
    const auto assessment = [&objects](int index, int upLink, const QString &name, int factor, int mask, int people) {
        objects.appendRecord({index, upLink, 1, name});
        objects.edit();
        objects.setFieldInt(QStringLiteral("Fak%1").arg(factor, 2, 10, QLatin1Char('0')), mask);
        objects.setFieldInt(QStringLiteral("Fak11"), 0b0011);
        objects.setFieldInt(QStringLiteral("Pracov"), people);
        objects.setFieldInt(QStringLiteral("Zen"), people / 3);
        objects.post();
    };
    objects.appendRecord({1, 0, 0, QStringLiteral("Závod Brno")});
    objects.appendRecord({2, 1, 0, QStringLiteral("Lisovna")});
    assessment(3, 2, QStringLiteral("Lisař"), 3, 0b0100, 12);
    assessment(4, 2, QStringLiteral("Seřizovač lisů"), 4, 0b1000, 3);
    objects.appendRecord({5, 1, 0, QStringLiteral("Sklad")});
    assessment(6, 5, QStringLiteral("Skladník"), 6, 0b0010, 8);
    assessment(7, 5, QStringLiteral("Vedoucí skladu"), 10, 0b0001, 1);
    objects.appendRecord({8, 0, 0, QStringLiteral("Administrativa")});
    assessment(9, 8, QStringLiteral("Účetní"), 11, 0b0001, 4);
    objects.appendRecord({10, 0, 0, QStringLiteral("Nová provozovna")});
    form.BuildTreeFromDocument();
    auto *tree = form.findChild<QTreeWidget *>(QStringLiteral("DataTreeNT"));
    tree->expandAll();
    tree->setCurrentItem(tree->topLevelItem(0)->child(0)->child(1));
}

} // namespace

int main(int argc, char **argv)
{
    ErgotabApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Ergotab"));
    const QString scene = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    QTemporaryDir folder;
    TMainForm form;
    if (scene == QLatin1String("damaged")) {
        const QString path = folder.filePath(QStringLiteral("Hala.tvo"));
        test::writeDamagedDocument(path, 46, 8, 5);
        form.setCommandLineDocument(path);
    }
    form.show();
    QTimer::singleShot(500, &form, [&form, scene] {
        if (scene == QLatin1String("save-question")) {
            form.document().setModified(true);
            form.New1Click();
        } else if (scene == QLatin1String("open-dialog")) {
            form.Open1Click();
        } else if (scene == QLatin1String("tooltip")) {
            showTooltip(form);
        } else if (scene == QLatin1String("categories")) {
            showCategories(form);
        } else if (scene == QLatin1String("help")) {
            HelpViewer *viewer = HelpViewer::showContext(&form, HelpTopic::Summary);
            if (QCoreApplication::arguments().size() > 2) {
                viewer->findChild<QTabWidget *>(QStringLiteral("HelpTabs"))->setCurrentIndex(2);
                viewer->search(QCoreApplication::arguments().mid(2).join(QLatin1Char(' ')));
            }
        } else if (scene == QLatin1String("summary")) {
            showCategories(form);
            form.Souhrn1Click();
        }
    });
    return app.exec();
}
