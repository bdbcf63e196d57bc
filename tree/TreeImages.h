#pragma once

#include <QIcon>

namespace ergotab::tree {

// Positions of the tree's three pictures; an item's image is one of these.
enum TreeImage : int {
    ClosedFolderImage = 0, // a node shown collapsed
    OpenFolderImage = 1,   // a node shown expanded
    SheetImage = 2,        // an assessment
};

// The 16 x 16 picture of that position, drawn once per run.
const QIcon &treeIcon(int image);

} // namespace ergotab::tree
