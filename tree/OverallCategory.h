#pragma once

#include "tree/DocumentEditing.h"

#include <QString>

namespace ergotab {
namespace dbf {
class Table;
}

namespace tree {

// An assessment's overall category: the highest category any of its thirteen factors marks,
// with the factors that mark it (bit n-1 for factor n). Category 0: nothing marked.
struct OverallCategory
{
    int category = 0;
    int factorBits = 0;
    bool operator==(const OverallCategory &) const = default;
};

OverallCategory overallCategory(const FactorMasks &masks);

// The factor masks of the table's current row.
FactorMasks readFactorMasks(const dbf::Table &objects);

// The short names of the factors whose bits are set, joined by commas ("Hluk, Vibrace").
QString factorNames(int factorBits);

} // namespace tree
} // namespace ergotab
