#include "GeneratedDocument.h"

#include "storage/document/Document.h"

#include <QString>

#include <cstdlib>
#include <deque>

namespace ergotab::bench {

GeneratedShape generateShape(int rows)
{
    GeneratedShape shape;
    const int perTop = rows / 10;
    int next = 1;
    auto add = [&](int up, int type) {
        shape.index.push_back(next);
        shape.upLink.push_back(up);
        shape.type.push_back(type);
        return next++;
    };
    for (int t = 0; t < 10; ++t) {
        const int limit = t == 9 ? rows : (t + 1) * perTop;
        std::deque<int> open {add(0, 0)};
        while (next <= limit && !open.empty()) {
            const int parent = open.front();
            open.pop_front();
            for (int c = 0; c < 4 && next <= limit; ++c)
                open.push_back(add(parent, 0));
            for (int c = 0; c < 6 && next <= limit; ++c)
                add(parent, 1);
        }
    }
    shape.subtreeSize.assign(static_cast<size_t>(next), 1);
    shape.subtreeSize[0] = 0;
    // Parents come before children, so one backward pass sums the subtrees.
    for (size_t r = shape.index.size(); r-- > 0;)
        if (shape.upLink[r] != 0)
            shape.subtreeSize[static_cast<size_t>(shape.upLink[r])] +=
                shape.subtreeSize[static_cast<size_t>(shape.index[r])];
    return shape;
}

void fillDocument(Document &document, const GeneratedShape &shape)
{
    dbf::Table &objects = document.objects();
    dbf::Table &links = document.links();
    int assessments = 0;
    for (size_t r = 0; r < shape.index.size(); ++r) {
        const int i = shape.index[r];
        const QString text =
            shape.type[r] ? QStringLiteral("Hodnocení č. %1").arg(i) : QStringLiteral("Pracoviště %1").arg(i);
        objects.appendRecord({i, shape.upLink[r], shape.type[r], text});
        if (shape.type[r] && ++assessments % 5 == 0)
            links.appendRecord({assessments / 5, i});
    }
    document.setModified(false);
}

int nodeWithSubtreeNear(const GeneratedShape &shape, int wanted)
{
    int best = 0;
    for (size_t r = 0; r < shape.index.size(); ++r) {
        if (shape.type[r] != 0)
            continue;
        const int i = shape.index[r];
        if (best == 0 || std::abs(shape.subtreeSize[static_cast<size_t>(i)] - wanted) <
                             std::abs(shape.subtreeSize[static_cast<size_t>(best)] - wanted))
            best = i;
    }
    return best;
}

} // namespace ergotab::bench
