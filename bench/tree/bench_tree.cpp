// Building the categorisation tree against a plain fill of the same widget, and deleting
// subtrees, on generated documents of 10,000, 50,000 and 100,000 rows.

#include "GeneratedDocument.h"
#include "storage/document/TableFields.h"

#include "tree/CategorisationPanel.h"
#include "tree/DataTreeItem.h"
#include "tree/DocumentTree.h"
#include "tree/StructureCommands.h"
#include "tree/SubtreeDeleter.h"
#include "tree/TreeImages.h"

#include "storage/document/Document.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <unordered_map>

using namespace ergotab;

namespace {

// The floor: the same number of items in the same shape, made and inserted as cheaply as the
// widget allows, with nothing read from a table.
double plainFill(QTreeWidget &widget, const bench::GeneratedShape &shape)
{
    widget.clear();
    QApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    widget.setUpdatesEnabled(false);
    std::vector<QTreeWidgetItem *> items(shape.subtreeSize.size(), nullptr);
    QList<QTreeWidgetItem *> top;
    for (size_t r = 0; r < shape.index.size(); ++r) {
        auto *item = new QTreeWidgetItem;
        item->setText(0, shape.type[r] ? QStringLiteral("Hodnocení č. %1").arg(shape.index[r])
                                       : QStringLiteral("Pracoviště %1").arg(shape.index[r]));
        item->setIcon(0, tree::treeIcon(shape.type[r] ? 2 : 0));
        item->setData(0, Qt::UserRole, shape.index[r]);
        items[static_cast<size_t>(shape.index[r])] = item;
        if (shape.upLink[r] == 0)
            top.append(item);
        else
            items[static_cast<size_t>(shape.upLink[r])]->addChild(item);
    }
    widget.addTopLevelItems(top);
    widget.setUpdatesEnabled(true);
    widget.update();
    QApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

// Reading the four fields BuildTree needs from every row, and nothing else.
double readRows(Document &document)
{
    QElapsedTimer timer;
    timer.start();
    dbf::Table &t = document.objects();
    const int index = t.fieldIndex(fields::object::Index);
    const int upLink = t.fieldIndex(fields::object::UpLink);
    const int type = t.fieldIndex(fields::object::Type);
    const int text = t.fieldIndex(fields::object::Text);
    long long sum = 0;
    for (t.first(); !t.eof(); t.next())
        sum += t.fieldInt(index) + t.fieldInt(upLink) + t.fieldInt(type) + t.fieldText(text).size();
    const double ms = timer.nsecsElapsed() / 1e6;
    return sum == 42 ? 0 : ms;
}

double buildTree(tree::DocumentTree &tree)
{
    tree.widget().clear();
    QApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    tree.rebuild();
    QApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

struct Window
{
    QWidget window;
    QTreeWidget *treeWidget;
    QStackedWidget *pages;
    std::unique_ptr<tree::CategorisationPanel> panel;

    explicit Window(Document &document)
    {
        auto *layout = new QHBoxLayout(&window);
        treeWidget = new QTreeWidget(&window);
        pages = new QStackedWidget(&window);
        auto *none = new QWidget(pages), *node = new QWidget(pages), *item = new QWidget(pages);
        pages->addWidget(none);
        pages->addWidget(node);
        pages->addWidget(item);
        auto *store = new QPushButton(&window), *cancel = new QPushButton(&window);
        layout->addWidget(treeWidget);
        layout->addWidget(pages);
        layout->addWidget(store);
        layout->addWidget(cancel);
        tree::CategorisationWidgets w;
        w.DataTreeNT = treeWidget;
        w.pages = {none, node, item};
        w.lock.store = store;
        w.lock.cancel = cancel;
        panel = std::make_unique<tree::CategorisationPanel>(w, document,
                                                            [](const QString &, const QString &) { return true; });
        window.resize(800, 600);
        window.show();
    }
};

double deleteSubtree(int rows, int wanted, int *deleted, double *packMs)
{
    Document document;
    document.start();
    const bench::GeneratedShape shape = bench::generateShape(rows);
    bench::fillDocument(document, shape);
    double ms = 0;
    {
        Window w(document);
        w.panel->rebuildTree();
        const int node = bench::nodeWithSubtreeNear(shape, wanted);
        *deleted = shape.subtreeSize[static_cast<size_t>(node)];
        w.panel->tree().select(w.panel->tree().nodes().at(node));
        QElapsedTimer timer;
        timer.start();
        w.panel->commands().DeleteSpeedButtonClick();
        ms = timer.nsecsElapsed() / 1e6;
        timer.restart();
        tree::packTable(document.objects());
        tree::packTable(document.links());
        *packMs = timer.nsecsElapsed() / 1e6;
        if (w.panel->tree().nodes().at(node) != nullptr || document.objects().recordCount() != rows - *deleted)
            std::printf("  !! deletion left rows or items behind\n");
    }
    document.shutDown();
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);

    // "bench_tree build 100000" or "bench_tree delete 100000" runs one part alone (profiling).
    const QStringList args = QCoreApplication::arguments();
    const bool onlyBuild = args.size() > 2 && args[1] == QStringLiteral("build");
    const bool onlyDelete = args.size() > 2 && args[1] == QStringLiteral("delete");
    std::vector<int> sizes {10'000, 50'000, 100'000};
    if (onlyBuild || onlyDelete)
        sizes = {args[2].toInt()};

    std::printf("%8s  %12s  %12s  %6s  %12s\n", "rows", "plain fill", "BuildTree", "ratio", "table read");
    for (int rows : sizes) {
        if (onlyDelete)
            break;
        Document document;
        document.start();
        const bench::GeneratedShape shape = bench::generateShape(rows);
        bench::fillDocument(document, shape);
        {
            Window w(document);
            double fill = 1e300, build = 1e300, read = 1e300;
            // Best of three, alternating, so neither side profits from a warmed cache alone.
            for (int round = 0; round < 3; ++round) {
                fill = std::min(fill, plainFill(*w.treeWidget, shape));
                build = std::min(build, buildTree(w.panel->tree()));
                read = std::min(read, readRows(document));
            }
            std::printf("%8d  %9.1f ms  %9.1f ms  %6.2f  %9.1f ms\n", rows, fill, build, build / fill, read);
        }
        document.shutDown();
    }

    // The packing of the two tables at the end is a fixed cost of the whole table; it is timed
    // again on its own after the deletion, and the rest is what grows with the subtree.
    std::printf("\n%8s  %14s  %12s  %16s  %12s\n", "rows", "subtree rows", "delete", "without packing", "packing");
    for (int rows : sizes) {
        if (onlyBuild)
            break;
        for (int divisor : {20, 10}) {
            int deleted = 0;
            double pack = 0;
            const double ms = deleteSubtree(rows, rows / divisor, &deleted, &pack);
            std::printf("%8d  %14d  %9.1f ms  %13.1f ms  %9.1f ms\n", rows, deleted, ms, ms - pack, pack);
        }
    }
    return 0;
}
