// Shows the main window in a situation a user meets, for a look at it under a virtual display:
//     main_window_preview save-question | open-dialog | tooltip | damaged
#include "app/ErgotabApplication.h"
#include "app/TMainForm.h"
#include "app/TProgressForm.h"
#include "storage/document/Document.h"
#include "tests/storage/document/DamagedDocument.h"

#include <QTemporaryDir>

#include <QHelpEvent>
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
        }
    });
    return app.exec();
}
