#include "HighestIndex.h"

#include "storage/document/Document.h"
#include "storage/document/TableFields.h"

#include <algorithm>

namespace ergotab::tree {

int HighestIndex(dbf::Table &table, int *cache)
{
    if (cache && *cache != -1)
        return *cache;
    table.setFiltered(false);
    table.setFilter(QString());
    const int indexField = table.fieldIndex(fields::object::Index);
    int highest = -1;
    for (table.first(); !table.eof(); table.next())
        highest = std::max(highest, table.fieldInt(indexField));
    if (highest == -1)
        highest = 0;
    if (cache)
        *cache = highest;
    return highest;
}

int HighestObjectIndex(Document &document)
{
    return HighestIndex(document.objects(), &document.cachedHighestObjectIndex);
}

int HighestWorkerIndex(Document &document)
{
    return HighestIndex(document.workers(), &document.cachedHighestWorkerIndex);
}

} // namespace ergotab::tree
