// Copies and pastes subtrees of 1,000, 10,000 and 50,000 rows through the clipboard and the
// real tree widget, and prints the time of each and the time per row.
//   bench_clipboard [sizes...]   (runs offscreen)

#include "storage/document/Document.h"
#include "storage/document/TableFields.h"
#include "tree/DataTreeItem.h"
#include "tree/DocumentTree.h"
#include "tree/clipboard/ClipboardCommands.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdio>

using namespace ergotab;

namespace {

// A node at the top holding `rows - 1` rows: nodes of ten assessments each, nested by fives.
void fill(Document &document, int rows)
{
    dbf::Table &objects = document.objects();
    objects.appendRecord({1, 0, 0, QStringLiteral("Závod")});
    int lastNode = 1;
    int depthParent = 1;
    for (int i = 2; i <= rows; ++i) {
        const bool node = i % 11 == 2;
        const int parent = node ? depthParent : lastNode;
        objects.append();
        objects.setFieldInt(fields::object::Index, i);
        objects.setFieldInt(fields::object::UpLink, parent);
        objects.setFieldInt(fields::object::Type, node ? 0 : 1);
        objects.setFieldText(fields::object::Text, QStringLiteral("Řádek %1").arg(i));
        if (!node) {
            objects.setFieldInt(QStringLiteral("Fak03"), 4);
            objects.setFieldText(fields::object::Opatreni, QStringLiteral("Chrániče sluchu."));
        }
        objects.post();
        if (node) {
            lastNode = i;
            depthParent = (i / 11) % 5 == 0 ? 1 : i;
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {1000, 10000, 50000};

    std::printf("%10s %12s %12s %14s %14s\n", "rows", "copy s", "paste s", "copy us/row", "paste us/row");
    for (int rows : sizes) {
        QTemporaryDir clipboardDir;
        Document source;
        source.start();
        fill(source, rows);
        QTreeWidget sourceWidget;
        tree::DocumentTree sourceTree(sourceWidget, source);
        sourceTree.rebuild();
        tree::ClipboardCommands copier(sourceTree, clipboardDir.path());
        sourceTree.select(sourceTree.nodes().at(1));

        QElapsedTimer timer;
        timer.start();
        copier.Copy1Click();
        const double copy = double(timer.nsecsElapsed()) / 1e9;

        Document target;
        target.start();
        target.objects().appendRecord({40, 0, 0, QStringLiteral("Cíl")});
        QTreeWidget targetWidget;
        tree::DocumentTree targetTree(targetWidget, target);
        targetTree.rebuild();
        targetTree.select(targetTree.nodes().at(40));
        tree::ClipboardCommands paster(targetTree, clipboardDir.path());
        timer.restart();
        paster.Paste1Click();
        const double paste = double(timer.nsecsElapsed()) / 1e9;
        if (target.objects().recordCount() != rows + 1)
            std::printf("pasted %d rows instead of %d\n", target.objects().recordCount() - 1, rows);
        std::printf("%10d %12.3f %12.3f %14.1f %14.1f\n", rows, copy, paste, copy * 1e6 / rows, paste * 1e6 / rows);
        source.shutDown();
        target.shutDown();
    }
    return 0;
}
