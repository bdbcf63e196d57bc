// One of two processes that copy and paste through one clipboard folder at the same time.
//   clipboard_stress FOLDER ITERATIONS SUBTREE_ROWS
// Each copy puts a subtree of SUBTREE_ROWS rows into the clipboard; each paste must find a
// complete subtree of some copy: all rows present, one top record, every UpLink inside it.
// Exits 0 when every paste was whole, 1 on a torn or failed paste.
#include "storage/document/Document.h"
#include "tree/clipboard/SubtreeClipboard.h"

#include <QCoreApplication>

#include <cstdio>
#include <set>

using namespace ergotab;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 2;
    tree::SubtreeClipboard clipboard(QString::fromLocal8Bit(argv[1]));
    const int iterations = std::atoi(argv[2]);
    const int size = std::atoi(argv[3]);

    Document source;
    source.start();
    // A chain of nodes with an assessment under each, all captioned with the subtree's size.
    const QString caption = QStringLiteral("size %1").arg(size);
    for (int i = 1; i <= size; ++i)
        source.objects().appendRecord({i, i == 1 ? 0 : (i % 2 ? i - 2 : i - 1), i % 2 ? 0 : 1, caption});
    Document target;
    target.start();
    int failures = 0;
    for (int n = 0; n < iterations; ++n) {
        try {
            clipboard.copyFrom(source.objects(), 1, nullptr);
            target.newDocument();
            const int pasted = clipboard.pasteInto(target, 0, {}, nullptr);
            dbf::Table &rows = target.objects();
            std::set<int> indexes;
            QString seen;
            int tops = 0;
            for (rows.first(); !rows.eof(); rows.next()) {
                indexes.insert(rows.fieldInt(QStringLiteral("Index")));
                tops += rows.fieldInt(QStringLiteral("UpLink")) == 0;
                const QString text = rows.fieldText(QStringLiteral("Text"));
                if (!seen.isEmpty() && text != seen)
                    ++failures;
                seen = text;
            }
            const int expected = seen.mid(5).toInt();
            if (pasted != expected || int(indexes.size()) != expected || tops != 1) {
                std::fprintf(stderr, "torn paste: %d rows of %d, %d tops\n", pasted, expected, tops);
                ++failures;
            }
        } catch (const std::exception &e) {
            std::fprintf(stderr, "failed: %s\n", e.what());
            ++failures;
        }
    }
    source.shutDown();
    target.shutDown();
    return failures == 0 ? 0 : 1;
}
