#include "OverallCategory.h"

#include "CategorySummary.h"

#include "storage/dbf/Table.h"
#include "storage/document/FactorCatalogue.h"

#include <QStringList>

namespace ergotab::tree {

OverallCategory overallCategory(const FactorMasks &masks)
{
    OverallCategory overall;
    for (int n = 1; n <= FactorCount; ++n) {
        const int highest = highestCategory(masks[size_t(n - 1)]);
        if (highest == 0)
            continue;
        if (highest > overall.category)
            overall = {highest, 0};
        if (highest == overall.category)
            overall.factorBits |= 1 << (n - 1);
    }
    return overall;
}

FactorMasks readFactorMasks(const dbf::Table &objects)
{
    FactorMasks masks {};
    for (const Factor &f : factorCatalogue())
        masks[size_t(f.number - 1)] = objects.fieldInt(f.fieldName);
    return masks;
}

QString factorNames(int factorBits)
{
    QStringList names;
    for (const Factor &f : factorCatalogue())
        if (factorBits & (1 << (f.number - 1)))
            names << f.shortName;
    return names.join(QStringLiteral(", "));
}

} // namespace ergotab::tree
